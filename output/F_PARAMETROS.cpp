#include "output/F_PARAMETROS.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStyle>

#include "output/Arquivos.h"
#include "output/Cadastro.h"
#include "ui/Aparencia.h"
#include "ui/Construcao.h"
#include "ui/Regional.h"
#include "ui/Servicos.h"
#include "ui/Teclado.h"

namespace quantivo {
std::optional<Cadastro> LeCadastroDoPrograma() {
    const QString caminho = CaminhoValidaIniLeitura();
    if (caminho.isEmpty()) return std::nullopt;
    return LeCadastro(CaminhoParaArquivo(caminho));
}

void GravaCadastroDoPrograma(const Cadastro& c) { GravaCadastro(CaminhoParaArquivo(CaminhoValidaIniEscrita()), c); }

TFPARAMETROS::TFPARAMETROS(QWidget* parent) : QDialog(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("CADASTRO DE PARÂMETROS"));
    setFixedSize(523, 306);

    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setGeometry(4, 4, 515, 298);

    const QFont rotulo = FonteArial(13, true);
    const QFont campo = FonteArial(11, false);
    auto linha = [&](int i, const QString& texto, int largura, QLabel*& l, QLineEdit*& e) {
        l = new QLabel(texto, Panel1);
        l->setFont(rotulo);
        l->move(20, 10 + 40 * i);
        l->adjustSize();
        e = new QLineEdit(Panel1);
        e->setFont(campo);
        e->setGeometry(20, 27 + 40 * i, largura, 21);
        l->setBuddy(e);
    };
    linha(0, QStringLiteral("Nome"), 470, lnome, tnome);
    linha(1, QStringLiteral("Atividade"), 470, latividade, tatividade);
    linha(2, QStringLiteral("Endereço"), 470, lendereco, tendereco);
    linha(3, QStringLiteral("Cidade"), 281, lcidade, tcidade);
    linha(4, QStringLiteral("Assinatura"), 470, lassinatura, tassinatura);

    rgvias = new QGroupBox(QStringLiteral("Vias"), Panel1);
    rgvias->setFont(rotulo);
    rgvias->setGeometry(311, 128, 179, 42);
    rbumavia = new QRadioButton(QStringLiteral("1 VIA"), rgvias);
    rbduasvias = new QRadioButton(QStringLiteral("2 VIAS"), rgvias);
    rbumavia->setGeometry(10, 18, 75, 20);
    rbduasvias->setGeometry(95, 18, 80, 20);
    rbumavia->setChecked(true);

    Panel2 = new QFrame(Panel1);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setGeometry(296, 226, 194, 56);
    bsalvar = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("SALVA"), Panel2);
    bsair = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("SAIR"), Panel2);
    for (QPushButton* b : {bsalvar, bsair}) {
        b->setFont(rotulo);
        b->setAutoDefault(false);
    }
    bsalvar->setGeometry(8, 8, 86, 40);
    bsair->setGeometry(100, 8, 86, 40);
    bsair->setToolTip(QStringLiteral("FECHAR A JANELA"));

    DefineOrdemTab({bsalvar, bsair, tnome, tatividade, tendereco, tcidade, tassinatura, rbumavia, rbduasvias});

    connect(bsalvar, &QPushButton::clicked, this, &TFPARAMETROS::bsalvarClick);
    connect(bsair, &QPushButton::clicked, this, &TFPARAMETROS::bsairClick);
    EnterAvancaEscapeFecha(this);
    CentraAoMostrar(this);

    FormCreate();
}

void TFPARAMETROS::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // The tab order begins at the buttons, but the first keys are the name;
    // a focus set before the window is shown would go to the first button.
    if (!e->spontaneous()) tnome->setFocus(Qt::ActiveWindowFocusReason);
}

void TFPARAMETROS::FormCreate() {
    ProtegeAcao([this] {
        const std::optional<Cadastro> c = LeCadastroDoPrograma();
        if (!c) return;
        tnome->setText(QString::fromStdString(c->Nome));
        tatividade->setText(QString::fromStdString(c->Atividade));
        tendereco->setText(QString::fromStdString(c->Endereco));
        tcidade->setText(QString::fromStdString(c->Cidade));
        tassinatura->setText(QString::fromStdString(c->Assinatura));
        (UmaVia(*c) ? rbumavia : rbduasvias)->setChecked(true);
    });
}

Cadastro TFPARAMETROS::CadastroDosCampos() const {
    return Cadastro{tnome->text().toStdString(),       tatividade->text().toStdString(),
                    tendereco->text().toStdString(),   tcidade->text().toStdString(),
                    tassinatura->text().toStdString(), rbumavia->isChecked() ? "1" : "2"};
}

void TFPARAMETROS::bsalvarClick() {
    for (const QLineEdit* e : {tnome, tatividade, tendereco, tcidade, tassinatura}) {
        if (e->text().isEmpty()) {
            ServicoMensagens().Mostra("Preencha corretamente os campos antes de salvar!", kTituloAtencao, Icone::Aviso);
            return;
        }
    }
    const bool gravou = ProtegeAcao([this] { GravaCadastroDoPrograma(CadastroDosCampos()); });
    if (!gravou) return;
    ServicoMensagens().Mostra("Informações salvas com sucesso", "Informação", Icone::Informacao);
    bsair->setFocus();
}

void TFPARAMETROS::bsairClick() { close(); }

}  // namespace quantivo
