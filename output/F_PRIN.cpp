#include "output/F_PRIN.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStyle>
#include <QToolButton>

#include "core/UtbSys.h"
#include "core/Valores.h"
#include "output/Arquivos.h"
#include "output/Cadastro.h"
#include "output/F_PARAMETROS.h"
#include "output/F_REL.h"
#include "ui/Aparencia.h"
#include "ui/BotaoPlano.h"
#include "ui/Construcao.h"
#include "ui/Quantias.h"
#include "ui/Regional.h"
#include "ui/Servicos.h"
#include "ui/Teclado.h"

namespace quantivo {

// No maximum: a value above what the words can write is said so when the
// field is left and stays as typed, never brought down to another amount.
CampoValorRecibo::CampoValorRecibo(QWidget* parent) : CampoNumerico(2, parent) { DefineSemNegativo(true); }

void CampoValorRecibo::focusOutEvent(QFocusEvent* e) {
    CampoNumerico::focusOutEvent(e);
    // Only a move to another control of the window leaves the field; a
    // message box or another window taking the focus does not.
    if (e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason) emit saiu();
}

TFPRIN::TFPRIN(QWidget* parent) : QDialog(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("FIRMATTO"));
    setFixedSize(535, 227);
    setFont(FonteArial(13, true));

    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(4, 4, 527, 170);

    Label1 = Rotulo(Panel1, QStringLiteral("RECIBO"), {0, 8});
    Label1->setFont(FonteArial(21, true));
    Label1->adjustSize();
    Label1->move((Panel1->width() - Label1->width()) / 2 - 40, 8);

    lvalor = Rotulo(Panel1, QStringLiteral("Valor:"), {330, 14});
    tvalor = new CampoValorRecibo(Panel1);
    tvalor->setGeometry(377, 10, 140, 23);

    lrecebi = Rotulo(Panel1, QStringLiteral("Recebi(emos) de : "), {8, 48});
    trecebi = new QLineEdit(Panel1);
    trecebi->setGeometry(140, 44, 377, 23);

    limportancia = Rotulo(Panel1, QStringLiteral("A importância de:"), {8, 76});
    extenso = new QLabel(Panel1);
    extenso->setGeometry(140, 74, 377, 41);
    extenso->setWordWrap(true);
    extenso->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PintaTexto(extenso, kCorVermelhoEscuro);

    lreferente = Rotulo(Panel1, QStringLiteral("Referente à:"), {8, 122});
    treferente = new QLineEdit(Panel1);
    treferente->setGeometry(140, 118, 377, 23);

    lclareza = Rotulo(Panel1, QStringLiteral("Para a maior clareza firmo(amos) o presente."), {8, 148});

    Panel2 = new QFrame(this);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel2->setGeometry(4, 178, 527, 45);
    // Flat, out of the Tab order; Alt and the underlined letter press them.
    auto botao = [this](const QString& texto, QStyle::StandardPixmap icone, const QString& dica, int x) {
        auto* b = new BotaoPlano(texto, style()->standardIcon(icone), dica, Panel2);
        b->setGeometry(x, 4, 167, 37);
        return b;
    };
    SpeedButton5 = botao(QStringLiteral("&IMPRIMIR"), QStyle::SP_FileIcon, QStringLiteral("IMPRIMIR RECIBO..."), 6);
    SpeedButton2 = botao(QStringLiteral("&CONFIGURAÇÕES"), QStyle::SP_FileDialogDetailedView,
                         QStringLiteral("CADASTRO DOS PARÂMETROS"), 180);
    SpeedButton4 =
        botao(QStringLiteral("&SAIR"), QStyle::SP_DialogCloseButton, QStringLiteral("FECHAR O PROGRAMA..."), 354);

    // The captions name their fields (a screen reader reads "Valor:" on the
    // value field), and the words are read as what "A importância de:" says.
    lvalor->setBuddy(tvalor);
    lrecebi->setBuddy(trecebi);
    lreferente->setBuddy(treferente);
    limportancia->setBuddy(extenso);
    extenso->setAccessibleDescription(QStringLiteral("Valor por extenso"));

    DefineOrdemTab({tvalor, trecebi, treferente});
    tvalor->setFocus();

    connect(tvalor, &CampoValorRecibo::saiu, this, &TFPRIN::CurrencyEdit1Exit);
    connect(SpeedButton5, &QToolButton::clicked, this, &TFPRIN::SpeedButton5Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TFPRIN::SpeedButton2Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TFPRIN::SpeedButton4Click);
    EnterAvancaEscapeFecha(this);
    CentraAoMostrar(this);
}

TFPRIN::~TFPRIN() {
    // The focused field may be told it lost the focus while the window is
    // being taken apart; nothing must answer it then.
    tvalor->disconnect(this);
}

bool TFPRIN::CurrencyEdit1Exit() {
    // The words of an earlier value never stand beside one they cannot write.
    extenso->clear();
    const bool escritas = ProtegeAcao([this] {
        if (!tvalor->Texto().isEmpty())
            extenso->setText(QString::fromStdString(ValorExtenso(static_cast<double>(tvalor->Valor()))));
    });
    // The largest amounts take three lines at the window's font: the font
    // steps down so that they fit the label's two.
    EncaixaTexto(extenso);
    extenso->setToolTip(extenso->text());
    return escritas;
}

void TFPRIN::SpeedButton5Click() {
    // An amount still being typed as "1.500" is asked about before it is read.
    if (!ConfereQuantias(this)) return;
    ProtegeAcao([this] {
        Mensageiro& msg = ServicoMensagens();
        if (CaminhoValidaIniLeitura().isEmpty()) {
            msg.Mostra(kTextoSemConfiguracao, kTituloSemConfiguracao, Icone::Aviso);
            return;
        }
        if (tvalor->Texto().isEmpty() || trecebi->text().isEmpty() || treferente->text().isEmpty()) {
            msg.Mostra(kTextoCamposRecibo, kTituloAtencao, Icone::Aviso);
            return;
        }
        const std::optional<Cadastro> cadastro = LeCadastroDoPrograma();
        if (!cadastro) {  // removed since the check above
            msg.Mostra(kTextoSemConfiguracao, kTituloSemConfiguracao, Icone::Aviso);
            return;
        }
        // The buttons take no focus, so a value typed last has not left its
        // field: its words are brought up to date here, or the receipt would
        // print figures and words that disagree. A value the words cannot
        // write (said so) prints nothing.
        if (!CurrencyEdit1Exit()) return;

        DadosRecibo d;
        d.valor = tvalor->Valor();
        d.recebi = trecebi->text();
        d.extenso = extenso->text();
        d.referente = treferente->text();
        d.cadastro = *cadastro;
        d.hoje = Hoje();
        TFREL& rel = FREL();
        rel.Preenche(d);
        rel.Visualiza(this);
    });
}

void TFPRIN::SpeedButton2Click() {
    QPointer<TFPARAMETROS> parametros = new TFPARAMETROS(this);
    parametros->exec();
}

void TFPRIN::SpeedButton4Click() { close(); }

void AbreRecibo(QWidget* pai) {
    auto* recibo = new TFPRIN(pai);
    recibo->exec();
}

}  // namespace quantivo
