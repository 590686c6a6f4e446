#include "app/Ufrm_principal.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

#include "app/JanelaManual.h"
#include "core/Fornecedor.h"
#include "output/Arquivos.h"
#include "ui/Acessivel.h"
#include "ui/Aparencia.h"
#include "ui/Construcao.h"
#include "ui/Regional.h"
#include "ui/Servicos.h"
#include "ui/Teclado.h"

namespace quantivo {
namespace {

const char* const kManualAusente = "O arquivo do manual não foi encontrado neste computador";
const char* const kManualSemLeitor =
    "Não foi possível abrir o manual: nenhum programa para ler arquivos PDF respondeu neste computador.";
const char* const kManualNaTela = "O manual será mostrado numa janela do Quantivo.";

const QStringList kDescricoes[4] = {
    {QString(), QStringLiteral("Utilize esta opção para fazer cálculos de desconto de "),
     QStringLiteral("cheques,Duplicatas - Factoring."),
     QStringLiteral("Ex: Você tem dois cheques e pretende descontá-los, gostaria"),
     QStringLiteral("de saber qual o valor líquido.")},
    {QStringLiteral("Também conhecido como: Desconto Inverso."),
     QStringLiteral("Você poderá saber por quanto terá que vender se for "),
     QStringLiteral("descontar o cheque/duplicata no banco."),
     QStringLiteral("Ou fazer o desconto inverso: O cliente deseja comprar ou"),
     QStringLiteral("emprestar R$ 5.000,00, com vencimento em 20/06, 30/06 e"),
     QStringLiteral("15/07 e quer saber qual será o valor das parcelas.")},
    {QStringLiteral("Tabela Price - Taxa  postecipada - 30/30 dias."),
     QStringLiteral("CDC - Crédito Pessoal -Venda à Prazo com amortização"),
     QStringLiteral("periódicas mensais de mesmo valor."),
     QStringLiteral("Suponhamos que um cliente queira efetuar uma compra ou"),
     QStringLiteral("um empréstimo no valor de R$ 5000,00 e gostaria de pagar em"), QStringLiteral("quatro vezes.")},
    {QString(), QStringLiteral("Atualiza  débitos com juros simples."),
     QStringLiteral("Na função de renegociação, busca automaticamente os dados "),
     QStringLiteral("atualizados e reparcela o saldo em parcelas fixas  utilizando a "),
     QStringLiteral("tabela price."), QString()},
};
const char* const kBotoes[4] = {"Desconto de Cheque", "Venda certa", "Prestação Taxa Efetiva",
                                "Renegociação de Dívidas"};
const char* const kBanner = "Conheça também os outros produtos Quantivo: visite www.example.com/produtos";

QPushButton* Botao(QWidget* pai, const char* nome, const QString& texto, const QRect& geo, const QFont& fonte) {
    auto* b = new QPushButton(texto, pai);
    b->setObjectName(QLatin1String(nome));
    b->setGeometry(geo);
    b->setFont(fonte);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

Tfrm_principal::Tfrm_principal(QWidget* parent) : QWidget(parent, Qt::Window) {
    DaPapelDeJanela();
    // FormCreate: the process-wide text settings.
    AplicaTextosRegionais();
    setObjectName(QStringLiteral("frm_principal"));
    setWindowTitle(QString::fromUtf8(fornecedor::kProduto) + QStringLiteral(" - ") +
                   QString::fromUtf8(fornecedor::kSite));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(FonteJanela());
    // 764 x 505 with the frame and title bar of the original platform.
    setFixedSize(756, 478);
    setAutoFillBackground(true);
    PintaFundo(this, kCorPrata);
    setMouseTracking(true);
    CentraAoMostrar(this);

    CriaCalculos();
    CriaColunaDireita();

    Label2 = new QLabel(QString::fromUtf8(kBanner), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(0, 432, 756, 24);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setFont(FonteJanela(9, true));
    Label2->setAutoFillBackground(true);
    PintaFundo(Label2, QColor(255, 255, 0));
    AoClicar(Label2, [this] { AbrePaginaProdutos(); });

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, 456, 756, 22);
    DestacaDescricao(-1);
    SpeedButton5->setFocus(Qt::OtherFocusReason);
}

bool Tfrm_principal::event(QEvent* e) {
    // The focused button shows its frame from the start, as after a Tab
    // (Qt shows it only once a key has moved the focus).
    if (e->type() == QEvent::WindowActivate && !quadroDesdeOInicio_) {
        quadroDesdeOInicio_ = true;
        setAttribute(Qt::WA_KeyboardFocusChange);
        if (QWidget* w = focusWidget()) w->update();
    }
    return QWidget::event(e);
}

void Tfrm_principal::CriaCalculos() {
    const QFont grande = FonteJanela(10, true);
    QPushButton** botoes[] = {&SpeedButton5, &SpeedButton6, &SpeedButton7, &SpeedButton8};
    MemoTexto** memos[] = {&Memo1, &Memo2, &Memo3, &Memo4};
    for (int i = 0; i < 4; ++i) {
        const int y = 6 + i * 98;
        *botoes[i] = Botao(this,
                           i == 0   ? "SpeedButton5"
                           : i == 1 ? "SpeedButton6"
                           : i == 2 ? "SpeedButton7"
                                    : "SpeedButton8",
                           QString::fromUtf8(kBotoes[i]), {10, y + 6, 180, 80}, grande);
        auto* m = new MemoTexto(this);
        m->setObjectName(QStringLiteral("Memo%1").arg(i + 1));
        m->setGeometry(202, y + 4, 372, 88);
        m->setTextFormat(Qt::PlainText);
        m->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        m->setTextInteractionFlags(Qt::NoTextInteraction);
        m->setFocusPolicy(Qt::NoFocus);
        m->setFont(FonteJanela(8, true));
        m->setText(kDescricoes[i].join(QLatin1Char('\n')));
        // The label's name is its text, so a screen reader reads the lines;
        // the button says what it opens with the same description.
        (*botoes[i])->setAccessibleDescription(kDescricoes[i].join(QLatin1Char(' ')).simplified());
        PintaFundo(m, kCorPrata);
        *memos[i] = m;
        botoes_[static_cast<std::size_t>(i)] = *botoes[i];
        memos_[static_cast<std::size_t>(i)] = m;
        (*botoes[i])->setMouseTracking(true);
        (*botoes[i])->installEventFilter(this);
    }
    SpeedButton9 = Botao(this, "SpeedButton9", QStringLiteral("Sair"), {10, 398, 180, 28}, FonteJanela(9, true));

    connect(SpeedButton5, &QPushButton::clicked, this, &Tfrm_principal::SpeedButton5Click);
    connect(SpeedButton6, &QPushButton::clicked, this, &Tfrm_principal::SpeedButton6Click);
    connect(SpeedButton7, &QPushButton::clicked, this, &Tfrm_principal::SpeedButton7Click);
    connect(SpeedButton8, &QPushButton::clicked, this, &Tfrm_principal::SpeedButton8Click);
    connect(SpeedButton9, &QPushButton::clicked, this, &Tfrm_principal::SpeedButton9Click);
}

void Tfrm_principal::CriaColunaDireita() {
    const QFont f = FonteJanela(9, true);
    SpeedButton2 = Botao(this, "SpeedButton2", QStringLiteral("Ajuda"), {584, 16, 162, 32}, f);
    SpeedButton1 = Botao(this, "SpeedButton1", QStringLiteral("Sobre..."), {584, 56, 162, 32}, f);
    SpeedButton10 = Botao(this, "SpeedButton10", QStringLiteral("Outros produtos"), {584, 96, 162, 32}, f);
    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setGeometry(584, 150, 162, 96);
    Image->setPixmap(ImagemFornecedor(162, 96));
    Image->setAccessibleName(QStringLiteral("Produtos"));
    AoClicar(Image, [this] { AbrePaginaProdutos(); });
    Label1 = new QLabel(QStringLiteral("Versão 7 (21/09/2007)"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(584, 250, 162, 18);
    Label1->setAlignment(Qt::AlignCenter);

    // Bottom right, level with "Sair", where the column was empty.
    btnOperacoes = Botao(this, "btnOperacoes", QStringLiteral("Operações"), {584, 398, 162, 28}, f);
    btnOperacoes->setToolTip(QStringLiteral("As operações salvas: procurar, reabrir, exportar e imprimir o borderô"));

    connect(SpeedButton2, &QPushButton::clicked, this, &Tfrm_principal::SpeedButton2Click);
    connect(SpeedButton1, &QPushButton::clicked, this, &Tfrm_principal::SpeedButton1Click);
    connect(SpeedButton10, &QPushButton::clicked, this, &Tfrm_principal::AbrePaginaProdutos);
    connect(btnOperacoes, &QPushButton::clicked, this, &Tfrm_principal::btnOperacoesClick);
}

void Tfrm_principal::SpeedButton5Click() {
    if (abreDescontoCheque) ProtegeAcao(abreDescontoCheque);
}
void Tfrm_principal::SpeedButton6Click() {
    if (abreVendaCerta) ProtegeAcao(abreVendaCerta);
}
void Tfrm_principal::SpeedButton7Click() {
    if (abrePrestacao) ProtegeAcao(abrePrestacao);
}
void Tfrm_principal::SpeedButton8Click() {
    if (abreRenegociacao) ProtegeAcao(abreRenegociacao);
}

void Tfrm_principal::SpeedButton9Click() { close(); }

void Tfrm_principal::btnOperacoesClick() {
    if (abreOperacoes) ProtegeAcao(abreOperacoes);
}

void Tfrm_principal::SpeedButton2Click() {
    const QString manual = CaminhoManual();
    if (manual.isEmpty()) {
        ServicoMensagens().Mostra(kManualAusente);
        MostraManualNaTela();
        return;
    }
    QPointer<Tfrm_principal> eu(this);
    // The opener may answer later, from the event loop: nothing thrown may leave it.
    ExecutePrograma(manual, [eu] {
        ProtegeAcao([eu] {
            if (!eu) return;
            ServicoMensagens().Mostra(std::string(kManualSemLeitor) + "\n" + kManualNaTela, {}, Icone::Aviso);
            eu->MostraManualNaTela();
        });
    });
}

void Tfrm_principal::ExecutePrograma(const QString& caminho, std::function<void()> naoAbriu) {
    AbreArquivo(caminho, std::move(naoAbriu));
}

void Tfrm_principal::MostraManualNaTela() {
    // Kept once made, like the help window; a free window beside the menu.
    if (!manual_) manual_ = new JanelaManual(this);
    manual_->show();
    manual_->raise();
    manual_->activateWindow();
}

void Tfrm_principal::SpeedButton1Click() {
    using namespace fornecedor;
    const std::string texto = std::string(kNome) + "\n" + kEndereco + "\n" + kCidade + "\nFone: " + kTelefone;
    ServicoMensagens().Mostra(texto, "Sobre...", Icone::Informacao);
}

void Tfrm_principal::AbrePaginaProdutos() { AbreUrl(QString::fromUtf8(fornecedor::kPaginaProdutos)); }

void Tfrm_principal::DestacaDescricao(int indice) {
    // The description under the mouse is marked by a yellow band behind dark
    // text (yellow text on silver could not be read); the others are grey
    // text on the window's silver, dark enough to read.
    for (int i = 0; i < 4; ++i) {
        MemoTexto* m = memos_[static_cast<std::size_t>(i)];
        const bool destaque = i == indice;
        m->setAutoFillBackground(destaque);
        PintaFundo(m, destaque ? kCorFoco : kCorPrata);
        PintaTexto(m, destaque ? kCorTextoSobreAmarelo : kCorCinzaEscuro);
    }
}

void Tfrm_principal::keyPressEvent(QKeyEvent* e) {
    // Enter moves on to the next control, as in every window of the program.
    if (EhEnter(e)) {
        PassaAdiante(this);
        return;
    }
    QWidget::keyPressEvent(e);
}

bool Tfrm_principal::eventFilter(QObject* obj, QEvent* e) {
    if (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter) {
        for (int i = 0; i < 4; ++i) {
            if (obj != botoes_[static_cast<std::size_t>(i)]) continue;
            DestacaDescricao(i);  // SpeedButton5MouseMove .. SpeedButton8MouseMove
            // A move the button leaves unused would reach the window below
            // it, which greys every description.
            if (e->type() == QEvent::MouseMove && !static_cast<QMouseEvent*>(e)->buttons()) return true;
        }
    }
    return QWidget::eventFilter(obj, e);
}

void Tfrm_principal::mouseMoveEvent(QMouseEvent* e) {
    DestacaDescricao(-1);  // FormMouseMove
    QWidget::mouseMoveEvent(e);
}

void Tfrm_principal::closeEvent(QCloseEvent* e) {
    // Closing the main menu ends the program, whichever windows are open.
    QWidget::closeEvent(e);
    QCoreApplication::quit();
}

}  // namespace quantivo
