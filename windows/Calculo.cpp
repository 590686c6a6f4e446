#include "windows/Calculo.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QGroupBox>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <utility>

#include "core/Calculos.h"
#include "core/Fornecedor.h"
#include "core/Operacao.h"
#include "core/Renegociacao.h"
#include "core/TaxaParaLiquido.h"
#include "core/UtbSys.h"
#include "core/Valores.h"
#include "ui/Acessivel.h"
#include "ui/Aparencia.h"
#include "ui/Ativacao.h"
#include "ui/Construcao.h"
#include "ui/Preferencias.h"
#include "ui/Quantias.h"
#include "ui/Regional.h"
#include "ui/Servicos.h"
#include "ui/Teclado.h"
#include "windows/UfrmFeriados.h"
#include "windows/UfrmTaxaLiquido.h"

namespace quantivo {
namespace {

const QString kHintValorFinanciado =
    QStringLiteral("Quando utilizar o tipo de calculo: Venda Desconto por Fora\ndigite aqui o valor financiado.");
const QString kContateNos = QStringLiteral("Contate-nos pelo e'mail");
const QString kHintCET = QStringLiteral(
    "Custo efetivo total: a taxa anual que iguala o valor líquido recebido aos cheques, nas datas de vencimento, "
    "incluindo juros, TAC, IOF e tarifa");
constexpr const char* kAvisoDesfazer = "Ctrl+Z desfaz a limpeza";
constexpr int kSegundosAvisoDesfazer = 5;
constexpr const char* kAvisoDesfazerTaxa = "Ctrl+Z desfaz a taxa";
constexpr const char* kMsgTaxaSoNoDesconto =
    "Escolha \"Desconto de Cheque\" no tipo de cálculo para procurar a taxa do líquido desejado.";

// After a dialog of its own closed, the window takes the keyboard back, also
// on a desktop with no window manager to hand it back, and waits a moment for
// it (keys typed meanwhile wait their turn), so that a message shown next
// stands over it and gives the keyboard back to it, and Ctrl+Z reaches it.
void RetomaTeclado(QWidget* janela) {
    if (QApplication::activeWindow() == janela) return;
    janela->activateWindow();
    const QDeadlineTimer prazo(500);
    while (QApplication::activeWindow() != janela && !prazo.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
}

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

TipoDeTarifa TipoTarifaDoTexto(const QString& t) {
    for (int i = 0; i < 2; ++i)
        if (t == QString::fromUtf8(kTextosTipoTarifa[i])) return static_cast<TipoDeTarifa>(i);
    return TipoDeTarifa::Nenhuma;
}

}  // namespace

QString TextoDataExtenso(Data d) { return Q(DataExtenso(d, AnoDe(Hoje()))); }

Tfrm_desconto_cheque::Tfrm_desconto_cheque(QWidget* parent) : QWidget(parent, Qt::Window) {
    DaPapelDeJanela();
    setObjectName(QStringLiteral("frm_desconto_cheque"));
    setWindowTitle(QStringLiteral("QUANTIVO"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(FonteJanela());
    setFixedSize(687, 535);

    CriaDadosGerais();
    CriaParcelas();
    CriaTotais();
    CriaBotoes();
    CriaLinksFornecedor();
    CriaStatus();
    DefineOrdemTab({data_ref,   Edit6,    Edit1,     edtTAC,    edtIOF,      edtTARIFA,   cbTipoTarifa,
                    ComboBox1,  grid,     CheckBox1, CheckBox2, btnFeriados, btnCalcula,  btnLimpa,
                    btnImprime, btnFecha, btnrecibo, btnTaxa,   btnSalva,    btnOperacoes});
    CentraAoMostrar(this);
    DefineNomesAcessiveis();

    CriaTeclas();
    VigiaAlteracoes();
    new Ativacao(this, [this] { FormActivate(); });
}

// --- Building the window ----------------------------------------------------

void Tfrm_desconto_cheque::CriaDadosGerais() {
    auto* g = new QGroupBox(QStringLiteral("Dados Gerais"), this);
    g->setGeometry(6, 2, 524, 152);

    data_ref = Nomeia(new CampoData(g), "data_ref");
    data_ref->setGeometry(10, 32, 104, 21);
    Rotulo(g, QStringLiteral("Data Referência"), {10, 17, 120, 14}, data_ref);
    Label4 = Nomeia(Rotulo(g, QStringLiteral("Dia"), {122, 35, 390, 16}), "Label4");

    Edit6 = Nomeia(new QLineEdit(QStringLiteral("0"), g), "Edit6");
    Edit6->setGeometry(10, 76, 120, 21);
    Edit6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Edit6->setFont(FonteJanela(8, true));
    PintaTexto(Edit6, kCorVermelhoEscuro);
    Edit6->setToolTip(kHintValorFinanciado);
    Rotulo(g, QStringLiteral("Valor Financiado"), {10, 61, 120, 14}, Edit6);

    Edit1 = Nomeia(new QLineEdit(QStringLiteral("0"), g), "Edit1");
    Edit1->setGeometry(138, 76, 70, 21);
    Edit1->setToolTip(QStringLiteral("Taxa em porcentagem para os cálculos"));
    Rotulo(g, QStringLiteral("Taxa (%)"), {138, 61, 70, 14}, Edit1);

    ComboBox1 = Nomeia(new QComboBox(g), "ComboBox1");
    ComboBox1->setGeometry(216, 76, 210, 21);
    for (const TipoOperacao& t : TiposOperacao()) ComboBox1->addItem(QString::fromUtf8(t.legenda));
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setToolTip(QStringLiteral("Selecione aqui o tipo de calculo que será feito"));
    Rotulo(g, QStringLiteral("Selecione o tipo de cálculo a ser efetuado"), {216, 61, 300, 14}, ComboBox1);

    edtTAC = Nomeia(new CampoNumerico(2, g), "edtTAC");
    edtTAC->DefineMascara(QStringLiteral("0.00;-0.00"));
    edtTAC->setGeometry(10, 120, 80, 21);
    Rotulo(g, QStringLiteral("TAC(%)"), {10, 105, 80, 14}, edtTAC);

    edtIOF = Nomeia(new CampoNumerico(4, g), "edtIOF");
    edtIOF->DefineMascara(QStringLiteral("0.0000;-0.0000"));
    edtIOF->setGeometry(98, 120, 80, 21);
    Rotulo(g, QStringLiteral("IOF(%)"), {98, 105, 80, 14}, edtIOF);
    Rotulo(g, QStringLiteral("ao dia"), {182, 123, 40, 14});

    cbTipoTarifa = Nomeia(new QComboBox(g), "cbTipoTarifa");
    cbTipoTarifa->setEditable(true);
    cbTipoTarifa->setInsertPolicy(QComboBox::NoInsert);
    for (const char* t : kTextosTipoTarifa) cbTipoTarifa->addItem(QString::fromUtf8(t));
    cbTipoTarifa->setCurrentIndex(-1);
    cbTipoTarifa->setGeometry(226, 120, 130, 21);

    edtTARIFA = Nomeia(new CampoNumerico(2, g), "edtTARIFA");
    edtTARIFA->setGeometry(362, 120, 90, 21);
    // A negative charge would add to the net value while its label shows 0.
    for (CampoNumerico* c : {edtTAC, edtIOF, edtTARIFA}) c->DefineSemNegativo(true);

    InstalaFiltroTeclas(Edit6, FiltroTeclas::Campo);
    InstalaFiltroTeclas(Edit1, FiltroTeclas::Campo);
    // An amount left as "1,500" is asked about (a rate is not: it may have
    // three decimals).
    VigiaMilhar(Edit6);
    for (QWidget* w : {static_cast<QWidget*>(data_ref), static_cast<QWidget*>(Edit6), static_cast<QWidget*>(Edit1)})
        DestacaFoco(w);
    data_ref->installEventFilter(this);
    edtTARIFA->installEventFilter(this);
    // Large amounts step the font down rather than lose their first digits.
    for (QLineEdit* e :
         {Edit6, static_cast<QLineEdit*>(edtTAC), static_cast<QLineEdit*>(edtIOF), static_cast<QLineEdit*>(edtTARIFA)})
        EncaixaTexto(e);
    connect(data_ref, &CampoData::dataAlterada, this, &Tfrm_desconto_cheque::data_refChange);
    connect(ComboBox1, &QComboBox::activated, this, &Tfrm_desconto_cheque::ComboBox1Change);
}

void Tfrm_desconto_cheque::CriaParcelas() {
    auto* g = new QGroupBox(QStringLiteral("Parcelas"), this);
    g->setGeometry(6, 156, 524, 232);
    grid = Nomeia(new GradeParcelas(ColunasBancada(), g), "grid");
    grid->setGeometry(10, 18, 504, 204);
    grid->setToolTip(kDicaGradeCheques);
    connect(grid, &GradeParcelas::teclaSolta, this, &Tfrm_desconto_cheque::gridKeyUp);
    connect(grid, &GradeParcelas::bancoDaLinha, this, &Tfrm_desconto_cheque::MostraBanco);
}

void Tfrm_desconto_cheque::MostraBanco(const QString& banco) {
    banco_ = banco;
    // An undo notice keeps the panel for its five seconds.
    if (painelAviso_ && !avisoDesfazer_->isActive()) painelAviso_->setText(banco_);
}

void Tfrm_desconto_cheque::EncerraAviso() {
    avisoDesfazer_->stop();
    painelAviso_->setText(banco_);
}

void Tfrm_desconto_cheque::CriaTotais() {
    Edit2 = Nomeia(new QLineEdit(QStringLiteral("0"), this), "Edit2");
    Edit2->setGeometry(12, 410, 120, 21);
    MostraDesabilitadoLegivel(Edit2);
    EncaixaTexto(Edit2);
    Rotulo(this, QStringLiteral("Valor Total"), {12, 394, 120, 14}, Edit2);

    const QFont fixa = FonteFixa(9);
    int y = 392;
    for (auto [rotulo, nome, texto0] :
         {std::tuple{&Label15, "Label15", "Tarifa:"}, std::tuple{&Label12, "Label12", "TAC:"},
          std::tuple{&Label13, "Label13", "IOF:"}, std::tuple{&Label14, "Label14", "Juros:"}}) {
        *rotulo = Nomeia(Rotulo(this, QString::fromLatin1(texto0), {150, y, 220, 16}), nome);
        (*rotulo)->setFont(fixa);
        y += 17;
    }
    // Below the totals, in their font, where nothing else stands.
    LabelCET = Nomeia(Rotulo(this, QString(), {150, y, 380, 16}), "LabelCET");
    LabelCET->setFont(fixa);
    LabelCET->setToolTip(kHintCET);
    LabelCET->setAccessibleName(QStringLiteral("CET"));
    MostraCET(QString::fromStdString(Totais{}.CET));
}

// The label is found by its name "CET"; what it shows is read in its description.
void Tfrm_desconto_cheque::MostraCET(const QString& texto) {
    if (titulo_) titulo_->start();
    LabelCET->setText(texto);
    EncaixaTexto(LabelCET);
    LabelCET->setAccessibleDescription(texto.isEmpty() ? kHintCET : texto + QStringLiteral(". ") + kHintCET);
}

void Tfrm_desconto_cheque::CriaBotoes() {
    CheckBox1 = Nomeia(new QCheckBox(QStringLiteral("F7- Inclui C&ompensação"), this), "CheckBox1");
    CheckBox1->setGeometry(538, 10, 146, 22);
    CheckBox1->setChecked(true);
    CheckBox1->setToolTip(QStringLiteral("Incluir 2 dias para compensação"));
    // In the free space of the button column, so that nothing else moves.
    CheckBox2 = Nomeia(new QCheckBox(QStringLiteral("F8- Feriados"), this), "CheckBox2");
    CheckBox2->setGeometry(538, 304, 146, 22);
    CheckBox2->setToolTip(QStringLiteral("Considerar feriados nacionais e locais"));
    CheckBox2->setChecked(LeOpcaoFeriados());
    connect(CheckBox2, &QCheckBox::toggled, this, &Tfrm_desconto_cheque::CheckBox2Click);
    CarregaFeriadosLocais();

    auto botao = [this](const char* nome, const QString& texto, int y, int altura = 32) {
        auto* b = Nomeia(new QPushButton(texto, this), nome);
        b->setGeometry(540, y, 138, altura);
        b->setAutoDefault(false);
        return b;
    };
    btnCalcula = botao("btnCalcula", QStringLiteral("F5 - &Calcula"), 40);
    btnLimpa = botao("btnLimpa", QStringLiteral("F10 - &Limpa"), 78);
    btnImprime = botao("btnImprime", QStringLiteral("F12 - &Imprime"), 116);
    SpeedButton2 = botao("SpeedButton2", QStringLiteral("Ajuda"), 154);
    SpeedButton2->setFocusPolicy(Qt::NoFocus);
    btnFecha = botao("btnFecha", QStringLiteral("F2 - &Fecha"), 192);
    btnrecibo = botao("btnrecibo", QStringLiteral("Firmatto"), 240, 56);
    btnrecibo->setIcon(QIcon(ImagemRecibo(40)));
    btnrecibo->setIconSize(QSize(40, 40));
    btnFeriados = botao("btnFeriados", QStringLiteral("Feria&dos..."), 330, 26);
    btnFeriados->setToolTip(QStringLiteral("Ver os feriados do ano e cadastrar os feriados locais"));
    // Below the holidays, where the column was empty down to the picture.
    btnTaxa = botao("btnTaxa", QStringLiteral("F9 - &Taxa p/ líquido"), 364);
    btnTaxa->setToolTip(QStringLiteral("A taxa ao mês que dá ao cliente o líquido desejado"));
    // Down to the picture, in the column's last free space.
    btnSalva = botao("btnSalva", QStringLiteral("Ctrl+S - &Salva"), 400, 28);
    btnSalva->setToolTip(QStringLiteral("Guardar a operação calculada, com o cliente, no diário de operações"));
    btnOperacoes = botao("btnOperacoes", QStringLiteral("Ctrl+O - O&perações"), 432, 28);
    btnOperacoes->setToolTip(QStringLiteral("Procurar, reabrir, exportar e imprimir as operações salvas"));

    connect(btnCalcula, &QPushButton::clicked, this, &Tfrm_desconto_cheque::btnCalculaClick);
    connect(btnLimpa, &QPushButton::clicked, this, &Tfrm_desconto_cheque::btnLimpaClick);
    connect(btnImprime, &QPushButton::clicked, this, &Tfrm_desconto_cheque::btnImprimeClick);
    connect(SpeedButton2, &QPushButton::clicked, this, &Tfrm_desconto_cheque::SpeedButton2Click);
    connect(btnFecha, &QPushButton::clicked, this, &Tfrm_desconto_cheque::btnFechaClick);
    connect(btnrecibo, &QPushButton::clicked, this, &Tfrm_desconto_cheque::btnreciboClick);
    connect(btnFeriados, &QPushButton::clicked, this, &Tfrm_desconto_cheque::btnFeriadosClick);
    connect(btnTaxa, &QPushButton::clicked, this, &Tfrm_desconto_cheque::btnTaxaClick);
    connect(btnSalva, &QPushButton::clicked, this, &Tfrm_desconto_cheque::btnSalvaClick);
    connect(btnOperacoes, &QPushButton::clicked, this, &Tfrm_desconto_cheque::btnOperacoesClick);
    // Another calculation or the clearing keeps what the rate search wrote.
    for (QPushButton* b : {btnCalcula, btnLimpa})
        connect(b, &QPushButton::clicked, this, &Tfrm_desconto_cheque::EsqueceTaxa);
}

void Tfrm_desconto_cheque::CriaLinksFornecedor() {
    const QString site = QString::fromUtf8(fornecedor::kSite);
    const auto abreSite = [site] { AbreUrl(QStringLiteral("https://") + site); };
    auto* conheca = Rotulo(this, QStringLiteral("Conheça nossos demais Produtos"), {12, 486, 180, 16});
    auto* clique = Rotulo(this, QStringLiteral("Clique aqui..."), {194, 486, 80, 16});
    auto* endereco = Nomeia(Rotulo(this, site, {282, 486, 160, 16}), "lblSite");
    conheca->setToolTip(kContateNos);
    clique->setToolTip(kContateNos);
    endereco->setToolTip(QStringLiteral("Visite nossa página na internet"));
    for (QLabel* l : {clique, endereco}) {
        QFont f = l->font();
        f.setUnderline(true);
        l->setFont(f);
        PintaTexto(l, kCorMarinho);
    }
    auto* imagem = Nomeia(new QLabel(this), "imgFornecedor");
    imagem->setPixmap(ImagemFornecedor(130, 44));
    imagem->setGeometry(544, 466, 130, 44);
    imagem->setToolTip(QStringLiteral("Visite nossa página na internet"));
    imagem->setAccessibleName(imagem->toolTip());
    for (QLabel* l : {conheca, clique, endereco, imagem}) AoClicar(l, abreSite);
}

void Tfrm_desconto_cheque::CriaStatus() {
    Status = Nomeia(new QStatusBar(this), "Status");
    Status->setSizeGripEnabled(false);
    Status->setGeometry(0, 513, 687, 22);
    const std::pair<const char*, int> paineis[] = {{"F5 Calcula", 70},  {"F10 Limpa", 70}, {"F12 Imprime", 80},
                                                   {"F2 Finaliza", 70}, {"", 60},          {"", 50}};
    int i = 0;
    for (const auto& [texto0, largura] : paineis) {
        auto* p = new QLabel(QString::fromLatin1(texto0), Status);
        p->setObjectName(QStringLiteral("painel%1").arg(i));
        p->setFixedWidth(largura);
        p->setAlignment(i < 5 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        p->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (i == 5) {
            // The last panel runs to the bar's end, so that a notice fits.
            p->setMinimumWidth(largura);
            p->setMaximumWidth(QWIDGETSIZE_MAX);
            Status->addWidget(p, 1);
            painelAviso_ = p;
        } else {
            Status->addWidget(p);
        }
        if (i == 4) relogio_ = p;
        ++i;
    }
    avisoDesfazer_ = new QTimer(this);
    avisoDesfazer_->setSingleShot(true);
    avisoDesfazer_->setInterval(kSegundosAvisoDesfazer * 1000);
    connect(avisoDesfazer_, &QTimer::timeout, this, &Tfrm_desconto_cheque::EncerraAviso);
    Timer = Nomeia(new QTimer(this), "Timer");
    Timer->setInterval(1000);
    connect(Timer, &QTimer::timeout, this, &Tfrm_desconto_cheque::TimerTimer);
    Timer->start();
    TimerTimer();
}

void Tfrm_desconto_cheque::DefineNomesAcessiveis() {
    const std::pair<QWidget*, const char*> nomes[] = {
        {data_ref, "Data Referência"},
        {Edit6, "Valor Financiado"},
        {Edit1, "Taxa (%)"},
        {ComboBox1, "Selecione o tipo de cálculo a ser efetuado"},
        {edtTAC, "TAC(%)"},
        {edtIOF, "IOF(%) ao dia"},
        {edtTARIFA, "Tarifa"},
        {grid, "Parcelas"},
        {Edit2, "Valor Total"},
        {Status, "Barra de status"},
        {CheckBox2, "F8- Feriados"},
        {btnFeriados, "Feriados"},
    };
    for (const auto& [w, nome] : nomes) w->setAccessibleName(QString::fromUtf8(nome));
    LegendaOculta(cbTipoTarifa, QStringLiteral("Tipo de tarifa"));
    // The labels keep their text as their name: it is what they hold.
    Label4->setAccessibleDescription(QStringLiteral("Data por extenso"));
}

// --- Hooks and the operation as the widgets hold it -------------------------

TipoCalculo Tfrm_desconto_cheque::TipoSelecionado() const {
    // The list holds the types in the order of their values.
    const TipoOperacao* tipo = DescricaoDoTipo(static_cast<TipoCalculo>(ComboBox1->currentIndex()));
    return tipo ? tipo->tipo : TipoCalculo::Nenhum;
}

void Tfrm_desconto_cheque::DefineTipoSemReacao(TipoCalculo tipo) {
    const QSignalBlocker semReacao(ComboBox1);
    ComboBox1->setCurrentIndex(static_cast<int>(tipo));
}

QString Tfrm_desconto_cheque::TextoTipoTarifa() const { return cbTipoTarifa->currentText(); }

std::optional<Calendario> Tfrm_desconto_cheque::CalendarioDeFeriados() const {
    if (!CheckBox2->isChecked()) return std::nullopt;
    return Calendario(feriadosLocais_);
}

Desfecho Tfrm_desconto_cheque::Recebe(const Bancada& operacao, Repasse repasse) {
    const DadosGerais& d = operacao.dados;
    // A new operation: no longer the one saved or reopened, nor its customer's.
    EsqueceOperacaoSalva();
    ComecaOperacao();
    if (repasse.cheques) {
        // An editor left open would later write its old text over the rows.
        grid->EncerraEdicao(false);
        grid->Modelo()->DefineLinhas(operacao.linhas);
    }
    data_ref->DefineData(d.DataReferencia);
    Edit1->setText(Q(d.Taxa));
    edtTAC->DefineValor(d.TAC);
    edtIOF->DefineValor(d.IOF);
    edtTARIFA->DefineValor(d.Tarifa);
    if (repasse.valorFinanciado) Edit6->setText(Q(d.ValorFinanciado));
    if (repasse.cheques) {
        cbTipoTarifa->setCurrentIndex(static_cast<int>(d.TipoTarifa));
        // The days are counted as the clerk chose in the window typed in.
        CheckBox1->setChecked(d.IncluiCompensacao);
    }
    DefineTipoSemReacao(d.Tipo);
    data_refChange();
    if (repasse.mostraAntes) {
        show();
        raise();
    }
    return Calcula();
}

void Tfrm_desconto_cheque::ComecaOperacao() {
    for (CampoNumerico* c : {edtTAC, edtIOF, edtTARIFA}) c->DefineValor(0);
    RotulosIniciais();
    MostraCET({});
}

Bancada Tfrm_desconto_cheque::LeBancada() {
    grid->ConfirmaEdicao();
    return BancadaNaTela();
}

Bancada Tfrm_desconto_cheque::BancadaNaTela() const {
    Bancada b;
    DadosGerais& d = b.dados;
    d.DataReferencia = data_ref->Data();
    d.ValorFinanciado = S(Edit6->text());
    d.Taxa = S(Edit1->text());
    d.TAC = edtTAC->Valor();
    d.IOF = edtIOF->Valor();
    d.TipoTarifa = TipoTarifaDoTexto(cbTipoTarifa->currentText());
    d.Tarifa = edtTARIFA->Valor();
    d.IncluiCompensacao = CheckBox1->isChecked();
    d.Feriados = CheckBox2->isChecked();
    d.FeriadosLocais = feriadosLocais_;
    d.Tipo = TipoSelecionado();
    b.linhas = grid->Modelo()->Linhas();
    b.totais = {S(Edit2->text()),   S(Label12->text()), S(Label13->text()),
                S(Label14->text()), S(Label15->text()), S(LabelCET->text())};
    return b;
}

void Tfrm_desconto_cheque::EscreveBancada(const Bancada& b) {
    // Only what differs is written, so that a field being edited keeps its
    // text and cursor when the calculation did not touch it.
    const auto texto = [](QLineEdit* e, const std::string& s) {
        if (e->text() != Q(s)) e->setText(Q(s));
    };
    const auto rotulo = [](QLabel* l, const std::string& s) {
        if (l->text() == Q(s)) return;
        l->setText(Q(s));
        EncaixaTexto(l);
    };
    const auto numero = [](CampoNumerico* c, long double v) {
        if (c->Valor() != v) c->DefineValor(v);
    };
    const DadosGerais& d = b.dados;
    if (data_ref->Data() != d.DataReferencia) data_ref->DefineData(d.DataReferencia);
    texto(Edit6, d.ValorFinanciado);
    texto(Edit1, d.Taxa);
    numero(edtTAC, d.TAC);
    numero(edtIOF, d.IOF);
    numero(edtTARIFA, d.Tarifa);
    if (TipoTarifaDoTexto(cbTipoTarifa->currentText()) != d.TipoTarifa)
        cbTipoTarifa->setCurrentIndex(static_cast<int>(d.TipoTarifa));
    CheckBox1->setChecked(d.IncluiCompensacao);
    CheckBox2->setChecked(d.Feriados);
    if (TipoSelecionado() != d.Tipo) DefineTipoSemReacao(d.Tipo);
    grid->Modelo()->DefineLinhas(b.linhas);
    texto(Edit2, b.totais.ValorTotal);
    rotulo(Label12, b.totais.TAC);
    rotulo(Label13, b.totais.IOF);
    rotulo(Label14, b.totais.Juros);
    rotulo(Label15, b.totais.Tarifa);
    if (LabelCET->text() != Q(b.totais.CET)) MostraCET(Q(b.totais.CET));
    if (titulo_) titulo_->start();
}

Operacao Tfrm_desconto_cheque::LeOperacao() {
    Operacao op;
    op.bancada = LeBancada();
    if (const TipoOperacao* t = DescricaoDoTipo(op.bancada.dados.Tipo)) {
        if (t->leJanelaPrestacao && lePrestacao) op.janelas.prestacao = lePrestacao();
        if (t->leQtdParcelas && leQtdParcelas) op.janelas.qtdParcelas = leQtdParcelas();
    }
    op.tipoTarifaTexto = S(TextoTipoTarifa());
    op.cliente = cliente_;
    return op;
}

void Tfrm_desconto_cheque::MostraOperacao(const Operacao& op, Desfecho desfecho) {
    EsqueceLimpeza();
    EsqueceTaxa();
    // An editor left open would later write its old text over the rows.
    grid->EncerraEdicao(false);
    EscreveBancada(op.bancada);
    if (op.tipoTarifaTexto && cbTipoTarifa->currentText() != Q(*op.tipoTarifaTexto))
        cbTipoTarifa->setEditText(Q(*op.tipoTarifaTexto));
    data_refChange();
    cliente_ = op.cliente;
    ultimoDesfecho_ = desfecho;
    calculada_.reset();
    if (desfecho == Desfecho::Concluido) calculada_ = BancadaNaTela();
}

void Tfrm_desconto_cheque::MarcaSalva(std::int64_t numero, bool difere) {
    numeroSalvo_ = numero;
    salva_ = BancadaNaTela();
    difereDoSalvo_ = difere;
    AtualizaTitulo();
}

void Tfrm_desconto_cheque::EsqueceOperacaoSalva() {
    numeroSalvo_ = 0;
    salva_.reset();
    difereDoSalvo_ = false;
    cliente_ = {};
    AtualizaTitulo();
}

bool Tfrm_desconto_cheque::TemCalculoConcluido() {
    grid->ConfirmaEdicao();
    return ultimoDesfecho_ == Desfecho::Concluido && calculada_ && *calculada_ == BancadaNaTela();
}

void Tfrm_desconto_cheque::VigiaAlteracoes() {
    // Whatever changes a field, a cell, a box or a label looks again, once,
    // after the event that changed it (a calculation changes many at once).
    titulo_ = new QTimer(this);
    titulo_->setSingleShot(true);
    titulo_->setInterval(0);
    connect(titulo_, &QTimer::timeout, this, &Tfrm_desconto_cheque::AtualizaTitulo);
    // The timer, not the window, is the connections' receiver: a cell
    // committed while the window is being destroyed (its editor losing the
    // focus) must not reach a half-destroyed workbench.
    QTimer* t = titulo_;
    const auto olha = [t] { t->start(); };
    connect(data_ref, &CampoData::dataAlterada, t, olha);
    for (QLineEdit* e : {Edit6, Edit1, Edit2, static_cast<QLineEdit*>(edtTAC), static_cast<QLineEdit*>(edtIOF),
                         static_cast<QLineEdit*>(edtTARIFA)})
        connect(e, &QLineEdit::textChanged, t, olha);
    connect(cbTipoTarifa, &QComboBox::currentTextChanged, t, olha);
    connect(ComboBox1, &QComboBox::currentIndexChanged, t, olha);
    for (QCheckBox* c : {CheckBox1, CheckBox2}) connect(c, &QCheckBox::toggled, t, olha);
    ModeloParcelas* m = grid->Modelo();
    connect(m, &QAbstractItemModel::dataChanged, t, olha);
    connect(m, &QAbstractItemModel::modelReset, t, olha);
    connect(m, &QAbstractItemModel::rowsInserted, t, olha);
    connect(m, &QAbstractItemModel::rowsRemoved, t, olha);
}

void Tfrm_desconto_cheque::AtualizaTitulo() {
    QString titulo = QStringLiteral("QUANTIVO");
    if (numeroSalvo_ != 0) {
        titulo += QStringLiteral(" - Operação nº %1").arg(numeroSalvo_);
        if (difereDoSalvo_ || !salva_ || *salva_ != BancadaNaTela()) titulo += QStringLiteral(" (alterada)");
    }
    if (windowTitle() != titulo) setWindowTitle(titulo);
}

void Tfrm_desconto_cheque::MostraAviso(const QString& texto) {
    painelAviso_->setText(texto);
    avisoDesfazer_->start();
}

// --- Event handlers ---------------------------------------------------------

void Tfrm_desconto_cheque::FormActivate() {
    AplicaTextosRegionais();
    data_ref->setFocus(Qt::ActiveWindowFocusReason);
    QStringList titulos;
    for (const ColunaGrade& c : ColunasBancada()) titulos << c.titulo;
    grid->Modelo()->DefineTitulos(titulos);
}

void Tfrm_desconto_cheque::btnCalculaClick() { Calcula(); }

Desfecho Tfrm_desconto_cheque::Calcula() {
    EsqueceLimpeza();
    ultimoDesfecho_ = Desfecho::NadaAFazer;
    const TipoOperacao* tipo = DescricaoDoTipo(TipoSelecionado());
    if (!tipo) return ultimoDesfecho_;
    // A date being typed that is no date is said so; the calculation never
    // takes the date held before it instead.
    if (!data_ref->ConfereData()) return ultimoDesfecho_ = Desfecho::Interrompido;
    // Nor does it take an amount that may hold a digit-group mark, nor
    // leave a typed value out of a row whose date is no date: each is said
    // or asked first, its field or cell kept for correction.
    if (!ConfereQuantias(this)) return ultimoDesfecho_ = Desfecho::Interrompido;
    if (tipo->leDatasDasLinhas && !grid->ConfereCelulas(tipo->leValoresDasLinhas))
        return ultimoDesfecho_ = Desfecho::Interrompido;
    Bancada b = LeBancada();
    if (b.dados.Feriados && !avisoFeriados_.isEmpty()) {
        const QString aviso = std::exchange(avisoFeriados_, QString());
        ServicoMensagens().Mostra(S(aviso), {}, Icone::Aviso);
    }
    OutrasJanelas outras;
    const char* semParcelas = nullptr;
    if (tipo->leJanelaPrestacao && lePrestacao) {
        outras.prestacao = lePrestacao();
        if (outras.prestacao.NumPrestacao < 1) semParcelas = kMsgNumPrestacaoMinima;
    }
    if (tipo->leQtdParcelas && leQtdParcelas) {
        outras.qtdParcelas = leQtdParcelas();
        if (outras.qtdParcelas < 1) semParcelas = kMsgQtdPrestacaoMinima;
    }
    // A count below 1 in the other window makes no schedule: the clerk is
    // told which field to mend, and nothing is calculated.
    if (semParcelas) {
        ServicoMensagens().Mostra(semParcelas, {}, Icone::Informacao);
        return ultimoDesfecho_ = Desfecho::Interrompido;
    }
    // With exactly one blank value, a completed Price calculation solved the
    // financed value when that was the blank one.
    const bool apuraFinanciado = tipo->leJanelaPrestacao && outras.prestacao.ValorFinanciado == 0;
    Desfecho d = Desfecho::Erro;
    ProtegeAcao([&] {
        const auto devolve = qScopeGuard([&] { EscreveBancada(b); });
        d = CalculaBancada(b, outras, ContextoJanela());
    });
    if (d == Desfecho::Concluido && apuraFinanciado && apurouValorFinanciado) apurouValorFinanciado(outras.prestacao);
    ultimoDesfecho_ = d;
    calculada_.reset();
    if (d == Desfecho::Concluido) calculada_ = BancadaNaTela();
    return d;
}

void Tfrm_desconto_cheque::btnLimpaClick() {
    EsqueceLimpeza();
    limpeza_ = Limpeza{LeBancada(), Label4->text()};
    // Right after the clearing, Ctrl+Z undoes it; any other key first keeps
    // it. The keys are watched only while the undo can happen.
    vigiaLimpeza_ = new VigiaTeclas(this, [this](const QKeyEvent* e) { return TeclaAposLimpeza(e); });
    // An editor left open would write its old text into the emptied row.
    grid->EncerraEdicao(false);
    grid->Modelo()->DefineLinhas(std::vector<Parcela>(1));
    data_ref->DefineData(Hoje());
    Edit6->clear();
    Edit1->setText(QStringLiteral("0"));
    Edit2->setText(QStringLiteral("0"));
    edtTAC->DefineValor(0);
    edtIOF->DefineValor(0);
    edtTARIFA->DefineValor(0);
    // The totals of the operation just cleared would stand beside a Valor
    // Total of 0 and go into the next listing.
    RotulosIniciais();
    MostraCET({});
    Edit6->setFocus(Qt::OtherFocusReason);
    painelAviso_->setText(QString::fromLatin1(kAvisoDesfazer));
    avisoDesfazer_->start();
}

void Tfrm_desconto_cheque::DesfazLimpeza() {
    if (!limpeza_) return;
    const Limpeza l = std::move(*limpeza_);
    EsqueceLimpeza();
    grid->EncerraEdicao(false);
    EscreveBancada(l.antes);
    Label4->setText(l.dia);
}

void Tfrm_desconto_cheque::EsqueceLimpeza() {
    limpeza_.reset();
    // Later: this may run inside the watcher's own look at a key.
    if (vigiaLimpeza_) vigiaLimpeza_->deleteLater();
    vigiaLimpeza_ = nullptr;
    if (avisoDesfazer_->isActive()) EncerraAviso();
}

void Tfrm_desconto_cheque::btnImprimeClick() {
    if (imprime) ProtegeAcao(imprime);
}

void Tfrm_desconto_cheque::btnFechaClick() { close(); }

void Tfrm_desconto_cheque::SpeedButton2Click() {
    if (mostraAjuda) ProtegeAcao(mostraAjuda);
}

void Tfrm_desconto_cheque::btnreciboClick() {
    if (abreRecibo) ProtegeAcao(abreRecibo);
}

void Tfrm_desconto_cheque::LimpaTotais() {
    if (titulo_) titulo_->start();
    for (QLabel* l : {Label15, Label12, Label13, Label14}) l->clear();
    MostraCET({});
}

void Tfrm_desconto_cheque::RotulosIniciais() {
    if (titulo_) titulo_->start();
    const Totais t;
    for (auto [l, texto] : {std::pair{Label15, t.Tarifa}, std::pair{Label12, t.TAC}, std::pair{Label13, t.IOF},
                            std::pair{Label14, t.Juros}}) {
        l->setText(Q(texto));
        EncaixaTexto(l);
    }
}

void Tfrm_desconto_cheque::CalculaAposDialogo(const QString& valorFinanciado, const QString& taxa) {
    Edit6->setText(valorFinanciado);
    Edit1->setText(taxa);
    btnCalcula->click();
}

void Tfrm_desconto_cheque::ComboBox1Change() {
    LimpaTotais();
    ProtegeAcao([this] {
        const auto ouZero = [](const QString& t) { return t.isEmpty() ? QStringLiteral("0") : t; };
        // The window whose values the type reads is asked for them first.
        const TipoOperacao* tipo = DescricaoDoTipo(TipoSelecionado());
        if (!tipo) return;
        if (tipo->leJanelaPrestacao) {
            if (!abrePrestacao) return;
            if (const auto r = abrePrestacao()) CalculaAposDialogo(ouZero(r->valorFinanciado), ouZero(r->taxa));
        } else if (tipo->leQtdParcelas) {
            if (!abreRenegociacao) return;
            if (const auto r = abreRenegociacao()) {
                // A new operation, as from the main menu: an earlier
                // discount's charges never go into the schedule's listing.
                ComecaOperacao();
                CalculaAposDialogo(Q(TextoSaldo(r->valorAtualizado - r->valorPago)), r->taxa);
            }
        }
    });
}

void Tfrm_desconto_cheque::data_refChange() { Label4->setText(TextoDataExtenso(data_ref->Data())); }

void Tfrm_desconto_cheque::TimerTimer() {
    if (relogio_) relogio_->setText(HoraLonga(QTime::currentTime()));
}

void Tfrm_desconto_cheque::gridKeyUp(int tecla) {
    if (grid->SetaNumaDataInvalida(tecla)) ServicoMensagens().Mostra(kMsgDataInvalidaSeta);
}

void Tfrm_desconto_cheque::CheckBox2Click() { GravaOpcaoFeriados(CheckBox2->isChecked()); }

void Tfrm_desconto_cheque::CarregaFeriadosLocais() {
    const ArquivoFeriados a = LeArquivoFeriados();
    feriadosLocais_ = a.lista.feriados;
    avisoFeriados_ = AvisoArquivoFeriados(a);
}

void Tfrm_desconto_cheque::btnFeriadosClick() {
    ProtegeAcao([this] {
        TfrmFeriados janela(this);
        janela.exec();
    });
    // The window told what was wrong with the file already.
    CarregaFeriadosLocais();
    avisoFeriados_.clear();
}

void Tfrm_desconto_cheque::btnTaxaClick() {
    if (TipoSelecionado() != TipoCalculo::DescontoCheque) {
        ServicoMensagens().Mostra(kMsgTaxaSoNoDesconto, {}, Icone::Aviso);
        return;
    }
    if (!data_ref->ConfereData()) return;
    TfrmTaxaLiquido dialogo(this);
    const bool aceito = dialogo.exec() == QDialog::Accepted;
    RetomaTeclado(this);
    if (!aceito) return;
    const long double desejado = dialogo.Liquido();
    ProtegeAcao([&] {
        Bancada antes = LeBancada();
        const TaxaProcurada t = ProcuraTaxa(antes, desejado, ContextoJanela());
        if (t.busca == BuscaTaxa::CalculoNaoConclui) {
            Calcula();  // its message or error, as F5 gives it
            return;
        }
        if (t.busca != BuscaTaxa::Achada) return;
        Edit1->setText(Q(TextoTaxa(t.passos)));
        const Desfecho d = Calcula();
        OfereceDesfazerTaxa(std::move(antes));
        if (d == Desfecho::Concluido && t.diferenca() != 0)
            ServicoMensagens().Mostra(TextoTaxaAproximada(t), {}, Icone::Informacao);
    });
}

void Tfrm_desconto_cheque::btnSalvaClick() {
    // What a cell editor holds goes to the grid first, as for F5.
    grid->EncerraEdicao(true);
    if (salva) ProtegeAcao(salva);
}

void Tfrm_desconto_cheque::btnOperacoesClick() {
    grid->EncerraEdicao(true);
    if (abreOperacoes) ProtegeAcao(abreOperacoes);
}

void Tfrm_desconto_cheque::OfereceDesfazerTaxa(Bancada antes) {
    EsqueceTaxa();
    antesDaTaxa_ = std::move(antes);
    vigiaTaxa_ = new VigiaTeclas(this, [this](const QKeyEvent* e) { return TeclaAposTaxa(e); });
    painelAviso_->setText(QString::fromLatin1(kAvisoDesfazerTaxa));
    avisoDesfazer_->start();
}

bool Tfrm_desconto_cheque::TeclaAposTaxa(const QKeyEvent* e) {
    if (!antesDaTaxa_ || SoModificador(e->key())) return false;
    if (e->matches(QKeySequence::Undo)) {
        if (e->type() != QEvent::KeyPress) return false;
        const Bancada antes = std::move(*antesDaTaxa_);
        EsqueceTaxa();
        grid->EncerraEdicao(false);
        EscreveBancada(antes);
        return true;
    }
    EsqueceTaxa();
    return false;
}

void Tfrm_desconto_cheque::EsqueceTaxa() {
    antesDaTaxa_.reset();
    if (vigiaTaxa_) vigiaTaxa_->deleteLater();
    vigiaTaxa_ = nullptr;
    if (painelAviso_->text() == QString::fromLatin1(kAvisoDesfazerTaxa)) EncerraAviso();
}

void Tfrm_desconto_cheque::edtTARIFAExit(Qt::FocusReason motivo) {
    // Enter in the fee field lands in the grid, past the two lists, so that
    // typing goes on into the cheques; Tab goes through the lists.
    if (motivo == Qt::TabFocusReason && enterEmCurso_) grid->setFocus(Qt::TabFocusReason);
}

void Tfrm_desconto_cheque::CriaTeclas() {
    for (const Qt::Key k : {Qt::Key_F5, Qt::Key_F7, Qt::Key_F8, Qt::Key_F9, Qt::Key_F10, Qt::Key_F12, Qt::Key_F2})
        TeclaDaJanela(this, k, [this, k] { FormKeyDown(k); });
    TeclaDaJanela(this, QKeySequence(Qt::CTRL | Qt::Key_S), [this] { btnSalva->click(); });
    TeclaDaJanela(this, QKeySequence(Qt::CTRL | Qt::Key_O), [this] { btnOperacoes->click(); });
    // Enter outside the grid moves on as Tab does; the fee field tells it
    // from a Tab.
    EnterComoTab(
        this, [this](const QWidget* w) { return w == grid || grid->isAncestorOf(w); },
        [this] {
            const QScopedValueRollback enter(enterEmCurso_, true);
            PassaAdiante(this);
        });
}

void Tfrm_desconto_cheque::FormKeyDown(int tecla) {
    // What a cell editor holds goes to the grid first, so that the
    // calculation, the clearing (and its undo) and a hidden window keep what
    // was typed; the cell stays current and the grid keeps the focus, which
    // comes back to it after a message.
    if (tecla != Qt::Key_F7 && tecla != Qt::Key_F8) grid->EncerraEdicao(true);
    switch (tecla) {
        case Qt::Key_F5:
            btnCalcula->click();
            break;
        case Qt::Key_F7:
            CheckBox1->toggle();
            break;
        case Qt::Key_F8:
            CheckBox2->toggle();
            break;
        case Qt::Key_F9:
            btnTaxa->click();
            break;
        case Qt::Key_F10:
            btnLimpa->click();
            break;
        case Qt::Key_F12:
            btnImprime->click();
            break;
        case Qt::Key_F2:
            btnFecha->click();
            break;
        default:
            break;
    }
}

bool Tfrm_desconto_cheque::TeclaAposLimpeza(const QKeyEvent* e) {
    if (!limpeza_ || SoModificador(e->key())) return false;
    if (e->matches(QKeySequence::Undo)) {
        // Taken as the key press, before a field's own undo sees it.
        if (e->type() != QEvent::KeyPress) return false;
        DesfazLimpeza();
        return true;
    }
    EsqueceLimpeza();
    return false;
}

bool Tfrm_desconto_cheque::eventFilter(QObject* obj, QEvent* e) {
    if (obj == data_ref && e->type() == QEvent::FocusIn) data_refChange();  // data_refEnter
    if (obj == edtTARIFA && e->type() == QEvent::FocusOut) edtTARIFAExit(static_cast<QFocusEvent*>(e)->reason());
    return QWidget::eventFilter(obj, e);
}

}  // namespace quantivo
