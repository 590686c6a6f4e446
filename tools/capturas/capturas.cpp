// capturas: the pictures of docs/screenshots/, made from the program's own
// windows on a real display server, written into the folder given:
//
//   QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24"
//       build/tools/capturas/capturas docs/screenshots
//
// Each window is opened as its road opens it and filled with a worked example
// (the tests' helpers of tests/support/ type into it); the printed pages are
// written as PDF and turned into pictures with pdftoppm. Today is fixed, the
// program's files live in a temporary folder and every message is recorded,
// so nothing blocks and nothing of the user's is read or written. Exits
// non-zero when a picture could not be made.
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <memory>

#include "app/DiarioDoPrograma.h"
#include "app/Janelas.h"
#include "core/Datas.h"
#include "output/Bordero.h"
#include "output/F_PARAMETROS.h"
#include "output/F_PRIN.h"
#include "output/F_REL.h"
#include "output/Listagem.h"
#include "tests/support/ControlesBancada.h"
#include "tests/support/Dialogos.h"
#include "tests/support/ExemploBordero.h"
#include "tests/support/ExemploListagem.h"
#include "tests/support/ExemploRecibo.h"
#include "tests/support/Exemplos.h"
#include "tests/support/PastaDoPrograma.h"
#include "tests/support/Teclas.h"
#include "ui/CampoData.h"
#include "ui/Regional.h"
#include "ui/Servicos.h"
#include "windows/UfrmFeriados.h"
#include "windows/UfrmSalvaOperacao.h"
#include "windows/Ufrm_desconto.h"
#include "windows/Ufrm_venda_por_fora.h"

using namespace quantivo;
using teste::Campos;
using teste::Controles;
using teste::Digita;
using teste::Tecla;

namespace {

int g_falhas = 0;

QDir g_saida;

Data Dia(int a, int m, int d) { return *CodificaData(a, m, d); }

// Waits until the window system shows the window.
void EsperaExposta(QWidget* w) {
    if (!QTest::qWaitForWindowExposed(w))
        teste::Falha(std::string("window not shown: ") + w->metaObject()->className());
}

// Saves the picture of a window once it has been painted (and `espera` ms
// more, for what it draws after showing).
void Salva(QWidget* w, const QString& nome, int espera = 200) {
    EsperaExposta(w);
    QTest::qWait(espera);
    const QString caminho = g_saida.filePath(nome);
    if (w->grab().save(caminho))
        std::printf("%s\n", qPrintable(caminho));
    else
        teste::Falha("could not write " + caminho.toStdString());
}

// Shows a window and makes it the active one, as a click on it would.
void Mostra(QWidget* w) {
    w->show();
    QApplication::setActiveWindow(w);
    EsperaExposta(w);
}

// The first page of a PDF as a picture (pdftoppm, at `dpi`).
void PaginaComoFigura(const QString& pdf, const QString& nome, int dpi) {
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) return teste::Falha("pdftoppm (poppler-utils) is not installed: no " + nome.toStdString());
    const QString base = g_saida.filePath(QFileInfo(nome).completeBaseName());
    const int r = QProcess::execute(pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
                                               QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                               QStringLiteral("1"), QStringLiteral("-singlefile"), pdf, base});
    if (r != 0) return teste::Falha("pdftoppm failed on " + pdf.toStdString());
    std::printf("%s\n", qPrintable(g_saida.filePath(nome)));
}

// The cheques of the cheque-discount example with banks and issuers, put
// straight into a grid; `ultimo` is the last cheque's issuer.
void PoeCheques(GradeParcelas* g, const char* ultimo) {
    const char* cheques[][4] = {{"31/12/07", "1000", "001/123456", "Maria da Silva"},
                                {"26/01/08", "500", "237/004411", "José Souza"},
                                {"15/02/08", "2500,50", "104/778899", ultimo}};
    for (int l = 0; l < 3; ++l)
        for (int c = 0; c < 4; ++c) g->Modelo()->DefineCelula(l, c, QString::fromUtf8(cheques[l][c]));
}

// The main menu with the mouse over its first button, the manual in its own
// window, the workbench after the cheque-discount example, its help window.
void MenuBancadaEAjuda() {
    CriaJanelas();
    frm_principal->show();
    EsperaExposta(frm_principal);
    QTest::mouseMove(frm_principal->SpeedButton5);
    Salva(frm_principal, QStringLiteral("principal.png"));
    // The manual inside the program, as "Ajuda" shows it when no PDF reader takes the file.
    frm_principal->MostraManualNaTela();
    Salva(frm_principal->JanelaDoManual(), QStringLiteral("manual-na-tela.png"));
    frm_principal->JanelaDoManual()->hide();

    Tfrm_desconto_cheque* f = frm_desconto_cheque;
    Mostra(f);
    teste::DadosDoExemplo(*f);
    Controles(f).ComboBox1->setCurrentIndex(0);
    PoeCheques(Controles(f).grid, "Comercial Exemplo Ltda");
    Controles(f).btnCalcula->click();
    f->data_refChange();
    Controles(f).grid->setFocus();
    Salva(f, QStringLiteral("bancada.png"));

    frm_Ajuda = new Tfrm_Ajuda(f);
    frm_Ajuda->show();
    Salva(frm_Ajuda, QStringLiteral("ajuda.png"));
    DestroiJanelas();
}

// Qt's own dialogs as the program opens them, in Portuguese: the print dialog
// of the listing, a field's context menu, and the receipt's preview.
void DialogosDoQt(const teste::PastaDoPrograma& pasta) {
    pasta.Escreve(QStringLiteral("valida.ini"),
                  "[Cadastro]\r\nNome=Maria da Silva\r\nAtividade=Tecidos\r\nEndereco=Rua das Flores, 100\r\n"
                  "Cidade=Recife\r\nAssinatura=Maria\r\nVias=2\r\n");
    CriaJanelas();
    Tfrm_desconto_cheque* f = frm_desconto_cheque;
    f->show();
    EsperaExposta(f);
    Controles(f).ComboBox1->setCurrentIndex(0);
    teste::NaProximaModal([](QWidget* w) { Salva(w, QStringLiteral("dialogo-impressao.png"), 300); });
    Controles(f).btnImprime->click();

    std::unique_ptr<QMenu> menu(Controles(f).Edit1->createStandardContextMenu());
    menu->popup(Controles(f).Edit1->mapToGlobal(QPoint(10, 10)));
    Salva(menu.get(), QStringLiteral("menu-contexto.png"));
    menu.reset();  // before its field goes with the windows

    teste::NaProximaModal<TFPRIN>([](TFPRIN* r) {
        r->tvalor->DefineValor(1234.5L);
        r->CurrencyEdit1Exit();
        r->trecebi->setText(QStringLiteral("João Cliente"));
        r->treferente->setText(QStringLiteral("Aluguel de março"));
        teste::NaProximaModal([](QWidget* w) { Salva(w, QStringLiteral("previa-recibo.png"), 300); });
        r->SpeedButton5->click();
    });
    Controles(f).btnrecibo->click();
    DestroiJanelas();
    QFile::remove(pasta.filePath(QStringLiteral("valida.ini")));
}

// The two entry windows with the examples' data, shown as free windows.
void JanelasDeEntrada() {
    Tfrm_desconto_cheque bancada;
    const auto mostra = [](JanelaEntrada& j) {
        j.setWindowModality(Qt::NonModal);
        Mostra(&j);
        j.edtTaxa->DefineValor(3);
        j.edtTAC->DefineValor(2);
        j.edtIOF->DefineValor(0.0041L);
        j.edtTARIFA->DefineValor(2);
    };
    {
        auto* j = new Tfrm_desconto(nullptr, &bancada);
        mostra(*j);
        PoeCheques(j->grid_pre, "Comercial Exemplo");
        j->data_ref->setFocus();
        Salva(j, QStringLiteral("entrada-desconto.png"));
        j->close();
    }
    {
        auto* j = new Tfrm_venda_por_fora(nullptr, &bancada);
        mostra(*j);
        j->edtVlrFinanciado->DefineValor(5000);
        const char* datas[] = {"20/06/07", "30/06/07", "15/07/07"};
        for (int l = 0; l < 3; ++l) j->grid_pre->Modelo()->DefineCelula(l, 0, QString::fromLatin1(datas[l]));
        j->data_ref->setFocus();
        Salva(j, QStringLiteral("entrada-venda-certa.png"));
        j->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The keyboard at work: 20 cheques typed with Enter (whole rows at the top),
// Enter after the fee into the first empty row, the box of a date that does
// not exist and the question on "1.000" left in a cell (real boxes, answered
// as Enter would), the focus frame after Enter and the notice after F10 in
// the workbench.
void Teclado() {
    Tfrm_desconto_cheque bancada;
    {
        auto* j = new Tfrm_desconto(nullptr, &bancada);
        j->setWindowModality(Qt::NonModal);
        Mostra(j);
        j->grid_pre->setFocus(Qt::TabFocusReason);
        for (int i = 1; i <= 20; ++i) {
            Campos({QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')) + "0108", QString::number(100 * i),
                    "001/" + QString::number(4400 + i)});
            Digita("Cliente " + QString::number(i));
            if (i < 20) Tecla(Qt::Key_Return);
        }
        Salva(j, QStringLiteral("entrada-vinte-cheques.png"));
        j->CheckBox1->setFocus(Qt::MouseFocusReason);
        j->edtTARIFA->setFocus(Qt::MouseFocusReason);
        Tecla(Qt::Key_Return);  // on to the first empty row's date, with the focus frame of Tab
        Salva(j, QStringLiteral("entrada-foco-enter.png"));
        Mensageiro& gravador = ServicoMensagens();
        DefineServicoMensagens(nullptr);
        teste::NaProximaModal([](QWidget* w) { Salva(w, QStringLiteral("entrada-data-inexistente.png")); });
        Digita("290225");
        Tecla(Qt::Key_Return);
        teste::NaProximaModal([](QWidget* w) {
            Salva(w, QStringLiteral("entrada-pergunta-milhar.png"));
            if (auto* m = qobject_cast<QMessageBox*>(w)) m->defaultButton()->click();
        });
        Campos({"280225"});
        Digita("1.000");
        Tecla(Qt::Key_Return);
        DefineServicoMensagens(&gravador);
        j->close();
    }
    Mostra(&bancada);
    Controles(bancada).btnLimpa->setFocus(Qt::MouseFocusReason);
    Tecla(Qt::Key_Return);  // on to "F12 - &Imprime"
    Salva(&bancada, QStringLiteral("bancada-foco-enter.png"));
    // F10 after the worked example: the totals go back to their captions.
    teste::DadosDoExemplo(bancada);
    Bancada exemplo = bancada.LeBancada();
    exemplo.linhas = {
        {"31/12/07", "1000", "", "", ""}, {"26/01/08", "500", "", "", ""}, {"15/02/08", "2500,50", "", "", ""}};
    bancada.EscreveBancada(exemplo);
    bancada.DefineTipoSemReacao(TipoCalculo::DescontoCheque);
    Controles(bancada).btnCalcula->click();
    Tecla(Qt::Key_F10);
    Salva(&bancada, QStringLiteral("bancada-f10.png"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Cheques read by a CMC7 reader into the cheque window (its keys typed as the
// reader sends them), the bank of the current row in the status bar; and the
// box of a refused line (a real one, answered as Enter would).
void LeitorCmc7() {
    Tfrm_desconto_cheque bancada;
    auto* j = new Tfrm_desconto(nullptr, &bancada);
    j->setWindowModality(Qt::NonModal);
    Mostra(j);
    Campos({"281207", "3", "", "", "", "2"});
    const struct {
        const char *linha, *data, *valor;
    } cheques[] = {{"<23704948<0180017935>377506100112:", "311207", "1000"},
                   {"<34112349<0180000425>200012345674:", "260108", "500"},
                   {"<00132106<0188500015>000000987651:", "150208", "2500,50"}};
    for (const auto& c : cheques) {
        Digita(QString::fromLatin1(c.linha));
        Tecla(Qt::Key_Return);
        Campos({c.data, c.valor});
    }
    j->grid_pre->setCurrentIndex(j->grid_pre->model()->index(1, 2));
    Salva(j, QStringLiteral("entrada-cmc7.png"));
    Mensageiro& gravador = ServicoMensagens();
    DefineServicoMensagens(nullptr);
    teste::NaProximaModal([](QWidget* w) { Salva(w, QStringLiteral("entrada-cmc7-recusado.png")); });
    j->grid_pre->setCurrentIndex(j->grid_pre->model()->index(3, 0));
    Digita(QStringLiteral("<23704948<0180017936>377506100112:"));
    Tecla(Qt::Key_Return);
    DefineServicoMensagens(&gravador);
    j->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The receipt window with the largest value it takes, and the issuer settings.
void JanelasDoRecibo(const teste::PastaDoPrograma& pasta) {
    DefineHoje(Dia(2008, 3, 5));
    pasta.Escreve(QStringLiteral("valida.ini"),
                  "[Cadastro]\r\nNome=Maria da Silva\r\nAtividade=Com\xE9rcio de tecidos\r\nEndereco=Rua das Flores, "
                  "100\r\nCidade=Recife\r\nAssinatura=Maria\r\nVias=2\r\n");
    {
        TFPRIN r;
        r.setAttribute(Qt::WA_DeleteOnClose, false);
        Mostra(&r);
        r.tvalor->setFocus();
        QTest::keyClicks(r.tvalor, QStringLiteral("4294967295,99"));
        r.trecebi->setText(QStringLiteral("João Cliente"));
        r.treferente->setText(QStringLiteral("Aluguel de março"));
        QTest::keyClick(r.tvalor, Qt::Key_Return);
        Salva(&r, QStringLiteral("recibo_janela.png"));
        TFPARAMETROS p;
        p.setAttribute(Qt::WA_DeleteOnClose, false);
        Mostra(&p);
        Salva(&p, QStringLiteral("parametros_janela.png"));
    }
    QFile::remove(pasta.filePath(QStringLiteral("valida.ini")));
    DefineHoje(Dia(2007, 12, 28));
}

// The receipt page with two copies, as printed.
void PaginaDoRecibo(const QDir& pdfs) {
    DadosRecibo d = teste::ReciboDoExemplo("2");
    d.valor = 4294967295.99L;
    d.extenso = QStringLiteral(
        "quatro bilhões duzentos e noventa e quatro milhões novecentos e sessenta e sete mil duzentos e noventa e "
        "cinco reais  e noventa e nove centavos ");
    TFREL rel;
    rel.Preenche(d);
    const QString pdf = pdfs.filePath(QStringLiteral("recibo.pdf"));
    if (!rel.GravaPdf(pdf)) return teste::Falha("could not write the receipt page");
    PaginaComoFigura(pdf, QStringLiteral("recibo_pagina.png"), 50);
}

// The first page of the cheque-discount example's borderô, as saved.
void Bordero(const QDir& pdfs) {
    const QString pdf = pdfs.filePath(QStringLiteral("bordero.pdf"));
    QString motivo;
    if (!GravaBorderoPdf(teste::BorderoDoExemplo(), pdf, &motivo)) return teste::Falha(motivo.toStdString());
    PaginaComoFigura(pdf, QStringLiteral("bordero.png"), 80);
}

// The instalment window on its own after a calculation, and as the
// workbench's dialog.
void Prestacao() {
    Tfrm_desconto_cheque bancada;
    TfrmPostecipada janela;
    LigaPostecipada(&bancada, &janela);
    const auto preenche = [&janela](long double fin, long double n, long double taxa, long double prest) {
        janela.edtValorFinanciado->DefineValor(fin);
        janela.edtNumPrestacao->DefineValor(n);
        janela.edtTaxa->DefineValor(taxa);
        janela.edtVlrPrestacao->DefineValor(prest);
    };
    janela.MostraLivre();
    QApplication::setActiveWindow(&janela);
    preenche(1000, 12, 2, 0);
    janela.BitBtn1->click();
    janela.edtValorFinanciado->setFocus();
    Salva(&janela, QStringLiteral("postecipada_janela.png"));
    teste::QuandoAbrir(&janela, [&] {
        preenche(0, 12, 2, 100);
        Salva(&janela, QStringLiteral("postecipada_dialogo.png"));
        janela.bsair->click();
    });
    janela.AbreDialogo(&bancada);
}

// The renegotiation dialog with the example typed in, before confirming.
void Renegociacao() {
    Tfrm_desconto_cheque bancada;
    TfrmRenegociacao janela;
    LigaRenegociacao(&bancada, &janela);
    teste::QuandoAbrir(&janela, [&] {
        teste::DigitaDividaDoExemplo(janela);
        Tecla(Qt::Key_Space);  // "Calcula"
        Campos({"150408", "45", "12", "2"});
        Salva(&janela, QStringLiteral("renegociacao_janela.png"));
        janela.reject();
    });
    RenegociaDoMenu(&bancada, &janela);
}

// Printed listings: the workbench's on one page, the first page of a long
// instalment schedule.
void Listagens(const QDir& pdfs) {
    QString pdf;
    DefineEscolheImpressora([&pdf] {
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setPageSize(QPageSize(QPageSize::A4));
        p->setOutputFileName(pdf);
        return p;
    });
    EntradaListagem e = teste::ListagemDoExemplo();
    e.linhas = {Parcela{"31/12/07", "1000", "Itaú 0341 123456", "José da Silva Comércio de Tecidos", "5"},
                Parcela{"26/01/08", "500", "BB 001", "Maria", ""},
                Parcela{"15/02/08", "1234567,5", "Caixa 104", "Construções Ação Ltda", "52"}};
    pdf = pdfs.filePath(QStringLiteral("listagem-bancada.pdf"));
    if (ImprimeListagemBancada(e) == ResultadoImpressao::Impresso)
        PaginaComoFigura(pdf, QStringLiteral("listagem-bancada.png"), 60);
    else
        teste::Falha("the workbench's listing was not printed");
    pdf = pdfs.filePath(QStringLiteral("listagem-prestacoes.pdf"));
    if (ImprimeListagemPrestacoes(EntradaPrestacoes(Dia(2008, 1, 31), "31/01/08", 1000, 2, 120, 94.56L)) ==
        ResultadoImpressao::Impresso)
        PaginaComoFigura(pdf, QStringLiteral("listagem-prestacoes-pagina1.png"), 60);
    else
        teste::Falha("the instalments' listing was not printed");
    DefineEscolheImpressora({});
}

// The workbench with the holiday option ticked, and the holidays window on
// 2027 with two local holidays, the first one chosen.
void Feriados(const teste::PastaDoPrograma& pasta) {
    pasta.Escreve(QStringLiteral("feriados.txt"), QByteArrayLiteral("20/01 São Sebastião\n23/04/2027 São Jorge\n"));
    Tfrm_desconto_cheque bancada;
    Mostra(&bancada);
    bancada.CarregaFeriadosLocais();
    Controles(bancada).CheckBox2->setChecked(true);
    Controles(bancada).CheckBox2->setFocus(Qt::TabFocusReason);
    Salva(&bancada, QStringLiteral("bancada-feriados.png"));
    TfrmFeriados janela(&bancada);
    janela.edtAno->setValue(2027);
    janela.lstLocais->setCurrentRow(0);
    Mostra(&janela);
    janela.lstLocais->setFocus(Qt::TabFocusReason);
    Salva(&janela, QStringLiteral("feriados.png"));
    Controles(bancada).CheckBox2->setChecked(false);
}

// Kept operations: the save dialog filled in for the worked example, the
// question on a cheque saved before, and the "Operações" window searched
// by a customer's name.
void OperacoesSalvas() {
    CriaJanelas();
    Tfrm_desconto_cheque* f = frm_desconto_cheque;
    const auto calcula = [f](const char* ultimo) {
        Mostra(f);
        teste::DadosDoExemplo(*f);
        Controles(f).ComboBox1->setCurrentIndex(0);
        PoeCheques(Controles(f).grid, ultimo);
        Controles(f).btnCalcula->click();
    };
    const auto salva = [f](const char* nome, const char* documento, bool foto) {
        teste::NaProximaModal<TfrmSalvaOperacao>([=](TfrmSalvaOperacao* d) {
            d->edtCliente->setText(QString::fromUtf8(nome));
            d->edtDocumento->setText(QString::fromUtf8(documento));
            d->grdCheques->item(1, TfrmSalvaOperacao::kColunaDocumento)->setText(QStringLiteral("390.533.447-05"));
            d->edtCliente->setFocus();
            if (foto) Salva(d, QStringLiteral("salvar-operacao.png"));
            d->btnSalva->click();
        });
        Controles(f).btnSalva->click();
    };
    calcula("Comercial Exemplo Ltda");
    salva("Maria da Conceição", "11.222.333/0001-81", true);
    Controles(f).grid->setFocus();
    Salva(f, QStringLiteral("bancada-operacao-salva.png"));
    DefineHoje(Dia(2007, 12, 29));
    Controles(f).data_ref->DefineData(Dia(2007, 12, 29));
    Controles(f).Edit1->setText(QStringLiteral("3,5"));
    Controles(f).btnCalcula->click();
    // The question on the cheques saved before, as a real box.
    Mensageiro& gravador = ServicoMensagens();
    DefineServicoMensagens(nullptr);
    teste::NaProximaModal<TfrmSalvaOperacao>([](TfrmSalvaOperacao* d) {
        d->edtCliente->setText(QStringLiteral("José Ferreira"));
        teste::NaProximaModal([](QWidget* w) {
            Salva(w, QStringLiteral("operacao-cheque-repetido.png"));
            if (auto* m = qobject_cast<QMessageBox*>(w)) m->button(QMessageBox::Yes)->click();
        });
        d->btnSalva->click();
    });
    Controles(f).btnSalva->click();
    DefineServicoMensagens(&gravador);
    Controles(f).grid->Modelo()->DefineCelula(0, 2, QStringLiteral("341/100200"));
    Controles(f).grid->Modelo()->DefineCelula(1, 2, QStringLiteral("033/200300"));
    Controles(f).grid->Modelo()->DefineCelula(2, 2, QStringLiteral("104/300400"));
    Controles(f).btnCalcula->click();
    salva("Mercearia Boa Vista", "", false);
    DefineHoje(Dia(2007, 12, 28));

    teste::NaProximaModal<TfrmOperacoes>([](TfrmOperacoes* j) {
        Salva(j, QStringLiteral("operacoes.png"));
        j->edtCliente->setFocus();
        teste::Digita(QStringLiteral("conceicao"));
        teste::Tecla(Qt::Key_Return);
        Salva(j, QStringLiteral("operacoes-busca.png"));
        j->reject();
    });
    AbreOperacoes(frm_principal);
    DestroiJanelas();
}

}  // namespace

// A step that could not be done: said on the error output, and the run fails.
void quantivo::teste::Falha(const std::string& texto) {
    std::fprintf(stderr, "capturas: %s\n", texto.c_str());
    ++g_falhas;
}

int main(int argc, char** argv) {
    // The user's own settings and data stay out of the pictures.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: capturas FOLDER  (under a display server: QT_QPA_PLATFORM=xcb xvfb-run -a)\n");
        return 2;
    }
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        std::fprintf(stderr, "capturas: platform %s, not xcb: the pictures may differ from docs/screenshots/\n",
                     qPrintable(QGuiApplication::platformName()));
    // As the program sets itself up (app/main.cpp).
    QApplication::setApplicationName(QStringLiteral("Quantivo"));
    QApplication::setFont(FonteJanela());
    CarregaTraducoesQt();

    g_saida = QDir(args[1]);
    if (!g_saida.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "capturas: cannot create %s\n", qPrintable(args[1]));
        return 1;
    }
    teste::PastaDoPrograma pasta;
    QTemporaryDir pdfs;
    MensageiroGravador msgs;
    DefineServicoMensagens(&msgs);
    DefineHoje(Dia(2007, 12, 28));
    DefineAbreUrl([](const QString&) {});
    DefineAbreArquivo([](const QString&) { return true; });

    MenuBancadaEAjuda();
    DialogosDoQt(pasta);
    JanelasDeEntrada();
    Teclado();
    LeitorCmc7();
    JanelasDoRecibo(pasta);
    PaginaDoRecibo(QDir(pdfs.path()));
    Bordero(QDir(pdfs.path()));
    Prestacao();
    Renegociacao();
    Listagens(QDir(pdfs.path()));
    Feriados(pasta);
    OperacoesSalvas();

    for (const std::string& m : msgs.Textos()) std::fprintf(stderr, "capturas: message shown: %s\n", m.c_str());
    DefineServicoMensagens(nullptr);
    return g_falhas == 0 ? 0 : 1;
}
