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

    QFrame* Panel1;
    QFrame* Panel2;
    QLabel* lnome;
    QLabel* latividade;
    QLabel* lendereco;
    QLabel* lcidade;
    QLabel* lassinatura;
    QLineEdit* tnome;
    QLineEdit* tatividade;
    QLineEdit* tendereco;
    QLineEdit* tcidade;
    QLineEdit* tassinatura;
    QGroupBox* rgvias;
    QRadioButton* rbumavia;
    QRadioButton* rbduasvias;
    QPushButton* bsalvar;
    QPushButton* bsair;

public slots:
    void bsalvarClick();
    void bsairClick();

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
