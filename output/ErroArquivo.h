#pragma once
#include <stdexcept>
#include <string>

namespace quantivo {

// A file of the program's (the listing, the settings) cannot be read or
// written; the text names the path.
class ErroArquivo : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    static ErroArquivo Leitura(const std::string& caminho) { return ErroArquivo("Unable to read " + caminho); }
    static ErroArquivo Escrita(const std::string& caminho) { return ErroArquivo("Unable to write to " + caminho); }
};

}  // namespace quantivo
