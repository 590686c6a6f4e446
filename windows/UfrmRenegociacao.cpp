#include "windows/UfrmRenegociacao.h"

#include <QFocusEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QStyle>

#include "core/Price.h"
#include "core/Renegociacao.h"
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

inline const QColor kCorVerdeClaro{192, 220, 192};
inline const QColor kCorAmarelo{255, 255, 0};

// A caption tied to its field, which also takes the caption as its name.
QLabel* Legenda(QWidget* pai, const char* texto, QPoint pos, QWidget* campo = nullptr) {
    QLabel* l = Rotulo(pai, QString::fromUtf8(texto), pos, campo);
    if (campo) campo->setAccessibleName(l->text());
    return l;
}

CampoNumerico* Campo(QWidget* pai, const char* nome, int decimais, const char* mascara, QRect geo) {
    auto* c = Nomeia(new CampoNumerico(decimais, pai), nome);
    if (mascara) c->DefineMascara(QString::fromLatin1(mascara));
    c->setGeometry(geo);
    return c;
}

CampoData* CampoDeData(QWidget* pai, const char* nome, QRect geo) {
    auto* c = Nomeia(new CampoData(pai), nome);
    c->setGeometry(geo);
    return c;
}

QFrame* Grupo(QWidget* pai, const char* nome, QRect geo, const QColor& fundo) {
    auto* g = Nomeia(new QFrame(pai), nome);
    g->setFrameStyle(QFrame::Box | QFrame::Raised);
    g->setGeometry(geo);
    g->setAutoFillBackground(true);
    // The group's colour only: its fields keep the field colour.
    QPalette p = g->palette();
    p.setColor(QPalette::Window, fundo);
    g->setPalette(p);
    g->setFont(FonteJanela(8, true));
    return g;
}

}  // namespace

TfrmRenegociacao::TfrmRenegociacao(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmRenegociacao"));
    setWindowTitle(QStringLiteral("Renegociação de Dívida"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFont(FonteJanela());
    setFixedSize(305, 485);

    CriaAtualiza();
    CriaRenegocia();

    // Screen order: "Atualizar até o dia" stands above "Calcula" and is
    // reached before it, so that Enter after the rate lands in it and the
    // date typed next updates the debt instead of going nowhere.
    DefineOrdemTab({edtVlrDivida, dtVencimento, edtTaxa, dtAtualizado, btnCalcula, edtVlrAtualizado, edtDias,
                    edtVlrAtualizado2, DateEdit1, edtVlrPago, qtdParcelas, edtNovaTaxa, BitBtn1});
    CentraAoMostrar(this);

    for (QWidget* w :
         {static_cast<QWidget*>(edtVlrDivida), static_cast<QWidget*>(dtVencimento), static_cast<QWidget*>(edtTaxa)})
        w->installEventFilter(this);
    EnterComoTab(this);
}

void TfrmRenegociacao::CriaAtualiza() {
    QFrame* g = Grupo(this, "GroupBox1", {8, 0, 289, 233}, kCorPrata);
    // Yellow marks the title as a band behind dark text: yellow letters on
    // silver could not be read.
    auto* titulo = Nomeia(Legenda(g, "ATUALIZA A DÍVIDA", {78, 15}), "lblAtualiza");
    titulo->setMargin(2);
    titulo->adjustSize();
    titulo->setAutoFillBackground(true);
    PintaFundo(titulo, kCorAmarelo);
    PintaTexto(titulo, kCorTextoSobreAmarelo);

    edtVlrDivida = Campo(g, "edtVlrDivida", 2, nullptr, {144, 40, 121, 21});
    dtVencimento = CampoDeData(g, "dtVencimento", {144, 64, 121, 21});
    edtTaxa = Campo(g, "edtTaxa", 5, "0.00000;", {144, 88, 121, 21});
    dtAtualizado = CampoDeData(g, "dtAtualizado", {144, 112, 121, 21});
    Legenda(g, "Valor da Dívida", {8, 48}, edtVlrDivida);
    Legenda(g, "Data do Vencimento", {8, 72}, dtVencimento);
    Legenda(g, "Taxa de Juros (ao mês)", {8, 96}, edtTaxa);
    Legenda(g, "Atualizar até o dia", {8, 120}, dtAtualizado);

    btnCalcula = Nomeia(new QPushButton(style()->standardIcon(QStyle::SP_BrowserReload), QStringLiteral("Calcula"), g),
                        "btnCalcula");
    btnCalcula->setGeometry(88, 136, 121, 35);
    btnCalcula->setAutoDefault(false);

    edtVlrAtualizado = Campo(g, "edtVlrAtualizado", 2, nullptr, {144, 176, 121, 21});
    edtDias = Campo(g, "edtDias", 0, "0;-0", {144, 200, 121, 21});
    MostraDesabilitadoLegivel(edtVlrAtualizado);
    MostraDesabilitadoLegivel(edtDias);
    Legenda(g, "Valor Atualizado", {16, 184}, edtVlrAtualizado);
    Legenda(g, "Número de dias", {16, 208}, edtDias);

    connect(btnCalcula, &QPushButton::clicked, this, &TfrmRenegociacao::btnCalculaClick);
}

void TfrmRenegociacao::CriaRenegocia() {
    QFrame* g = Grupo(this, "GroupBox2", {8, 240, 289, 241}, kCorVerdeClaro);
    PintaTexto(g, kCorMarinho);
    Legenda(g, "RENEGOCIA A DÍVIDA", {72, 16});

    edtVlrAtualizado2 = Campo(g, "edtVlrAtualizado2", 2, nullptr, {144, 40, 121, 21});
    MostraDesabilitadoLegivel(edtVlrAtualizado2, kCorMarinho);
    Legenda(g, "Vlr.Dívida atualizada", {16, 46}, edtVlrAtualizado2);

    auto* pagamento = Nomeia(new QGroupBox(QStringLiteral("Pagamento"), g), "GroupBox3");
    pagamento->setGeometry(16, 67, 249, 71);
    DateEdit1 = CampoDeData(pagamento, "DateEdit1", {128, 16, 105, 21});
    edtVlrPago = Campo(pagamento, "edtVlrPago", 2, nullptr, {128, 40, 105, 21});
    Legenda(pagamento, "Data do pagamento", {8, 22}, DateEdit1);
    Legenda(pagamento, "Valor pago", {8, 46}, edtVlrPago);

    qtdParcelas = Campo(g, "qtdParcelas", 0, "0;-0", {152, 144, 113, 21});
    edtNovaTaxa = Campo(g, "edtNovaTaxa", 5, "0.00000;", {152, 168, 113, 21});
    Legenda(g, "Qtd.Prestação", {16, 152}, qtdParcelas);
    Legenda(g, "Taxa de juros (ao mês)", {16, 176}, edtNovaTaxa);

    BitBtn1 = Nomeia(
        new QPushButton(style()->standardIcon(QStyle::SP_DialogApplyButton), QStringLiteral("Calcula Renegociação"), g),
        "BitBtn1");
    BitBtn1->setGeometry(64, 200, 161, 35);
    BitBtn1->setAutoDefault(false);

    connect(BitBtn1, &QPushButton::clicked, this, &TfrmRenegociacao::BitBtn1Click);
}

// --- Opening --------------------------------------------------------------

int TfrmRenegociacao::AbreDialogo(QWidget* dono) { return ExecComoDialogoDe(this, dono); }

void TfrmRenegociacao::showEvent(QShowEvent* e) {
    if (!e->spontaneous()) FormActivate();
    QDialog::showEvent(e);
}

// --- Event handlers -------------------------------------------------------

void TfrmRenegociacao::FormActivate() {
    for (CampoNumerico* c :
         {edtVlrDivida, edtTaxa, edtVlrAtualizado, edtDias, edtVlrAtualizado2, edtVlrPago, qtdParcelas, edtNovaTaxa})
        c->DefineValor(0);
    dtVencimento->DefineData(kDataNula);
    DateEdit1->DefineData(kDataNula);
    edtVlrDivida->setFocus(Qt::ActiveWindowFocusReason);
    dtAtualizado->DefineData(Hoje());
}

void TfrmRenegociacao::edtVlrDividaEnter() {
    // A changed input must never stand beside an old result.
    for (CampoNumerico* c : {edtVlrAtualizado, edtDias, edtVlrAtualizado2}) c->DefineValor(0);
}

void TfrmRenegociacao::btnCalculaClick() {
    // A date being typed that is no date is said so, never replaced by the
    // date held before it.
    if (!dtVencimento->ConfereData() || !dtAtualizado->ConfereData() || !ConfereQuantias(this)) return;
    ProtegeAcao([this] {
        const auto r = AtualizaDivida(edtVlrDivida->Valor(), dtVencimento->Data(), edtTaxa->Valor(),
                                      dtAtualizado->Data(), ContextoJanela());
        if (!r) return;
        edtVlrAtualizado->DefineValor(r->valor);
        edtDias->DefineValor(static_cast<long double>(r->dias));
        edtVlrAtualizado2->DefineValor(r->valor);
        DateEdit1->DefineData(Hoje());
        DateEdit1->setFocus(Qt::OtherFocusReason);
    });
}

void TfrmRenegociacao::BitBtn1Click() {
    // An amount still being typed as "1.500" is asked about before it is read.
    if (!ConfereQuantias(this)) return;
    Mensageiro& msg = ServicoMensagens();
    if (edtVlrAtualizado2->Valor() == 0) {
        msg.Mostra(kMsgCalculeDivida, {}, Icone::Informacao);
        return;
    }
    // Handed on, a negative balance would lose its sign in the workbench's
    // amount rule and the overpayment would be re-split as if it were owed.
    if (edtVlrPago->Valor() > edtVlrAtualizado2->Valor()) {
        msg.Mostra(kMsgPagoMaior, {}, Icone::Informacao);
        edtVlrPago->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!DateEdit1->ConfereData()) return;
    // A schedule counted from the empty date would start in 1899.
    if (DateEdit1->Data() == kDataNula) {
        msg.Mostra(kMsgInformePagamento, {}, Icone::Informacao);
        DateEdit1->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (qtdParcelas->Valor() < 1) {
        msg.Mostra(kMsgQtdPrestacaoMinima, {}, Icone::Informacao);
        qtdParcelas->setFocus(Qt::OtherFocusReason);
        return;
    }
    accept();
}

bool TfrmRenegociacao::eventFilter(QObject* obj, QEvent* e) {
    // Entering the field, not the window coming back to the front.
    if (e->type() == QEvent::FocusIn) {
        const Qt::FocusReason r = static_cast<QFocusEvent*>(e)->reason();
        if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason) edtVlrDividaEnter();
    }
    return QDialog::eventFilter(obj, e);
}

// --- The workbench's type "Renegociação de Dívidas" and the main menu ------

void LigaRenegociacao(Tfrm_desconto_cheque* bancada, TfrmRenegociacao* janela) {
    QPointer<TfrmRenegociacao> j(janela);
    bancada->leQtdParcelas = [j] { return j ? j->qtdParcelas->Valor() : 0.0L; };
    bancada->abreRenegociacao = [j, bancada]() -> std::optional<Tfrm_desconto_cheque::DadosRenegociacao> {
        if (!j || j->AbreDialogo(bancada) != QDialog::Accepted) return std::nullopt;
        return Tfrm_desconto_cheque::DadosRenegociacao{j->edtVlrAtualizado2->Valor(), j->edtVlrPago->Valor(),
                                                       j->edtNovaTaxa->Texto()};
    };
}

bool RenegociaDoMenu(Tfrm_desconto_cheque* bancada, TfrmRenegociacao* janela, QWidget* dono) {
    if (janela->AbreDialogo(dono) != QDialog::Accepted) return false;
    // A new operation: nothing of an earlier one (a discount's charges)
    // stays beside the schedule; the rows are the calculation's.
    Bancada op;
    op.dados.Tipo = TipoCalculo::RenegociacaoDividas;
    op.dados.ValorFinanciado = TextoSaldo(janela->edtVlrAtualizado2->Valor() - janela->edtVlrPago->Valor());
    op.dados.Taxa = janela->edtNovaTaxa->Texto().toStdString();
    op.dados.DataReferencia = janela->DateEdit1->Data();
    Tfrm_desconto_cheque::Repasse repasse;
    repasse.valorFinanciado = true;
    // The calculate action; after an error report the workbench stays hidden,
    // holding what was handed over.
    repasse.mostraAntes = false;
    if (bancada->Recebe(op, repasse) == Desfecho::Erro) return false;
    TrazParaOTrabalho(bancada);
    return true;
}

}  // namespace quantivo
