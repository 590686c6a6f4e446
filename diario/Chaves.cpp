#include "diario/Chaves.h"

#include <QString>

#include "core/Documento.h"

namespace quantivo::diario {
namespace {

std::string Escapa(std::string_view texto) {
    std::string r;
    r.reserve(texto.size());
    for (char c : texto) {
        if (c == '%' || c == '_' || c == '!') r += '!';
        r += c;
    }
    return r;
}

}  // namespace

std::string DobraTexto(std::string_view utf8) {
    const QString decomposto =
        QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).normalized(QString::NormalizationForm_D);
    QString r;
    r.reserve(decomposto.size());
    bool espaco = false;
    for (const QChar c : decomposto) {
        if (c.category() == QChar::Mark_NonSpacing) continue;
        if (c.isSpace()) {
            espaco = !r.isEmpty();
            continue;
        }
        if (espaco) r += u' ';
        espaco = false;
        r += c;
    }
    return r.toCaseFolded().toStdString();
}

std::string ChaveBancoNumero(std::string_view utf8) {
    std::string r;
    for (char c : DobraTexto(utf8))
        if (c != ' ' && c != '|') r += c;
    return r;
}

std::string NormalizaDocumento(std::string_view texto) {
    std::string r;
    for (char c : texto) {
        if (c == '.' || c == '/' || c == '-' || c == ' ' || c == '\t') continue;
        r += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return r;
}

std::string DocumentoFormatado(std::string_view normalizado) {
    if (normalizado.empty()) return {};
    const LeituraDocumento d = LeDocumento(normalizado);
    return d.valido ? d.formatado : std::string(normalizado);
}

std::string PadraoContem(std::string_view texto) { return "%" + Escapa(texto) + "%"; }
std::string PadraoComeca(std::string_view texto) { return Escapa(texto) + "%"; }

}  // namespace quantivo::diario
