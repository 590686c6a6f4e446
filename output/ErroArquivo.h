#pragma once
#include <stdexcept>
#include <string>
#include <utility>

#include "core/Erros.h"

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

}  // namespace quantivo
