#include "windows/UfrmSalvaOperacao.h"

#include <QCompleter>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableWidget>

#include "core/Documento.h"
#include "core/Erros.h"
#include "core/Valores.h"
#include "ui/Aparencia.h"
#include "ui/Construcao.h"
#include "ui/Regional.h"
#include "ui/Servicos.h"
#include "ui/Teclado.h"

namespace quantivo {
namespace {

constexpr int kOfertas = 10;  // customers offered at a time
constexpr int kPapelNome = Qt::UserRole + 1;
constexpr int kPapelDocumento = Qt::UserRole + 2;

constexpr const char* kMsgNomeDoCliente = "Informe o nome do cliente (cedente) para salvar a operação.";

QString Q(const std::string& s) { return QString::fromStdString(s); }

bool EmBranco(const QString& t) { return t.trimmed().isEmpty(); }

bool TemValor(const Parcela& p) {
    try {
        LeValor(p.Valor);
        return !p.Valor.empty();
    } catch (const ErroQuantivo&) {
        return false;
    }
}

// A document as it is shown: formatted when valid, else as typed.
QString DocumentoMostrado(const QString& texto) {
    const LeituraDocumento d = LeDocumento(texto.toStdString());
    return d.valido ? Q(d.formatado) : texto.trimmed();
}

// The list of cheques, telling whether a cell is being typed in.
class GradeCheques : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    bool Editando() const { return state() == EditingState; }
};

bool Editando(const QTableWidget* t) { return static_cast<const GradeCheques*>(t)->Editando(); }

}  // namespace

TfrmSalvaOperacao::TfrmSalvaOperacao(const Operacao& operacao, QWidget* parent) : QDialog(parent), operacao_(operacao) {
    setObjectName(QStringLiteral("frmSalvaOperacao"));
    setWindowTitle(QStringLiteral("Salvar operação"));
    setFont(FonteJanela());
    setFixedSize(560, 400);

    const Bancada& b = operacao_.bancada;
    for (std::size_t i = 0; i < b.linhas.size(); ++i)
        if (TemValor(b.linhas[i])) linhas_.push_back(i);

    const TipoOperacao* tipo = DescricaoDoTipo(b.dados.Tipo);
    lblResumo = Nomeia(
        Rotulo(this,
               QStringLiteral("%1 de %2: %3 cheque(s), Valor Total %4, líquido %5")
                   .arg(tipo ? QString::fromUtf8(tipo->legenda) : QString(), Q(FormataData(b.dados.DataReferencia)))
                   .arg(linhas_.size())
                   .arg(Q(b.totais.ValorTotal), Q(b.dados.ValorFinanciado)),
               {12, 8, 536, 16}),
        "lblResumo");

    edtCliente = Nomeia(new QLineEdit(Q(operacao_.cliente.nome), this), "edtCliente");
    edtCliente->setGeometry(12, 50, 330, 22);
    edtCliente->setMaxLength(255);
    edtCliente->setToolTip(QStringLiteral("Os últimos clientes aparecem enquanto o nome é digitado"));
    DestacaFoco(edtCliente);
    Rotulo(this, QStringLiteral("&Cliente (cedente)"), {12, 33, 330, 16}, edtCliente);
    edtDocumento = Nomeia(new QLineEdit(DocumentoMostrado(Q(operacao_.cliente.documento)), this), "edtDocumento");
    edtDocumento->setGeometry(352, 50, 196, 22);
    edtDocumento->setMaxLength(24);
    edtDocumento->setToolTip(QStringLiteral("Opcional; com ou sem pontos, barra e hífen"));
    DestacaFoco(edtDocumento);
    Rotulo(this, QStringLiteral("CPF ou CNPJ do c&liente"), {352, 33, 196, 16}, edtDocumento);
    connect(edtDocumento, &QLineEdit::editingFinished, this, [this] { Formata(edtDocumento); });

    ofertas_ = new QStandardItemModel(this);
    auto* completa = new QCompleter(ofertas_, this);
    completa->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completa->setCompletionRole(kPapelNome);
    completa->setMaxVisibleItems(kOfertas);
    edtCliente->setCompleter(completa);
    connect(edtCliente, &QLineEdit::textEdited, this, &TfrmSalvaOperacao::edtClienteChange);
    connect(completa, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            &TfrmSalvaOperacao::ClienteEscolhido);

    grdCheques = Nomeia(new GradeCheques(static_cast<int>(linhas_.size()), 6, this), "grdCheques");
    grdCheques->setGeometry(12, 102, 536, 240);
    grdCheques->setHorizontalHeaderLabels({QStringLiteral("Linha"), QStringLiteral("Data"), QStringLiteral("Valor"),
                                           QStringLiteral("Banco/Número"), QStringLiteral("Emitente"),
                                           QStringLiteral("CPF ou CNPJ do emitente")});
    grdCheques->verticalHeader()->hide();
    grdCheques->verticalHeader()->setDefaultSectionSize(20);
    grdCheques->setWordWrap(false);
    grdCheques->setSelectionMode(QAbstractItemView::SingleSelection);
    grdCheques->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                                QAbstractItemView::EditKeyPressed);
    // Tab leaves the list; the arrows move in it.
    grdCheques->setTabKeyNavigation(false);
    const int larguras[] = {40, 64, 80, 110, 100};
    for (int c = 0; c < 5; ++c) grdCheques->setColumnWidth(c, larguras[c]);
    grdCheques->horizontalHeader()->setStretchLastSection(true);
    for (int r = 0; r < static_cast<int>(linhas_.size()); ++r) {
        const Parcela& p = b.linhas[linhas_[static_cast<std::size_t>(r)]];
        const QString celulas[] = {QString::number(linhas_[static_cast<std::size_t>(r)] + 1),
                                   Q(p.Data),
                                   Q(p.Valor),
                                   Q(p.BancoNumero),
                                   Q(p.Emitente),
                                   DocumentoMostrado(Q(p.Documento))};
        for (int c = 0; c < 6; ++c) {
            auto* item = new QTableWidgetItem(celulas[c]);
            if (c != kColunaDocumento) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            if (c == 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grdCheques->setItem(r, c, item);
        }
    }
    if (!linhas_.empty()) grdCheques->setCurrentCell(0, kColunaDocumento);
    connect(grdCheques, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() != kColunaDocumento) return;
        const QString mostrado = DocumentoMostrado(item->text());
        if (mostrado != item->text()) item->setText(mostrado);
    });
    grdCheques->setAccessibleName(QStringLiteral("Cheques"));
    grdCheques->installEventFilter(this);
    Rotulo(this, QStringLiteral("C&heques: o CPF ou CNPJ de cada emitente (opcional)"), {12, 85, 536, 16}, grdCheques);

    auto* dica = Rotulo(this,
                        QStringLiteral("Enter passa ao campo seguinte e, na lista, ao cheque seguinte. "
                                       "Ctrl+S salva; Esc volta sem salvar."),
                        {12, 350, 300, 40});
    dica->setWordWrap(true);

    btnSalva = Nomeia(new QPushButton(QStringLiteral("Ctrl+S - &Salva"), this), "btnSalva");
    btnSalva->setGeometry(322, 356, 110, 28);
    btnCancela = Nomeia(new QPushButton(QStringLiteral("Cancela (Esc)"), this), "btnCancela");
    btnCancela->setGeometry(440, 356, 108, 28);
    for (QPushButton* p : {btnSalva, btnCancela}) p->setAutoDefault(false);
    connect(btnSalva, &QPushButton::clicked, this, &TfrmSalvaOperacao::btnSalvaClick);
    connect(btnCancela, &QPushButton::clicked, this, &QDialog::reject);
    TeclaDaJanela(this, QKeySequence(Qt::CTRL | Qt::Key_S), [this] { btnSalva->click(); });
    // Enter moves on as in every window; in the list it moves down, and on a
    // button it presses it.
    EnterComoTab(this, [this](const QWidget* w) {
        return w == grdCheques || grdCheques->isAncestorOf(w) || qobject_cast<const QPushButton*>(w);
    });
    DefineOrdemTab({edtCliente, edtDocumento, grdCheques, btnSalva, btnCancela});
    edtCliente->setFocus(Qt::OtherFocusReason);
}

void TfrmSalvaOperacao::edtClienteChange(const QString& digitado) {
    if (!clientes) return;
    std::vector<Cliente> achados;
    ProtegeAcao([&] { achados = clientes(digitado); });
    ofertas_->clear();
    for (const Cliente& c : achados) {
        if (ofertas_->rowCount() >= kOfertas) break;
        const QString documento = DocumentoMostrado(Q(c.documento));
        auto* item =
            new QStandardItem(documento.isEmpty() ? Q(c.nome) : Q(c.nome) + QStringLiteral("  (") + documento + ')');
        item->setData(Q(c.nome), kPapelNome);
        item->setData(documento, kPapelDocumento);
        ofertas_->appendRow(item);
    }
    QCompleter* completa = edtCliente->completer();
    if (ofertas_->rowCount() > 0 && edtCliente->hasFocus())
        completa->complete();
    else if (completa->popup())
        completa->popup()->hide();
}

void TfrmSalvaOperacao::ClienteEscolhido(const QModelIndex& indice) {
    edtCliente->setText(indice.data(kPapelNome).toString());
    edtDocumento->setText(indice.data(kPapelDocumento).toString());
}

void TfrmSalvaOperacao::Formata(QLineEdit* campo) {
    const QString mostrado = DocumentoMostrado(campo->text());
    if (mostrado != campo->text()) campo->setText(mostrado);
}

Operacao TfrmSalvaOperacao::OperacaoCompleta() const {
    Operacao op = operacao_;
    op.cliente.nome = edtCliente->text().trimmed().toStdString();
    op.cliente.documento = DocumentoMostrado(edtDocumento->text()).toStdString();
    for (int r = 0; r < static_cast<int>(linhas_.size()); ++r) {
        const QTableWidgetItem* item = grdCheques->item(r, kColunaDocumento);
        op.bancada.linhas[linhas_[static_cast<std::size_t>(r)]].Documento =
            DocumentoMostrado(item ? item->text() : QString()).toStdString();
    }
    return op;
}

void TfrmSalvaOperacao::btnSalvaClick() {
    // A cell being typed in (Ctrl+S there) counts as typed: leaving it
    // hands its editor's text to the list.
    if (Editando(grdCheques)) {
        const QModelIndex atual = grdCheques->currentIndex();
        grdCheques->setCurrentIndex({});
        grdCheques->setCurrentIndex(atual);
    }
    if (EmBranco(edtCliente->text())) {
        ServicoMensagens().Mostra(kMsgNomeDoCliente, {}, Icone::Aviso);
        edtCliente->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!EmBranco(edtDocumento->text())) {
        const LeituraDocumento d = LeDocumento(edtDocumento->text().toStdString());
        if (!d.valido) {
            ServicoMensagens().Mostra("O CPF ou CNPJ do cliente não é válido: " + d.problema, {}, Icone::Aviso);
            edtDocumento->setFocus(Qt::OtherFocusReason);
            edtDocumento->selectAll();
            return;
        }
    }
    for (int r = 0; r < grdCheques->rowCount(); ++r) {
        const QString texto = grdCheques->item(r, kColunaDocumento)->text();
        if (EmBranco(texto)) continue;
        const LeituraDocumento d = LeDocumento(texto.toStdString());
        if (d.valido) continue;
        ServicoMensagens().Mostra("O CPF ou CNPJ do emitente do cheque da linha " +
                                      grdCheques->item(r, 0)->text().toStdString() + " não é válido: " + d.problema,
                                  {}, Icone::Aviso);
        grdCheques->setCurrentCell(r, kColunaDocumento);
        grdCheques->setFocus(Qt::OtherFocusReason);
        return;
    }
    bool salvou = false;
    const Operacao op = OperacaoCompleta();
    ProtegeAcao([&] { salvou = salva && salva(op); });
    if (salvou) accept();
}

bool TfrmSalvaOperacao::eventFilter(QObject* obj, QEvent* e) {
    // Enter in the list of cheques, no cell being typed in: the next
    // cheque's document, and from the last one on to "Salva".
    if (obj == grdCheques && e->type() == QEvent::KeyPress && EhEnter(static_cast<QKeyEvent*>(e)) &&
        !Editando(grdCheques)) {
        const int r = grdCheques->currentRow();
        if (r + 1 < grdCheques->rowCount())
            grdCheques->setCurrentCell(r + 1, kColunaDocumento);
        else
            btnSalva->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QDialog::eventFilter(obj, e);
}

}  // namespace quantivo
