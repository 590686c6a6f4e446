// Kept operations through the program's windows: saved from the workbench
// with the customer and the drawers' documents, found in the "Operações"
// window, reopened whole, exported; a journal that cannot be opened. The
// journal lives in the test's temporary folder.
#include <QAbstractItemModel>
#include <QCompleter>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>

#include "app/DiarioDoPrograma.h"
#include "output/Arquivos.h"
#include "output/Listagem.h"
#include "tests/support/ControlesBancada.h"
#include "tests/support/Dialogos.h"
#include "tests/support/Exemplos.h"
#include "tests/support/ProgramaTeste.h"
#include "tests/support/Teclas.h"
#include "ui/CampoData.h"
#include "windows/UfrmSalvaOperacao.h"

using namespace quantivo;
using teste::Controles;
using teste::NaProximaModal;

namespace {

const char* const kLinhaCmc7 = "<23704948<0180017935>377506100112:";

class Operacoes : public teste::ProgramaTeste {
protected:
    void SetUp() override {
        ProgramaTeste::SetUp();
        guarda.Permite(true);  // the save dialog and the list, opened and closed here
    }
    void TearDown() override {
        DefineEscolheArquivo({});
        ProgramaTeste::TearDown();
    }

    // The worked example calculated on the workbench, its second cheque read
    // by its magnetic line and with its drawer's CPF; `banco` is the first
    // cheque's Banco/Número.
    Tfrm_desconto_cheque* Exemplo(const char* banco = "001/123456") {
        Tfrm_desconto_cheque* f = frm_desconto_cheque;
        teste::DadosDoExemplo(*f);
        f->DefineTipoSemReacao(TipoCalculo::DescontoCheque);
        Bancada b = f->LeBancada();
        b.linhas = {{"31/12/07", "1000", banco, "Maria da Silva", "", "", ""},
                    {"26/01/08", "500", "237/004411", "José Souza", "", kLinhaCmc7, "111.444.777-35"},
                    {"15/02/08", "2500,50", "104/778899", "Comercial Ltda", "", "", ""}};
        f->EscreveBancada(b);
        Controles(f).btnCalcula->click();
        return f;
    }

    // Ctrl+S answered in the save dialog.
    void Salva(const QString& nome, const QString& documento = {}) {
        NaProximaModal<TfrmSalvaOperacao>([nome, documento](TfrmSalvaOperacao* d) {
            d->edtCliente->setText(nome);
            d->edtDocumento->setText(documento);
            d->btnSalva->click();
        });
        Controles(frm_desconto_cheque).btnSalva->click();
    }

    static QString Titulo(QWidget* w) {
        QTest::qWait(1);  // the title follows a change once its event is done
        return w->windowTitle();
    }
};

TEST_F(Operacoes, SalvaComClienteEEmitentesEReabreInteira) {
    Tfrm_desconto_cheque* f = Exemplo();
    Controles(f).cbTipoTarifa->setEditText(QStringLiteral("Tarifa por título"));
    Controles(f).CheckBox1->setChecked(false);
    Controles(f).btnCalcula->click();
    NaProximaModal<TfrmSalvaOperacao>([](TfrmSalvaOperacao* d) {
        ASSERT_EQ(d->grdCheques->rowCount(), 3);
        EXPECT_EQ(d->grdCheques->item(1, TfrmSalvaOperacao::kColunaDocumento)->text(), "111.444.777-35");
        d->edtCliente->setText(QStringLiteral("  Maria Cliente "));
        d->edtDocumento->setText(QStringLiteral("11222333000181"));
        d->grdCheques->item(0, TfrmSalvaOperacao::kColunaDocumento)->setText(QStringLiteral("39053344705"));
        d->btnSalva->click();
    });
    f->show();
    QApplication::setActiveWindow(f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    QTest::keyClick(f, Qt::Key_S, Qt::ControlModifier);

    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{});
    EXPECT_EQ(Titulo(f), "QUANTIVO - Operação nº 1");
    const auto salva = DiarioDoPrograma()->Le(1);
    ASSERT_TRUE(salva);
    EXPECT_EQ(salva->cliente, (diario::Cliente{"Maria Cliente", "11222333000181"}));
    EXPECT_EQ(salva->cheques[0].Documento, "39053344705");
    EXPECT_EQ(salva->cheques[1].CMC7, "237049480180017935377506100112");
    EXPECT_EQ(salva->figuras.ValorTotal, Controles(f).Edit2->text().toStdString());
    const Operacao antes = f->LeOperacao();
    EXPECT_EQ(antes.cliente.documento, "11.222.333/0001-81");
    EXPECT_EQ(antes.bancada.linhas[0].Documento, "390.533.447-05");

    // A change shows in the title, and so does its undoing.
    Controles(f).Edit1->setText(QStringLiteral("4"));
    EXPECT_EQ(Titulo(f), "QUANTIVO - Operação nº 1 (alterada)");
    Controles(f).Edit1->setText(QStringLiteral("3"));
    EXPECT_EQ(Titulo(f), "QUANTIVO - Operação nº 1");

    // Cleared and changed, then reopened: all of it comes back as saved.
    Controles(f).btnLimpa->click();
    Controles(f).cbTipoTarifa->setEditText(QStringLiteral("outra"));
    Controles(f).CheckBox1->setChecked(true);
    EXPECT_EQ(Titulo(f), "QUANTIVO - Operação nº 1 (alterada)");
    ASSERT_TRUE(ReabreNaBancada(*f, 1));
    EXPECT_EQ(f->LeOperacao(), antes);
    EXPECT_EQ(Titulo(f), "QUANTIVO - Operação nº 1");
    EXPECT_TRUE(f->TemCalculoConcluido());
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{});

    // A new operation handed over is no longer the saved one.
    Bancada nova;
    nova.dados.Tipo = TipoCalculo::DescontoCheque;
    f->Recebe(nova, {});
    EXPECT_EQ(Titulo(f), "QUANTIVO");
    EXPECT_EQ(f->LeOperacao().cliente, Cliente{});
}

// Saved only after a calculation that completed, with what the screen shows;
// a clerk who never saves never has a journal made.
TEST_F(Operacoes, SoSalvaDepoisDeUmCalculoConcluido) {
    Tfrm_desconto_cheque* f = frm_desconto_cheque;
    Controles(f).btnSalva->click();
    Tfrm_desconto_cheque* g = Exemplo();
    Controles(g).grid->Modelo()->DefineCelula(0, 1, QStringLiteral("2000"));
    Controles(f).btnSalva->click();
    ASSERT_EQ(msgs.mensagens.size(), 2u);
    for (const Mensagem& m : msgs.mensagens) EXPECT_EQ(m.texto.rfind("Calcule a operação (F5)", 0), 0u) << m.texto;
    EXPECT_FALSE(QFileInfo::exists(CaminhoDiario()));
}

TEST_F(Operacoes, ChequeJaSalvoEDitoAntesESalvoSoSeOCaixaQuiser) {
    Exemplo();
    Salva(QStringLiteral("Maria da Conceição"));
    Exemplo("001/999999");
    msgs.respostas = {false, true};
    NaProximaModal<TfrmSalvaOperacao>([this](TfrmSalvaOperacao* d) {
        // The last customers are offered as the name is typed.
        d->edtCliente->setFocus();
        teste::Digita(QStringLiteral("conc"));
        QAbstractItemModel* ofertas = d->edtCliente->completer()->model();
        ASSERT_EQ(ofertas->rowCount(), 1);
        EXPECT_EQ(ofertas->index(0, 0).data(Qt::UserRole + 1).toString(), "Maria da Conceição");
        d->edtCliente->setText(QStringLiteral("João"));
        d->btnSalva->click();  // "no": the dialog stays, with what was typed
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(d->edtCliente->text(), "João");
        d->btnSalva->click();  // "yes"
    });
    Controles(frm_desconto_cheque).btnSalva->click();
    ASSERT_EQ(msgs.mensagens.size(), 2u);
    EXPECT_EQ(msgs.mensagens[0].texto,
              "Cheque 237/004411 já consta da operação nº 1, de 28/12/07, cliente Maria da Conceição.\n"
              "Cheque 104/778899 já consta da operação nº 1, de 28/12/07, cliente Maria da Conceição.\n"
              "\nSalvar a operação assim mesmo?");
    EXPECT_EQ(msgs.mensagens[0].icone, Icone::Pergunta);
    EXPECT_EQ(DiarioDoPrograma()->Lista({}).size(), 2u);
    EXPECT_EQ(Titulo(frm_desconto_cheque), "QUANTIVO - Operação nº 2");
}

TEST_F(Operacoes, DiarioIlegivelEDitoNuncaSobrescritoEOCalculoSegue) {
    const QByteArray lixo(4096, 'x');
    ASSERT_TRUE(dir.Escreve(QStringLiteral("diario.sqlite"), lixo));
    Tfrm_desconto_cheque* f = Exemplo();
    Controles(f).btnSalva->click();
    AbreOperacoes(frm_principal);
    ASSERT_EQ(msgs.mensagens.size(), 2u);
    for (const Mensagem& m : msgs.mensagens) {
        EXPECT_EQ(m.texto.rfind("Não foi possível abrir o diário " + CaminhoDiario().toStdString() + ": ", 0), 0u)
            << m.texto;
        EXPECT_NE(m.texto.find("os cálculos continuam"), std::string::npos);
    }
    EXPECT_EQ(teste::Bytes(CaminhoDiario()), lixo);
    EXPECT_EQ(Titulo(f), "QUANTIVO");
    Controles(f).btnCalcula->click();
    EXPECT_EQ(Controles(f).Edit2->text(), "4.000,50");
    EXPECT_EQ(msgs.mensagens.size(), 2u);
}

TEST_F(Operacoes, ProcuraExportaEReabreNaBancada) {
    Exemplo();
    Salva(QStringLiteral("Maria da Conceição"), QStringLiteral("111.444.777-35"));
    Exemplo("341/555555");
    msgs.respostas = {true};  // its two cheques already saved: saved all the same
    Salva(QStringLiteral("João"));
    ASSERT_EQ(msgs.mensagens.size(), 1u);
    msgs.mensagens.clear();
    QString saida = dir.filePath(QStringLiteral("saida"));
    int filtro = 0;
    DefineEscolheArquivo([&](const QString&, const QString&, const QStringList&) {
        return std::optional<ArquivoEscolhido>(ArquivoEscolhido{saida, filtro});
    });
    NaProximaModal<TfrmOperacoes>([&](TfrmOperacoes* j) {
        QAbstractItemModel* lista = j->lstOperacoes->model();
        ASSERT_EQ(lista->rowCount(), 2);
        EXPECT_EQ(lista->index(0, 0).data().toString(), "2");  // the newest first
        EXPECT_EQ(lista->index(1, 3).data().toString(), "111.444.777-35");
        // Typed, then searched a moment later.
        j->edtCheque->setFocus();
        teste::Digita(QStringLiteral("123456"));
        ASSERT_TRUE(QTest::qWaitFor([lista] { return lista->rowCount() == 1; }, 2000));
        EXPECT_EQ(lista->index(0, 0).data().toString(), "1");
        j->edtCheque->clear();
        j->edtCliente->setFocus();
        teste::Digita(QStringLiteral("conceicao"));
        teste::Tecla(Qt::Key_Return);  // searched at once, and on to the list
        EXPECT_EQ(lista->rowCount(), 1);
        EXPECT_EQ(QApplication::focusWidget(), j->lstOperacoes);

        j->btnExporta->click();
        EXPECT_TRUE(teste::Bytes(saida + ".csv").startsWith("\xEF\xBB\xBF"));
        filtro = 1;
        j->edtDe->DefineData(D(2007, 12, 1));
        j->edtAte->DefineData(D(2007, 12, 31));
        j->btnPeriodo->click();
        EXPECT_TRUE(teste::Bytes(saida + ".xlsx").startsWith("PK"));
        // The customer's borderô, written and printed (to a PDF file here).
        filtro = 2;
        j->btnExporta->click();
        EXPECT_TRUE(teste::Bytes(saida + ".pdf").startsWith("%PDF"));
        const QString impresso = dir.filePath(QStringLiteral("impresso.pdf"));
        DefineEscolheImpressora([&] {
            auto p = std::make_unique<QPrinter>();
            p->setOutputFileName(impresso);
            return p;
        });
        j->btnImprime->click();
        DefineEscolheImpressora({});
        EXPECT_TRUE(teste::Bytes(impresso).startsWith("%PDF"));
        EXPECT_EQ(msgs.Textos(), std::vector<std::string>{});
        j->lstOperacoes->setFocus();
        teste::Tecla(Qt::Key_Return);
    });
    AbreOperacoes(frm_principal);
    EXPECT_EQ(Titulo(frm_desconto_cheque), "QUANTIVO - Operação nº 1");
    EXPECT_EQ(frm_desconto_cheque->LeOperacao().cliente.nome, "Maria da Conceição");
    EXPECT_TRUE(frm_desconto_cheque->isVisible());
}

// A kept operation whose recalculation differs from what was saved, or whose
// kept form cannot be read: said, the workbench left as it was for the
// latter.
TEST_F(Operacoes, ReabertaQueNaoDaOSalvoEDita) {
    Tfrm_desconto_cheque* f = Exemplo();
    Salva(QStringLiteral("Maria"));
    diario::Diario& d = *DiarioDoPrograma();
    diario::OperacaoSalva outra = *d.Le(1);
    outra.figuras.ValorTotal = "9,99";
    d.Salva(outra);
    ASSERT_TRUE(ReabreNaBancada(*f, 2));
    ASSERT_EQ(msgs.mensagens.size(), 1u);
    EXPECT_NE(msgs.mensagens[0].texto.find("Valor Total: salvo 9,99, agora 4.000,50"), std::string::npos)
        << msgs.mensagens[0].texto;
    EXPECT_EQ(Titulo(f), "QUANTIVO - Operação nº 2 (alterada)");

    outra.json = "{";
    d.Salva(outra);
    EXPECT_FALSE(ReabreNaBancada(*f, 3));
    EXPECT_EQ(msgs.mensagens.back().texto,
              "Não foi possível reabrir a operação: a operação nº 3 está guardada num JSON ilegível.");
    EXPECT_EQ(Titulo(f), "QUANTIVO - Operação nº 2 (alterada)");
}

}  // namespace
