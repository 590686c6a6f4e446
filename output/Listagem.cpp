#include "output/Listagem.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "output/ArquivoSeguro.h"
#include "output/Arquivos.h"
#include "output/Bordero.h"
#include "output/Cp1252.h"
#include "ui/Servicos.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace quantivo {
namespace {

EscolheImpressoraFn g_escolheImpressora;

ErroArquivo ErroGravacao(const QString& caminho, const QString& motivo) {
    return ErroArquivo(QStringLiteral("Não foi possível gravar o arquivo %1: %2").arg(caminho, motivo).toStdString());
}

std::unique_ptr<QPrinter> DialogoImpressao() {
#ifdef Q_OS_WIN
    // Windows' own print dialog, with no printer to offer, closes at once as
    // if cancelled: the clerk would see nothing happen.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        throw ErroImpressora("nenhuma impressora está instalada no Windows");
#endif
    auto impressora = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialogo(impressora.get(), QApplication::activeWindow());
    if (dialogo.exec() != QDialog::Accepted) return nullptr;
    return impressora;
}

QFont FonteListagem() {
    QFont f(QStringLiteral("Courier New"));
    f.setPointSize(12);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}

template <class Entrada, class Gera>
ResultadoImpressao Executa(const Entrada& e, Gera gera) {
    QStringList texto;
    const bool pronto = ProtegeAcao([&] {
        GravaListagem(gera(e));
        texto = LeListagem();
    });
    if (!pronto) return ResultadoImpressao::Falhou;
    return ImprimeListagem(texto);
}

}  // namespace

void GravaListagem(const std::vector<std::string>& linhas) {
    const QString caminho = CaminhoListagem();
    std::string bytes;
    for (const std::string& l : linhas) {
        bytes += Utf8ParaCp1252(l);
        bytes += "\r\n";
    }
    std::string motivo;
    if (!GravaSubstituindo(CaminhoParaArquivo(caminho), bytes, motivo))
        throw ErroGravacao(caminho, QString::fromStdString(motivo));
}

QStringList LeListagem() {
    const QString caminho = CaminhoListagem();
    QFile f(caminho);
    errno = 0;
    if (!f.open(QIODevice::ReadOnly)) throw ErroArquivo::Leitura(caminho.toStdString(), MotivoSistema(errno));
    QStringList linhas = DeWindows1252(f.readAll()).split(QStringLiteral("\r\n"));
    if (!linhas.isEmpty() && linhas.last().isEmpty()) linhas.removeLast();
    return linhas;
}

void DefineEscolheImpressora(EscolheImpressoraFn f) { g_escolheImpressora = std::move(f); }

std::unique_ptr<QPrinter> EscolheImpressora() {
    return g_escolheImpressora ? g_escolheImpressora() : DialogoImpressao();
}

void ImprimeLinhas(const QStringList& linhas, QPrinter& impressora) {
    QPainter p;
    if (!p.begin(&impressora)) throw ErroImpressora("a impressora não pôde ser aberta");
    try {
        p.setFont(FonteListagem());
        p.setPen(Qt::black);
        const QFontMetrics fm = p.fontMetrics();
        const int altura = fm.lineSpacing();
        const int limite = p.viewport().height();
        int y = 0;
        for (const QString& linha : linhas) {
            if (y > 0 && y + altura > limite) {
                if (!impressora.newPage()) throw ErroImpressora("nova página recusada pela impressora");
                y = 0;
            }
            if (!linha.isEmpty()) p.drawText(0, y + fm.ascent(), linha);
            y += altura;
        }
    } catch (...) {
        p.end();
        throw;
    }
    if (!p.end() || impressora.printerState() == QPrinter::Error)
        throw ErroImpressora("a impressora falhou ao fechar o documento");
}

namespace {

// The print dialog, then `imprime` on the printer chosen; the printer's
// failure said in a box.
template <class Imprime>
ResultadoImpressao NaImpressora(Imprime imprime) {
    std::string texto = kErroImpressao;
    try {
        std::unique_ptr<QPrinter> impressora = EscolheImpressora();
        if (!impressora) return ResultadoImpressao::Cancelado;
        imprime(*impressora);
        return ResultadoImpressao::Impresso;
    } catch (const ErroImpressora& e) {
        // The printer's own reason tells the user what to fix (the paper,
        // the queue, the file it prints to).
        texto += std::string(": ") + e.what() + ".";
    } catch (...) {
        // Anything else has no reason worth showing in the user's language.
    }
    ServicoMensagens().Mostra(texto, kTituloAtencao, Icone::Aviso);
    return ResultadoImpressao::Falhou;
}

}  // namespace

ResultadoImpressao ImprimeListagem(const QStringList& linhas) {
    return NaImpressora([&](QPrinter& impressora) { ImprimeLinhas(linhas, impressora); });
}

ResultadoImpressao ImprimeBordero(const DadosBordero& d) {
    return NaImpressora([&](QPrinter& impressora) {
        if (!DesenhaBordero(d, impressora)) throw ErroImpressora("a impressora recusou o borderô");
    });
}

ResultadoImpressao ImprimeListagemBancada(const EntradaListagem& e) {
    return Executa(e, [](const EntradaListagem& x) { return GeraListagem(x); });
}

ResultadoImpressao ImprimeListagemPrestacoes(const EntradaListagemPrestacoes& e) {
    return Executa(e, [](const EntradaListagemPrestacoes& x) { return GeraListagemPrestacoes(x); });
}

}  // namespace quantivo
