#pragma once
// The save dialog (TfrmSalvaOperacao): whom the operation on the workbench is
// for and who wrote each of its cheques, asked as it is saved. The customer's
// name ("cedente") is required, and the last customers are offered as the
// clerk types; the customer's CPF or CNPJ is optional, as is each drawer's,
// typed into the list of the cheques (the rows with a value). A document is
// shown formatted once it is valid; one that is not is said when saving,
// with its field or cell left for correction.
//
// The journal is not this window's: "Salva" hands the completed operation to
// `salva` (wired in app/), which saves it or says why not. The dialog closes
// once it is saved and stays open, with everything typed, otherwise.
#include <QDialog>
#include <functional>
#include <vector>

#include "core/Operacao.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableWidget;

namespace quantivo {

class TfrmSalvaOperacao : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSalvaOperacao(const Operacao& operacao, QWidget* parent = nullptr);

    // The customers to offer for what is typed, the most likely first.
    std::function<std::vector<Cliente>(const QString& digitado)> clientes;
    // Saves the operation as completed here; true once it is saved.
    std::function<bool(const Operacao& op)> salva;

    // The operation with the customer and the drawers' documents as typed
    // here (each document formatted when valid).
    Operacao OperacaoCompleta() const;

    void btnSalvaClick();  // Ctrl+S, or Enter on it
    // The customers for what is typed, in the field's list.
    void edtClienteChange(const QString& digitado);

    QLabel* lblResumo;         // the operation: type, date, cheques, totals
    QLineEdit* edtCliente;     // "Cliente (cedente)": the name
    QLineEdit* edtDocumento;   // "CPF ou CNPJ do cliente"
    QTableWidget* grdCheques;  // "Cheques": each with its drawer's "CPF ou CNPJ do emitente"
    QPushButton* btnSalva;     // "Ctrl+S - &Salva"
    QPushButton* btnCancela;   // "Cancela (Esc)": nothing saved
    static constexpr int kColunaDocumento = 5;

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    void ClienteEscolhido(const QModelIndex& indice);
    // A valid document's formatted text in place of the typed one.
    static void Formata(QLineEdit* campo);

    Operacao operacao_;
    std::vector<std::size_t> linhas_;  // the workbench row of each cheque listed
    QStandardItemModel* ofertas_;
};

}  // namespace quantivo
