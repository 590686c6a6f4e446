#include "ui/Preferencias.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>
#include <cerrno>

#include "core/Erros.h"

namespace quantivo {
namespace {

QString g_dir;

constexpr qint64 kTamanhoMaximo = 1 << 20;
constexpr int kLinhasNoAviso = 10;
const char* const kChaveFeriados = "Bancada/Feriados";

// Why the holidays file could not be read or written, in Portuguese (Qt's
// own text is English), from what the system said when it failed.
QString MotivoEmPortugues(int erro) { return QString::fromStdString(MotivoSistema(erro)); }

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
    } else {
        errno = 0;
        if (!f.open(QIODevice::ReadOnly)) a.erro = MotivoEmPortugues(errno);
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
    // QSaveFile would write through a link planted at the path: the link goes,
    // and the file takes its place.
    if (QFileInfo(caminho).isSymLink() && !QFile::remove(caminho)) {
        motivo = QStringLiteral("não foi possível substituir o link %1").arg(caminho);
        return false;
    }
    QSaveFile f(caminho);
    const std::string bytes = EscreveListaFeriados(feriados, naoLidas);
    errno = 0;
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) || !f.commit()) {
        motivo = MotivoEmPortugues(errno);
        f.cancelWriting();
        return false;
    }
    return true;
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
