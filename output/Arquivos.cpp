#include "output/Arquivos.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "output/Cp1252.h"

#ifndef QUANTIVO_DATA_DIR_RELATIVE
#define QUANTIVO_DATA_DIR_RELATIVE "share/quantivo"
#endif

namespace quantivo {
namespace {

QString g_dirPrograma;
QString g_dirListagem;
QString g_dirDiario;

bool DiretorioGravavel(const QString& dir) {
    const QFileInfo fi(dir);
#ifdef Q_OS_WIN
    // Windows' file attributes do not say whether this user may write here
    // (Program Files is closed to a normal user by its access rules, which
    // Qt does not read): a file is created and removed to know.
    if (!fi.isDir()) return false;
    QTemporaryFile sonda(QDir(dir).filePath(QStringLiteral("quantivo-XXXXXX.tmp")));
    return sonda.open();
#else
    return fi.isDir() && fi.isWritable();
#endif
}

QString DiretorioConfiguracao() { return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation); }

}  // namespace

QString DiretorioPrograma() {
    if (!g_dirPrograma.isEmpty()) return g_dirPrograma;
    return QCoreApplication::applicationDirPath();
}

void DefineDiretorioPrograma(const QString& dir) { g_dirPrograma = dir; }

QString CaminhoValidaIniEscrita() {
    const QString prog = DiretorioPrograma();
    if (DiretorioGravavel(prog)) return QDir(prog).filePath("valida.ini");
    QDir().mkpath(DiretorioConfiguracao());
    return QDir(DiretorioConfiguracao()).filePath("valida.ini");
}

QString CaminhoValidaIniLeitura() {
    const QString prog = QDir(DiretorioPrograma()).filePath("valida.ini");
    const QString conf = QDir(DiretorioConfiguracao()).filePath("valida.ini");
    const bool progPrimeiro = DiretorioGravavel(DiretorioPrograma());
    for (const QString& c : progPrimeiro ? QStringList{prog, conf} : QStringList{conf, prog})
        if (QFileInfo::exists(c)) return c;
    return {};
}

QString CaminhoListagem() {
    QString dir = g_dirListagem;
    // The per-user data directory, %LOCALAPPDATA%\Quantivo on Windows (not
    // the Windows directory, which a normal user cannot write).
    if (dir.isEmpty()) dir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(dir);
    return QDir(dir).filePath("Listagem.txt");
}

void DefineDiretorioListagem(const QString& dir) { g_dirListagem = dir; }

QString CaminhoDiario() {
    // The per-user data folder on every system: ~/.local/share/Quantivo on
    // Linux; on Windows %LOCALAPPDATA%\Quantivo, the local profile, not the
    // roaming one (Qt's AppDataLocation there), which is copied to a server at
    // logoff and back at logon: a database copied so comes back without the
    // saves made on another machine meanwhile.
    const QString dir =
        g_dirDiario.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) : g_dirDiario;
    return QDir(dir).filePath(QStringLiteral("diario.sqlite"));
}

void DefineDiretorioDiario(const QString& dir) { g_dirDiario = dir; }

QString CaminhoManual() {
    const QString nome = QStringLiteral("Manual_Quantivo.pdf");
    const QDir prog(DiretorioPrograma());
    QStringList candidatos;
#ifdef Q_OS_WIN
    candidatos << QStringLiteral("c:/") + nome;
#endif
    candidatos << prog.filePath(nome) << prog.filePath(QStringLiteral("docs/") + nome)
               << prog.filePath(QStringLiteral("../") + QStringLiteral(QUANTIVO_DATA_DIR_RELATIVE) + "/" + nome);
    for (const QString& d : QStandardPaths::standardLocations(QStandardPaths::AppDataLocation))
        candidatos << QDir(d).filePath(nome);
    for (const QString& c : candidatos)
        if (QFileInfo(c).isFile()) return QDir::cleanPath(c);
    return {};
}

std::string CaminhoParaArquivo(const QString& caminho) {
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(caminho).toStdString();
#else
    return QFile::encodeName(caminho).toStdString();
#endif
}

QString DeWindows1252(const QByteArray& bytes) {
    return QString::fromStdString(
        Cp1252ParaUtf8(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

}  // namespace quantivo
