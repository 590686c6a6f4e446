#include "windows/UfrmFeriados.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QShortcut>
#include <QTimer>

#include "ui/Construcao.h"
#include "ui/Regional.h"
#include "ui/Servicos.h"
#include "ui/Teclado.h"

namespace quantivo {
namespace {

const char* const kDiasDaSemana[] = {"domingo",      "segunda-feira", "terça-feira", "quarta-feira",
                                     "quinta-feira", "sexta-feira",   "sábado"};

constexpr const char* kMsgDataFeriado =
    "Informe a data do feriado como dd/mm (todos os anos) ou dd/mm/aaaa (só naquele ano)";
constexpr const char* kMsgSelecioneLocal = "Selecione na lista o feriado local";

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TfrmFeriados::TfrmFeriados(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmFeriados"));
    setWindowTitle(QStringLiteral("Feriados"));
    setFont(FonteJanela());
    setFixedSize(620, 420);

    auto* gAno = new QGroupBox(QStringLiteral("Feriados do ano"), this);
    gAno->setGeometry(8, 4, 360, 408);
    edtAno = Nomeia(new QSpinBox(gAno), "edtAno");
    edtAno->setRange(1, 9999);
    edtAno->setGeometry(44, 20, 70, 22);
    edtAno->setValue(AnoDe(Hoje()));
    Rotulo(gAno, QStringLiteral("&Ano"), {10, 24, 32, 14}, edtAno);
    lstFeriados = Nomeia(new QTreeWidget(gAno), "lstFeriados");
    lstFeriados->setGeometry(10, 50, 340, 348);
    lstFeriados->setHeaderLabels({QStringLiteral("Data"), QStringLiteral("Dia"), QStringLiteral("Nome")});
    lstFeriados->setRootIsDecorated(false);
    lstFeriados->setColumnWidth(0, 72);
    lstFeriados->setColumnWidth(1, 80);
    lstFeriados->header()->setStretchLastSection(true);
    lstFeriados->setAccessibleName(QStringLiteral("Feriados do ano"));

    auto* gLocais = new QGroupBox(QStringLiteral("Feriados locais"), this);
    gLocais->setGeometry(376, 4, 236, 408);
    lstLocais = Nomeia(new QListWidget(gLocais), "lstLocais");
    lstLocais->setGeometry(10, 20, 216, 200);
    lstLocais->setAccessibleName(QStringLiteral("Feriados locais"));
    lstLocais->setToolTip(QStringLiteral("Delete exclui o feriado selecionado"));
    edtData = Nomeia(new QLineEdit(gLocais), "edtData");
    edtData->setGeometry(10, 246, 100, 21);
    edtData->setMaxLength(10);
    edtData->setToolTip(QStringLiteral("dd/mm: todos os anos; dd/mm/aaaa: só naquele ano"));
    Rotulo(gLocais, QStringLiteral("&Data"), {10, 230, 100, 14}, edtData);
    edtNome = Nomeia(new QLineEdit(gLocais), "edtNome");
    edtNome->setGeometry(10, 290, 216, 21);
    edtNome->setMaxLength(80);
    Rotulo(gLocais, QStringLiteral("&Nome"), {10, 274, 100, 14}, edtNome);
    edtData->setAccessibleName(QStringLiteral("Data"));
    edtNome->setAccessibleName(QStringLiteral("Nome"));

    auto botao = [gLocais](const char* nome, const QString& texto, const QRect& geo) {
        auto* b = Nomeia(new QPushButton(texto, gLocais), nome);
        b->setGeometry(geo);
        b->setAutoDefault(false);
        return b;
    };
    btnIncluir = botao("btnIncluir", QStringLiteral("&Incluir"), {10, 322, 68, 28});
    btnAlterar = botao("btnAlterar", QStringLiteral("A&lterar"), {84, 322, 68, 28});
    btnExcluir = botao("btnExcluir", QStringLiteral("E&xcluir"), {158, 322, 68, 28});
    btnFechar = botao("btnFechar", QStringLiteral("&Fechar"), {158, 368, 68, 28});

    DefineOrdemTab({edtAno, lstFeriados, lstLocais, edtData, edtNome, btnIncluir, btnAlterar, btnExcluir, btnFechar});

    connect(edtAno, &QSpinBox::valueChanged, this, &TfrmFeriados::MostraAno);
    connect(lstLocais, &QListWidget::currentRowChanged, this, &TfrmFeriados::lstLocaisChange);
    connect(btnIncluir, &QPushButton::clicked, this, &TfrmFeriados::btnIncluirClick);
    connect(btnAlterar, &QPushButton::clicked, this, &TfrmFeriados::btnAlterarClick);
    connect(btnExcluir, &QPushButton::clicked, this, &TfrmFeriados::btnExcluirClick);
    connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);
    EnterAvancaEscapeFecha(this);
    // Delete in the list of local holidays removes the one chosen.
    auto* excluir = new QShortcut(QKeySequence(Qt::Key_Delete), lstLocais);
    excluir->setContext(Qt::WidgetShortcut);
    connect(excluir, &QShortcut::activated, btnExcluir, &QPushButton::click);

    arquivo_ = LeArquivoFeriados();
    const bool gravavel = arquivo_.erro.isEmpty();
    for (QWidget* w :
         {static_cast<QWidget*>(btnIncluir), static_cast<QWidget*>(btnAlterar), static_cast<QWidget*>(btnExcluir),
          static_cast<QWidget*>(edtData), static_cast<QWidget*>(edtNome)})
        w->setEnabled(gravavel);
    MostraLocais(-1);
}

void TfrmFeriados::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    edtAno->setFocus(Qt::ActiveWindowFocusReason);
    // The file's problems are told once the window is up, over it.
    if (avisou_) return;
    avisou_ = true;
    const QString aviso = AvisoArquivoFeriados(arquivo_);
    if (!aviso.isEmpty())
        QTimer::singleShot(0, this, [aviso] { ServicoMensagens().Mostra(aviso.toStdString(), {}, Icone::Aviso); });
}

void TfrmFeriados::MostraAno() {
    lstFeriados->clear();
    for (const Feriado& f : FeriadosDoAno(edtAno->value(), Locais())) {
        auto* item = new QTreeWidgetItem(
            lstFeriados, {Q(FormataDataLonga(f.data)), QString::fromUtf8(kDiasDaSemana[DiaDaSemana(f.data) - 1]),
                          Q(f.nome) + (f.local ? QStringLiteral(" (local)") : QString())});
        item->setData(0, Qt::AccessibleTextRole,
                      item->text(0) + QStringLiteral(", ") + item->text(1) + QStringLiteral(", ") + item->text(2));
    }
}

void TfrmFeriados::MostraLocais(int selecionar) {
    {
        const QSignalBlocker sem(lstLocais);
        lstLocais->clear();
        for (const FeriadoLocal& f : Locais()) lstLocais->addItem(Q(TextoFeriadoLocal(f)));
        lstLocais->setCurrentRow(selecionar);
    }
    lstLocaisChange();
    MostraAno();
}

void TfrmFeriados::lstLocaisChange() {
    const int i = lstLocais->currentRow();
    if (i < 0 || i >= static_cast<int>(Locais().size())) return;
    FeriadoLocal f = Locais()[static_cast<std::size_t>(i)];
    const std::string nome = f.nome;
    f.nome.clear();
    edtData->setText(Q(TextoFeriadoLocal(f)));
    edtNome->setText(Q(nome));
}

std::optional<FeriadoLocal> TfrmFeriados::LeCampos() {
    const QString texto = edtData->text().trimmed();
    auto f = texto.contains(QLatin1Char(' ')) ? std::nullopt : LeFeriadoLocal(texto.toStdString());
    if (!f) {
        ServicoMensagens().Mostra(kMsgDataFeriado, {}, Icone::Aviso);
        edtData->setFocus(Qt::OtherFocusReason);
        return std::nullopt;
    }
    f->nome = LeFeriadoLocal("01/01 " + edtNome->text().toStdString())->nome;
    return f;
}

bool TfrmFeriados::Grava(std::vector<FeriadoLocal> novos, int selecionar) {
    QString motivo;
    if (!GravaArquivoFeriados(novos, arquivo_.lista.naoLidas, motivo)) {
        ServicoMensagens().Mostra(QStringLiteral("Não foi possível gravar o arquivo de feriados locais %1 (%2)")
                                      .arg(CaminhoFeriadosLocais(), motivo)
                                      .toStdString(),
                                  {}, Icone::Erro);
        return false;
    }
    arquivo_.lista.feriados = std::move(novos);
    MostraLocais(selecionar);
    return true;
}

void TfrmFeriados::btnIncluirClick() {
    const auto f = LeCampos();
    if (!f) return;
    std::vector<FeriadoLocal> novos = Locais();
    novos.push_back(*f);
    // A one-off goes to its year in the list on screen.
    if (Grava(std::move(novos), static_cast<int>(Locais().size())) && f->ano != 0) edtAno->setValue(f->ano);
}

void TfrmFeriados::btnAlterarClick() {
    const int i = lstLocais->currentRow();
    if (i < 0 || i >= static_cast<int>(Locais().size())) {
        ServicoMensagens().Mostra(kMsgSelecioneLocal, {}, Icone::Aviso);
        return;
    }
    const auto f = LeCampos();
    if (!f) return;
    std::vector<FeriadoLocal> novos = Locais();
    novos[static_cast<std::size_t>(i)] = *f;
    Grava(std::move(novos), i);
}

void TfrmFeriados::btnExcluirClick() {
    const int i = lstLocais->currentRow();
    if (i < 0 || i >= static_cast<int>(Locais().size())) {
        ServicoMensagens().Mostra(kMsgSelecioneLocal, {}, Icone::Aviso);
        return;
    }
    std::vector<FeriadoLocal> novos = Locais();
    novos.erase(novos.begin() + i);
    const int resto = static_cast<int>(novos.size());
    if (Grava(std::move(novos), std::min(i, resto - 1))) {
        if (resto == 0) {
            edtData->clear();
            edtNome->clear();
        }
    }
}

}  // namespace quantivo
