#include "ui/Servicos.h"

#include <QApplication>
#include <QDate>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <exception>

#include "core/Erros.h"

namespace quantivo {
namespace {

Mensageiro* g_mensageiro = nullptr;
std::optional<Data> g_hoje;
AbreUrlFn g_abreUrl;
AbreArquivoFn g_abreArquivo;
EscolheArquivoFn g_escolheArquivo;

QMessageBox::Icon IconeQt(Icone i) {
    switch (i) {
        case Icone::Informacao:
            return QMessageBox::Information;
        case Icone::Aviso:
            return QMessageBox::Warning;
        case Icone::Erro:
            return QMessageBox::Critical;
        case Icone::Pergunta:
            return QMessageBox::Question;
        case Icone::Nenhum:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

// The box of a message or a question, over the active window; the button
// Enter presses is `padrao`.
static QMessageBox::StandardButton MostraCaixa(const Mensagem& m, QMessageBox::StandardButtons botoes,
                                               QMessageBox::StandardButton padrao) {
    // The core ends a message's lines with a bare CR, which a Qt label does not break on.
    QString texto = QString::fromStdString(m.texto);
    texto.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QPointer<QWidget> dono = QApplication::activeWindow();
    QMessageBox box(IconeQt(m.icone), m.titulo.empty() ? QStringLiteral("Quantivo") : QString::fromStdString(m.titulo),
                    texto, botoes, dono);
    box.setDefaultButton(padrao);
    const int resposta = box.exec();
    // The keys typed next go back to the window the box stood over, also on
    // a desktop with no window manager to hand the keyboard back.
    if (dono && dono->isVisible() && QApplication::activeWindow() != dono) dono->activateWindow();
    return static_cast<QMessageBox::StandardButton>(resposta);
}

void MensageiroQt::Mostra(const Mensagem& m) { MostraCaixa(m, QMessageBox::Ok, QMessageBox::Ok); }

bool MensageiroQt::Pergunta(const Mensagem& m, bool padrao) {
    // Escape and the close box answer no.
    return MostraCaixa(m, QMessageBox::Yes | QMessageBox::No, padrao ? QMessageBox::Yes : QMessageBox::No) ==
           QMessageBox::Yes;
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
        ServicoMensagens().Mostra(kErroInesperado, {}, Icone::Erro);
    }
    return false;
}

void DefineAbreUrl(AbreUrlFn f) { g_abreUrl = std::move(f); }

void AbreUrl(const QString& url) {
    if (g_abreUrl) return g_abreUrl(url);
    QDesktopServices::openUrl(QUrl(url));
}

void DefineAbreArquivo(AbreArquivoFn f) { g_abreArquivo = std::move(f); }

void AbreArquivo(const QString& caminho, std::function<void()> naoAbriu) {
    if (!naoAbriu) naoAbriu = [] {};
    if (g_abreArquivo) {
        if (!g_abreArquivo(caminho)) naoAbriu();
        return;
    }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Qt hands the file to xdg-open and reports only whether xdg-open started;
    // xdg-open itself ends with a failure when no program takes the file (and
    // runs on while a viewer it started is open).
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty()) return naoAbriu();
    auto* processo = new QProcess(qApp);
    processo->setStandardOutputFile(QProcess::nullDevice());
    processo->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(processo, &QProcess::finished, processo, [processo, naoAbriu](int codigo, QProcess::ExitStatus s) {
        processo->deleteLater();
        if (s != QProcess::NormalExit || codigo != 0) naoAbriu();
    });
    QObject::connect(processo, &QProcess::errorOccurred, processo, [processo, naoAbriu](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart) return;
        processo->deleteLater();
        naoAbriu();
    });
    processo->start(xdgOpen, {QUrl::fromLocalFile(caminho).toString()});
#else
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(caminho))) naoAbriu();
#endif
}

void DefineEscolheArquivo(EscolheArquivoFn f) { g_escolheArquivo = std::move(f); }

std::optional<ArquivoEscolhido> EscolheArquivo(const QString& titulo, const QString& sugerido,
                                               const QStringList& filtros) {
    if (g_escolheArquivo) return g_escolheArquivo(titulo, sugerido, filtros);
    QString escolhido = filtros.value(0);
    const QPointer<QWidget> dono = QApplication::activeWindow();
    const QString caminho =
        QFileDialog::getSaveFileName(dono, titulo, sugerido, filtros.join(QStringLiteral(";;")), &escolhido);
    if (dono && dono->isVisible() && QApplication::activeWindow() != dono) dono->activateWindow();
    if (caminho.isEmpty()) return std::nullopt;
    return ArquivoEscolhido{caminho, std::max(0, static_cast<int>(filtros.indexOf(escolhido)))};
}

}  // namespace quantivo
