#pragma once
// The receipt issuer settings window: five texts and the number of copies,
// read from valida.ini when the window is created and written on "SALVA".
// Opened modally from the receipt window, destroyed when closed.
#include <QDialog>
#include <optional>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quantivo {

struct Cadastro;

class TFPARAMETROS : public QDialog {
    Q_OBJECT
public:
    explicit TFPARAMETROS(QWidget* parent = nullptr);

    // What the fields hold, as GravaCadastro would write it.
    Cadastro CadastroDosCampos() const;

    QFrame* Panel1;            // the raised panel holding everything
    QFrame* Panel2;            // the lowered panel holding "SALVA" and "SAIR"
    QLabel* lnome;             // "Nome", the caption of tnome
    QLabel* latividade;        // "Atividade", the caption of tatividade
    QLabel* lendereco;         // "Endereço", the caption of tendereco
    QLabel* lcidade;           // "Cidade", the caption of tcidade
    QLabel* lassinatura;       // "Assinatura", the caption of tassinatura
    QLineEdit* tnome;          // "Nome": the issuer's name, printed under the signature line (key Nome)
    QLineEdit* tatividade;     // "Atividade": the issuer's line of business (key Atividade)
    QLineEdit* tendereco;      // "Endereço": the issuer's address, at the foot of each copy (key Endereco)
    QLineEdit* tcidade;        // "Cidade": the city printed before the date (key Cidade)
    QLineEdit* tassinatura;    // "Assinatura": the signature text, required but never printed (key Assinatura)
    QGroupBox* rgvias;         // "Vias": the number of copies (key Vias)
    QRadioButton* rbumavia;    // "1 VIA": one copy (Vias=1)
    QRadioButton* rbduasvias;  // "2 VIAS": two copies (Vias=2)
    QPushButton* bsalvar;      // "SALVA": checks the fields and writes valida.ini
    QPushButton* bsair;        // "SAIR" (hint "FECHAR A JANELA"): closes the window

public slots:
    void bsalvarClick();  // refuses an empty text field, else writes the settings and says so
    void bsairClick();    // closes the window without saving

protected:
    void showEvent(QShowEvent* e) override;

private:
    void FormCreate();
};

// valida.ini where the program keeps it: nothing when there is none (the
// issuer is not configured). Errors as LeCadastro and GravaCadastro, naming
// the file's path.
std::optional<Cadastro> LeCadastroDoPrograma();
void GravaCadastroDoPrograma(const Cadastro& c);

}  // namespace quantivo
