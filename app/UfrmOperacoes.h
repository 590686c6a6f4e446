#pragma once
// The saved operations (TfrmOperacoes): the journal's list, newest first,
// narrowed as the clerk types by customer (name or CPF/CNPJ), dates, cheque
// number or CMC7 line; from it the chosen operation is reopened in the
// workbench, exported (CSV, XLSX, the borderô as PDF) or its borderô printed,
// and every operation of the dates exported (CSV, XLSX: the accountant's
// month). Opened from the main menu and from the workbench (Ctrl+O) as a
// modal dialog; the keyboard does it all: Tab and the arrows reach the list,
// Enter there reopens, the keys of the other actions are in their captions.
//
// A search runs a moment after the last key, so that typing never waits for
// it (the journal answers in milliseconds; the newest 200 that match are
// listed), and at once on Enter.
#include <QDialog>
#include <cstdint>
#include <optional>

#include "core/Operacao.h"
#include "diario/DaOperacao.h"
#include "diario/Registros.h"
#include "output/Bordero.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace quantivo {

class CampoData;
class ModeloOperacoes;

class TfrmOperacoes : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOperacoes(QWidget* parent = nullptr);

    // Before it is shown: the list as the journal holds it now. False, with
    // the journal's failure said, when the journal cannot be opened.
    bool Prepara();
    // The operation Enter (or "Reabre") chose as the window closed.
    std::optional<std::int64_t> ParaReabrir() const { return paraReabrir_; }

    void Procura();          // the list for the filters, now
    void btnReabreClick();   // Enter in the list
    void btnExportaClick();  // Ctrl+E: the chosen operation as CSV, XLSX or PDF
    void btnPeriodoClick();  // Ctrl+M: every operation of the dates, CSV or XLSX
    void btnImprimeClick();  // Ctrl+P: the chosen operation's borderô
    // The number of the operation chosen in the list.
    std::optional<std::int64_t> Escolhida() const;

    QLineEdit* edtCliente;     // "Cliente (nome ou CPF/CNPJ)"
    CampoData* edtDe;          // "De": DataReferencia from
    CampoData* edtAte;         // "Até": DataReferencia up to
    QLineEdit* edtCheque;      // "Cheque (número ou CMC7)"
    QTableView* lstOperacoes;  // "Operações salvas"
    QLabel* lblSituacao;       // how many were found, what was exported, the journal's failure
    QPushButton* btnReabre;    // "&Reabre (Enter)"
    QPushButton* btnExporta;   // "&Exporta (Ctrl+E)"
    QPushButton* btnPeriodo;   // "Exporta o &período (Ctrl+M)"
    QPushButton* btnImprime;   // "&Imprime borderô (Ctrl+P)"
    QPushButton* btnFecha;     // "&Fecha (Esc)"

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    // Enter in a filter: the search now, then the list.
    void Avanca();
    // The chosen operation as saved; nothing (said) when none is chosen or
    // it cannot be read. Recalcula adds it recalculated (false, said, when
    // its saved form cannot be read).
    struct Lida {
        diario::OperacaoSalva salva;
        diario::Reaberta reaberta;
    };
    std::optional<Lida> LeEscolhida();
    bool Recalcula(Lida& lida);
    std::optional<DadosBordero> DadosDoBordero(const Lida& lida);
    void Situacao(const QString& texto);

    ModeloOperacoes* modelo_;
    QTimer* espera_;
    std::optional<std::int64_t> paraReabrir_;
    bool avisouFalha_ = false;  // a search's failure is boxed once per opening
};

}  // namespace quantivo
