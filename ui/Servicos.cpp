#include "ui/Servicos.h"

#include <QApplication>
#include <QDate>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <exception>

#include "core/Erros.h"

namespace quantivo {
namespace {

Mensageiro* g_mensageiro = nullptr;
std::optional<Data> g_hoje;
AbreUrlFn g_abreUrl;
AbreArquivoFn g_abreArquivo;

QMessageBox::Icon IconeQt(Icone i) {
    switch (i) {
        case Icone::Informacao:
            return QMessageBox::Information;
        case Icone::Aviso:
            return QMessageBox::Warning;
        case Icone::Erro:
            return QMessageBox::Critical;
        case Icone::Nenhum:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void MensageiroQt::Mostra(const Mensagem& m) {
    // The core ends a message's lines with a bare CR, which a Qt label does not break on.
    QString texto = QString::fromStdString(m.texto);
    texto.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(IconeQt(m.icone), m.titulo.empty() ? QStringLiteral("Quantivo") : QString::fromStdString(m.titulo),
                    texto, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

Mensageiro& ServicoMensagens() {
    static MensageiroQt padrao;
    return g_mensageiro ? *g_mensageiro : padrao;
}

void DefineServicoMensagens(Mensageiro* m) { g_mensageiro = m; }

Data Hoje() {
    if (g_hoje) return *g_hoje;
    const QDate d = QDate::currentDate();
    return CodificaData(d.year(), d.month(), d.day()).value_or(kDataNula);
}

void DefineHoje(std::optional<Data> d) { g_hoje = d; }

Contexto ContextoJanela() { return Contexto{ServicoMensagens(), Hoje()}; }

bool ProtegeAcao(const std::function<void()>& acao) {
    try {
        acao();
        return true;
    } catch (const ErroQuantivo& e) {
        ServicoMensagens().Mostra(e.what(), {}, Icone::Erro);
    } catch (const std::exception& e) {
        ServicoMensagens().Mostra(e.what(), {}, Icone::Erro);
    } catch (...) {
        ServicoMensagens().Mostra("Erro inesperado", {}, Icone::Erro);
    }
    return false;
}

void DefineAbreUrl(AbreUrlFn f) { g_abreUrl = std::move(f); }

void AbreUrl(const QString& url) {
    if (g_abreUrl) return g_abreUrl(url);
    QDesktopServices::openUrl(QUrl(url));
}

void DefineAbreArquivo(AbreArquivoFn f) { g_abreArquivo = std::move(f); }

void AbreArquivo(const QString& caminho) {
    if (g_abreArquivo) return g_abreArquivo(caminho);
    QDesktopServices::openUrl(QUrl::fromLocalFile(caminho));
}

}  // namespace quantivo
