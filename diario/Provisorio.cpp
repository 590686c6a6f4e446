// TEMPORARY: see Provisorio.h.
#include "diario/Provisorio.h"

#include "diario/Chaves.h"

namespace quantivo::diario::provisorio {
namespace {

bool Algarismo(char c) { return c >= '0' && c <= '9'; }

// The mod-10 check digit of a string of digits: weights 2, 1, 2, ... from the
// right, the digits of each product added.
int DigitoMod10(std::string_view s) {
    int soma = 0;
    int peso = 2;
    for (auto it = s.rbegin(); it != s.rend(); ++it) {
        const int p = (*it - '0') * peso;
        soma += p / 10 + p % 10;
        peso = 3 - peso;
    }
    return (10 - soma % 10) % 10;
}

bool TodosIguais(std::string_view s) { return s.find_first_not_of(s.front()) == std::string_view::npos; }

std::string ProblemaCpf(const std::string& d) {
    for (char c : d)
        if (!Algarismo(c)) return "um CPF tem só algarismos";
    if (TodosIguais(d)) return "CPF de onze algarismos iguais";
    for (int dv = 0; dv < 2; ++dv) {
        int soma = 0;
        for (int i = 0; i < 9 + dv; ++i) soma += (d[static_cast<std::size_t>(i)] - '0') * (10 + dv - i);
        const int r = soma * 10 % 11 % 10;
        if (r != d[static_cast<std::size_t>(9 + dv)] - '0') return "os dígitos verificadores do CPF não conferem";
    }
    return {};
}

std::string ProblemaCnpj(const std::string& d) {
    for (std::size_t i = 0; i < 12; ++i)
        if (!Algarismo(d[i]) && !(d[i] >= 'A' && d[i] <= 'Z'))
            return "o CNPJ tem um caractere que não é algarismo nem letra";
    if (!Algarismo(d[12]) || !Algarismo(d[13])) return "os dígitos verificadores do CNPJ são algarismos";
    if (TodosIguais(d)) return "CNPJ de catorze caracteres iguais";
    static constexpr int kPesos[] = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    for (std::size_t dv = 0; dv < 2; ++dv) {
        int soma = 0;
        for (std::size_t i = 0; i < 12 + dv; ++i) soma += (d[i] - '0') * kPesos[i + 1 - dv];
        const int r = soma % 11;
        if ((r < 2 ? 0 : 11 - r) != d[12 + dv] - '0') return "os dígitos verificadores do CNPJ não conferem";
    }
    return {};
}

}  // namespace

Documento ValidaDocumento(std::string_view texto) {
    Documento doc;
    doc.normalizado = NormalizaDocumento(texto);
    const std::string& d = doc.normalizado;
    if (d.size() == 11) {
        doc.tipo = "CPF";
        doc.problema = ProblemaCpf(d);
    } else if (d.size() == 14) {
        doc.tipo = "CNPJ";
        doc.problema = ProblemaCnpj(d);
    } else {
        doc.problema = d.empty() ? "documento vazio"
                                 : "um CPF tem 11 caracteres e um CNPJ 14; este tem " + std::to_string(d.size());
    }
    doc.valido = doc.problema.empty();
    if (doc.valido) {
        doc.formatado = doc.tipo == "CPF"
                            ? d.substr(0, 3) + "." + d.substr(3, 3) + "." + d.substr(6, 3) + "-" + d.substr(9)
                            : d.substr(0, 2) + "." + d.substr(2, 3) + "." + d.substr(5, 3) + "/" + d.substr(8, 4) +
                                  "-" + d.substr(12);
    }
    return doc;
}

Cmc7 LeCmc7(std::string_view linha) {
    Cmc7 r;
    std::string d;
    for (char c : linha) {
        if (c == '<' || c == '>' || c == ':' || c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        if (!Algarismo(c)) {
            r.problema = c == '?' ? "a linha tem um caractere que o leitor não reconheceu (?)"
                                  : "a linha tem um caractere que não é algarismo";
            return r;
        }
        d += c;
    }
    if (d.size() != 30) {
        r.problema = "a linha tem " + std::to_string(d.size()) + " algarismos; são 30";
        return r;
    }
    const std::string_view v(d);
    // DV2 closes field 1 and checks field 2; DV1 opens field 3 and checks
    // bank and branch; DV3 closes field 3 and checks the account.
    if (DigitoMod10(v.substr(0, 7)) != d[18] - '0') return r.problema = "o dígito do banco e agência não confere", r;
    if (DigitoMod10(v.substr(8, 10)) != d[7] - '0') return r.problema = "o dígito do segundo campo não confere", r;
    if (DigitoMod10(v.substr(19, 10)) != d[29] - '0') return r.problema = "o dígito da conta não confere", r;
    r.valido = true;
    r.BancoNumero = d.substr(0, 3) + "/" + d.substr(3, 4) + "/" + d.substr(11, 6);
    r.digitos = std::move(d);
    return r;
}

}  // namespace quantivo::diario::provisorio
