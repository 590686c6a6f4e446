#include "windows/UfrmPostecipada.h"

#include <QFrame>
#include <QKeyEvent>
#include <QStyle>

#include "ui/Aparencia.h"
#include "ui/Ativacao.h"
#include "ui/Construcao.h"
#include "ui/Quantias.h"
#include "ui/Regional.h"
#include "ui/Servicos.h"
#include "ui/Teclado.h"
#include "windows/Calculo.h"

namespace quantivo {
namespace {

CampoNumerico* NovoCampo(int decimais, const char* mascara, QWidget* pai) {
    auto* c = new CampoNumerico(decimais, pai);
    c->DefineMascara(QString::fromLatin1(mascara));
    return c;
}

}  // namespace

TfrmPostecipada::TfrmPostecipada(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmPostecipada"));
    setWindowTitle(QStringLiteral("Postecipada"));
    // No buttons in the title bar: "SAIR" closes it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(FonteJanela());
    setFixedSize(418, 363);

    CriaTextos();
    CriaCampos();
    CriaBotoes();

    DefineOrdemTab(
        {DateEdit1, edtValorFinanciado, edtNumPrestacao, edtTaxa, edtVlrPrestacao, BitBtn1, bsair, btnImprime, btnOK});
    CentraAoMostrar(this);

    CriaTeclas();
}

void TfrmPostecipada::CriaTextos() {
    auto* titulo = Rotulo(this, QStringLiteral("Cálculo de pagamentos imediato ou postecipados"), {16, 8});
    QFont f = FonteJanela(10, true);
    f.setPixelSize(13);
    f.setUnderline(true);
    titulo->setFont(f);
    titulo->adjustSize();
    Rotulo(this, QStringLiteral("TABELA PRICE - TAXA POSTECIPADA - 30/30 DIAS"), {56, 24});
    auto* explica =
        new QLabel(QStringLiteral("Nesta opção pode-se calcular o valor Financiado ou o valor da prestação.\n"
                                  "Para apurar o valor financiado, informe o valor da prestação.\n"
                                  "E para apurar o valor da prestação, informe o valor financiado."),
                   this);
    // One line each, as given; the first runs a little past the 350 pixels
    // in the Liberation face.
    explica->setGeometry(16, 48, 390, 42);
    explica->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* obrigatorios = Rotulo(this, QStringLiteral("* = campos obrigatórios"), {64, 288});
    obrigatorios->setFont(FonteJanela(8, true));
    obrigatorios->adjustSize();
}

void TfrmPostecipada::CriaCampos() {
    auto* moldura = new QFrame(this);
    moldura->setFrameStyle(QFrame::Box | QFrame::Sunken);
    moldura->setGeometry(56, 96, 265, 185);
    moldura->lower();

    DateEdit1 = Nomeia(new CampoData(this), "DateEdit1");
    edtValorFinanciado = Nomeia(NovoCampo(2, "0.00", this), "edtValorFinanciado");
    edtNumPrestacao = Nomeia(NovoCampo(0, "0", this), "edtNumPrestacao");
    edtTaxa = Nomeia(NovoCampo(5, "0.00000;", this), "edtTaxa");
    edtVlrPrestacao = Nomeia(NovoCampo(2, "0.00;", this), "edtVlrPrestacao");

    const std::pair<QWidget*, const char*> campos[] = {{DateEdit1, "Data de referência"},
                                                       {edtValorFinanciado, "Valor Financiado"},
                                                       {edtNumPrestacao, "Numero de Prestação"},
                                                       {edtTaxa, "Taxa Mensal"},
                                                       {edtVlrPrestacao, "Valor da Prestação"}};
    const int yCampo[] = {120, 152, 184, 216, 248};
    const int yRotulo[] = {123, 155, 187, 220, 252};
    QFont negrito = FonteJanela(8, true);
    for (int i = 0; i < 5; ++i) {
        auto [campo, legenda] = campos[i];
        campo->setGeometry(184, yCampo[i], 121, 21);
        campo->setAccessibleName(QString::fromUtf8(legenda));
        Rotulo(this, QString::fromUtf8(legenda), {72, yRotulo[i]}, campo);
        if (i == 1 || i == 4) continue;  // the two values, one of them left blank
        campo->setAccessibleDescription(QStringLiteral("obrigatório"));
        auto* asterisco = Rotulo(this, QStringLiteral("*"), {309, yRotulo[i]});
        asterisco->setFont(negrito);
        asterisco->adjustSize();
    }
}

void TfrmPostecipada::CriaBotoes() {
    auto botao = [this](const char* nome, const QString& texto, int x, const QIcon& icone) {
        auto* b = Nomeia(new QPushButton(icone, texto, this), nome);
        b->setGeometry(x, 304, 130, 35);
        b->setAutoDefault(false);
        return b;
    };
    BitBtn1 = botao("BitBtn1", QStringLiteral("&Calcula"), 8, style()->standardIcon(QStyle::SP_DialogApplyButton));
    btnImprime = botao("btnImprime", QStringLiteral("F12 - &Imprime"), 144, IconeImpressora());
    bsair = botao("bsair", QStringLiteral("SAIR"), 280, style()->standardIcon(QStyle::SP_DialogCloseButton));
    // Beside the frame, where nothing else stands; only the dialog shows it.
    btnOK =
        Nomeia(new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this), "btnOK");
    btnOK->setGeometry(330, 246, 80, 35);
    btnOK->setAutoDefault(false);
    btnOK->setToolTip(QStringLiteral("Leva os valores para o cálculo"));
    btnOK->hide();

    connect(BitBtn1, &QPushButton::clicked, this, &TfrmPostecipada::BitBtn1Click);
    connect(bsair, &QPushButton::clicked, this, &TfrmPostecipada::bsairClick);
    connect(btnImprime, &QPushButton::clicked, this, &TfrmPostecipada::btnImprimeClick);
    connect(btnOK, &QPushButton::clicked, this, &TfrmPostecipada::btnOKClick);
}

JanelaPrice TfrmPostecipada::Valores() const {
    return JanelaPrice{edtValorFinanciado->Valor(), edtNumPrestacao->Valor(), edtTaxa->Valor(),
                       edtVlrPrestacao->Valor()};
}

// --- Opening --------------------------------------------------------------

void TfrmPostecipada::MostraLivre() { TrazParaOTrabalho(this); }

int TfrmPostecipada::AbreDialogo(QWidget* dono) {
    emDialogo_ = true;
    btnOK->show();
    const int r = ExecComoDialogoDe(this, dono);
    btnOK->hide();
    emDialogo_ = false;
    return r;
}

void TfrmPostecipada::TrazParaFrente() {
    // Shown again, the window keeps the value just solved into it.
    semReset_ = true;
    TrazParaOTrabalho(this);
    semReset_ = false;
}

void TfrmPostecipada::showEvent(QShowEvent* e) {
    // A window restored by the window system is not being opened.
    if (!e->spontaneous() && !semReset_) FormActivate();
    QDialog::showEvent(e);
}

// --- Event handlers -------------------------------------------------------

void TfrmPostecipada::FormActivate() {
    DateEdit1->DefineData(Hoje());
    for (CampoNumerico* c : {edtValorFinanciado, edtNumPrestacao, edtTaxa, edtVlrPrestacao}) c->DefineValor(0);
    edtValorFinanciado->setFocus(Qt::ActiveWindowFocusReason);
}

bool TfrmPostecipada::ConfereNumPrestacao() {
    if (edtNumPrestacao->Valor() >= 1) return true;
    ServicoMensagens().Mostra(kMsgNumPrestacaoMinima, {}, Icone::Informacao);
    edtNumPrestacao->setFocus(Qt::OtherFocusReason);
    return false;
}

void TfrmPostecipada::BitBtn1Click() {
    if (!ConfereQuantias(this) || !ConfereNumPrestacao()) return;
    ProtegeAcao([this] {
        JanelaPrice j = Valores();
        if (CalculaPostecipada(j, ContextoJanela()) != Desfecho::Concluido) return;
        edtValorFinanciado->DefineValor(j.ValorFinanciado);
        edtVlrPrestacao->DefineValor(j.VlrPrestacao);
    });
}

void TfrmPostecipada::bsairClick() { reject(); }

void TfrmPostecipada::btnOKClick() {
    if (emDialogo_ && ConfereQuantias(this) && ConfereNumPrestacao()) accept();
}

void TfrmPostecipada::btnImprimeClick() {
    // Nothing is solved first. A reference date being typed that is no date
    // is said so: the schedule never counts from the date held before it.
    if (!DateEdit1->ConfereData() || !ConfereQuantias(this) || !ConfereNumPrestacao()) return;
    if (imprime) ProtegeAcao(imprime);
}

void TfrmPostecipada::CriaTeclas() {
    TeclaDaJanela(this, Qt::Key_F12, [this] { btnImprime->click(); });
    EnterComoTab(this);
}

// --- The workbench's type "Prestação Taxa Efetiva" ------------------------

void LigaPostecipada(Tfrm_desconto_cheque* bancada, TfrmPostecipada* janela) {
    QPointer<TfrmPostecipada> j(janela);
    bancada->lePrestacao = [j] { return j ? j->Valores() : JanelaPrice{}; };
    bancada->apurouValorFinanciado = [j](const JanelaPrice& valores) {
        if (!j) return;
        j->edtValorFinanciado->DefineValor(valores.ValorFinanciado);
        j->TrazParaFrente();
    };
    bancada->abrePrestacao = [j, bancada]() -> std::optional<Tfrm_desconto_cheque::DadosPrestacao> {
        if (!j || j->AbreDialogo(bancada) != QDialog::Accepted) return std::nullopt;
        return Tfrm_desconto_cheque::DadosPrestacao{j->edtValorFinanciado->Texto(), j->edtTaxa->Texto()};
    };
}

}  // namespace quantivo
