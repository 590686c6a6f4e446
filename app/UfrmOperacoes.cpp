#include "app/UfrmOperacoes.h"

#include <QAbstractTableModel>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTimer>

#include "app/DiarioDoPrograma.h"
#include "diario/Chaves.h"
#include "diario/Exporta.h"
#include "output/Bordero.h"
#include "output/F_PARAMETROS.h"
#include "output/Listagem.h"
#include "ui/Aparencia.h"
#include "ui/CampoData.h"
#include "ui/Construcao.h"
#include "ui/Regional.h"
#include "ui/Servicos.h"
#include "ui/Teclado.h"

namespace quantivo {
namespace {

// The newest this many that match are listed: the clerk narrows the search
// rather than scroll through thousands.
constexpr std::size_t kListadas = 200;
// The search runs this long after the last key.
constexpr int kEsperaMs = 150;

constexpr const char* kMsgEscolha = "Escolha uma operação na lista.";

QString Q(const std::string& s) { return QString::fromStdString(s); }

enum class Saida { Csv, Xlsx, Pdf };
struct FormatoDeSaida {
    Saida saida;
    const char* filtro;
    const char* extensao;
};
constexpr FormatoDeSaida kFormatos[] = {
    {Saida::Csv, "Texto CSV (*.csv)", ".csv"},
    {Saida::Xlsx, "Planilha XLSX (*.xlsx)", ".xlsx"},
    {Saida::Pdf, "Borderô em PDF (*.pdf)", ".pdf"},
};

// The file the clerk chose and its format: the one its name ends with, else
// the filter chosen, whose ending is then added.
struct Destino {
    QString caminho;
    Saida saida;
};
std::optional<Destino> EscolheDestino(const QString& titulo, const QString& nome, int formatos) {
    QStringList filtros;
    for (int i = 0; i < formatos; ++i) filtros << QString::fromUtf8(kFormatos[i].filtro);
    const QString pasta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const auto escolhido = EscolheArquivo(titulo, QDir(pasta).filePath(nome + kFormatos[0].extensao), filtros);
    if (!escolhido || escolhido->caminho.isEmpty()) return std::nullopt;
    for (int i = 0; i < formatos; ++i)
        if (escolhido->caminho.endsWith(QLatin1String(kFormatos[i].extensao), Qt::CaseInsensitive))
            return Destino{escolhido->caminho, kFormatos[i].saida};
    const FormatoDeSaida& f = kFormatos[std::clamp(escolhido->filtro, 0, formatos - 1)];
    return Destino{escolhido->caminho + QLatin1String(f.extensao), f.saida};
}

}  // namespace

// The list's lines, as the journal gives them.
class ModeloOperacoes : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    static constexpr int kColunas = 8;

    void Define(std::vector<diario::Resumo> linhas) {
        beginResetModel();
        linhas_ = std::move(linhas);
        endResetModel();
    }
    const diario::Resumo& Linha(int r) const { return linhas_[static_cast<std::size_t>(r)]; }

    int rowCount(const QModelIndex& pai = {}) const override {
        return pai.isValid() ? 0 : static_cast<int>(linhas_.size());
    }
    int columnCount(const QModelIndex& pai = {}) const override { return pai.isValid() ? 0 : kColunas; }
    QVariant data(const QModelIndex& i, int papel) const override {
        if (!i.isValid() || i.row() >= rowCount()) return {};
        if (papel == Qt::TextAlignmentRole)
            return QVariant::fromValue(i.column() == 0 || i.column() >= 5 ? Qt::AlignRight | Qt::AlignVCenter
                                                                          : Qt::AlignLeft | Qt::AlignVCenter);
        if (papel != Qt::DisplayRole && papel != Qt::AccessibleTextRole) return {};
        const diario::Resumo& r = Linha(i.row());
        switch (i.column()) {
            case 0:
                return QString::number(r.numero);
            case 1:
                return r.dataReferencia == kDataNula ? QString() : Q(FormataData(r.dataReferencia));
            case 2:
                return Q(r.cliente.nome);
            case 3:
                return Q(diario::DocumentoFormatado(r.cliente.documento));
            case 4: {
                const TipoOperacao* t = DescricaoDoTipo(r.tipo);
                return t ? QString::fromUtf8(t->legenda) : QString();
            }
            case 5:
                return Q(r.ValorTotal);
            case 6:
                return Q(r.ValorFinanciado);
            default:
                return QString::number(r.cheques);
        }
    }
    QVariant headerData(int secao, Qt::Orientation o, int papel) const override {
        static const char* const titulos[kColunas] = {"Nº",   "Data",        "Cliente",       "CPF/CNPJ",
                                                      "Tipo", "Valor Total", "Valor líquido", "Cheques"};
        if (o != Qt::Horizontal || papel != Qt::DisplayRole || secao < 0 || secao >= kColunas) return {};
        return QString::fromUtf8(titulos[secao]);
    }

private:
    std::vector<diario::Resumo> linhas_;
};

TfrmOperacoes::TfrmOperacoes(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmOperacoes"));
    setWindowTitle(QStringLiteral("Operações"));
    setFont(FonteJanela());
    setFixedSize(780, 446);

    auto* g = new QGroupBox(QStringLiteral("Procurar"), this);
    g->setGeometry(8, 4, 764, 70);
    edtCliente = Nomeia(new QLineEdit(g), "edtCliente");
    edtCliente->setGeometry(10, 38, 240, 22);
    edtCliente->setToolTip(QStringLiteral("Parte do nome do cliente, ou o CPF ou CNPJ escrito de qualquer forma"));
    Rotulo(g, QStringLiteral("&Cliente (nome ou CPF/CNPJ)"), {10, 20, 240, 16}, edtCliente);
    edtDe = Nomeia(new CampoData(g), "edtDe");
    edtDe->setGeometry(260, 38, 104, 22);
    Rotulo(g, QStringLiteral("&De"), {260, 20, 104, 16}, edtDe);
    edtAte = Nomeia(new CampoData(g), "edtAte");
    edtAte->setGeometry(372, 38, 104, 22);
    Rotulo(g, QStringLiteral("&Até"), {372, 20, 104, 16}, edtAte);
    for (CampoData* c : {edtDe, edtAte}) c->setToolTip(QStringLiteral("A data de referência da operação"));
    edtCheque = Nomeia(new QLineEdit(g), "edtCheque");
    edtCheque->setGeometry(486, 38, 268, 22);
    edtCheque->setToolTip(QStringLiteral("Parte do Banco/Número de um cheque, ou a linha CMC7 inteira"));
    Rotulo(g, QStringLiteral("C&heque (número ou CMC7)"), {486, 20, 268, 16}, edtCheque);
    edtCliente->setAccessibleName(QStringLiteral("Cliente (nome ou CPF/CNPJ)"));
    edtDe->setAccessibleName(QStringLiteral("De"));
    edtAte->setAccessibleName(QStringLiteral("Até"));
    edtCheque->setAccessibleName(QStringLiteral("Cheque (número ou CMC7)"));
    for (QWidget* w : {static_cast<QWidget*>(edtCliente), static_cast<QWidget*>(edtDe), static_cast<QWidget*>(edtAte),
                       static_cast<QWidget*>(edtCheque)}) {
        DestacaFoco(w);
        w->installEventFilter(this);
    }

    modelo_ = new ModeloOperacoes(this);
    lstOperacoes = Nomeia(new QTableView(this), "lstOperacoes");
    lstOperacoes->setModel(modelo_);
    lstOperacoes->setGeometry(8, 98, 764, 272);
    lstOperacoes->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstOperacoes->setSelectionMode(QAbstractItemView::SingleSelection);
    lstOperacoes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstOperacoes->setTabKeyNavigation(false);
    lstOperacoes->verticalHeader()->hide();
    lstOperacoes->verticalHeader()->setDefaultSectionSize(20);
    const int larguras[ModeloOperacoes::kColunas] = {46, 64, 176, 128, 124, 84, 84, 52};
    for (int c = 0; c < ModeloOperacoes::kColunas; ++c) lstOperacoes->setColumnWidth(c, larguras[c]);
    lstOperacoes->horizontalHeader()->setStretchLastSection(true);
    lstOperacoes->setAccessibleName(QStringLiteral("Operações salvas"));
    lstOperacoes->setToolTip(QStringLiteral("Enter reabre a operação escolhida na bancada"));
    lstOperacoes->installEventFilter(this);
    Rotulo(this, QStringLiteral("&Operações salvas, as mais recentes primeiro"), {8, 80, 400, 16}, lstOperacoes);
    connect(lstOperacoes, &QTableView::doubleClicked, this, &TfrmOperacoes::btnReabreClick);

    lblSituacao = Nomeia(Rotulo(this, QString(), {8, 374, 764, 30}), "lblSituacao");
    lblSituacao->setWordWrap(true);

    auto botao = [this](const char* nome, const QString& texto, int x, int largura) {
        auto* b = Nomeia(new QPushButton(texto, this), nome);
        b->setGeometry(x, 408, largura, 30);
        b->setAutoDefault(false);
        return b;
    };
    btnReabre = botao("btnReabre", QStringLiteral("&Reabre (Enter)"), 8, 120);
    btnExporta = botao("btnExporta", QStringLiteral("&Exporta (Ctrl+E)"), 134, 132);
    btnPeriodo = botao("btnPeriodo", QStringLiteral("Exporta o &período (Ctrl+M)"), 272, 180);
    btnImprime = botao("btnImprime", QStringLiteral("&Imprime borderô (Ctrl+P)"), 458, 180);
    btnFecha = botao("btnFecha", QStringLiteral("&Fecha (Esc)"), 672, 100);
    btnReabre->setToolTip(QStringLiteral("A operação escolhida de volta na bancada, recalculada"));
    btnExporta->setToolTip(QStringLiteral("A operação escolhida em CSV, em planilha XLSX ou o borderô em PDF"));
    btnPeriodo->setToolTip(QStringLiteral("Todas as operações das datas De e Até, em CSV ou planilha XLSX"));
    btnImprime->setToolTip(QStringLiteral("O borderô da operação escolhida, para o cliente"));
    connect(btnReabre, &QPushButton::clicked, this, &TfrmOperacoes::btnReabreClick);
    connect(btnExporta, &QPushButton::clicked, this, &TfrmOperacoes::btnExportaClick);
    connect(btnPeriodo, &QPushButton::clicked, this, &TfrmOperacoes::btnPeriodoClick);
    connect(btnImprime, &QPushButton::clicked, this, &TfrmOperacoes::btnImprimeClick);
    connect(btnFecha, &QPushButton::clicked, this, &QDialog::reject);
    TeclaDaJanela(this, QKeySequence(Qt::CTRL | Qt::Key_E), [this] { btnExporta->click(); });
    TeclaDaJanela(this, QKeySequence(Qt::CTRL | Qt::Key_M), [this] { btnPeriodo->click(); });
    TeclaDaJanela(this, QKeySequence(Qt::CTRL | Qt::Key_P), [this] { btnImprime->click(); });
    // Enter in a filter searches at once and goes to the list; in the list
    // it reopens, and on a button it presses it.
    EnterComoTab(
        this, [this](const QWidget* w) { return w == lstOperacoes || qobject_cast<const QPushButton*>(w); },
        [this] { Avanca(); });
    DefineOrdemTab(
        {edtCliente, edtDe, edtAte, edtCheque, lstOperacoes, btnReabre, btnExporta, btnPeriodo, btnImprime, btnFecha});

    espera_ = new QTimer(this);
    espera_->setSingleShot(true);
    espera_->setInterval(kEsperaMs);
    connect(espera_, &QTimer::timeout, this, &TfrmOperacoes::Procura);
    const auto agenda = [this] { espera_->start(); };
    connect(edtCliente, &QLineEdit::textEdited, this, agenda);
    connect(edtCheque, &QLineEdit::textEdited, this, agenda);
    for (CampoData* c : {edtDe, edtAte}) {
        connect(c, &CampoData::dataAlterada, this, agenda);
        // A date erased counts from the last key, as the other filters.
        connect(c, &QLineEdit::textEdited, this, [this, c] {
            if (c->Data() == kDataNula) espera_->start();
        });
    }
}

bool TfrmOperacoes::Prepara() {
    paraReabrir_.reset();
    avisouFalha_ = false;
    if (!DiarioDoPrograma()) return false;
    Procura();
    return true;
}

void TfrmOperacoes::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    edtCliente->setFocus(Qt::ActiveWindowFocusReason);
}

void TfrmOperacoes::Situacao(const QString& texto) {
    lblSituacao->setText(texto);
    lblSituacao->setAccessibleName(texto);
}

void TfrmOperacoes::Procura() {
    espera_->stop();
    diario::Diario* d = DiarioDoPrograma();
    if (!d) {
        modelo_->Define({});
        return Situacao(QStringLiteral("O diário de operações não pôde ser aberto."));
    }
    diario::Filtro f;
    f.cliente = edtCliente->text().toStdString();
    f.cheque = edtCheque->text().toStdString();
    if (const Data de = edtDe->Data(); de != kDataNula) f.de = de;
    if (const Data ate = edtAte->Data(); ate != kDataNula) f.ate = ate;
    // One more than is listed tells whether there are more.
    f.limite = kListadas + 1;
    f.recentesPrimeiro = true;
    std::vector<diario::Resumo> achadas;
    try {
        achadas = d->Lista(f);
    } catch (const diario::ErroDiario& e) {
        modelo_->Define({});
        Situacao(QString::fromUtf8(e.what()));
        if (!std::exchange(avisouFalha_, true)) ServicoMensagens().Mostra(e.what(), {}, Icone::Erro);
        return;
    }
    const bool mais = achadas.size() > kListadas;
    if (mais) achadas.resize(kListadas);
    const bool filtrada = !f.cliente.empty() || !f.cheque.empty() || f.de || f.ate;
    const std::size_t n = achadas.size();
    modelo_->Define(std::move(achadas));
    if (n > 0) lstOperacoes->selectRow(0);
    if (mais)
        Situacao(QStringLiteral("As %1 mais recentes; há outras: estreite a busca para vê-las.").arg(kListadas));
    else if (n == 0)
        Situacao(filtrada ? QStringLiteral("Nenhuma operação encontrada.") : QStringLiteral("Nenhuma operação salva."));
    else
        Situacao(n == 1 ? QStringLiteral("1 operação.") : QStringLiteral("%1 operações.").arg(n));
}

void TfrmOperacoes::Avanca() {
    QWidget* foco = focusWidget();
    const bool filtro = foco == edtCliente || foco == edtDe || foco == edtAte || foco == edtCheque;
    if (!filtro) return PassaAdiante(this);
    // A date being typed that is no date is said, and stays for correction.
    if (auto* campo = qobject_cast<CampoData*>(foco); campo && !campo->ConfereData()) return;
    Procura();
    if (modelo_->rowCount() == 0) return PassaAdiante(this);
    lstOperacoes->setFocus(Qt::TabFocusReason);
    if (!lstOperacoes->currentIndex().isValid()) lstOperacoes->selectRow(0);
}

std::optional<std::int64_t> TfrmOperacoes::Escolhida() const {
    const QModelIndex i = lstOperacoes->currentIndex();
    if (!i.isValid() || i.row() >= modelo_->rowCount()) return std::nullopt;
    return modelo_->Linha(i.row()).numero;
}

void TfrmOperacoes::btnReabreClick() {
    // A search still waiting for its moment is the one the clerk sees coming.
    if (espera_->isActive()) Procura();
    const auto numero = Escolhida();
    if (!numero) return ServicoMensagens().Mostra(kMsgEscolha, {}, Icone::Aviso);
    paraReabrir_ = numero;
    accept();
}

std::optional<TfrmOperacoes::Lida> TfrmOperacoes::LeEscolhida() {
    if (espera_->isActive()) Procura();
    const auto numero = Escolhida();
    if (!numero) {
        ServicoMensagens().Mostra(kMsgEscolha, {}, Icone::Aviso);
        return std::nullopt;
    }
    diario::Diario* d = DiarioDoPrograma();
    if (!d) return std::nullopt;
    try {
        std::optional<diario::OperacaoSalva> salva = d->Le(*numero);
        if (!salva) {
            ServicoMensagens().Mostra("O diário não tem a operação nº " + std::to_string(*numero) + ".", {},
                                      Icone::Aviso);
            return std::nullopt;
        }
        return Lida{std::move(*salva), {}};
    } catch (const diario::ErroDiario& e) {
        ServicoMensagens().Mostra(e.what(), {}, Icone::Erro);
        return std::nullopt;
    }
}

// The borderô of an operation read and recalculated: the firm from the
// issuer's settings (none configured prints none; one that cannot be read is
// said, and nothing is printed).
std::optional<DadosBordero> TfrmOperacoes::DadosDoBordero(const Lida& lida) {
    DadosBordero d;
    d.numero = lida.salva.numero;
    d.salvaEm = lida.salva.salvaEm;
    d.operacao = lida.reaberta.operacao;
    d.operacao.cliente = {lida.salva.cliente.nome, lida.salva.cliente.documento};
    d.hoje = lida.reaberta.hoje;
    try {
        d.firma = LeCadastroDoPrograma().value_or(Cadastro{});
    } catch (const ErroArquivo& e) {
        ServicoMensagens().Mostra(e.what(), {}, Icone::Erro);
        return std::nullopt;
    }
    return d;
}

bool TfrmOperacoes::Recalcula(Lida& lida) {
    try {
        lida.reaberta = diario::Reabre(lida.salva, Hoje());
        return true;
    } catch (const diario::ErroDiario& e) {
        ServicoMensagens().Mostra(std::string("Não foi possível ler a operação: ") + e.what() + ".", {}, Icone::Erro);
        return false;
    }
}

void TfrmOperacoes::btnExportaClick() {
    auto lida = LeEscolhida();
    if (!lida) return;
    const std::int64_t numero = lida->salva.numero;
    const auto destino = EscolheDestino(QStringLiteral("Exportar a operação nº %1").arg(numero),
                                        QStringLiteral("operacao-%1").arg(numero), 3);
    if (!destino) return;
    if (destino->saida == Saida::Pdf) {
        if (!Recalcula(*lida)) return;
        const auto dados = DadosDoBordero(*lida);
        if (!dados) return;
        QString motivo;
        if (!GravaBorderoPdf(*dados, destino->caminho, &motivo)) {
            ServicoMensagens().Mostra(motivo.toStdString(), {}, Icone::Erro);
            return;
        }
    } else {
        try {
            diario::Exporta(lida->salva, destino->saida == Saida::Csv ? diario::Formato::Csv : diario::Formato::Xlsx,
                            destino->caminho.toStdString());
        } catch (const diario::ErroDiario& e) {
            ServicoMensagens().Mostra(e.what(), {}, Icone::Erro);
            return;
        }
    }
    Situacao(
        QStringLiteral("Operação nº %1 exportada em %2").arg(numero).arg(QDir::toNativeSeparators(destino->caminho)));
}

void TfrmOperacoes::btnPeriodoClick() {
    for (CampoData* c : {edtDe, edtAte})
        if (!c->ConfereData()) return;
    const Data de = edtDe->Data(), ate = edtAte->Data();
    if (de == kDataNula || ate == kDataNula) {
        ServicoMensagens().Mostra("Informe as datas De e Até do período a exportar.", {}, Icone::Aviso);
        (de == kDataNula ? edtDe : edtAte)->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (de > ate) {
        ServicoMensagens().Mostra("A data De deve ser anterior ou igual à data Até.", {}, Icone::Aviso);
        edtDe->setFocus(Qt::OtherFocusReason);
        return;
    }
    diario::Diario* d = DiarioDoPrograma();
    if (!d) return;
    const QString periodo = QStringLiteral("de %1 a %2").arg(Q(FormataData(de)), Q(FormataData(ate)));
    std::vector<diario::OperacaoSalva> ops;
    try {
        ops = d->Periodo(de, ate);
    } catch (const diario::ErroDiario& e) {
        ServicoMensagens().Mostra(e.what(), {}, Icone::Erro);
        return;
    }
    if (ops.empty()) {
        ServicoMensagens().Mostra("Nenhuma operação salva " + periodo.toStdString() + ".", {}, Icone::Informacao);
        return;
    }
    const QString nome =
        QStringLiteral("operacoes-%1-a-%2")
            .arg(Q(FormataDataLonga(de)).replace('/', '-'), Q(FormataDataLonga(ate)).replace('/', '-'));
    const auto destino = EscolheDestino(QStringLiteral("Exportar as operações %1").arg(periodo), nome, 2);
    if (!destino) return;
    try {
        diario::ExportaPeriodo(ops, destino->saida == Saida::Csv ? diario::Formato::Csv : diario::Formato::Xlsx,
                               destino->caminho.toStdString());
    } catch (const diario::ErroDiario& e) {
        ServicoMensagens().Mostra(e.what(), {}, Icone::Erro);
        return;
    }
    Situacao(QStringLiteral("%1 operações %2 exportadas em %3")
                 .arg(ops.size())
                 .arg(periodo, QDir::toNativeSeparators(destino->caminho)));
}

void TfrmOperacoes::btnImprimeClick() {
    auto lida = LeEscolhida();
    if (!lida || !Recalcula(*lida)) return;
    const auto dados = DadosDoBordero(*lida);
    if (!dados) return;
    if (ImprimeBordero(*dados) == ResultadoImpressao::Impresso)
        Situacao(QStringLiteral("Borderô da operação nº %1 impresso").arg(lida->salva.numero));
}

bool TfrmOperacoes::eventFilter(QObject* obj, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        if (obj == lstOperacoes && EhEnter(k)) {
            btnReabreClick();
            return true;
        }
        // Down in a filter goes to the list.
        if (obj != lstOperacoes && k->key() == Qt::Key_Down && k->modifiers() == Qt::NoModifier &&
            modelo_->rowCount() > 0) {
            if (espera_->isActive()) Procura();
            lstOperacoes->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(obj, e);
}

}  // namespace quantivo
