#pragma once
#include <cerrno>
#include <stdexcept>
#include <string>
#include <utility>

namespace quantivo {

// A file of the program's (the listing, the settings) cannot be read or
// written; the text names the path.
class ErroArquivo : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    // "Não foi possível ler o arquivo <caminho>: <motivo>."
    static ErroArquivo Leitura(const std::string& caminho, const std::string& motivo) {
        return ErroArquivo("Não foi possível ler o arquivo " + caminho + ": " + motivo + ".", motivo);
    }
    // The user interface toolkit's own text for a file it cannot write, and
    // then why, so that the user knows whether to free the disk or ask for
    // the right to write: "Unable to write to <caminho>: <motivo>."
    static ErroArquivo Escrita(const std::string& caminho, const std::string& motivo) {
        return ErroArquivo("Unable to write to " + caminho + ": " + motivo + ".", motivo);
    }
    // Why, alone, for a message that names the file its own way.
    const std::string& Motivo() const { return motivo_; }

private:
    ErroArquivo(const std::string& texto, std::string motivo) : std::runtime_error(texto), motivo_(std::move(motivo)) {}
    std::string motivo_;
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
