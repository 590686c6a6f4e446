#pragma once
#include <cerrno>
#include <stdexcept>
#include <string>

namespace quantivo {

// A file of the program's (the listing, the settings) cannot be read or
// written; the text names the path.
class ErroArquivo : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    // "Não foi possível ler o arquivo <caminho>: <motivo>."
    static ErroArquivo Leitura(const std::string& caminho, const std::string& motivo) {
        return ErroArquivo("Não foi possível ler o arquivo " + caminho + ": " + motivo + ".");
    }
    // The user interface toolkit's own text for a file it cannot write,
    // which the settings window shows as it is.
    static ErroArquivo Escrita(const std::string& caminho) { return ErroArquivo("Unable to write to " + caminho); }
};

// What the system said about a file, in Portuguese: the C library's own texts
// follow the process locale, which the program leaves alone.
inline std::string MotivoSistema(int erro) {
    switch (erro) {
        case EACCES:
        case EPERM:
            return "permissão negada";
        case ENOENT:
            return "arquivo ou pasta inexistente";
        case ENOTDIR:
            return "uma parte do caminho não é uma pasta";
        case EISDIR:
            return "é uma pasta, não um arquivo";
        case ELOOP:
            return "atalhos (links) demais no caminho";
        case ENAMETOOLONG:
            return "nome longo demais";
        case ENOSPC:
            return "não há espaço livre no disco";
#ifdef EDQUOT
        case EDQUOT:
            return "a cota de disco foi excedida";
#endif
        case EROFS:
            return "o disco só permite leitura";
        case EFBIG:
            return "o arquivo ficaria grande demais";
        case EMFILE:
        case ENFILE:
            return "arquivos abertos demais";
        case EBUSY:
            return "o arquivo está em uso";
        case EIO:
            return "erro de leitura ou gravação no disco";
        default:
            return "erro do sistema número " + std::to_string(erro);
    }
}

}  // namespace quantivo
