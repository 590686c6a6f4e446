#include "ui/Preferencias.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "core/Erros.h"

namespace quantivo {
namespace {

QString g_dir;

constexpr qint64 kTamanhoMaximo = 1 << 20;
constexpr int kLinhasNoAviso = 10;
const char* const kChaveFeriados = "Bancada/Feriados";

// Why the holidays file could not be read or written, in Portuguese, from
// the reason the file gave. Qt keeps the system's error of the call that
// failed only as its text (errno may have been changed since by Qt's own
// clean-up): the system's texts are matched back to their numbers. A reason
// of Qt's own says in which way the file failed.
#ifdef Q_OS_WIN
// On Windows Qt's texts are the system's for Windows' own error codes, not
// for the C library's errno values: the ones a file meets, as their errno.
int ErrnoDoCodigoWindows(int codigo) {
    switch (codigo) {
        case 2:  // ERROR_FILE_NOT_FOUND
        case 3:  // ERROR_PATH_NOT_FOUND (also a folder in the path that is a file)
            return ENOENT;
        case 4:  // ERROR_TOO_MANY_OPEN_FILES
            return EMFILE;
        case 5:  // ERROR_ACCESS_DENIED
            return EACCES;
        case 19:  // ERROR_WRITE_PROTECT
            return EROFS;
        case 32:  // ERROR_SHARING_VIOLATION
        case 33:  // ERROR_LOCK_VIOLATION
            return EBUSY;
        case 39:   // ERROR_HANDLE_DISK_FULL
        case 112:  // ERROR_DISK_FULL
            return ENOSPC;
        case 206:  // ERROR_FILENAME_EXCED_RANGE
            return ENAMETOOLONG;
        default:
            return 0;
    }
}
#endif

QString MotivoEmPortugues(const QFileDevice& f) {
    const QString texto = f.errorString();
    for (int erro = 1; erro < 256; ++erro)
        if (texto == qt_error_string(erro)) {
#ifdef Q_OS_WIN
            if (const int e = ErrnoDoCodigoWindows(erro)) return QString::fromStdString(MotivoSistema(e));
            break;
#else
            return QString::fromStdString(MotivoSistema(erro));
#endif
        }
    if (QFileInfo(f.fileName()).isDir()) return QString::fromStdString(MotivoSistema(EISDIR));
    if (f.error() == QFileDevice::WriteError && QFileInfo::exists(f.fileName()) &&
        !QFileInfo(f.fileName()).isWritable())
        return QString::fromStdString(MotivoSistema(EACCES));
    return QString::fromStdString(MotivoSistema(0));
}

std::filesystem::path CaminhoDoSistema(const QString& caminho) {
#ifdef Q_OS_WIN
    return std::filesystem::path(caminho.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(caminho).toStdString());
#endif
}

QString CaminhoPreferencias() { return QDir(DiretorioPreferencias()).filePath(QStringLiteral("preferencias.ini")); }

}  // namespace

QString DiretorioPreferencias() {
    if (!g_dir.isEmpty()) return g_dir;
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

void DefineDiretorioPreferencias(const QString& dir) { g_dir = dir; }

bool LeOpcaoFeriados() {
    const QSettings s(CaminhoPreferencias(), QSettings::IniFormat);
    return s.value(QLatin1String(kChaveFeriados), false).toBool();
}

void GravaOpcaoFeriados(bool ligada) {
    QDir().mkpath(DiretorioPreferencias());
    QSettings s(CaminhoPreferencias(), QSettings::IniFormat);
    s.setValue(QLatin1String(kChaveFeriados), ligada);
}

QString CaminhoFeriadosLocais() { return QDir(DiretorioPreferencias()).filePath(QStringLiteral("feriados.txt")); }

ArquivoFeriados LeArquivoFeriados() {
    ArquivoFeriados a;
    const QString caminho = CaminhoFeriadosLocais();
    const QFileInfo fi(caminho);
    if (!fi.exists() && !fi.isSymLink()) return a;
    QFile f(caminho);
    if (!fi.isFile()) {
        a.erro = QStringLiteral("não é um arquivo comum");
    } else if (fi.size() > kTamanhoMaximo) {
        a.erro = QStringLiteral("o arquivo passa de 1 MiB");
    } else if (!f.open(QIODevice::ReadOnly)) {
        a.erro = MotivoEmPortugues(f);
    }
    if (!a.erro.isEmpty()) return a;
    const QByteArray bytes = f.read(kTamanhoMaximo + 1);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString texto = utf8.decode(bytes);
    if (utf8.hasError()) texto = QString::fromLatin1(bytes);
    a.lista = LeListaFeriados(texto.toStdString());
    return a;
}

bool GravaArquivoFeriados(const std::vector<FeriadoLocal>& feriados, const std::vector<LinhaNaoLida>& naoLidas,
                          QString& motivo) {
    const QString caminho = CaminhoFeriadosLocais();
    QDir().mkpath(DiretorioPreferencias());
    // QSaveFile writes through a link at the path, to the file it points at.
    // A link is replaced instead: the file is saved whole under a name of its
    // own beside it, then renamed over the link, which stays as it was if
    // anything fails.
    const bool link = QFileInfo(caminho).isSymLink();
    const QString destino = link ? caminho + QStringLiteral(".novo") : caminho;
    if (link && (QFileInfo::exists(destino) || QFileInfo(destino).isSymLink()) && !QFile::remove(destino)) {
        motivo = QStringLiteral("não foi possível apagar o arquivo %1, de uma gravação interrompida").arg(destino);
        return false;
    }
    const std::string bytes = EscreveListaFeriados(feriados, naoLidas);
    // Unbuffered: a buffered write that fails only when the file is closed
    // goes unreported by Qt 6.4's commit(), which then puts an empty file in
    // place of the old one.
    QSaveFile f(destino);
    bool ok = f.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    // A short write (the disk filling up) is written on from where it
    // stopped, so that the failure comes with its reason.
    for (qint64 feito = 0, total = static_cast<qint64>(bytes.size()); ok && feito < total;) {
        const qint64 n = f.write(bytes.data() + feito, total - feito);
        ok = n > 0;
        feito += n;
    }
    if (!ok || !f.commit()) {
        motivo = MotivoEmPortugues(f);
        f.cancelWriting();
        return false;
    }
    if (!link) return true;
    std::error_code erro;
    std::filesystem::rename(CaminhoDoSistema(destino), CaminhoDoSistema(caminho), erro);
    if (!erro) return true;
    motivo = QString::fromStdString(MotivoSistema(erro.default_error_condition().value()));
    QFile::remove(destino);
    return false;
}

QString AvisoArquivoFeriados(const ArquivoFeriados& a) {
    const QString caminho = CaminhoFeriadosLocais();
    if (!a.erro.isEmpty())
        return QStringLiteral(
                   "Não foi possível ler o arquivo de feriados locais %1 (%2). Nenhum feriado local será "
                   "considerado, e o arquivo não será alterado.")
            .arg(caminho, a.erro);
    const auto& ruins = a.lista.naoLidas;
    if (ruins.empty()) return {};
    QString t = QStringLiteral(
                    "O arquivo de feriados locais %1 tem linhas que não são feriados "
                    "(dd/mm ou dd/mm/aaaa, seguido do nome):\n")
                    .arg(caminho);
    for (std::size_t i = 0; i < ruins.size() && i < kLinhasNoAviso; ++i)
        t += QStringLiteral("\nLinha %1: %2").arg(ruins[i].numero).arg(QString::fromStdString(ruins[i].texto));
    if (ruins.size() > kLinhasNoAviso)
        t += QStringLiteral("\n... e mais %1 linha(s)").arg(ruins.size() - static_cast<std::size_t>(kLinhasNoAviso));
    t += QStringLiteral(
        "\n\nOs demais feriados foram lidos. Essas linhas não são consideradas e ficam no arquivo como estão, "
        "até que sejam corrigidas nele.");
    return t;
}

}  // namespace quantivo
