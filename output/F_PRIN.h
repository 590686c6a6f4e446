#pragma once
// The receipt window: the value, the payer and the purpose typed by the user,
// the value in words worked out when the value field is left, and "IMPRIMIR",
// which fills the printout (FREL) with these and the issuer settings read from
// valida.ini at that moment, and shows it in the print preview.
// Opened modally and empty by AbreRecibo; destroyed when closed.
#include <QDialog>

#include "ui/BotaoPlano.h"
#include "ui/CampoNumerico.h"

class QFrame;
class QLabel;
class QLineEdit;

namespace quantivo {

// The value field (two decimals, no minus), telling when it has been left,
// after it has taken the typed text as its value.
class CampoValorRecibo : public CampoNumerico {
    Q_OBJECT
public:
    explicit CampoValorRecibo(QWidget* parent = nullptr);

signals:
    void saiu();

protected:
    void focusOutEvent(QFocusEvent* e) override;
};

class TFPRIN : public QDialog {
    Q_OBJECT
public:
    explicit TFPRIN(QWidget* parent = nullptr);
    ~TFPRIN() override;

    QFrame* Panel1;            // the lowered panel holding the title and the fields
    QFrame* Panel2;            // the raised panel holding the three buttons
    QLabel* Label1;            // "RECIBO": the window's title
    QLabel* lvalor;            // "Valor:", the caption of tvalor
    QLabel* lrecebi;           // "Recebi(emos) de : ", the caption of trecebi
    QLabel* limportancia;      // "A importância de:", the caption of extenso
    QLabel* lreferente;        // "Referente à:", the caption of treferente
    QLabel* lclareza;          // "Para a maior clareza firmo(amos) o presente.": fixed text
    CampoValorRecibo* tvalor;  // "Valor:": the amount received
    QLineEdit* trecebi;        // "Recebi(emos) de : ": the payer
    QLineEdit* treferente;     // "Referente à:": what the payment is for
    QLabel* extenso;           // beside "A importância de:": the amount in words, in red
    BotaoPlano* SpeedButton5;  // "&IMPRIMIR": checks, fills the printout and previews it
    BotaoPlano* SpeedButton2;  // "&CONFIGURAÇÕES": opens the issuer settings window
    BotaoPlano* SpeedButton4;  // "&SAIR": closes the receipt window

public slots:
    // The value field left: writes its amount in words into extenso. A value
    // the words cannot write (above 4294967295,99) gets their range error in
    // a message, leaves the words empty and gives false.
    bool CurrencyEdit1Exit();
    void SpeedButton5Click();  // checks valida.ini and the fields, fills the printout and previews it
    void SpeedButton2Click();  // opens the issuer settings window modally
    void SpeedButton4Click();  // closes the receipt window (the program goes on)
};

// What the workbench's "Firmatto" button does: a fresh, empty receipt window,
// shown modally over `pai`; returns when it is closed (it is then destroyed).
void AbreRecibo(QWidget* pai);

// The texts of the two messages of "IMPRIMIR".
inline constexpr const char* kTituloSemConfiguracao =
    "                                             ...::>>Atenção<<::...";
inline constexpr const char* kTextoSemConfiguracao =
    "          Arquivo de Configurações não encontrado!\n Por favor, entre na opção de configurações para "
    "configurá-las.";
inline constexpr const char* kTextoCamposRecibo = "Preencha corretamente os campos para que possa imprimir!";

}  // namespace quantivo
