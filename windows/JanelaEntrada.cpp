#include "windows/JanelaEntrada.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScopeGuard>

#include "core/Datas.h"
#include "core/Linhas.h"
#include "ui/Aparencia.h"
#include "ui/Ativacao.h"
#include "ui/Construcao.h"
#include "ui/Regional.h"
#include "ui/Servicos.h"
#include "ui/Teclado.h"

namespace quantivo {

namespace {

// The sizes the windows are given are outer sizes; the frame a desktop adds
// around the client area is taken as 4 pixels a side and a 23-pixel title.
constexpr int kMolduraLargura = 8;
constexpr int kMolduraAltura = 31;

class FiltroSaida : public QObject {
public:
    FiltroSaida(QWidget* campo, std::function<void()> aoSair) : QObject(campo), aoSair_(std::move(aoSair)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::FocusOut) return false;
        // Only a move to another control of the window; the window losing the
        // focus (a message box, another window) is no exit.
        switch (static_cast<QFocusEvent*>(e)->reason()) {
            case Qt::TabFocusReason:
            case Qt::BacktabFocusReason:
            case Qt::MouseFocusReason:
            case Qt::ShortcutFocusReason:
                ProtegeAcao(aoSair_);
                break;
            default:
                break;
        }
        return false;
    }

private:
    std::function<void()> aoSair_;
};

}  // namespace

JanelaEntrada::JanelaEntrada(QWidget* parent, Tfrm_desconto_cheque* bancada, const Aparencia& aparencia)
    : QDialog(parent), bancada_(bancada), fundo_(aparencia.fundo) {
    setWindowTitle(aparencia.titulo);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    // Destroyed when closed, by the hand-over or by the user; the program-wide
    // reference (a QPointer) empties itself.
    setAttribute(Qt::WA_DeleteOnClose);
    // Modal to the main menu only: after a hand-over whose calculation
    // stopped, the user can go to the workbench and come back.
    setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    setFont(FonteJanela());
    setFixedSize(aparencia.tamanhoExterno - QSize(kMolduraLargura, kMolduraAltura));
    CentraAoMostrar(this);
    setAutoFillBackground(true);
    PintaJanela(this, fundo_);
    setSizeGripEnabled(false);

    // F5 wherever the focus is, a cell being edited included; Enter outside
    // the grid as Tab (from the last general-data field into the grid), in
    // the grid left to the grid.
    TeclaDaJanela(this, Qt::Key_F5, [this] { FormKeyDown(); });
    EnterComoTab(
        this, [this](const QWidget* w) { return grid_pre && (w == grid_pre || grid_pre->isAncestorOf(w)); },
        [this] {
            if (grid_pre && campoAntesDaGrade_ && focusWidget() == campoAntesDaGrade_)
                grid_pre->VaiParaPrimeiraLinhaVazia();
            else
                PassaAdiante(this);
        });
    new Ativacao(this, [this] { FormActivate(); });
}

// --- Building ---------------------------------------------------------------

QGroupBox* JanelaEntrada::CriaGrupo(const QString& titulo, const QRect& geo) {
    auto* g = new QGroupBox(titulo, this);
    g->setGeometry(geo);
    g->setAutoFillBackground(true);
    PintaJanela(g, fundo_);
    return g;
}

void JanelaEntrada::CriaDadosGerais(QGroupBox* g) {
    data_ref = Nomeia(new CampoData(g), "data_ref");
    data_ref->setGeometry(10, 32, 104, 21);
    Rotulo(g, QStringLiteral("Data da Operação"), {10, 16, 120, 14}, data_ref);
    Nomeia(Rotulo(g, QStringLiteral("Dia"), {122, 35, 60, 14}), "lblDia");

    edtTaxa = Nomeia(new CampoNumerico(3, g), "edtTaxa");
    edtTaxa->DefineMascara(QStringLiteral("0.000"));
    edtTaxa->setGeometry(10, 74, 80, 21);
    Rotulo(g, QStringLiteral("Taxa (%)"), {10, 58, 80, 14}, edtTaxa);
    Rotulo(g, QStringLiteral("* Taxa ao mês"), {10, 97, 130, 14});

    edtTAC = Nomeia(new CampoNumerico(2, g), "edtTAC");
    edtTAC->DefineMascara(QStringLiteral("0.00;-0.00"));
    edtTAC->setGeometry(150, 74, 80, 21);
    Rotulo(g, QStringLiteral("TAC(%)"), {150, 58, 80, 14}, edtTAC);
    Rotulo(g, QStringLiteral("* Taxa de Abertura de Crédito"), {150, 97, 200, 14});

    edtIOF = Nomeia(new CampoNumerico(4, g), "edtIOF");
    edtIOF->DefineMascara(QStringLiteral("0.0000;-0.0000"));
    edtIOF->setGeometry(52, 122, 80, 21);
    Rotulo(g, QStringLiteral("IOF(%)"), {10, 125, 40, 14}, edtIOF);
    Rotulo(g, QStringLiteral("ao dia"), {138, 125, 40, 14});

    cbTipoTarifa = Nomeia(new QComboBox(g), "cbTipoTarifa");
    for (const char* t : kTextosTipoTarifa) cbTipoTarifa->addItem(QString::fromUtf8(t));
    cbTipoTarifa->setCurrentIndex(static_cast<int>(TipoDeTarifa::TarifaPorTitulo));
    cbTipoTarifa->setGeometry(190, 122, 120, 21);

    edtTARIFA = Nomeia(new CampoNumerico(2, g), "edtTARIFA");
    edtTARIFA->setGeometry(316, 122, 90, 21);
    // As in the workbench, which takes these values: charges are never negative.
    for (CampoNumerico* c : {edtTAC, edtIOF, edtTARIFA}) c->DefineSemNegativo(true);

    const std::pair<QWidget*, const char*> nomes[] = {
        {data_ref, "Data da Operação"}, {edtTaxa, "Taxa (%)"}, {edtTAC, "TAC(%)"},
        {edtIOF, "IOF(%) ao dia"},      {edtTARIFA, "Tarifa"},
    };
    for (const auto& [w, nome] : nomes) w->setAccessibleName(QString::fromUtf8(nome));
    LegendaOculta(cbTipoTarifa, QStringLiteral("Tipo de tarifa"));
}

void JanelaEntrada::CriaCompensacao(QGroupBox* g, int y) {
    CheckBox1 = Nomeia(new QCheckBox(QStringLiteral("F7- Inclui C&ompensação"), g), "CheckBox1");
    CheckBox1->setGeometry(10, y, 170, 18);
    CheckBox1->setChecked(true);
    CheckBox1->setToolTip(QStringLiteral("Incluir 2 dias para compensação"));
    Rotulo(g, QStringLiteral("* Inclui 2 dias a mais na data de vencimento"), {28, y + 19, 260, 14});
}

void JanelaEntrada::CriaGrade(QGroupBox* g, const QString& tituloBarra, std::vector<ColunaGrade> colunas,
                              const QColor& corTexto, const QRect& geoGrade) {
    auto* barra = Nomeia(new QLabel(tituloBarra, g), "lblTituloCheques");
    barra->setGeometry(8, 18, g->width() - 16, 20);
    barra->setAlignment(Qt::AlignCenter);
    barra->setFrameStyle(QFrame::Panel | QFrame::Raised);
    barra->setFont(FonteJanela(9, true));

    grid_pre = Nomeia(new GradeParcelas(std::move(colunas), g), "grid_pre");
    grid_pre->setGeometry(geoGrade);
    grid_pre->setToolTip(kDicaGradeCheques);
    grid_pre->setAccessibleName(tituloBarra);
    QFont fonte(QStringLiteral("Times New Roman"));
    fonte.setStyleHint(QFont::Serif);
    fonte.setPixelSize(16);
    fonte.setBold(true);
    grid_pre->setFont(fonte);
    grid_pre->verticalHeader()->setDefaultSectionSize(24);
    PintaFundo(grid_pre, Qt::white);
    PintaFundo(grid_pre->viewport(), Qt::white);
    PintaTexto(grid_pre, corTexto);
    grid_pre->horizontalHeader()->setFixedHeight(24);
    // The title row in the grid's face too, named in the style sheet: a
    // style sheet on the header otherwise draws it in the program's font.
    grid_pre->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: silver; color: %1; border: 1px solid gray;"
                       " border-top: none; border-left: none; padding-left: 2px;"
                       " font-family: \"Times New Roman\"; font-size: 16px; font-weight: bold; }")
            .arg(corTexto.name()));
    grid_pre->horizontalHeader()->setFont(fonte);
    for (const ColunaGrade& c : grid_pre->Modelo()->Colunas()) titulosGrade_ << c.titulo;
    connect(grid_pre, &GradeParcelas::teclaSolta, this, &JanelaEntrada::grid_preKeyUp);
}

void JanelaEntrada::CriaBotao(int y) {
    BitBtn1 = Nomeia(new QPushButton(QStringLiteral("F5 - CONTINUA"), this), "BitBtn1");
    BitBtn1->setGeometry((width() - 153) / 2, y, 153, 41);
    BitBtn1->setFont(FonteJanela(9, true));
    PintaTexto(BitBtn1, kCorMarrom);
    QPalette p = BitBtn1->palette();
    p.setColor(QPalette::ButtonText, kCorMarrom);
    BitBtn1->setPalette(p);
    // Enter in the grid belongs to the grid, never to a default button.
    BitBtn1->setAutoDefault(false);
    BitBtn1->setDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

void JanelaEntrada::CriaStatus() {
    StatusBar1 = Nomeia(new QStatusBar(this), "StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, height() - 20, width(), 20);
    // Empty but for the bank of the cheque the grid's cursor is on.
    auto* banco = Nomeia(new QLabel(StatusBar1), "lblBanco");
    StatusBar1->addWidget(banco, 1);
    connect(grid_pre, &GradeParcelas::bancoDaLinha, banco, &QLabel::setText);
}

void JanelaEntrada::AoSair(QWidget* campo, std::function<void()> aoSair) {
    campo->installEventFilter(new FiltroSaida(campo, std::move(aoSair)));
}

// --- Event handlers ---------------------------------------------------------

void JanelaEntrada::FormActivate() {
    AplicaTextosRegionais();
    // The opening steps run once per opening: coming back from the workbench
    // after a hand-over whose calculation stopped keeps what the user typed.
    if (aberta_) return;
    aberta_ = true;
    grid_pre->Modelo()->DefineNumeroLinhas(1);
    data_ref->DefineData(Hoje());
    data_ref->setFocus(Qt::ActiveWindowFocusReason);
    grid_pre->Modelo()->DefineTitulos(titulosGrade_);
}

void JanelaEntrada::grid_preKeyUp(int tecla) {
    if (grid_pre->SetaNumaDataInvalida(tecla)) MostraMensagem(kMsgDataInvalidaSeta);
}

void JanelaEntrada::FormKeyDown() {
    // The text of a cell being edited goes to the grid first; the cell stays
    // current and the grid keeps the focus after any message.
    grid_pre->EncerraEdicao(true);
    BitBtn1->click();
}

void JanelaEntrada::keyPressEvent(QKeyEvent* e) {
    // A dialog would close on Escape and press a button on Enter; these
    // windows do neither.
    if (e->key() == Qt::Key_Escape || EhEnter(e)) {
        e->ignore();
        return;
    }
    QDialog::keyPressEvent(e);
}

void JanelaEntrada::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // The window opens ready even where the desktop is slow to activate it.
    if (!aberta_) FormActivate();
}

void JanelaEntrada::MostraMensagem(const char* texto) { ServicoMensagens().Mostra(texto); }

// --- Hand-over steps --------------------------------------------------------

bool JanelaEntrada::ConfereLinhasDaEntrada(bool exigeValor) {
    // Nothing is handed over for the calculation to take out: a date that is
    // no date stops here, its cell current for correction.
    if (!grid_pre->ConfereCelulas(/*valores=*/true)) return false;
    ModeloParcelas* m = grid_pre->Modelo();
    if (exigeValor && !ConfereValoresSemData()) return false;
    // The rows marked before a stop, or before an error, stay marked.
    std::vector<Parcela> linhas = m->Linhas();
    const auto devolve = qScopeGuard([&] { m->DefineLinhas(std::move(linhas)); });
    // Holidays count as the workbench's option says: it is there that the
    // operation is calculated.
    const std::optional<Calendario> feriados = bancada_ ? bancada_->CalendarioDeFeriados() : std::nullopt;
    return quantivo::ConfereLinhas(linhas, data_ref->Data(), CheckBox1->isChecked(),
                                   {JanelaAviso::Entrada, exigeValor, false}, ContextoJanela(),
                                   feriados ? &*feriados : nullptr)
               .desfecho != Desfecho::Interrompido;
}

bool JanelaEntrada::ConfereValoresSemData() {
    // A cheque whose value was typed and whose date was not would be left out
    // of the hand-over, and lost with this window: the clerk is told, and
    // decides (Enter leaves it out, as the hand-over always did).
    const std::vector<Parcela>& linhas = grid_pre->Modelo()->Linhas();
    QStringList quais;
    int primeira = -1;
    for (std::size_t r = 0; r < linhas.size(); ++r) {
        if (!linhas[r].Data.empty() || QString::fromStdString(linhas[r].Valor).trimmed().isEmpty()) continue;
        if (primeira < 0) primeira = static_cast<int>(r);
        quais << QString::number(r + 1);
    }
    if (primeira < 0) return true;
    if (ServicoMensagens().Pergunta(TextoValorSemData(quais).toStdString(), true, kTituloAtencao)) return true;
    grid_pre->setCurrentIndex(grid_pre->Modelo()->index(primeira, 0));
    grid_pre->setFocus(Qt::OtherFocusReason);
    return false;
}

QString TextoValorSemData(const QStringList& linhas) {
    const QString quais = linhas.size() == 1
                              ? QStringLiteral("A linha %1 tem valor e não tem data").arg(linhas.front())
                              : QStringLiteral("As linhas %1 e %2 têm valor e não têm data")
                                    .arg(linhas.mid(0, linhas.size() - 1).join(QStringLiteral(", ")), linhas.back());
    return quais + QStringLiteral(": fica%1 de fora do cálculo.\nDeixar de fora? (Não: volta para digitar a data)")
                       .arg(linhas.size() == 1 ? QString() : QStringLiteral("m"));
}

Bancada JanelaEntrada::Operacao(TipoCalculo tipo, const QString& taxa,
                                const std::vector<std::string Parcela::*>& campos,
                                bool (*entrega)(const Parcela&)) const {
    Bancada op;
    DadosGerais& d = op.dados;
    d.Tipo = tipo;
    d.DataReferencia = data_ref->Data();
    d.Taxa = taxa.toStdString();
    d.TAC = edtTAC->Valor();
    d.IOF = edtIOF->Valor();
    d.Tarifa = edtTARIFA->Valor();
    d.TipoTarifa = static_cast<TipoDeTarifa>(cbTipoTarifa->currentIndex());
    d.IncluiCompensacao = CheckBox1->isChecked();
    const std::vector<Parcela>& origem = grid_pre->Modelo()->Linhas();
    op.linhas.assign(origem.size(), Parcela{});
    for (std::size_t r = 0; r < origem.size(); ++r) {
        if (!entrega(origem[r])) continue;
        for (auto campo : campos) op.linhas[r].*campo = origem[r].*campo;
    }
    return op;
}

void JanelaEntrada::EntregaABancada(const Bancada& operacao, bool comValorFinanciado) {
    Tfrm_desconto_cheque& b = *bancada_;
    Tfrm_desconto_cheque::Repasse repasse;
    repasse.valorFinanciado = comValorFinanciado;
    repasse.cheques = true;
    if (!EncerraAcao(b.Recebe(operacao, repasse))) {
        close();
        // The user works on in the workbench: it takes the keyboard, also
        // when it was open already and showing it changed nothing.
        TrazParaOTrabalho(&b);
        return;
    }
    raise();
    activateWindow();
}

}  // namespace quantivo
