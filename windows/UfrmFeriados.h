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

    QSpinBox* edtAno;
    QTreeWidget* lstFeriados;  // the chosen year's holidays
    QListWidget* lstLocais;    // the local holidays as the file holds them
    QLineEdit* edtData;
    QLineEdit* edtNome;
    QPushButton* btnIncluir;
    QPushButton* btnAlterar;
    QPushButton* btnExcluir;
    QPushButton* btnFechar;

    // The local holidays as last read or written.
    const std::vector<FeriadoLocal>& Locais() const { return arquivo_.lista.feriados; }

    void btnIncluirClick();
    void btnAlterarClick();
    void btnExcluirClick();
    void lstLocaisChange();
    void MostraAno();

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
