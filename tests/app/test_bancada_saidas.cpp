// The workbench's ways out: "F12 - &Imprime" calculates, then writes and
// prints the listing; "Firmatto" opens a fresh, empty receipt window.
#include <QFile>
#include <QPrinter>
#include <QTimer>

#include "output/Arquivos.h"
#include "output/F_PRIN.h"
#include "output/Listagem.h"
#include "tests/support/ControlesBancada.h"
#include "tests/support/Exemplos.h"
#include "tests/support/ProgramaTeste.h"

using namespace quantivo;
using teste::Controles;

namespace {

class SaidasDaBancada : public teste::ProgramaTeste {
protected:
    void SetUp() override {
        ProgramaTeste::SetUp();
        auto* f = frm_desconto_cheque.data();
        teste::DadosDoExemplo(*f);
        Bancada b = f->LeBancada();
        b.linhas = {
            {"31/12/07", "1000", "", "", ""}, {"26/01/08", "500", "", "", ""}, {"15/02/08", "2500,50", "", "", ""}};
        f->EscreveBancada(b);
        Controles(f).ComboBox1->blockSignals(true);
        Controles(f).ComboBox1->setCurrentIndex(0);
        Controles(f).ComboBox1->blockSignals(false);
    }
    void TearDown() override {
        DefineEscolheImpressora({});
        ProgramaTeste::TearDown();
    }
};

}  // namespace

TEST_F(SaidasDaBancada, ImprimeCalculaAntesEGravaAListagem) {
    int dialogos = 0;
    DefineEscolheImpressora([&]() -> std::unique_ptr<QPrinter> {
        ++dialogos;
        return nullptr;  // the user cancels the print dialog
    });
    Controles(frm_desconto_cheque).btnImprime->click();
    EXPECT_EQ(dialogos, 1);
    EXPECT_EQ(Controles(frm_desconto_cheque).Edit6->text(), "3.758,04");
    QFile f(CaminhoListagem());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString texto = DeWindows1252(f.readAll());
    EXPECT_TRUE(texto.contains("Valor Financiado: R$3.758,04\r\n"));
    EXPECT_TRUE(texto.contains("     Juros = 151,53\r\n"));
    EXPECT_TRUE(msgs.mensagens.empty());
}

TEST_F(SaidasDaBancada, ErroDoCalculoImpedeAImpressao) {
    int dialogos = 0;
    DefineEscolheImpressora([&]() -> std::unique_ptr<QPrinter> {
        ++dialogos;
        return nullptr;
    });
    Controles(frm_desconto_cheque).Edit1->setText("");  // an empty rate is no number
    Controles(frm_desconto_cheque).btnImprime->click();
    EXPECT_EQ(dialogos, 0);
    EXPECT_FALSE(QFile::exists(CaminhoListagem()));
    ASSERT_EQ(msgs.mensagens.size(), 1u);
    EXPECT_EQ(msgs.mensagens[0].texto, "'' is not a valid floating point value");
}

TEST_F(SaidasDaBancada, ParadaComMensagemTerminaAImpressaoEParadaSilenciosaNao) {
    int dialogos = 0;
    DefineEscolheImpressora([&]() -> std::unique_ptr<QPrinter> {
        ++dialogos;
        return nullptr;
    });
    // A dated row without value: the calculation's message, and nothing after it.
    Controles(frm_desconto_cheque).grid->Modelo()->DefineCelula(1, 1, "");
    Controles(frm_desconto_cheque).btnImprime->click();
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{"Necessário informar o valor da(s) parcela(s)"});
    EXPECT_EQ(dialogos, 0);
    EXPECT_FALSE(QFile::exists(CaminhoListagem()));
    // No dated row at all: the calculation finds nothing and the listing goes on.
    msgs.mensagens.clear();
    Controles(frm_desconto_cheque).grid->Modelo()->DefineLinhas(std::vector<Parcela>(1));
    Controles(frm_desconto_cheque).btnImprime->click();
    EXPECT_TRUE(msgs.mensagens.empty());
    EXPECT_EQ(dialogos, 1);
    EXPECT_TRUE(QFile::exists(CaminhoListagem()));
}

TEST_F(SaidasDaBancada, PrestacoesImprimeOCronogramaDosCamposComoEstao) {
    int dialogos = 0;
    DefineEscolheImpressora([&]() -> std::unique_ptr<QPrinter> {
        ++dialogos;
        return nullptr;
    });
    TfrmPostecipada& j = *frmPostecipada;
    j.DateEdit1->DefineData(D(2008, 1, 31));
    j.edtValorFinanciado->DefineValor(1000);
    j.edtNumPrestacao->DefineValor(4);
    j.edtTaxa->DefineValor(2);
    j.edtVlrPrestacao->DefineValor(262.62L);
    j.btnImprime->click();
    EXPECT_EQ(dialogos, 1);
    EXPECT_TRUE(msgs.mensagens.empty());
    const QString linhas = LeListagem().join('\n');
    EXPECT_TRUE(linhas.contains("29/02/08")) << linhas.toStdString();
    EXPECT_TRUE(linhas.contains("Total.........:R$1.050,48"));
}

TEST_F(SaidasDaBancada, FirmattoAbreUmReciboNovoEVazio) {
    guarda.Permite(true);
    int aberturas = 0;
    auto olha = [&] {
        auto* r = qobject_cast<TFPRIN*>(QApplication::activeModalWidget());
        ASSERT_NE(r, nullptr);
        ++aberturas;
        EXPECT_EQ(r->windowTitle(), "FIRMATTO");
        EXPECT_TRUE(r->trecebi->text().isEmpty());
        r->trecebi->setText("Fulano");
        r->close();
    };
    QTimer::singleShot(0, olha);
    Controles(frm_desconto_cheque).btnrecibo->click();
    QTimer::singleShot(0, olha);
    Controles(frm_desconto_cheque).btnrecibo->click();
    EXPECT_EQ(aberturas, 2);
}
