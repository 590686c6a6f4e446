// Test main for the window tests: offscreen platform, a private runtime dir,
// the time zone pinned, the environment's locale (as the program takes it),
// and the program's files in a test location.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>
#include <ctime>

#include "tests/support/Ambiente.h"
#include "tests/support/Falha.h"
#include "tests/support/Localidade.h"
#include "ui/Preferencias.h"
#include "ui/Regional.h"

// A shared helper's step that could not be done fails the running test.
void quantivo::teste::Falha(const std::string& texto) { ADD_FAILURE() << texto; }

namespace {
// The offscreen platform warns about every window feature it lacks; those
// lines would bury the test output.
QtMessageHandler g_anterior = nullptr;
void FiltraAvisos(QtMsgType tipo, const QMessageLogContext& ctx, const QString& msg) {
    if (tipo == QtWarningMsg && msg.startsWith(QLatin1String("This plugin does not support"))) return;
    g_anterior(tipo, ctx, msg);
}
}  // namespace

int main(int argc, char** argv) {
    g_anterior = qInstallMessageHandler(FiltraAvisos);
    quantivo::teste::FusoUtc();
    quantivo::teste::AplicaLocalidadeDoAmbiente();
    if (!std::getenv("QT_QPA_PLATFORM")) quantivo::teste::DefineVariavel("QT_QPA_PLATFORM", "offscreen");
#ifdef QUANTIVO_FONTES_TESTE
    // Set here: wine hands no QT_ variable over from Linux.
    if (!std::getenv("QT_QPA_FONTDIR")) quantivo::teste::DefineVariavel("QT_QPA_FONTDIR", QUANTIVO_FONTES_TESTE);
#endif
    QTemporaryDir runtime;
    quantivo::teste::DefineVariavel("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit().constData());
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QStandardPaths::setTestModeEnabled(true);
    // The clerk's settings of a test never outlive the run.
    QTemporaryDir preferencias;
    quantivo::DefineDiretorioPreferencias(preferencias.path());
    QApplication app(argc, argv);
#ifdef QUANTIVO_FONTES_TESTE
    // Windows' own faces by the names the program asks for, as fontconfig
    // gives them on Linux (that folder knows no substitutes).
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
#endif
    // The program's font and Qt's own texts in Portuguese, as the program has them.
    QApplication::setFont(quantivo::FonteJanela());
    quantivo::CarregaTraducoesQt();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
