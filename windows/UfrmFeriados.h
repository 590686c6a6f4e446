#pragma once
// The holidays window (TfrmFeriados): a year's national and local holidays,
// and the clerk's local holidays, which it adds, changes and removes. Every
// change is written to the local holidays' file at once. Opened from the
// workbench as a modal dialog.
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

#include "ui/Preferencias.h"

namespace quantivo {

class TfrmFeriados : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFeriados(QWidget* parent = nullptr);

    QSpinBox* edtAno;          // "&Ano": the year whose holidays are listed
    QTreeWidget* lstFeriados;  // "Feriados do ano": the chosen year's holidays
    QListWidget* lstLocais;    // "Feriados locais": the local holidays as the file holds them
    QLineEdit* edtData;        // "&Data": a local holiday's dd/mm (every year) or dd/mm/aaaa (that year only)
    QLineEdit* edtNome;        // "&Nome": a local holiday's name
    QPushButton* btnIncluir;   // "&Incluir"
    QPushButton* btnAlterar;   // "A&lterar"
    QPushButton* btnExcluir;   // "E&xcluir"
    QPushButton* btnFechar;    // "&Fechar"

    // The local holidays as last read or written.
    const std::vector<FeriadoLocal>& Locais() const { return arquivo_.lista.feriados; }

    void btnIncluirClick();  // adds the holiday in the fields
    void btnAlterarClick();  // replaces the selected local holiday with the fields
    void btnExcluirClick();  // removes the selected local holiday
    void lstLocaisChange();  // the selected local holiday into the fields
    void MostraAno();        // lists the holidays of the year in edtAno

protected:
    void showEvent(QShowEvent* e) override;

private:
    std::optional<FeriadoLocal> LeCampos();
    // Writes the changed list; on failure the list stays as it was.
    bool Grava(std::vector<FeriadoLocal> novos, int selecionar);
    void MostraLocais(int selecionar);

    ArquivoFeriados arquivo_;
    bool avisou_ = false;
};

}  // namespace quantivo
