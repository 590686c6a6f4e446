// The holiday option of the workbench and the holidays window, by keyboard,
// with the clerk's settings in a temporary folder.
#include <QTest>

#include "tests/support/BancadaTeste.h"
#include "tests/support/Dialogos.h"
#include "tests/support/PastaDePreferencias.h"
#include "tests/support/Teclas.h"
#include "windows/UfrmFeriados.h"

using namespace quantivo;
using teste::Controles;
using teste::Digita;
using teste::Tecla;

namespace {

class Feriados : public teste::BancadaTeste {
protected:
    // Before the workbench: it reads the settings when it is built.
    teste::PastaDePreferencias pasta;

    QString Arquivo() const { return QString::fromUtf8(pasta.Le("feriados.txt")); }
    // The year list as "dd/mm/aaaa|dia|nome" lines.
    static QStringList Ano(const TfrmFeriados& j) {
        QStringList l;
        for (int i = 0; i < j.lstFeriados->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* it = j.lstFeriados->topLevelItem(i);
            l << it->text(0) + "|" + it->text(1) + "|" + it->text(2);
        }
        return l;
    }
    // A button's letter: the shortcut clicks it a moment later.
    static void Alt(Qt::Key k) {
        Tecla(k, Qt::AltModifier);
        QTest::qWait(250);
    }
    // Opens the holidays window from the workbench's button and runs `passos`
    // in it while it is modal.
    void AbreJanela(const std::function<void(TfrmFeriados*)>& passos) {
        guarda.Permite(true);
        teste::NaProximaModal<TfrmFeriados>(passos);
        ctl.btnFeriados->click();
        guarda.Permite(false);
    }
};

TEST_F(Feriados, CaixaNaColunaDosBotoesSemMoverNada) {
    EXPECT_EQ(ctl.CheckBox2->text(), "F8- Feriados");
    EXPECT_EQ(ctl.CheckBox2->toolTip(), "Considerar feriados nacionais e locais");
    EXPECT_EQ(ctl.CheckBox2->accessibleName(), "F8- Feriados");
    EXPECT_FALSE(ctl.btnFeriados->accessibleName().isEmpty());
    EXPECT_FALSE(ctl.CheckBox2->isChecked());
    EXPECT_EQ(f->size(), QSize(687, 535));
    EXPECT_EQ(ctl.CheckBox1->geometry(), QRect(538, 10, 146, 22));
    // Nothing the window had before overlaps the two new controls.
    for (QWidget* novo : {static_cast<QWidget*>(ctl.CheckBox2), static_cast<QWidget*>(ctl.btnFeriados)}) {
        ASSERT_EQ(novo->parentWidget(), f.get());
        for (QObject* o : f->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (!w || w == novo || !w->isVisible() || w == ctl.CheckBox2 || w == ctl.btnFeriados) continue;
            EXPECT_FALSE(w->geometry().intersects(novo->geometry())) << w->objectName().toStdString();
        }
        EXPECT_TRUE(f->rect().contains(novo->geometry()));
    }
    // In the tab order right after the clearing box.
    EXPECT_EQ(teste::ProximoNoTab(ctl.CheckBox1), ctl.CheckBox2);
    EXPECT_EQ(teste::ProximoNoTab(ctl.CheckBox2), ctl.btnFeriados);
    EXPECT_EQ(teste::ProximoNoTab(ctl.btnFeriados), ctl.btnCalcula);
}

TEST_F(Feriados, F8MarcaEAEscolhaFicaParaAProximaVez) {
    ctl.data_ref->setFocus();
    Tecla(Qt::Key_F8);
    EXPECT_TRUE(ctl.CheckBox2->isChecked());
    EXPECT_TRUE(ctl.CheckBox1->isChecked());  // F7's box is another
    {
        Tfrm_desconto_cheque outra;
        EXPECT_TRUE(Controles(outra).CheckBox2->isChecked());
    }
    Tecla(Qt::Key_F8);
    EXPECT_FALSE(ctl.CheckBox2->isChecked());
    Tfrm_desconto_cheque outra;
    EXPECT_FALSE(Controles(outra).CheckBox2->isChecked());
    // Kept apart from the issuer settings.
    EXPECT_TRUE(QFileInfo::exists(pasta.filePath("preferencias.ini")));
    EXPECT_FALSE(QFileInfo::exists(pasta.filePath("valida.ini")));
}

TEST_F(Feriados, CalculoDaBancadaContaAteODiaUtil) {
    ctl.data_ref->DefineData(D(2026, 12, 18));
    ctl.Edit1->setText("3");
    f->DefineTipoSemReacao(TipoCalculo::DescontoCheque);
    ctl.grid->Modelo()->DefineLinhas({{"25/12/26", "1000", "", "", ""}});
    ctl.btnCalcula->click();
    EXPECT_EQ(Celula(0, 4), "10");
    ctl.data_ref->setFocus();
    Tecla(Qt::Key_F8);
    Tecla(Qt::Key_F5);
    EXPECT_EQ(Celula(0, 4), "12");
    EXPECT_TRUE(msgs.mensagens.empty());
}

TEST_F(Feriados, ArquivoRuimAvisaUmaVezNoCalculoEMantemOQueFoiLido) {
    ASSERT_TRUE(pasta.Escreve("feriados.txt", "30/12 Local\nxx/12 ruim\n"));
    f->CarregaFeriadosLocais();
    ctl.data_ref->DefineData(D(2026, 12, 18));
    ctl.Edit1->setText("3");
    f->DefineTipoSemReacao(TipoCalculo::DescontoCheque);
    ctl.grid->Modelo()->DefineLinhas({{"25/12/26", "1000", "", "", ""}});
    ctl.btnCalcula->click();  // the option is off: nothing to tell
    EXPECT_TRUE(msgs.mensagens.empty());
    ctl.CheckBox2->setChecked(true);
    ctl.btnCalcula->click();
    ASSERT_EQ(msgs.Textos().size(), 1u);
    EXPECT_NE(msgs.Textos()[0].find("Linha 2: xx/12 ruim"), std::string::npos);
    EXPECT_EQ(Celula(0, 4), "13");  // 30/12 local
    ctl.btnCalcula->click();
    EXPECT_EQ(msgs.Textos().size(), 1u);
}

TEST_F(Feriados, JanelaPeloTecladoIncluiAlteraEExclui) {
    AbreJanela([&](TfrmFeriados* j) {
        EXPECT_EQ(j->windowTitle(), "Feriados");
        EXPECT_TRUE(j->edtAno->hasFocus());
        j->edtAno->selectAll();
        Digita("2027");
        EXPECT_EQ(j->edtAno->value(), 2027);
        const QStringList nacionais = Ano(*j);
        ASSERT_EQ(nacionais.size(), 13);
        EXPECT_EQ(nacionais[1], "08/02/2027|segunda-feira|Carnaval (segunda-feira)");
        // Enter moves on as Tab: year, the year's list, the local list, date.
        for (int i = 0; i < 3; ++i) Tecla(Qt::Key_Return);
        ASSERT_TRUE(j->edtData->hasFocus());
        Digita("20/01");
        Tecla(Qt::Key_Return);
        ASSERT_TRUE(j->edtNome->hasFocus());
        Digita("Padroeiro");
        Alt(Qt::Key_I);
        EXPECT_EQ(Arquivo(), "20/01 Padroeiro\n");
        EXPECT_TRUE(Ano(*j).contains("20/01/2027|quarta-feira|Padroeiro (local)"));
        // A one-off, then the first one changed.
        j->edtData->setFocus();
        j->edtData->selectAll();
        Digita("23/04/2027");
        j->edtNome->setFocus();
        j->edtNome->selectAll();
        Tecla(Qt::Key_Backspace);
        Alt(Qt::Key_I);
        EXPECT_EQ(Arquivo(), "20/01 Padroeiro\n23/04/2027\n");
        EXPECT_TRUE(Ano(*j).contains("23/04/2027|sexta-feira|Feriado local (local)"));
        j->lstLocais->setFocus();
        Tecla(Qt::Key_Home);
        EXPECT_EQ(j->edtData->text(), "20/01");
        EXPECT_EQ(j->edtNome->text(), "Padroeiro");
        j->edtData->setFocus();
        j->edtData->selectAll();
        Digita("21/01");
        Alt(Qt::Key_L);
        EXPECT_EQ(Arquivo(), "21/01 Padroeiro\n23/04/2027\n");
        // Delete in the list removes the chosen one.
        j->lstLocais->setFocus();
        Tecla(Qt::Key_End);
        Tecla(Qt::Key_Delete);
        EXPECT_EQ(Arquivo(), "21/01 Padroeiro\n");
        EXPECT_EQ(j->lstLocais->count(), 1);
        // A date that is no date is refused, and nothing is written.
        j->edtData->setFocus();
        j->edtData->selectAll();
        Digita("31/04");
        Alt(Qt::Key_I);
        EXPECT_EQ(msgs.Textos().size(), 1u);
        EXPECT_EQ(Arquivo(), "21/01 Padroeiro\n");
        EXPECT_TRUE(j->edtData->hasFocus());
        Tecla(Qt::Key_Escape);
        EXPECT_FALSE(j->isVisible());
    });
    // The workbench counts with what the window wrote.
    ASSERT_EQ(f->FeriadosLocais().size(), 1u);
    EXPECT_EQ(f->FeriadosLocais()[0].dia, 21);
}

TEST_F(Feriados, JanelaAvisaAsLinhasRuinsEGravaSemPerdelas) {
    ASSERT_TRUE(pasta.Escreve("feriados.txt", "20/01 Padroeiro\r\n31/02 Errado\r\n\r\nsem data\r\n"));
    AbreJanela([&](TfrmFeriados* j) {
        QTest::qWait(20);  // the message comes once the window is up
        ASSERT_EQ(msgs.Textos().size(), 1u);
        const std::string aviso = msgs.Textos()[0];
        EXPECT_NE(aviso.find("Linha 2: 31/02 Errado"), std::string::npos);
        EXPECT_NE(aviso.find("Linha 4: sem data"), std::string::npos);
        EXPECT_EQ(j->lstLocais->count(), 1);
        j->edtData->setText("08/12");
        j->btnIncluir->click();
        EXPECT_EQ(Arquivo(), "20/01 Padroeiro\n08/12\n31/02 Errado\nsem data\n");
        j->accept();
    });
    EXPECT_EQ(msgs.Textos().size(), 1u);  // the workbench does not tell it again
    EXPECT_EQ(f->FeriadosLocais().size(), 2u);
}

TEST_F(Feriados, ArquivoIlegivelNaoEhSobrescrito) {
    // A folder where the file should be: it cannot be read, and the window
    // offers no change that would replace it.
    ASSERT_TRUE(QDir(pasta.path()).mkdir("feriados.txt"));
    AbreJanela([&](TfrmFeriados* j) {
        QTest::qWait(20);
        ASSERT_EQ(msgs.Textos().size(), 1u);
        EXPECT_NE(msgs.Textos()[0].find("Não foi possível ler"), std::string::npos);
        EXPECT_FALSE(j->btnIncluir->isEnabled());
        EXPECT_FALSE(j->edtData->isEnabled());
        j->accept();
    });
    EXPECT_TRUE(QFileInfo(CaminhoFeriadosLocais()).isDir());
}

TEST(ArquivoFeriados, GravaSubstituindoUmLinkSemSeguirLo) {
    teste::PastaDePreferencias pasta;
    ASSERT_TRUE(pasta.Escreve("alvo.txt", "intocado\n"));
    ASSERT_TRUE(QFile::link(pasta.filePath("alvo.txt"), CaminhoFeriadosLocais()));
    QString motivo;
    ASSERT_TRUE(GravaArquivoFeriados({{1, 2, 0, "x"}}, {}, motivo)) << motivo.toStdString();
    EXPECT_EQ(pasta.Le("alvo.txt"), "intocado\n");
    EXPECT_FALSE(QFileInfo(CaminhoFeriadosLocais()).isSymLink());
    const ArquivoFeriados a = LeArquivoFeriados();
    EXPECT_TRUE(a.erro.isEmpty());
    ASSERT_EQ(a.lista.feriados.size(), 1u);
    EXPECT_EQ(a.lista.feriados[0].nome, "x");
    // Latin-1 text (a file written by another editor) is still read.
    ASSERT_TRUE(pasta.Escreve("feriados.txt", "20/01 S\xe3o Sebasti\xe3o\n"));
    EXPECT_EQ(LeArquivoFeriados().lista.feriados.at(0).nome, "São Sebastião");
}

}  // namespace

namespace {

TEST(ArquivoFeriados, GravacaoRecusadaDizPorQueEmPortugues) {
    // The settings folder under a plain file: no file can be made there.
    teste::PastaDePreferencias pasta;
    ASSERT_TRUE(pasta.Escreve("arquivo", "x"));
    DefineDiretorioPreferencias(pasta.filePath("arquivo/Quantivo"));
    QString motivo;
    EXPECT_FALSE(GravaArquivoFeriados({{1, 2, 0, "x"}}, {}, motivo));
#ifdef _WIN32
    // Windows says the path is not found (its error 3, which is no errno).
    EXPECT_EQ(motivo, "arquivo ou pasta inexistente");
#else
    EXPECT_EQ(motivo, "uma parte do caminho não é uma pasta");
#endif
}

}  // namespace
