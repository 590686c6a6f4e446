#pragma once
// Errors that end an action. Each window handler catches them at its boundary
// and shows the text in a message box; quantivo-batch reports them as "erro".
#include <cerrno>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quantivo {

enum class TipoErro { Conversao, Aritmetica, Faixa };

class ErroQuantivo : public std::runtime_error {
public:
    ErroQuantivo(TipoErro tipo, const std::string& texto) : std::runtime_error(texto), tipo_(tipo) {}
    TipoErro Tipo() const { return tipo_; }

private:
    TipoErro tipo_;
};

// A text that cannot be read as a number or a date.
class ErroConversao : public ErroQuantivo {
public:
    explicit ErroConversao(const std::string& texto) : ErroQuantivo(TipoErro::Conversao, texto) {}
    static ErroConversao Float(std::string_view s) {
        return ErroConversao("'" + std::string(s) + "' is not a valid floating point value");
    }
    static ErroConversao Date(std::string_view s) {
        return ErroConversao("'" + std::string(s) + "' is not a valid date");
    }
    static ErroConversao Integer(std::string_view s) {
        return ErroConversao("'" + std::string(s) + "' is not a valid integer value");
    }
};

// Division by zero, an invalid operation or a value out of range. IEEE
// arithmetic does not trap, so the core tests for these where they can occur.
class ErroAritmetico : public ErroQuantivo {
public:
    explicit ErroAritmetico(const std::string& texto) : ErroQuantivo(TipoErro::Aritmetica, texto) {}
    static ErroAritmetico DivisaoPorZero() { return ErroAritmetico("Erro de ponto flutuante: divisão por zero"); }
    static ErroAritmetico Estouro() { return ErroAritmetico("Erro de ponto flutuante: valor fora da faixa"); }
    static ErroAritmetico Invalida() { return ErroAritmetico("Erro de ponto flutuante: operação inválida"); }
};

// The amount given to the words is outside their range.
class ErroFaixa : public ErroQuantivo {
public:
    explicit ErroFaixa(const std::string& texto) : ErroQuantivo(TipoErro::Faixa, texto) {}
};

// What the system said about a file, in Portuguese: the C library's own texts
// follow the process locale, which the program leaves alone. 0 (a failure
// the system gave no reason for) says only that the file failed.
inline std::string MotivoSistema(int erro) {
    switch (erro) {
        case 0:
            return "erro de leitura ou gravação";
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
