// The two entry windows, opened as the main menu opens them (modal, fresh,
// destroyed on return), typed into with keys, handing over to a workbench.
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <functional>

#include "core/VendaPorFora.h"
#include "tests/support/ControlesBancada.h"
#include "tests/support/Dialogos.h"
#include "tests/support/GuardaJanelas.h"
#include "tests/support/PastaDePreferencias.h"
#include "tests/support/Teclas.h"
#include "windows/Calculo.h"
#include "windows/Ufrm_desconto.h"
#include "windows/Ufrm_venda_por_fora.h"

using namespace quantivo;
using teste::Campos;
using teste::Controles;
using teste::Digita;
using teste::Tecla;

namespace quantivo {
void PrintTo(const Parcela& p, std::ostream* os) {
    *os << '{' << p.Data << '|' << p.Valor << '|' << p.BancoNumero << '|' << p.Emitente << '|' << p.Dias << '}';
}
}  // namespace quantivo

namespace {

const std::string kTaxaObrigatoria = "Para este cálculo é OBRIGATÓRIO informar a TAXA";
const std::string kValorObrigatorio = "Para este cálculo é OBRIGATÓRIO informar o valor Financiado";
const std::string kSemValor = "Necessário informar o valor da(s) parcela(s)";
const std::string kAvisoEntrada = "Data da operação deve ser maior que a data de vencimento do cheque";
const std::string kAvisoBancada = "Data da operação é menor que a data de vencimento do cheque";

Parcela L(std::string data, std::string valor = {}, std::string banco = {}, std::string emitente = {},
          std::string dias = {}) {
    return Parcela{std::move(data), std::move(valor), std::move(banco), std::move(emitente), std::move(dias)};
}

class Entrada : public teste::JanelaTeste {
protected:
    void SetUp() override {
        JanelaTeste::SetUp();
        menu = std::make_unique<QWidget>();
        menu->setWindowTitle("menu");
        menu->show();
        bancada = std::make_unique<Tfrm_desconto_cheque>();
    }
    void TearDown() override {
        delete frm_desconto.data();
        delete frm_venda_por_fora.data();
        bancada.reset();
        menu.reset();
        JanelaTeste::TearDown();
    }

    // Opens an entry window as the main menu does and runs `passos` while it
    // is modal; a window the steps leave open is closed by the user.
    void Abre(void (*abre)(QWidget*, Tfrm_desconto_cheque*), const std::function<void(JanelaEntrada&)>& passos) {
        guarda.Permite(true);  // the entry window itself is modal
        bool rodou = false;
        QTimer::singleShot(0, [&] {
            auto* j = qobject_cast<JanelaEntrada*>(QApplication::activeModalWidget());
            if (!j) {
                ADD_FAILURE() << "no entry window";
                return;
            }
            QApplication::setActiveWindow(j);
            EXPECT_TRUE(QTest::qWaitForWindowActive(j));
            rodou = true;
            passos(*j);
            if (j->isVisible()) {
                ficouAberta = true;
                j->close();
            }
        });
        abre(menu.get(), bancada.get());
        guarda.Permite(false);
        EXPECT_TRUE(rodou);
        EXPECT_TRUE(frm_desconto.isNull());  // destroyed when it returns
        EXPECT_TRUE(frm_venda_por_fora.isNull());
    }
    void AbreDesconto(const std::function<void(Tfrm_desconto&)>& passos) {
        Abre(&AbreDescontoCheque, [&](JanelaEntrada& j) { passos(static_cast<Tfrm_desconto&>(j)); });
    }
    void AbreVenda(const std::function<void(Tfrm_venda_por_fora&)>& passos) {
        Abre(&AbreVendaPorFora, [&](JanelaEntrada& j) { passos(static_cast<Tfrm_venda_por_fora&>(j)); });
    }

    // Types rows into the grid from its first cell.
    static void DigitaLinhas(JanelaEntrada& j, const std::vector<std::vector<QString>>& linhas) {
        j.grid_pre->setFocus(Qt::TabFocusReason);
        j.grid_pre->setCurrentIndex(j.grid_pre->model()->index(0, 0));
        teste::DigitaLinhas(linhas);
    }
    // The general data of the cheque-discount example, typed with Enter
    // between the fields; Enter after the fee goes to the grid's first date.
    static void DigitaDadosDoExemplo(Tfrm_desconto& j) {
        EXPECT_TRUE(j.data_ref->hasFocus());
        Campos({"281207", "3", "2", "0,0041", "", "2"});  // "": "Tarifa por título", chosen at start
        EXPECT_TRUE(j.grid_pre->hasFocus());
        EXPECT_EQ(j.grid_pre->currentIndex(), j.grid_pre->model()->index(0, 0));
    }
    // The example's cheques, typed on from where the fee's Enter left the focus.
    static void ChequesDoExemplo() {
        teste::DigitaLinhas({{"311207", "1000", "Bco 1", "Ana"}, {"260108", "500"}, {"150208", "2500,50"}});
    }
    QString Celula(int l, int c) const { return Controles(bancada).grid->Modelo()->Celula(l, c); }
    // Makes a cell the grid's current one and clicks it, with no wait after.
    static void ClicaCelulaAtual(JanelaEntrada& j, int l, int c) {
        const QModelIndex i = j.grid_pre->model()->index(l, c);
        j.grid_pre->setFocus(Qt::TabFocusReason);
        j.grid_pre->setCurrentIndex(i);
        QTest::mouseClick(j.grid_pre->viewport(), Qt::LeftButton, {}, j.grid_pre->visualRect(i).center());
    }
    static QString CelulaEntrada(JanelaEntrada& j, int l, int c) { return j.grid_pre->Modelo()->Celula(l, c); }

    std::unique_ptr<QWidget> menu;
    std::unique_ptr<Tfrm_desconto_cheque> bancada;
    bool ficouAberta = false;
};

}  // namespace

TEST_F(Entrada, DescontoDeChequeDoExemploChegaAosTotaisDaBancada) {
    AbreDesconto([&](Tfrm_desconto& j) {
        DigitaDadosDoExemplo(j);
        ChequesDoExemplo();
        Tecla(Qt::Key_F5);  // the last value still in its cell editor
    });
    EXPECT_FALSE(ficouAberta);
    EXPECT_TRUE(bancada->isVisible());
    EXPECT_EQ(bancada->TipoSelecionado(), TipoCalculo::DescontoCheque);
    EXPECT_EQ(Controles(bancada).Edit2->text(), "4.000,50");
    EXPECT_EQ(Controles(bancada).Label12->text(), "TAC   = 80,01");
    EXPECT_EQ(Controles(bancada).Label13->text(), "IOF   = 4,92");
    EXPECT_EQ(Controles(bancada).Label14->text(), "Juros = 151,53");
    EXPECT_EQ(Controles(bancada).Edit6->text(), "3.758,04");
    EXPECT_EQ(Controles(bancada).Label15->text(), "Tarifa= 6,00");
    EXPECT_EQ(Controles(bancada).Edit1->text(), "3");
    EXPECT_EQ(Controles(bancada).cbTipoTarifa->currentIndex(), 0);
    const char* esperado[][5] = {{"31/12/07", "1000", "Bco 1", "Ana", "5"},
                                 {"26/01/08", "500", "", "", "33"},
                                 {"15/02/08", "2500,50", "", "", "52"}};
    ASSERT_EQ(Controles(bancada).grid->Modelo()->NumeroLinhas(), 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c) EXPECT_EQ(Celula(r, c).toStdString(), esperado[r][c]) << r << "," << c;
    EXPECT_EQ(Controles(bancada).Label4->text(), "Sexta-feira, 28 de Dezembro de 2007");
    EXPECT_TRUE(msgs.mensagens.empty());
}

TEST_F(Entrada, VendaCertaDoExemploChegaAosValoresDosCheques) {
    AbreVenda([&](Tfrm_venda_por_fora& j) {
        EXPECT_TRUE(j.data_ref->hasFocus());
        Campos({"010607", "5", "1", "0,0041", "", "2"});
        EXPECT_TRUE(j.edtVlrFinanciado->hasFocus());
        Campos({"5000"});  // Enter after the financed value: to the first date
        EXPECT_TRUE(j.grid_pre->hasFocus());
        teste::DigitaLinhas({{"200607"}, {"300607"}, {"150707"}});
        Tecla(Qt::Key_F5);
    });
    EXPECT_FALSE(ficouAberta);
    EXPECT_EQ(bancada->TipoSelecionado(), TipoCalculo::VendaPorFora);
    EXPECT_EQ(Controles(bancada).Edit6->text(), "5000");
    for (int r = 0; r < 3; ++r) EXPECT_EQ(Celula(r, 1), "1.789,44") << r;
    EXPECT_EQ(Celula(0, 4), "21");
    EXPECT_EQ(Celula(1, 4), "33");
    EXPECT_EQ(Celula(2, 4), "47");
    EXPECT_EQ(Controles(bancada).Edit2->text(), "5.368,31");
    EXPECT_EQ(Controles(bancada).Label12->text(), "TAC   = 53,68");
    EXPECT_EQ(Controles(bancada).Label13->text(), "IOF   = 7,41");
    EXPECT_EQ(Controles(bancada).Label14->text(), "Juros = 301,22");
    EXPECT_EQ(Controles(bancada).Label15->text(), "Tarifa= 6,00");
    EXPECT_TRUE(msgs.mensagens.empty());
}

// Stops before anything is handed over: the window stays open with its data.
TEST_F(Entrada, ParadasAntesDeEntregar) {
    struct Caso {
        const char* nome;
        double taxa;
        std::vector<Parcela> linhas;
        std::vector<std::string> mensagens;
        const char* linha0Valor;  // the first row's value afterwards
    } casos[] = {
        {"sem taxa", 0, {L("31/12/07", "1000")}, {kTaxaObrigatoria}, "1000"},
        {"linha sem valor", 3, {L("31/12/07", "1000"), L("26/01/08"), L("")}, {kSemValor}, "1000"},
        {"data que nao existe, depois da linha sem valor",
         3,
         {L("31/12/07", "1000"), L("26/01/08"), L("31/13/07", "700")},
         {TextoDataInvalidaNaLinha("31/13/07", 3).toStdString()},
         "1000"},
        {"valor sem data perguntado, a linha seguinte sem valor",
         3,
         {L("", "5"), L("26/01/08")},
         {TextoValorSemData({"1"}).toStdString(), kSemValor},
         "5"},
    };
    for (const Caso& c : casos) {
        msgs.mensagens.clear();
        Controles(bancada).grid->Modelo()->DefineCelula(0, 0, "antes");
        AbreDesconto([&](Tfrm_desconto& j) {
            j.edtTaxa->DefineValor(c.taxa);
            j.grid_pre->Modelo()->DefineLinhas(c.linhas);
            Tecla(Qt::Key_F5);
            ASSERT_TRUE(j.isVisible()) << c.nome;
            EXPECT_EQ(CelulaEntrada(j, 0, 1).toStdString(), c.linha0Valor) << c.nome;
            EXPECT_EQ(j.grid_pre->Modelo()->NumeroLinhas(), static_cast<int>(c.linhas.size()));
        });
        EXPECT_TRUE(ficouAberta) << c.nome;
        EXPECT_EQ(msgs.Textos(), c.mensagens) << c.nome;
        EXPECT_EQ(Celula(0, 0), "antes") << c.nome;  // nothing handed over
        EXPECT_FALSE(bancada->isVisible()) << c.nome;
        EXPECT_EQ(bancada->TipoSelecionado(), TipoCalculo::Nenhum) << c.nome;
    }
}

// A date that does not exist stops F5 at its row, with its text and value,
// that cell current; corrected, every cheque is handed over. A date cell
// left blank is an empty one.
TEST_F(Entrada, DataQueNaoExisteParaOF5NaSuaLinhaSemPerderOValor) {
    AbreDesconto([&](Tfrm_desconto& j) {
        j.edtTaxa->DefineValor(3);
        j.data_ref->DefineData(D(2007, 12, 28));
        j.grid_pre->Modelo()->DefineLinhas(
            {L("31/12/07", "1000"), L("29/02/25", "700"), L("00/00/00", "200"), L("//", "9")});
        for (const char* correta : {"280225", "010325"}) {
            Tecla(Qt::Key_F5);
            ASSERT_TRUE(j.isVisible());
            EXPECT_TRUE(j.grid_pre->hasFocus());
            const QModelIndex atual = j.grid_pre->currentIndex();
            EXPECT_EQ(atual.column(), 0);
            EXPECT_EQ(msgs.Textos(),
                      std::vector<std::string>{
                          TextoDataInvalidaNaLinha(CelulaEntrada(j, atual.row(), 0), atual.row() + 1).toStdString()});
            EXPECT_EQ(CelulaEntrada(j, 1, 1), "700");
            msgs.mensagens.clear();
            Digita(correta);  // over the text, kept selected for correction
            Tecla(Qt::Key_Return);
        }
        EXPECT_EQ(CelulaEntrada(j, 2, 0), "01/03/25");
        Tecla(Qt::Key_F5);
    });
    EXPECT_FALSE(ficouAberta);
    // A value without a date is asked about; Enter leaves it out.
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{TextoValorSemData({"4"}).toStdString()});
    EXPECT_EQ(Controles(bancada).Edit2->text(), "1.900,00");
    EXPECT_EQ(Celula(3, 0), "");
    EXPECT_EQ(Celula(3, 1), "");
}

// Told "no", the window goes back to the first such row's date, typed in
// next, and nothing is handed over.
TEST_F(Entrada, ValorSemDataNaoSomeSemAviso) {
    AbreDesconto([&](Tfrm_desconto& j) {
        j.edtTaxa->DefineValor(3);
        j.data_ref->DefineData(D(2007, 12, 28));
        j.grid_pre->Modelo()->DefineLinhas({L("31/12/07", "1000"), L("", "500"), L("", "300")});
        msgs.respostas = {false};
        Tecla(Qt::Key_F5);
        ASSERT_TRUE(j.isVisible());
        EXPECT_EQ(msgs.Textos(), std::vector<std::string>{TextoValorSemData({"2", "3"}).toStdString()});
        EXPECT_EQ(j.grid_pre->currentIndex(), j.grid_pre->Modelo()->index(1, 0));
        msgs.mensagens.clear();
        teste::DigitaLinhas({{"260108"}});
        j.grid_pre->Modelo()->DefineCelula(2, 0, "26/02/08");
        Tecla(Qt::Key_F5);
    });
    EXPECT_FALSE(ficouAberta);
    EXPECT_TRUE(msgs.mensagens.empty());
    EXPECT_EQ(Controles(bancada).Edit2->text(), "1.800,00");
}

TEST_F(Entrada, VencimentoAntesDaOperacaoAvisaNasDuasJanelasEEntrega) {
    AbreDesconto([&](Tfrm_desconto& j) {
        j.edtTaxa->DefineValor(3);
        j.data_ref->DefineData(D(2007, 12, 28));
        j.grid_pre->Modelo()->DefineLinhas({L("20/12/07", "100"), L("31/12/07", "1000")});
        Tecla(Qt::Key_F5);
    });
    EXPECT_FALSE(ficouAberta);
    EXPECT_EQ(msgs.Textos(), (std::vector<std::string>{kAvisoEntrada, kAvisoBancada}));
    EXPECT_EQ(Celula(0, 4), "0");
    EXPECT_EQ(Controles(bancada).Edit2->text(), "1.100,00");
}

TEST_F(Entrada, AvisoSegueOsFeriadosDaBancada) {
    // Christmas 2026 is a Friday: with holidays the cheque is paid on Monday
    // 28/12, the operation's date, so the entry window (without clearing)
    // does not warn; nor does the workbench, which counts as the window.
    const teste::PastaDePreferencias pasta;
    const auto passos = [&](Tfrm_desconto& j) {
        j.edtTaxa->DefineValor(3);
        j.data_ref->DefineData(D(2026, 12, 28));
        j.CheckBox1->setChecked(false);
        j.grid_pre->Modelo()->DefineLinhas({L("25/12/26", "100")});
        Tecla(Qt::Key_F5);
    };
    AbreDesconto(passos);
    EXPECT_EQ(msgs.Textos(), (std::vector<std::string>{kAvisoEntrada, kAvisoBancada}));
    EXPECT_EQ(Celula(0, 4), "0");
    msgs.mensagens.clear();
    Controles(bancada).CheckBox2->setChecked(true);
    AbreDesconto(passos);
    EXPECT_TRUE(msgs.mensagens.empty());
    EXPECT_EQ(Celula(0, 4), "0");
}

// Amounts typed with digit-group marks are those amounts, in the grid as in
// the fields; "1.000" left alone is asked about, Enter taking the thousands.
TEST_F(Entrada, ValoresComPontoDeMilharChegamComoDigitados) {
    AbreDesconto([&](Tfrm_desconto& j) {
        j.data_ref->DefineData(D(2007, 12, 28));
        j.edtTaxa->setFocus(Qt::TabFocusReason);
        Campos({"3", "", "", "", "1.500,00"});
        EXPECT_EQ(j.edtTARIFA->Valor(), 1500);
        DefineServicoMensagens(nullptr);  // a real box, answered with Enter
        std::string pergunta;
        teste::EnterNaProximaCaixa(&pergunta);
        teste::DigitaLinhas({{"311207", "1.000"}});
        Tecla(Qt::Key_Return);
        DefineServicoMensagens(&msgs);
        EXPECT_EQ(pergunta, "O valor \"1,000\" da linha 1 é 1.000,00?\nResponda Não para corrigi-lo.");
        EXPECT_EQ(CelulaEntrada(j, 0, 1), "1000");
        Tecla(Qt::Key_Down);
        for (int i = 0; i < 2; ++i) Tecla(Qt::Key_Left);
        teste::DigitaLinhas({{"260108", "2.500,50"}});
        Tecla(Qt::Key_F5);
    });
    EXPECT_FALSE(ficouAberta);
    EXPECT_EQ(Celula(0, 1), "1000");
    EXPECT_EQ(Celula(1, 1), "2500,50");
    EXPECT_EQ(Controles(bancada).Edit2->text(), "3.500,50");
    EXPECT_EQ(Controles(bancada).edtTARIFA->Valor(), 1500);

    AbreVenda([&](Tfrm_venda_por_fora& j) {
        j.data_ref->DefineData(D(2007, 6, 1));
        j.edtVlrFinanciado->setFocus(Qt::TabFocusReason);
        Digita("1.500");
        msgs.respostas = {false};
        Tecla(Qt::Key_F5);  // asked before it is read; no: back to correct it
        ASSERT_TRUE(j.isVisible());
        EXPECT_TRUE(j.edtVlrFinanciado->hasFocus());
        EXPECT_EQ(j.edtVlrFinanciado->selectedText(), "1,500");
        Digita("5.000,00");
        Tecla(Qt::Key_Return);
        Digita("020707");
        Tecla(Qt::Key_F5);
    });
    EXPECT_EQ(msgs.mensagens.size(), 1u);
    EXPECT_EQ(Controles(bancada).Edit6->text(), "5000");
    EXPECT_EQ(Celula(0, 0), "02/07/07");
}

TEST_F(Entrada, CalculoQueParaNaBancadaDeixaAJanelaComOQueFoiDigitado) {
    AbreDesconto([&](Tfrm_desconto& j) {
        j.data_ref->DefineData(D(2007, 12, 27));
        j.edtTaxa->DefineValor(3);
        DigitaLinhas(j, {{"311207"}});
        j.grid_pre->Modelo()->DefineCelula(0, 1, "1,500,00");  // a text no key gives
        Tecla(Qt::Key_F5);
        ASSERT_TRUE(j.isVisible());
        EXPECT_EQ(Celula(0, 1), "1,500,00");
        EXPECT_TRUE(bancada->isVisible());  // over the workbench, which shows the data
        // The user goes to the workbench and comes back: nothing typed is lost.
        QApplication::setActiveWindow(bancada.get());
        QApplication::setActiveWindow(&j);
        EXPECT_EQ(j.data_ref->Data(), D(2007, 12, 27));
        EXPECT_EQ(CelulaEntrada(j, 0, 1), "1,500,00");
        EXPECT_EQ(j.grid_pre->Modelo()->NumeroLinhas(), 1);
    });
    EXPECT_TRUE(ficouAberta);
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{"'1,500,00' is not a valid floating point value"});
}

// The workbench counts the days with the clearing box of the window the
// clerk typed in (not with its own, as before).
TEST_F(Entrada, EntregaLevaACompensacaoDaJanelaETrocaTipoELinhasSemReacao) {
    Controles(bancada).CheckBox1->setChecked(false);
    Controles(bancada).ComboBox1->setCurrentIndex(static_cast<int>(TipoCalculo::RenegociacaoDividas));
    int reacoes = 0;
    bancada->abreRenegociacao = [&] {
        ++reacoes;
        return std::optional<Tfrm_desconto_cheque::DadosRenegociacao>{};
    };
    bancada->abrePrestacao = [&] {
        ++reacoes;
        return std::optional<Tfrm_desconto_cheque::DadosPrestacao>{};
    };
    QSignalSpy mudancas(Controles(bancada).ComboBox1, &QComboBox::currentIndexChanged);
    // As many rows as will be handed over: the grid keeps its row indexes.
    std::vector<Parcela> antigas(2, L("01/01/08", "9", "b", "e", "4"));
    Controles(bancada).grid->Modelo()->DefineLinhas(antigas);
    // A cell left being edited in the workbench must not come back.
    bancada->show();
    QApplication::setActiveWindow(bancada.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(bancada.get()));
    Controles(bancada).grid->setFocus();
    Controles(bancada).grid->setCurrentIndex(Controles(bancada).grid->model()->index(1, 1));
    Digita("77");
    ASSERT_NE(Controles(bancada).grid->EditorAberto(), nullptr);
    bancada->hide();
    AbreDesconto([&](Tfrm_desconto& j) {
        j.CheckBox1->setChecked(true);
        j.edtTaxa->DefineValor(3);
        j.data_ref->DefineData(D(2007, 12, 28));
        j.grid_pre->Modelo()->DefineLinhas({L("29/12/07", "1000", "x", "y"), L("", "5")});
        Tecla(Qt::Key_F5);
    });
    EXPECT_FALSE(ficouAberta);
    EXPECT_TRUE(Controles(bancada).CheckBox1->isChecked());
    EXPECT_EQ(bancada->TipoSelecionado(), TipoCalculo::DescontoCheque);
    EXPECT_EQ(reacoes, 0);
    EXPECT_EQ(mudancas.count(), 0);
    EXPECT_EQ(Controles(bancada).grid->Modelo()->Linhas(),
              (std::vector<Parcela>{L("29/12/07", "1000", "x", "y", "5"), L("")}));  // to Wednesday 02/01
    AbreVenda([&](Tfrm_venda_por_fora& j) {
        j.CheckBox1->setChecked(false);
        j.edtVlrFinanciado->DefineValor(1000);
        j.data_ref->DefineData(D(2007, 12, 28));
        j.grid_pre->Modelo()->DefineLinhas({L("29/12/07")});
        Tecla(Qt::Key_F5);
    });
    EXPECT_FALSE(Controles(bancada).CheckBox1->isChecked());
    EXPECT_EQ(Celula(0, 4), "3");  // Monday 31/12
}

TEST_F(Entrada, VendaCertaParadasEEntregas) {
    // No financed value: stops, nothing handed over.
    AbreVenda([&](Tfrm_venda_por_fora& j) {
        j.edtTaxa->DefineValor(5);
        j.grid_pre->Modelo()->DefineLinhas({L("20/06/08")});
        Tecla(Qt::Key_F5);
    });
    EXPECT_TRUE(ficouAberta);
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{kValorObrigatorio});
    EXPECT_EQ(bancada->TipoSelecionado(), TipoCalculo::Nenhum);

    // A date that does not exist stops F5 with its row named; rate 0 goes
    // over as "0"; the empty row left in the middle stays empty and the
    // other dates get their values.
    ficouAberta = false;
    msgs.mensagens.clear();
    AbreVenda([&](Tfrm_venda_por_fora& j) {
        j.data_ref->DefineData(D(2007, 6, 1));
        j.edtVlrFinanciado->DefineValor(1000);
        j.grid_pre->Modelo()->DefineLinhas({L("31/02/07"), L("02/07/07")});
        Tecla(Qt::Key_F5);
        EXPECT_EQ(msgs.Textos(), std::vector<std::string>{TextoDataInvalidaNaLinha("31/02/07", 1).toStdString()});
        EXPECT_EQ(CelulaEntrada(j, 0, 0), "31/02/07");
        msgs.mensagens.clear();
        j.grid_pre->Modelo()->DefineCelula(0, 0, "");
        Tecla(Qt::Key_F5);
    });
    EXPECT_FALSE(ficouAberta);
    EXPECT_TRUE(msgs.mensagens.empty());
    EXPECT_EQ(Controles(bancada).Edit1->text(), "0");
    EXPECT_EQ(Celula(0, 0), "");
    EXPECT_EQ(Celula(0, 1), "");
    EXPECT_EQ(Celula(1, 1), "1.000,00");

    // No date at all: handed over; the inverse discount stops silently and
    // the window closes.
    AbreVenda([&](Tfrm_venda_por_fora& j) {
        j.edtVlrFinanciado->DefineValor(5000);
        Tecla(Qt::Key_F5);
    });
    EXPECT_FALSE(ficouAberta);
    EXPECT_EQ(Controles(bancada).Edit6->text(), "5000");
    EXPECT_EQ(Controles(bancada).grid->Modelo()->Linhas(), std::vector<Parcela>(1));
}

TEST_F(Entrada, VendaCertaQueParaNaBancadaFicaAberta) {
    AbreVenda([&](Tfrm_venda_por_fora& j) {
        j.edtVlrFinanciado->DefineValor(1234.5);
        j.data_ref->DefineData(D(2007, 6, 1));
        j.grid_pre->Modelo()->DefineLinhas({L("02/07/07")});
        j.edtTAC->DefineValor(100);  // charges of 100 % or more
        Tecla(Qt::Key_F5);
        EXPECT_TRUE(j.isVisible());
    });
    EXPECT_TRUE(ficouAberta);
    EXPECT_EQ(Controles(bancada).Edit6->text(), "1234,5");
    ASSERT_EQ(msgs.Textos().size(), 1u);
    EXPECT_EQ(msgs.Textos()[0], kMsgEncargosAcimaDoValor);
}

TEST_F(Entrada, SaidaDosCamposObrigatoriosAvisaSoAoIrParaOutroControle) {
    AbreDesconto([&](Tfrm_desconto& j) {
        j.edtTaxa->setFocus(Qt::TabFocusReason);
        Tecla(Qt::Key_Return);
        EXPECT_TRUE(j.edtTAC->hasFocus());  // the focus moves on
        EXPECT_EQ(msgs.Textos(), std::vector<std::string>{kTaxaObrigatoria});
        msgs.mensagens.clear();
        j.edtTaxa->setFocus(Qt::TabFocusReason);
        QApplication::setActiveWindow(bancada.get());  // the window itself loses the focus
        EXPECT_TRUE(msgs.mensagens.empty());
    });
    AbreVenda([&](Tfrm_venda_por_fora& j) {
        j.edtVlrFinanciado->setFocus(Qt::TabFocusReason);
        Digita("0");
        Tecla(Qt::Key_Tab);
        EXPECT_EQ(msgs.Textos(), std::vector<std::string>{kValorObrigatorio});
    });
}

TEST_F(Entrada, FiltrosDeTeclasDasColunas) {
    struct Caso {
        int coluna;
        const char* teclas;
        const char* celula;
    } casos[] = {
        {0, "ab3112cd07", "31/12/07"},
        {1, "1.500,00", "1500,00"},
        {1, "x12,5y", "12,5"},
        {2, "Bco 1/23", "Bco 1/23"},
        {3, "Jose da Silva", "Jose da Silva"},
    };
    AbreDesconto([&](Tfrm_desconto& j) {
        for (const auto& c : casos) {
            j.grid_pre->Modelo()->DefineLinhas(std::vector<Parcela>(1));
            j.grid_pre->setFocus();
            j.grid_pre->setCurrentIndex(j.grid_pre->model()->index(0, c.coluna));
            Digita(QString::fromUtf8(c.teclas));
            Tecla(Qt::Key_Return);
            EXPECT_EQ(CelulaEntrada(j, 0, c.coluna), QString::fromUtf8(c.celula)) << c.teclas;
        }
    });
    AbreVenda([&](Tfrm_venda_por_fora& j) {
        j.grid_pre->setFocus();
        j.grid_pre->setCurrentIndex(j.grid_pre->model()->index(0, 0));
        Digita("a2,0.0607");
        Tecla(Qt::Key_Return);
        EXPECT_EQ(CelulaEntrada(j, 0, 0), "20/06/07");
    });
}

TEST_F(Entrada, SetaDireitaNumaDataInvalidaAvisaEDescerDaUltimaLinhaCria) {
    AbreDesconto([&](Tfrm_desconto& j) {
        j.grid_pre->setFocus();
        j.grid_pre->setCurrentIndex(j.grid_pre->model()->index(0, 0));
        Digita("3113");
        Tecla(Qt::Key_Right);  // inside the text
        EXPECT_EQ(msgs.Textos(), std::vector<std::string>{"Data invalida"});
        EXPECT_EQ(j.grid_pre->TextoCelula(0, 0), "31/13/");  // nothing changed
        Tecla(Qt::Key_Escape);                               // the cell's editor drops what it holds
        Tecla(Qt::Key_Down);
        Tecla(Qt::Key_Down);
        EXPECT_EQ(j.grid_pre->Modelo()->NumeroLinhas(), 3);
        Tecla(Qt::Key_Escape);  // no dialog close on Escape
        EXPECT_TRUE(j.isVisible());
    });
    EXPECT_TRUE(ficouAberta);
}

TEST_F(Entrada, F5NoGradeEEnterNoGradeFicaNoGrade) {
    AbreVenda([&](Tfrm_venda_por_fora& j) {
        j.grid_pre->setFocus();
        j.grid_pre->setCurrentIndex(j.grid_pre->model()->index(0, 0));
        Digita("020707");
        Tecla(Qt::Key_Return);  // left to the grid: the cell is taken, the focus stays
        EXPECT_TRUE(j.grid_pre->hasFocus());
        EXPECT_EQ(CelulaEntrada(j, 0, 0), "02/07/07");
        Tecla(Qt::Key_F5);
        EXPECT_EQ(msgs.Textos(), std::vector<std::string>{kValorObrigatorio});
    });
    EXPECT_TRUE(ficouAberta);
}

TEST_F(Entrada, CadaAberturaEUmaJanelaNova) {
    QPointer<Tfrm_desconto> primeira;
    AbreDesconto([&](Tfrm_desconto& j) {
        primeira = &j;
        j.grid_pre->Modelo()->DefineLinhas({L("31/12/07", "1"), L("", "")});
    });
    EXPECT_TRUE(primeira.isNull());
    AbreDesconto([&](Tfrm_desconto& j) {
        EXPECT_EQ(j.grid_pre->Modelo()->NumeroLinhas(), 1);
        EXPECT_EQ(CelulaEntrada(j, 0, 0), "");
        EXPECT_EQ(j.data_ref->Data(), D(2007, 12, 28));
    });
}

TEST_F(Entrada, ControlesTextosTamanhosEOrdem) {
    AbreDesconto([&](Tfrm_desconto& j) {
        EXPECT_EQ(j.windowTitle(), "Desconto de Cheques");
        EXPECT_EQ(j.palette().color(QPalette::Window), QColor(240, 202, 166));
        EXPECT_EQ(j.BitBtn1->text(), "F5 - CONTINUA");
        EXPECT_EQ(j.BitBtn1->size(), QSize(153, 41));
        EXPECT_EQ(j.CheckBox1->text(), "F7- Inclui C&ompensação");
        EXPECT_TRUE(j.CheckBox1->isChecked());
        EXPECT_EQ(j.cbTipoTarifa->currentText(), "Tarifa por título");
        EXPECT_FALSE(j.cbTipoTarifa->isEditable());
        EXPECT_EQ(j.edtTaxa->Decimais(), 3);
        EXPECT_EQ(j.edtTaxa->text(), "");
        const int larguras[] = {92, 101, 121, 132};
        QStringList titulos;
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(j.grid_pre->columnWidth(c), larguras[c]);
            titulos << j.grid_pre->model()->headerData(c, Qt::Horizontal).toString();
        }
        EXPECT_EQ(titulos, (QStringList{"Data", "Valor", "Banco/Número", "Emitente"}));
        EXPECT_EQ(j.grid_pre->font().family(), "Times New Roman");
        EXPECT_EQ(j.grid_pre->font().pixelSize(), 16);
        EXPECT_EQ(j.grid_pre->palette().color(QPalette::Text), QColor(0, 0, 128));
        EXPECT_TRUE(j.grid_pre->toolTip().startsWith("Quando o tipo de calculo for DESCONTO POR FORA\n"));
        QWidget* ordem[] = {j.data_ref,  j.edtTaxa,   j.edtTAC,   j.edtIOF, j.cbTipoTarifa,
                            j.edtTARIFA, j.CheckBox1, j.grid_pre, j.BitBtn1};
        for (std::size_t i = 0; i + 1 < std::size(ordem); ++i)
            EXPECT_EQ(teste::ProximoNoTab(ordem[i]), ordem[i + 1]) << i;
    });
    AbreVenda([&](Tfrm_venda_por_fora& j) {
        EXPECT_EQ(j.windowTitle(), "Venda Certa (Desconto Inverso)");
        EXPECT_EQ(j.palette().color(QPalette::Window), QColor(240, 251, 255));
        EXPECT_EQ(j.grid_pre->model()->columnCount(), 1);
        EXPECT_EQ(j.grid_pre->columnWidth(0), 112);
        EXPECT_EQ(j.grid_pre->model()->headerData(0, Qt::Horizontal).toString(), "Data cheque");
        EXPECT_EQ(j.grid_pre->palette().color(QPalette::Text), QColor(Qt::black));
        j.edtVlrFinanciado->DefineValor(5000);
        EXPECT_EQ(j.edtVlrFinanciado->text(), "R$ 5.000,00");
        EXPECT_EQ(j.edtVlrFinanciado->Texto(), "5000");
        QWidget* ordem[] = {j.data_ref,  j.edtTaxa,          j.edtTAC,    j.edtIOF,   j.cbTipoTarifa,
                            j.edtTARIFA, j.edtVlrFinanciado, j.CheckBox1, j.grid_pre, j.BitBtn1};
        for (std::size_t i = 0; i + 1 < std::size(ordem); ++i)
            EXPECT_EQ(teste::ProximoNoTab(ordem[i]), ordem[i + 1]) << i;
    });
}

TEST_F(Entrada, ValorDigitadoLogoAposClicarNaCelulaAtualDoDescontoFicaNela) {
    AbreDesconto([&](Tfrm_desconto& j) {
        j.grid_pre->Modelo()->DefineLinhas({L("", "100"), L("", "200"), L("", "300")});
        ClicaCelulaAtual(j, 0, 1);
        Digita("1500");
        Tecla(Qt::Key_Return);
        EXPECT_EQ(CelulaEntrada(j, 0, 1), "1500");
        EXPECT_EQ(CelulaEntrada(j, 2, 1), "300");
    });
}

TEST_F(Entrada, DataDigitadaLogoAposClicarNaCelulaAtualDaVendaFicaNela) {
    AbreVenda([&](Tfrm_venda_por_fora& j) {
        j.grid_pre->Modelo()->DefineLinhas({L("20/06/07"), L("30/06/07"), L("15/07/07")});
        ClicaCelulaAtual(j, 0, 0);
        Digita("150127");
        Tecla(Qt::Key_Return);
        EXPECT_EQ(CelulaEntrada(j, 0, 0), "15/01/27");
        EXPECT_EQ(CelulaEntrada(j, 2, 0), "15/07/07");
    });
}

TEST_F(Entrada, EnterDoEmitenteVaiADataDaLinhaSeguinteQueSeAcrescenta) {
    AbreDesconto([&](Tfrm_desconto& j) {
        j.grid_pre->setFocus(Qt::TabFocusReason);
        for (const char* celula : {"311207", "1000", "Bco 1", "Ana", "260108"}) {
            Digita(celula);
            Tecla(Qt::Key_Return);
        }
        EXPECT_EQ(j.grid_pre->Modelo()->Linhas(),
                  (std::vector<Parcela>{L("31/12/07", "1000", "Bco 1", "Ana"), L("26/01/08")}));
        EXPECT_EQ(j.grid_pre->currentIndex(), j.grid_pre->model()->index(1, 1));
    });
}

TEST_F(Entrada, VinteChequesDigitadosRolamPorLinhasInteiras) {
    AbreDesconto([&](Tfrm_desconto& j) {
        j.grid_pre->setFocus(Qt::TabFocusReason);
        for (int i = 1; i <= 20; ++i) {
            Digita(QStringLiteral("%1%2").arg(i, 2, 10, QLatin1Char('0')).arg("0108"));
            Tecla(Qt::Key_Return);
            Digita(QString::number(100 * i));
            for (int k = 0; k < 3; ++k) Tecla(Qt::Key_Return);
        }
        GradeParcelas* g = j.grid_pre;
        ASSERT_GT(g->verticalScrollBar()->value(), 0);
        const int topo = g->rowAt(0);
        EXPECT_EQ(g->rowViewportPosition(topo), 0) << "row " << topo << " cut at the top";
        EXPECT_EQ(CelulaEntrada(j, 19, 1), "2000");
    });
}

// Enter after the last general-data field goes to the first empty row's
// date, a row added when none is empty, with the focus frame of Tab; the
// date typed next lands there.
TEST_F(Entrada, EnterDoUltimoCampoVaiADataDaPrimeiraLinhaVazia) {
    AbreVenda([&](Tfrm_venda_por_fora& j) {
        ASSERT_FALSE(j.testAttribute(Qt::WA_KeyboardFocusChange));
        j.grid_pre->Modelo()->DefineLinhas({L("20/06/07")});
        j.edtTARIFA->setFocus(Qt::MouseFocusReason);
        Campos({"2"});
        EXPECT_TRUE(j.edtVlrFinanciado->hasFocus());  // the financed value comes before the dates
        Campos({"5000"});
        EXPECT_TRUE(j.grid_pre->hasFocus());
        EXPECT_TRUE(j.testAttribute(Qt::WA_KeyboardFocusChange));
        Digita("300607");
        Tecla(Qt::Key_Return);
        EXPECT_EQ(j.grid_pre->Modelo()->Linhas(), (std::vector<Parcela>{L("20/06/07"), L("30/06/07"), L("")}));
    });
    AbreDesconto([&](Tfrm_desconto& j) {
        j.grid_pre->Modelo()->DefineLinhas({L("31/12/07", "1000"), L(""), L("26/01/08")});
        j.edtTARIFA->setFocus(Qt::MouseFocusReason);
        Tecla(Qt::Key_Return);
        EXPECT_EQ(j.grid_pre->currentIndex(), j.grid_pre->model()->index(1, 0));
        EXPECT_TRUE(msgs.mensagens.empty());
    });
}

// F5 with a cell being edited and a real message box answered with Enter on
// its OK: the window stays, with what was typed in its cell, current, and the
// grid has the focus.
TEST_F(Entrada, F5ComCelulaAbertaEMensagemRespondidaComEnter) {
    const auto confere = [&](JanelaEntrada& j, int coluna, const QString& texto, const std::string& mensagem) {
        ASSERT_NE(j.grid_pre->EditorAberto(), nullptr);
        DefineServicoMensagens(nullptr);
        std::string visto;
        teste::EnterNaProximaCaixa(&visto);
        Tecla(Qt::Key_F5);
        DefineServicoMensagens(&msgs);
        EXPECT_EQ(visto, mensagem);
        EXPECT_TRUE(j.isVisible());
        EXPECT_EQ(CelulaEntrada(j, 0, coluna), texto);
        EXPECT_EQ(j.grid_pre->currentIndex(), j.grid_pre->model()->index(0, coluna));
        // The focus the window gives back when the desktop makes it active again.
        EXPECT_EQ(j.focusWidget(), j.grid_pre);
    };
    AbreDesconto([&](Tfrm_desconto& j) {
        DigitaLinhas(j, {{"311207", "1000"}});
        confere(j, 1, "1000", kTaxaObrigatoria);
    });
    EXPECT_TRUE(ficouAberta);
    ficouAberta = false;
    AbreVenda([&](Tfrm_venda_por_fora& j) {
        DigitaLinhas(j, {{"020707"}});
        confere(j, 0, "02/07/07", kValorObrigatorio);
    });
    EXPECT_TRUE(ficouAberta);
}

// A click on the empty area below the last row starts a new row in the
// column clicked; the keys typed next go there and change no other cell.
TEST_F(Entrada, CliqueAbaixoDaUltimaLinhaComecaUmaLinhaNova) {
    const auto clicaAbaixo = [](JanelaEntrada& j, int coluna) {
        const int ultima = j.grid_pre->Modelo()->NumeroLinhas() - 1;
        const QRect r = j.grid_pre->visualRect(j.grid_pre->model()->index(ultima, coluna));
        QTest::mouseClick(j.grid_pre->viewport(), Qt::LeftButton, {}, QPoint(r.center().x(), r.bottom() + 20));
    };
    AbreDesconto([&](Tfrm_desconto& j) {
        DigitaLinhas(j, {{"150127", "1500"}});  // the value's editor still open
        clicaAbaixo(j, 1);
        teste::DigitaAoRitmo("800");
        EXPECT_EQ(j.grid_pre->Modelo()->NumeroLinhas(), 2);
        EXPECT_EQ(CelulaEntrada(j, 0, 0), "15/01/27");
        EXPECT_EQ(CelulaEntrada(j, 0, 1), "1500");
        EXPECT_EQ(j.grid_pre->TextoCelula(1, 1), "800");
        clicaAbaixo(j, 0);
        teste::DigitaAoRitmo("200227");
        EXPECT_EQ(j.grid_pre->TextoCelula(2, 0), "20/02/27");
        EXPECT_EQ(CelulaEntrada(j, 1, 1), "800");
        EXPECT_EQ(CelulaEntrada(j, 1, 0), "");
    });
    ficouAberta = false;
    AbreVenda([&](Tfrm_venda_por_fora& j) {
        DigitaLinhas(j, {{"150127"}});
        clicaAbaixo(j, 0);
        teste::DigitaAoRitmo("200227");
        EXPECT_EQ(CelulaEntrada(j, 0, 0), "15/01/27");
        EXPECT_EQ(j.grid_pre->TextoCelula(1, 0), "20/02/27");
        // Beside a date, in the wide empty area right of the one column: that
        // row's date becomes current, shown selected.
        j.grid_pre->EncerraEdicao(true);
        const QRect r = j.grid_pre->visualRect(j.grid_pre->model()->index(0, 0));
        QTest::mouseClick(j.grid_pre->viewport(), Qt::LeftButton, {}, QPoint(r.right() + 30, r.center().y()));
        EXPECT_EQ(j.grid_pre->currentIndex(), j.grid_pre->model()->index(0, 0));
        EXPECT_TRUE(j.grid_pre->selectionModel()->isSelected(j.grid_pre->currentIndex()));
        EXPECT_EQ(j.grid_pre->Modelo()->NumeroLinhas(), 2);
    });
}

// A cheque read into the cheque window reaches the workbench with its line;
// "Venda certa", which holds dates only, says so and keeps its date cell.
TEST_F(Entrada, ChequeLidoPeloLeitorNasDuasJanelas) {
    const QString linha = "<23704948<0180017935>377506100112:";
    AbreDesconto([&](Tfrm_desconto& j) {
        DigitaDadosDoExemplo(j);
        Digita(linha);
        Tecla(Qt::Key_Return);
        EXPECT_EQ(j.StatusBar1->findChild<QLabel*>("lblBanco")->text(), "Banco 237: BCO BRADESCO S.A.");
        Campos({"311207", "1000"});
        Tecla(Qt::Key_F5);
    });
    EXPECT_EQ(Celula(0, 2), "237/0494/001793");
    EXPECT_EQ(Controles(bancada).grid->Modelo()->Linhas()[0].CMC7, linha.toStdString());
    EXPECT_TRUE(msgs.mensagens.empty());
    AbreVenda([&](Tfrm_venda_por_fora& j) {
        DigitaLinhas(j, {{""}});
        Digita(linha);
        Tecla(Qt::Key_Return);
        EXPECT_EQ(msgs.Textos(), std::vector<std::string>{kMsgLeitorSemBancoNumero});
        EXPECT_EQ(j.grid_pre->TextoCelula(0, 0), "");
        Digita("200607");
        Tecla(Qt::Key_Return);
        EXPECT_EQ(CelulaEntrada(j, 0, 0), "20/06/07");
    });
}
