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

// The value field (0 to 4294967295, two decimals, no minus), telling when it
// has been left, after it has taken the typed text as its value.
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

    QFrame* Panel1;
    QFrame* Panel2;
    QLabel* Label1;  // "RECIBO"
    QLabel* lvalor;
    QLabel* lrecebi;
    QLabel* limportancia;
    QLabel* lreferente;
    QLabel* lclareza;
    CampoValorRecibo* tvalor;
    QLineEdit* trecebi;
    QLineEdit* treferente;
    QLabel* extenso;
    BotaoPlano* SpeedButton5;  // IMPRIMIR
    BotaoPlano* SpeedButton2;  // CONFIGURAÇÕES
    BotaoPlano* SpeedButton4;  // SAIR

public slots:
    void CurrencyEdit1Exit();
    void SpeedButton5Click();
    void SpeedButton2Click();
    void SpeedButton4Click();
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
