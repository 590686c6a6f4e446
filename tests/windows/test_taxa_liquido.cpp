// The workbench's "F9 - Taxa p/ líquido": the wanted net typed into its
// dialog, the rate written and calculated, and Ctrl+Z right after.
#include <QTest>

#include "core/TaxaParaLiquido.h"
#include "tests/support/BancadaTeste.h"
#include "tests/support/Dialogos.h"
#include "tests/support/Exemplos.h"
#include "tests/support/Teclas.h"
#include "windows/UfrmTaxaLiquido.h"

using namespace quantivo;
using teste::Digita;
using teste::Tecla;

namespace {

class TaxaLiquido : public teste::BancadaTeste {
protected:
    void SetUp() override {
        BancadaTeste::SetUp();
        guarda.Permite(true);  // the dialog is opened and closed by each test
        ctl.ComboBox1->setCurrentIndex(0);
        teste::DadosDoExemplo(*f);
        ctl.grid->Modelo()->DefineLinhas(
            {{"31/12/07", "1000", "", "", ""}, {"26/01/08", "500", "", "", ""}, {"15/02/08", "2500,50", "", "", ""}});
        Tecla(Qt::Key_F5);
        ASSERT_EQ(ctl.Edit6->text(), "3.758,04");
    }
    // F9, the value typed into the dialog's field, Enter.
    void PedeLiquido(const QString& valor) {
        teste::NaProximaModal<TfrmTaxaLiquido>([valor](TfrmTaxaLiquido*) {
            Digita(valor);
            Tecla(Qt::Key_Return);
        });
        Tecla(Qt::Key_F9);
    }
    QString Aviso() const { return f->findChild<QLabel*>("painel5")->text(); }
};

}  // namespace

TEST_F(TaxaLiquido, F9EscreveATaxaCalculaECtrlZTrazTudoDeVolta) {
    const Bancada antes = f->LeBancada();
    ctl.grid->setFocus(Qt::TabFocusReason);
    PedeLiquido("3800");
    EXPECT_TRUE(ctl.grid->hasFocus());  // the keyboard back where it was
    EXPECT_EQ(ctl.Edit1->text(), "2,1693");
    EXPECT_EQ(ctl.Edit6->text(), "3.800,00");
    EXPECT_EQ(ctl.Label14->text(), "Juros = 109,57");
    EXPECT_TRUE(msgs.mensagens.empty());  // exact: nothing to tell
    EXPECT_EQ(Aviso(), "Ctrl+Z desfaz a taxa");
    Tecla(Qt::Key_Z, Qt::ControlModifier);
    const Bancada depois = f->LeBancada();
    EXPECT_EQ(depois.dados.Taxa, "3");
    EXPECT_EQ(depois.dados.ValorFinanciado, "3.758,04");
    EXPECT_EQ(depois.totais.Juros, antes.totais.Juros);
    EXPECT_EQ(depois.totais.CET, antes.totais.CET);
    EXPECT_EQ(Aviso(), "");
    // Once only: a second Ctrl+Z changes nothing.
    Tecla(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ctl.Edit1->text(), "3");
}

TEST_F(TaxaLiquido, DiferencaEmCentavosDitaEOutraTeclaGuardaATaxa) {
    ctl.grid->Modelo()->DefineLinhas(
        {{"15/02/08", "20000", "", "", ""}, {"31/03/08", "35000", "", "", ""}, {"30/04/08", "12345,67", "", "", ""}});
    PedeLiquido("60000,10");
    EXPECT_EQ(ctl.Edit1->text(), "2,8917");
    EXPECT_EQ(ctl.Edit6->text(), "60.000,01");
    EXPECT_EQ(msgs.Textos(),
              std::vector<std::string>{"Nenhuma taxa com quatro casas decimais dá exatamente R$ 60.000,10. A mais "
                                       "próxima, 2,8917% ao mês, dá R$ 60.000,01: R$ 0,09 a menos."});
    Tecla(Qt::Key_Right);  // any other key keeps the rate
    Tecla(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ctl.Edit1->text(), "2,8917");
    EXPECT_EQ(Aviso(), "");
}

// Nothing is written when no rate reaches the net, when the dialog is
// cancelled, or with another type of calculation chosen.
TEST_F(TaxaLiquido, ForaDoAlcanceCanceladoOuOutroTipoNaoMudamNada) {
    PedeLiquido("5000");
    ASSERT_EQ(msgs.mensagens.size(), 1u);
    EXPECT_EQ(msgs.mensagens[0].texto.rfind("O líquido desejado de R$ 5.000,00 não é alcançado", 0), 0u);
    teste::NaProximaModal<TfrmTaxaLiquido>([](TfrmTaxaLiquido*) { Tecla(Qt::Key_Escape); });
    ctl.btnTaxa->click();
    ctl.ComboBox1->setCurrentIndex(2);
    Tecla(Qt::Key_F9);
    EXPECT_EQ(msgs.mensagens.size(), 2u);
    EXPECT_EQ(ctl.Edit1->text(), "3");
    EXPECT_EQ(ctl.Edit6->text(), "3.758,04");
    EXPECT_EQ(Aviso(), "");
}
