#include "windows/GradeParcelas.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelection>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <algorithm>
#include <unordered_map>
#include <utility>

#include "core/Cmc7.h"
#include "core/Datas.h"
#include "ui/Aparencia.h"
#include "ui/CampoData.h"
#include "ui/Quantias.h"
#include "ui/Servicos.h"
#include "windows/Colagem.h"

namespace quantivo {

// The date mask "99/99/00" (optional day and month digits, required year
// digits) in Qt's convention, where "0" is the optional digit.
static const QString kMascaraData = QStringLiteral("00/00/99");

const QString kDicaGradeCheques = QStringLiteral(
    "Quando o tipo de calculo for DESCONTO POR FORA\n"
    "   Na coluna data informe as datas de vencimentos\n"
    "\n"
    "Quando o tipo de calculo for DESCONTO DE CHEQUE\n"
    "  Nas colunas data e valor informe as datas dos cheque e os valores");

namespace {

bool SemDigito(const QString& t) {
    return std::none_of(t.begin(), t.end(), [](QChar c) { return c.isDigit(); });
}

// A date cell's text that is no date; a blank mask is an empty cell.
bool DataInvalidaNaCelula(const QString& t) { return !SemDigito(t) && !DataValida(t.toStdString(), AnoDe(Hoje())); }

// How many of a paste's problems one box lists.
constexpr int kProblemasListados = 10;

}  // namespace

QString TextoDataInvalidaNaLinha(const QString& texto, int linha) {
    return QStringLiteral("A data \"%1\" da linha %2 não existe.\nDigite uma data válida no formato dd/mm/aa.")
        .arg(texto)
        .arg(linha);
}

std::vector<ColunaGrade> ColunasBancada() {
    return {
        {QStringLiteral("Data"), &Parcela::Data, 81, FiltroTeclas::Vencimento},
        {QStringLiteral("Valor"), &Parcela::Valor, 91, FiltroTeclas::Valor},
        {QStringLiteral("Banco/Número"), &Parcela::BancoNumero, 111, FiltroTeclas::Livre},
        {QStringLiteral("Emitente"), &Parcela::Emitente, 132, FiltroTeclas::Livre},
        {QStringLiteral("Nº Dias"), &Parcela::Dias, 64, FiltroTeclas::Bloqueado},
    };
}

// --- ModeloParcelas ---------------------------------------------------------

ModeloParcelas::ModeloParcelas(std::vector<ColunaGrade> colunas, QObject* parent)
    : QAbstractTableModel(parent), colunas_(std::move(colunas)) {}

int ModeloParcelas::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : NumeroLinhas(); }

int ModeloParcelas::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(colunas_.size());
}

QVariant ModeloParcelas::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole) {
        // Empty: the grid's own hint is shown instead.
        const QString banco = TextoBancoDaLinha(linhas_[static_cast<std::size_t>(index.row())]);
        return banco.isEmpty() ? QVariant() : QVariant(banco);
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    return Celula(index.row(), index.column());
}

bool ModeloParcelas::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    Parcela& p = linhas_[static_cast<std::size_t>(index.row())];
    std::string Parcela::*campo = colunas_[static_cast<std::size_t>(index.column())].campo;
    std::string texto = value.toString().toStdString();
    // A kept magnetic line never stands behind another Banco/Número than
    // the one it gave.
    if (campo == &Parcela::BancoNumero && texto != p.BancoNumero) p.CMC7.clear();
    p.*campo = std::move(texto);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags ModeloParcelas::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant ModeloParcelas::headerData(int section, Qt::Orientation o, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (o == Qt::Horizontal && section >= 0 && section < columnCount())
        return colunas_[static_cast<std::size_t>(section)].titulo;
    if (o == Qt::Vertical) return section + 1;
    return {};
}

void ModeloParcelas::DefineLinhas(std::vector<Parcela> linhas) {
    if (linhas.empty()) linhas.resize(1);
    if (linhas.size() == linhas_.size()) {
        linhas_ = std::move(linhas);
        emit dataChanged(index(0, 0), index(NumeroLinhas() - 1, columnCount() - 1), {Qt::DisplayRole, Qt::EditRole});
        return;
    }
    beginResetModel();
    linhas_ = std::move(linhas);
    endResetModel();
}

void ModeloParcelas::DefineNumeroLinhas(int n) {
    n = std::max(1, n);
    if (n > NumeroLinhas()) {
        beginInsertRows({}, NumeroLinhas(), n - 1);
        linhas_.resize(static_cast<std::size_t>(n));
        endInsertRows();
    } else if (n < NumeroLinhas()) {
        beginRemoveRows({}, n, NumeroLinhas() - 1);
        linhas_.resize(static_cast<std::size_t>(n));
        endRemoveRows();
    }
}

QString ModeloParcelas::Celula(int linha, int coluna) const {
    if (linha < 0 || linha >= NumeroLinhas() || coluna < 0 || coluna >= columnCount()) return {};
    return QString::fromStdString(linhas_[static_cast<std::size_t>(linha)].*
                                  colunas_[static_cast<std::size_t>(coluna)].campo);
}

void ModeloParcelas::DefineCelula(int linha, int coluna, const QString& texto) {
    if (linha < 0 || coluna < 0 || coluna >= columnCount()) return;
    if (linha >= NumeroLinhas()) DefineNumeroLinhas(linha + 1);
    setData(index(linha, coluna), texto, Qt::EditRole);
}

void ModeloParcelas::AcrescentaLinha() { DefineNumeroLinhas(NumeroLinhas() + 1); }

int ModeloParcelas::ColunaDe(std::string Parcela::*campo) const {
    for (std::size_t c = 0; c < colunas_.size(); ++c)
        if (colunas_[c].campo == campo) return static_cast<int>(c);
    return -1;
}

void ModeloParcelas::DefineCheque(int linha, const QString& bancoNumero, const std::string& cmc7) {
    const int coluna = ColunaDe(&Parcela::BancoNumero);
    if (linha < 0 || coluna < 0) return;
    DefineCelula(linha, coluna, bancoNumero);
    linhas_[static_cast<std::size_t>(linha)].CMC7 = cmc7;
    // The row's tooltip follows its bank.
    emit dataChanged(index(linha, 0), index(linha, columnCount() - 1), {Qt::ToolTipRole});
}

void ModeloParcelas::DefineTitulos(const QStringList& titulos) {
    for (int i = 0; i < titulos.size() && i < columnCount(); ++i)
        colunas_[static_cast<std::size_t>(i)].titulo = titulos[i];
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

// --- GradeParcelas ----------------------------------------------------------

GradeParcelas::GradeParcelas(std::vector<ColunaGrade> colunas, QWidget* parent)
    : QTableView(parent), modelo_(new ModeloParcelas(std::move(colunas), this)) {
    setModel(modelo_);
    setItemDelegate(new DelegadoParcelas(this));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(20);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    for (int c = 0; c < modelo_->columnCount(); ++c)
        setColumnWidth(c, modelo_->Colunas()[static_cast<std::size_t>(c)].largura);
    // A block of cells can be selected (Shift with the arrows) to be copied.
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // A typed key opens the current cell's editor at once, whatever the time
    // since a click. A click on the current cell does not start a delayed
    // edit: while that waited for the double-click interval, the keys typed
    // meanwhile went elsewhere.
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(false);
    // Whole rows at the top, never half of one.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);
    PintaFundo(viewport(), kCorGrade);
    PintaFundo(this, kCorGrade);
    setCurrentIndex(modelo_->index(0, 0));
    // What Delete cleared comes back only while nothing else has changed.
    const auto esquece = [this] {
        if (!apagando_) apagadas_.clear();
    };
    connect(modelo_, &QAbstractItemModel::dataChanged, this, esquece);
    connect(modelo_, &QAbstractItemModel::modelReset, this, esquece);
    connect(modelo_, &QAbstractItemModel::rowsRemoved, this, esquece);

    leitor_ = new RecepcaoLeitor(this);
    connect(leitor_, &RecepcaoLeitor::pausa, this, &GradeParcelas::TerminaLeitura);
    // The status bar names the bank of the row the cursor is on.
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &GradeParcelas::AvisaBanco);
    connect(modelo_, &QAbstractItemModel::dataChanged, this, &GradeParcelas::AvisaBanco);
    connect(modelo_, &QAbstractItemModel::modelReset, this, &GradeParcelas::AvisaBanco);
    connect(modelo_, &QAbstractItemModel::rowsRemoved, this, &GradeParcelas::AvisaBanco);
}

void GradeParcelas::AvisaBanco() {
    const int l = currentIndex().isValid() ? currentIndex().row() : -1;
    const QString banco = l >= 0 && l < modelo_->NumeroLinhas()
                              ? TextoBancoDaLinha(modelo_->Linhas()[static_cast<std::size_t>(l)])
                              : QString();
    if (banco == bancoAvisado_) return;
    bancoAvisado_ = banco;
    emit bancoDaLinha(banco);
}

FiltroTeclas GradeParcelas::FiltroDa(int coluna) const {
    return modelo_->Colunas()[static_cast<std::size_t>(coluna)].filtro;
}

QString GradeParcelas::TextoGuardado(int coluna, const QString& texto) const {
    return FiltroDa(coluna) == FiltroTeclas::Vencimento && SemDigito(texto) ? QString() : texto;
}

QString GradeParcelas::TextoCelula(int linha, int coluna) const {
    if (editor_ && indiceEditor_.isValid() && indiceEditor_.row() == linha && indiceEditor_.column() == coluna)
        return editor_->text();
    return modelo_->Celula(linha, coluna);
}

bool GradeParcelas::SetaNumaDataInvalida(int tecla) const {
    if (tecla != Qt::Key_Right || lembrada_.linha < 0 || lembrada_.coluna < 0) return false;
    if (FiltroDa(lembrada_.coluna) != FiltroTeclas::Vencimento) return false;
    return DataInvalidaNaCelula(TextoCelula(lembrada_.linha, lembrada_.coluna));
}

void GradeParcelas::ConfirmaEdicao() {
    if (editor_ && indiceEditor_.isValid())
        modelo_->setData(indiceEditor_, TextoGuardado(indiceEditor_.column(), editor_->text()), Qt::EditRole);
}

void GradeParcelas::EncerraEdicao(bool confirma) {
    // A reader's line still coming is complete or dropped with the cell.
    if (leitor_->Recebendo()) {
        if (confirma)
            TerminaLeitura();
        else
            leitor_->Cancela();
    }
    if (!editor_) return;
    if (confirma) ConfirmaEdicao();
    const QScopedValueRollback aqui(encerrando_, true);
    closeEditor(editor_, QAbstractItemDelegate::NoHint);
}

// A closed editor is deleted only later; until then it must no longer count
// as the open one, or ConfirmaEdicao would write its old text back.
void GradeParcelas::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint dica) {
    QPersistentModelIndex deixada;
    if (editor == editor_) {
        deixada = indiceEditor_;
        editor_ = nullptr;
        indiceEditor_ = QPersistentModelIndex();
    }
    // Left by Tab, or for another control: its text is checked once the
    // focus has settled, and a Tab does not move on past a cell to correct.
    // Enter and the arrows check in keyPressEvent, the windows' actions in
    // ConfereCelulas.
    const bool saida = deixada.isValid() && !encerrando_ &&
                       (dica == QAbstractItemDelegate::EditNextItem ||
                        dica == QAbstractItemDelegate::EditPreviousItem || saindoPorFoco_);
    if (saida && TemProblema(deixada)) {
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        AgendaConferencia(deixada);
        return;
    }
    QTableView::closeEditor(editor, dica);
}

bool GradeParcelas::TemProblema(const QModelIndex& i) const {
    const QString t = modelo_->Celula(i.row(), i.column());
    switch (FiltroDa(i.column())) {
        case FiltroTeclas::Vencimento:
            return DataInvalidaNaCelula(t);
        case FiltroTeclas::Valor:
            return MilharAmbiguo(t);
        default:
            // A valid line still to become its Banco/Número is one too.
            return i.column() == modelo_->ColunaDe(&Parcela::BancoNumero) && PareceCmc7(t.toStdString());
    }
}

GradeParcelas::Cheque GradeParcelas::LeCheque(const QModelIndex& i, int* repetida, std::string* problema) {
    *repetida = -1;
    const QString t = modelo_->Celula(i.row(), i.column());
    if (i.column() != modelo_->ColunaDe(&Parcela::BancoNumero) || !PareceCmc7(t.toStdString())) return Cheque::Livre;
    const LeituraCmc7 lida = LeCmc7(t.toStdString());
    if (!lida.Valido()) {
        *problema = lida.problema;
        return Cheque::Recusado;
    }
    modelo_->DefineCheque(i.row(), QString::fromStdString(lida.cmc7->BancoNumero()), t.toStdString());
    *repetida = LinhaDoMesmoCheque(i.row());
    return Cheque::Aceito;
}

int GradeParcelas::LinhaDoMesmoCheque(int linha) const {
    const std::vector<Parcela>& linhas = modelo_->Linhas();
    if (linha < 0 || linha >= modelo_->NumeroLinhas()) return -1;
    const std::string d = DigitosDoCmc7(linhas[static_cast<std::size_t>(linha)].CMC7);
    if (d.empty()) return -1;
    for (std::size_t l = 0; l < linhas.size(); ++l)
        if (static_cast<int>(l) != linha && !linhas[l].CMC7.empty() && DigitosDoCmc7(linhas[l].CMC7) == d)
            return static_cast<int>(l);
    return -1;
}

void GradeParcelas::VoltaACelula(const QModelIndex& i) {
    if (!i.isValid() || !isVisible()) return;
    setCurrentIndex(i);
    scrollTo(i);
    setFocus(Qt::OtherFocusReason);
}

bool GradeParcelas::ConfereCelula(const QModelIndex& indice) {
    if (!TemProblema(indice)) return true;
    const QPersistentModelIndex i(indice);
    const QString t = modelo_->Celula(i.row(), i.column());
    const int linha = i.row() + 1;
    const QPointer<GradeParcelas> viva(this);
    int repetida = -1;
    std::string problema;
    switch (LeCheque(i, &repetida, &problema)) {
        case Cheque::Livre:
            break;
        case Cheque::Aceito:
            // Said, and the row kept: the clerk decides.
            if (repetida >= 0) {
                avisouNaTecla_ = true;
                ServicoMensagens().Mostra(TextoChequeRepetido(repetida + 1).toStdString(), kTituloAtencao,
                                          Icone::Aviso);
            }
            return true;
        case Cheque::Recusado:
            VoltaACelula(i);
            avisouNaTecla_ = true;
            ServicoMensagens().Mostra(TextoCmc7Recusado(linha, problema).toStdString(), kTituloAtencao, Icone::Aviso);
            if (viva) VoltaACelula(i);
            return false;
    }
    // The cell is current under the box, so that the focus comes back to it.
    VoltaACelula(i);
    avisouNaTecla_ = true;
    if (FiltroDa(i.column()) == FiltroTeclas::Valor) {
        if (ConfirmaMilhar(t, linha)) {
            if (viva && i.isValid()) modelo_->DefineCelula(i.row(), i.column(), SemMilhar(t));
            return true;
        }
    } else {
        ServicoMensagens().Mostra(TextoDataInvalidaNaLinha(t, linha).toStdString(), kTituloAtencao, Icone::Aviso);
    }
    if (viva) VoltaACelula(i);
    return false;
}

void GradeParcelas::AgendaConferencia(const QModelIndex& i) {
    pendente_ = i;
    QuandoOFocoAssentar(this, [this] {
        const QPersistentModelIndex deixada = std::exchange(pendente_, QPersistentModelIndex());
        if (deixada.isValid() && isVisible()) ConfereCelula(deixada);
    });
}

bool GradeParcelas::ConfereCelulas(bool valores) {
    EncerraEdicao(true);
    pendente_ = QPersistentModelIndex();
    const int bancoNumero = modelo_->ColunaDe(&Parcela::BancoNumero);
    for (int l = 0; l < modelo_->NumeroLinhas(); ++l) {
        for (int c = 0; c < modelo_->columnCount(); ++c) {
            const FiltroTeclas f = FiltroDa(c);
            if (f == FiltroTeclas::Vencimento) {
                const QString t = modelo_->Celula(l, c);
                if (!t.isEmpty() && SemDigito(t)) modelo_->DefineCelula(l, c, QString());
            } else if (c != bancoNumero && (f != FiltroTeclas::Valor || !valores)) {
                continue;
            }
            if (!ConfereCelula(modelo_->index(l, c))) return false;
        }
    }
    return true;
}

void GradeParcelas::VaiParaPrimeiraLinhaVazia() {
    EncerraEdicao(true);
    const auto digitavel = [this](int c) { return FiltroDa(c) != FiltroTeclas::Bloqueado; };
    const auto vazia = [&](int l) {
        for (int c = 0; c < modelo_->columnCount(); ++c)
            if (digitavel(c) && !modelo_->Celula(l, c).isEmpty()) return false;
        return true;
    };
    int linha = 0;
    while (linha < modelo_->NumeroLinhas() && !vazia(linha)) ++linha;
    if (linha == modelo_->NumeroLinhas()) modelo_->AcrescentaLinha();
    int coluna = 0;
    while (coluna < modelo_->columnCount() - 1 && !digitavel(coluna)) ++coluna;
    const QModelIndex i = modelo_->index(linha, coluna);
    setFocus(Qt::TabFocusReason);
    setCurrentIndex(i);
    scrollTo(i);
}

void GradeParcelas::EditorCriado(QLineEdit* editor, const QModelIndex& index) {
    editor_ = editor;
    indiceEditor_ = index;
    lembrada_ = {index.row(), index.column()};
}

QModelIndex GradeParcelas::moveCursor(CursorAction acao, Qt::KeyboardModifiers mods) {
    const QModelIndex atual = currentIndex();
    // Moving down from the last row adds an empty row.
    if (acao == MoveDown && atual.isValid() && atual.row() == modelo_->NumeroLinhas() - 1) {
        modelo_->AcrescentaLinha();
        return modelo_->index(atual.row() + 1, atual.column());
    }
    return QTableView::moveCursor(acao, mods);
}

// The next cell the user types into: the next column that takes typing, or
// the first such column of the next row, which is added at the end when the
// grid grows on moving down.
QModelIndex GradeParcelas::ProximaCelula(const QModelIndex& atual) {
    const auto digitavel = [this](int c) {
        return modelo_->Colunas()[static_cast<std::size_t>(c)].filtro != FiltroTeclas::Bloqueado;
    };
    const int linha = atual.isValid() ? atual.row() : 0;
    for (int c = (atual.isValid() ? atual.column() : -1) + 1; c < modelo_->columnCount(); ++c)
        if (digitavel(c)) return modelo_->index(linha, c);
    int primeira = 0;
    while (primeira < modelo_->columnCount() - 1 && !digitavel(primeira)) ++primeira;
    if (linha + 1 >= modelo_->NumeroLinhas()) modelo_->AcrescentaLinha();
    return modelo_->index(linha + 1, primeira);
}

void GradeParcelas::AvancaComEnter() {
    const bool editada = editor_ && indiceEditor_.isValid();
    const QModelIndex atual = editada ? QModelIndex(indiceEditor_) : currentIndex();
    EncerraEdicao(true);
    if (editada && !ConfereCelula(atual)) return;
    const QModelIndex proxima = ProximaCelula(atual);
    if (!proxima.isValid()) return;
    setCurrentIndex(proxima);
    scrollTo(proxima);
}

// At the end of its range a per-row scroll bar would show the last row at
// the bottom edge and cut the top one; the top row is kept whole instead.
void GradeParcelas::AlinhaTopo() {
    const QScrollBar* barra = verticalScrollBar();
    if (verticalScrollMode() != ScrollPerItem || barra->maximum() <= 0 || barra->value() != barra->maximum()) return;
    const int topo = verticalHeader()->sectionPosition(barra->value());
    if (verticalHeader()->offset() == topo) return;
    verticalHeader()->setOffset(topo);
    updateEditorGeometries();
    viewport()->update();
}

void GradeParcelas::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    AlinhaTopo();
}

void GradeParcelas::updateGeometries() {
    QTableView::updateGeometries();
    AlinhaTopo();
}

void GradeParcelas::keyboardSearch(const QString&) {
    // Typed characters edit the current cell; they never move the cursor to
    // a row that happens to begin with them.
}

// A copied column of magnetic lines: every cell blank or looking like a
// line, and one at least a reader's or a valid one (a column of long numbers
// is not taken for cheques).
static bool ColunaDeCmc7(const std::vector<QStringList>& bloco) {
    bool alguma = false;
    for (const QStringList& l : bloco) {
        if (l.size() != 1) return false;
        const std::string t = l[0].trimmed().toStdString();
        if (t.empty()) continue;
        if (!PareceCmc7(t)) return false;
        alguma = alguma || VemDoLeitor(t) || LeCmc7(t).Valido();
    }
    return alguma;
}

void GradeParcelas::Cola() {
    const std::vector<QStringList> bloco = LeBloco(QGuiApplication::clipboard()->text());
    if (bloco.empty()) return;
    EncerraEdicao(true);
    const QModelIndex atual = currentIndex();
    const int bancoNumero = modelo_->ColunaDe(&Parcela::BancoNumero);
    // A column of magnetic lines goes into "Banco/Número" wherever the
    // cursor stands, as a reader's line does.
    const bool cheques = ColunaDeCmc7(bloco);
    if (cheques && bancoNumero < 0) {
        ServicoMensagens().Mostra(kMsgLeitorSemBancoNumero, kTituloAtencao, Icone::Aviso);
        return;
    }
    const int linha0 = atual.isValid() ? atual.row() : 0;
    const int coluna0 = cheques ? bancoNumero : atual.isValid() ? atual.column() : 0;
    int ultimaColuna = coluna0;
    // What the paste could not read, in row order: dates that are no date
    // (they stay, for correction), texts that are no amount (left out) and
    // magnetic lines refused (they stay); then the cheques already in the
    // grid.
    QStringList problemas;
    bool datas = false;
    QModelIndex primeiro;
    std::vector<int> lidos;
    for (std::size_t i = 0; i < bloco.size(); ++i) {
        const int linha = linha0 + static_cast<int>(i);
        for (int j = 0; j < bloco[i].size(); ++j) {
            const int coluna = coluna0 + j;
            if (coluna >= modelo_->columnCount()) break;
            const FiltroTeclas filtro = FiltroDa(coluna);
            if (filtro == FiltroTeclas::Bloqueado) continue;
            const QString colado = bloco[i][j].trimmed();
            const bool cmc7 = coluna == bancoNumero && PareceCmc7(colado.toStdString());
            const QString celula = cmc7 ? colado : LimpaCelulaColada(filtro, bloco[i][j]);
            modelo_->DefineCelula(linha, coluna, celula);
            ultimaColuna = std::max(ultimaColuna, coluna);
            QString problema;
            int repetida = -1;
            std::string recusa;
            if (cmc7) {
                if (LeCheque(modelo_->index(linha, coluna), &repetida, &recusa) == Cheque::Recusado)
                    problema = TextoCmc7Recusado(linha + 1, recusa);
                else
                    lidos.push_back(linha);
            } else if (filtro == FiltroTeclas::Vencimento && !colado.isEmpty() &&
                       (SemDigito(celula) || DataInvalidaNaCelula(celula))) {
                problema = QStringLiteral("A data \"%1\" da linha %2 não existe.")
                               .arg(SemDigito(celula) ? colado : celula)
                               .arg(linha + 1);
                datas = true;
            } else if (filtro == FiltroTeclas::Valor && !LimpaQuantiaColada(colado)) {
                problema = QStringLiteral("O valor \"%1\" da linha %2 não é um valor; a célula ficou em branco.")
                               .arg(colado)
                               .arg(linha + 1);
            }
            if (problema.isEmpty()) continue;
            if (!primeiro.isValid()) primeiro = modelo_->index(linha, coluna);
            problemas << problema;
        }
    }
    // Each cheque's first two rows, so that a long paste is not checked row
    // against row; of two equal cheques within the paste, the later is said.
    std::unordered_map<std::string, std::pair<int, int>> primeiras;
    for (int l = 0; l < modelo_->NumeroLinhas(); ++l) {
        const std::string d = DigitosDoCmc7(modelo_->Linhas()[static_cast<std::size_t>(l)].CMC7);
        if (d.empty()) continue;
        auto& [a, b] = primeiras.try_emplace(d, -1, -1).first->second;
        if (a < 0)
            a = l;
        else if (b < 0)
            b = l;
    }
    const int linhaFim = linha0 + static_cast<int>(bloco.size()) - 1;
    for (const int l : lidos) {
        const auto [a, b] = primeiras[DigitosDoCmc7(modelo_->Linhas()[static_cast<std::size_t>(l)].CMC7)];
        if (const int r = a != l ? a : b; r >= 0 && (r < l || r > linhaFim))
            problemas << QStringLiteral("O cheque da linha %1 já está na linha %2.").arg(l + 1).arg(r + 1);
    }
    const QModelIndex fim = modelo_->index(linhaFim, ultimaColuna);
    selectionModel()->select(QItemSelection(modelo_->index(linha0, coluna0), fim), QItemSelectionModel::ClearAndSelect);
    if (!problemas.isEmpty()) RelataColagem(problemas, datas, primeiro);
}

void GradeParcelas::RelataColagem(const QStringList& problemas, bool datas, const QModelIndex& primeiro) {
    QStringList linhas = problemas.mid(0, kProblemasListados);
    if (problemas.size() > kProblemasListados)
        linhas << QStringLiteral("(e mais %1)").arg(problemas.size() - kProblemasListados);
    if (datas) linhas << QStringLiteral("Digite uma data válida no formato dd/mm/aa.");
    const QPersistentModelIndex i(primeiro);
    const QPointer<GradeParcelas> viva(this);
    VoltaACelula(i);
    ServicoMensagens().Mostra(linhas.join(QLatin1Char('\n')).toStdString(), kTituloAtencao, Icone::Aviso);
    if (viva) VoltaACelula(i);
}

void GradeParcelas::ApagaSelecao() {
    QModelIndexList celulas = selectionModel()->selectedIndexes();
    if (celulas.isEmpty() && currentIndex().isValid()) celulas << currentIndex();
    std::vector<CelulaApagada> apagadas;
    const QScopedValueRollback apagando(apagando_, true);
    for (const QModelIndex& i : celulas) {
        const QString t = modelo_->Celula(i.row(), i.column());
        if (FiltroDa(i.column()) == FiltroTeclas::Bloqueado || t.isEmpty()) continue;
        apagadas.push_back({QPersistentModelIndex(i), t, modelo_->Linhas()[static_cast<std::size_t>(i.row())].CMC7});
        modelo_->setData(i, QString(), Qt::EditRole);
    }
    if (!apagadas.empty()) apagadas_ = std::move(apagadas);
}

void GradeParcelas::DesfazApagamento() {
    const std::vector<CelulaApagada> apagadas = std::exchange(apagadas_, {});
    const QScopedValueRollback apagando(apagando_, true);
    const int bancoNumero = modelo_->ColunaDe(&Parcela::BancoNumero);
    for (const CelulaApagada& a : apagadas) {
        if (!a.indice.isValid() || !modelo_->Celula(a.indice.row(), a.indice.column()).isEmpty()) continue;
        if (a.indice.column() == bancoNumero)
            modelo_->DefineCheque(a.indice.row(), a.texto, a.cmc7);
        else
            modelo_->setData(a.indice, a.texto, Qt::EditRole);
    }
}

void GradeParcelas::Copia() {
    const QModelIndexList sel = selectionModel()->selectedIndexes();
    if (sel.isEmpty()) {
        if (currentIndex().isValid())
            QGuiApplication::clipboard()->setText(TextoCelula(currentIndex().row(), currentIndex().column()));
        return;
    }
    int l0 = sel.first().row(), l1 = l0, c0 = sel.first().column(), c1 = c0;
    for (const QModelIndex& i : sel) {
        l0 = std::min(l0, i.row()), l1 = std::max(l1, i.row());
        c0 = std::min(c0, i.column()), c1 = std::max(c1, i.column());
    }
    std::vector<QStringList> bloco;
    for (int l = l0; l <= l1; ++l) {
        QStringList celulas;
        for (int c = c0; c <= c1; ++c) celulas << TextoCelula(l, c);
        bloco.push_back(celulas);
    }
    QGuiApplication::clipboard()->setText(EscreveBloco(bloco));
}

static bool Navegacao(const QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            return true;
        default:
            return false;
    }
}

void GradeParcelas::keyPressEvent(QKeyEvent* e) {
    avisouNaTecla_ = false;
    if (TeclaDoLeitor(e)) {
        e->accept();
        return;
    }
    if (e->matches(QKeySequence::Paste)) {
        Cola();
        return;
    }
    if (e->matches(QKeySequence::Copy)) {
        Copia();
        return;
    }
    if (EhEnter(e)) {
        AvancaComEnter();
        return;
    }
    // An arrow out of an open cell: the cell is checked before the cursor
    // moves, and stays current when it is to be corrected.
    if (editor_ && indiceEditor_.isValid() && Navegacao(e)) {
        const QModelIndex deixada = indiceEditor_;
        EncerraEdicao(true);
        if (!ConfereCelula(deixada)) {
            e->accept();
            return;
        }
    }
    // As in a spreadsheet: Delete or Backspace on cells not being edited
    // clears them (not the calculated column); Ctrl+Z right after brings
    // them back.
    const bool semModificador = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!editor_ && semModificador && (e->key() == Qt::Key_Delete || e->key() == Qt::Key_Backspace)) {
        ApagaSelecao();
        e->accept();
        return;
    }
    if (!editor_ && !apagadas_.empty() && e->matches(QKeySequence::Undo)) {
        DesfazApagamento();
        e->accept();
        return;
    }
    if (!SoModificador(e->key())) apagadas_.clear();
    // A key the current column's filter drops opens no editor either.
    const QModelIndex atual = currentIndex();
    if (atual.isValid() && TeclaDescartada(modelo_->Colunas()[static_cast<std::size_t>(atual.column())].filtro, e)) {
        e->accept();
        return;
    }
    QTableView::keyPressEvent(e);
}

// A click where there is no cell never leaves an earlier cell current unseen,
// to take the next keys: below the last row it adds a row, as Down on the
// last row does, and the cell of the column clicked becomes current; beside
// a row (past the last column) that row's last cell does.
QModelIndex GradeParcelas::CelulaDoVazio(const QPoint& p) {
    const int ultimaColuna = modelo_->columnCount() - 1;
    const int coluna = columnAt(p.x()) >= 0 ? columnAt(p.x()) : ultimaColuna;
    const int linha = rowAt(p.y());
    if (linha >= 0) return modelo_->index(linha, coluna);
    const int fim = rowViewportPosition(modelo_->NumeroLinhas() - 1) + rowHeight(modelo_->NumeroLinhas() - 1);
    if (p.y() < fim) return {};
    EncerraEdicao(true);
    modelo_->AcrescentaLinha();
    return modelo_->index(modelo_->NumeroLinhas() - 1, coluna);
}

void GradeParcelas::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    if (e->button() != Qt::LeftButton || indexAt(p).isValid()) return QTableView::mousePressEvent(e);
    EncerraEdicao(true);
    const QModelIndex alvo = CelulaDoVazio(p);
    setFocus(Qt::MouseFocusReason);
    if (alvo.isValid()) {
        setCurrentIndex(alvo);
        scrollTo(alvo);
    }
    e->accept();
}

void GradeParcelas::mouseDoubleClickEvent(QMouseEvent* e) {
    // The press of the double click did what a click there does; no second row.
    if (e->button() == Qt::LeftButton && !indexAt(e->position().toPoint()).isValid()) {
        e->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(e);
}

bool GradeParcelas::TeclaDoLeitor(QKeyEvent* e) {
    const bool comecando = !leitor_->Recebendo();
    const QModelIndex atual = editor_ && indiceEditor_.isValid() ? QModelIndex(indiceEditor_) : currentIndex();
    switch (leitor_->Recebe(e)) {
        case RecepcaoLeitor::Tecla::Livre:
            return false;
        case RecepcaoLeitor::Tecla::Tomada:
            if (comecando) {
                // The line goes to the row the cursor is on; the cell being
                // edited keeps its text, checked when the clerk leaves it
                // again (no box may open while the reader's keys come).
                linhaDoLeitor_ = atual.isValid() ? atual.row() : 0;
                if (editor_) {
                    ConfirmaEdicao();
                    const QScopedValueRollback aqui(encerrando_, true);
                    closeEditor(editor_, QAbstractItemDelegate::NoHint);
                }
                setFocus(Qt::OtherFocusReason);
            }
            return true;
        case RecepcaoLeitor::Tecla::Fim:
            TerminaLeitura();
            return true;
        case RecepcaoLeitor::Tecla::FimAntes: {
            // The key after the line is the clerk's own, unless a box came
            // in between.
            const QPointer<GradeParcelas> viva(this);
            TerminaLeitura();
            return !viva || avisouNaTecla_;
        }
    }
    return false;
}

void GradeParcelas::TerminaLeitura() {
    if (!leitor_->Recebendo()) return;
    const QString linhaLida = leitor_->Encerra();
    const QPointer<GradeParcelas> viva(this);
    const int bancoNumero = modelo_->ColunaDe(&Parcela::BancoNumero);
    if (bancoNumero < 0) {
        avisouNaTecla_ = true;
        ServicoMensagens().Mostra(kMsgLeitorSemBancoNumero, kTituloAtencao, Icone::Aviso);
        return;
    }
    // A row whose cheque was read already is not written over: the line is
    // the next cheque's, in the next row without one.
    int linha = std::clamp(linhaDoLeitor_, 0, modelo_->NumeroLinhas() - 1);
    if (!modelo_->Linhas()[static_cast<std::size_t>(linha)].CMC7.empty()) {
        ++linha;
        while (linha < modelo_->NumeroLinhas() && !modelo_->Celula(linha, bancoNumero).isEmpty()) ++linha;
    }
    const QString antes = modelo_->Celula(linha, bancoNumero);
    modelo_->DefineCelula(linha, bancoNumero, linhaLida);
    const QPersistentModelIndex i(modelo_->index(linha, bancoNumero));
    int repetida = -1;
    std::string problema;
    if (LeCheque(i, &repetida, &problema) == Cheque::Recusado) {
        // A Banco/Número the clerk wrote is not lost to a line refused (a
        // "<" typed by mistake starts one too): the cell keeps it.
        if (!antes.isEmpty() && !PareceCmc7(antes.toStdString())) modelo_->DefineCelula(linha, bancoNumero, antes);
        VoltaACelula(i);
        avisouNaTecla_ = true;
        ServicoMensagens().Mostra(TextoCmc7Recusado(linha + 1, problema).toStdString(), kTituloAtencao, Icone::Aviso);
        if (viva) VoltaACelula(i);
        return;
    }
    const QModelIndex proxima = CelulaAposLeitura(linha);
    setCurrentIndex(proxima);
    scrollTo(proxima);
    if (repetida >= 0) {
        avisouNaTecla_ = true;
        ServicoMensagens().Mostra(TextoChequeRepetido(repetida + 1).toStdString(), kTituloAtencao, Icone::Aviso);
    }
}

QModelIndex GradeParcelas::CelulaAposLeitura(int linha) {
    for (const FiltroTeclas f : {FiltroTeclas::Vencimento, FiltroTeclas::Valor}) {
        for (int c = 0; c < modelo_->columnCount(); ++c) {
            if (FiltroDa(c) != f) continue;
            const QModelIndex i = modelo_->index(linha, c);
            if (modelo_->Celula(linha, c).isEmpty() || TemProblema(i)) return i;
        }
    }
    // Date and value typed before the cheque was read: the next cheque.
    return ProximaCelula(modelo_->index(linha, modelo_->columnCount() - 1));
}

// Tab ends a reader's line (some readers send it in place of Enter) and
// stays in the grid.
bool GradeParcelas::focusNextPrevChild(bool proximo) {
    if (leitor_->Recebendo()) {
        TerminaLeitura();
        return true;
    }
    return QTableView::focusNextPrevChild(proximo);
}

void GradeParcelas::keyReleaseEvent(QKeyEvent* e) {
    if (!e->isAutoRepeat() && !avisouNaTecla_) emit teclaSolta(e->key());
    QTableView::keyReleaseEvent(e);
}

// --- DelegadoParcelas -------------------------------------------------------

DelegadoParcelas::DelegadoParcelas(GradeParcelas* grade) : QStyledItemDelegate(grade), grade_(grade) {}

QWidget* DelegadoParcelas::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    const ColunaGrade& col = grade_->Modelo()->Colunas()[static_cast<std::size_t>(index.column())];
    if (col.filtro == FiltroTeclas::Vencimento) {
        editor->setInputMask(kMascaraData);
        AceitaDataInteira(editor);
    }
    InstalaFiltroTeclas(editor, col.filtro);
    grade_->EditorCriado(editor, index);
    return editor;
}

void DelegadoParcelas::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    auto* ed = qobject_cast<QLineEdit*>(editor);
    if (!ed) return QStyledItemDelegate::setModelData(editor, model, index);
    model->setData(index, grade_->TextoGuardado(index.column(), ed->text()), Qt::EditRole);
}

// Up and Down, and Left or Right at the edge of the text, leave the cell
// editor for the neighbouring cell, as they move the grid's cursor.
static bool SaiDoEditor(const QLineEdit* ed, const QKeyEvent* k) {
    if (k->modifiers() & ~Qt::KeypadModifier) return false;
    switch (k->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            return true;
        case Qt::Key_Left:
            return !ed->hasSelectedText() && ed->cursorPosition() == 0;
        case Qt::Key_Right:
            return !ed->hasSelectedText() && ed->cursorPosition() == ed->displayText().size();
        default:
            return false;
    }
}

bool DelegadoParcelas::eventFilter(QObject* obj, QEvent* e) {
    if (e->type() == QEvent::FocusOut) {
        // The editor closes on it: the grid checks a cell left for another control.
        const Qt::FocusReason r = static_cast<QFocusEvent*>(e)->reason();
        const QScopedValueRollback saindo(grade_->saindoPorFoco_,
                                          r == Qt::TabFocusReason || r == Qt::BacktabFocusReason ||
                                              r == Qt::MouseFocusReason || r == Qt::ShortcutFocusReason);
        return QStyledItemDelegate::eventFilter(obj, e);
    }
    if (e->type() == QEvent::KeyPress) {
        grade_->avisouNaTecla_ = false;
        // A reader's line, whatever the cell's mask or key filter.
        if (grade_->TeclaDoLeitor(static_cast<QKeyEvent*>(e))) return true;
        // A paste in an open cell goes through the grid's paste, cleaned, not
        // straight into the editor past its key filter.
        if (static_cast<QKeyEvent*>(e)->matches(QKeySequence::Paste)) {
            grade_->Cola();
            return true;
        }
        // Enter hands the text to the grid and moves on to the next cell.
        if (EhEnter(static_cast<QKeyEvent*>(e))) {
            grade_->AvancaComEnter();
            return true;
        }
        auto* ed = qobject_cast<QLineEdit*>(obj);
        if (ed && SaiDoEditor(ed, static_cast<QKeyEvent*>(e))) {
            QCoreApplication::sendEvent(grade_, e);
            return true;
        }
    }
    if (e->type() == QEvent::KeyRelease) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (!k->isAutoRepeat() && !grade_->avisouNaTecla_) emit grade_->teclaSolta(k->key());
        return true;
    }
    return QStyledItemDelegate::eventFilter(obj, e);
}

}  // namespace quantivo
