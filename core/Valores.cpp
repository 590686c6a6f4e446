#include "core/Valores.h"

#include <locale.h>

#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/Erros.h"

namespace quantivo {
namespace {

// strtold in the "C" notation whatever the process locale is (the desktop
// toolkit sets the user's locale on Linux, whose decimal point may be ",").
// Not std::from_chars: mingw-w64's reads a long double through a double, and
// the Windows build must give the same values as Linux.
long double StrtoldC(const char* texto, char** fim) {
#ifdef _WIN32
    // mingw-w64 has no per-call locale: put the current decimal point in.
    std::string t(texto);
    const char* ponto = localeconv()->decimal_point;
    if (ponto && ponto[0] && ponto[0] != '.' && !ponto[1])
        for (char& ch : t)
            if (ch == '.') ch = ponto[0];
    char* f = nullptr;
    const long double v = std::strtold(t.c_str(), &f);
    *fim = const_cast<char*>(texto) + (f - t.c_str());
    return v;
#else
    static locale_t c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
    return strtold_l(texto, fim, c);
#endif
}

// Parses a text already checked to be [-+]digits[.digits][e[-+]digits].
// Overflow is a conversion error; underflow gives the tiny or zero value.
bool ParseDecimal(const std::string& c, long double& out) {
    errno = 0;
    char* fim = nullptr;
    const long double v = StrtoldC(c.c_str(), &fim);
    if (fim != c.c_str() + c.size()) return false;
    if (!std::isfinite(v)) return false;
    out = v;
    return true;
}

bool Digito(char c) { return c >= '0' && c <= '9'; }

// The decimal text of v in the given form, with "." whatever the process
// locale is.
std::string TextoDecimal(long double v, std::chars_format forma, int precisao) {
    char b[128];
    auto r = std::to_chars(b, b + sizeof b, v, forma, precisao);
    if (r.ec == std::errc{}) return std::string(b, r.ptr);
    std::string s(8192, '\0');  // the fixed form of the largest extended values
    r = std::to_chars(s.data(), s.data() + s.size(), v, forma, precisao);
    s.resize(static_cast<std::size_t>(r.ptr - s.data()));
    return s;
}

// The first `n` significant decimal digits of |v| (rounded), and the
// exponent of the first one.
void DigitosCientificos(long double v, int n, std::string& digitos, int& expoente) {
    const std::string e = TextoDecimal(std::fabs(v), std::chars_format::scientific, n - 1);  // d.ddde±XX
    digitos.clear();
    std::size_t i = 0;
    for (; i < e.size() && e[i] != 'e'; ++i)
        if (Digito(e[i])) digitos += e[i];
    expoente = std::atoi(e.c_str() + i + 1);
}

// The decimal digits of |v| at 15 significant digits, and the count of them
// that stand before the point (can be zero or negative for small values).
void Digitos15(long double v, std::string& digitos, int& antesDoPonto) {
    DigitosCientificos(v, 15, digitos, antesDoPonto);
    ++antesDoPonto;
}

struct Secao {
    std::string prefixo, sufixo;
    bool agrupa = false;
    int minInteiros = 0;
    int minDecimais = 0;
    int maxDecimais = 0;
    bool vazia = true;
};

Secao LeSecao(std::string_view m) {
    Secao s;
    s.vazia = m.empty();
    bool viuPlaceholder = false, depoisDoPonto = false;
    std::string literal;
    auto guardaLiteral = [&] {
        if (literal.empty()) return;
        (viuPlaceholder ? s.sufixo : s.prefixo) += literal;
        literal.clear();
    };
    for (std::size_t i = 0; i < m.size(); ++i) {
        const char c = m[i];
        if (c == '"' || c == '\'') {
            std::size_t j = i + 1;
            while (j < m.size() && m[j] != c) literal += m[j++];
            i = j;
        } else if (c == '0' || c == '#') {
            guardaLiteral();
            viuPlaceholder = true;
            if (depoisDoPonto) {
                ++s.maxDecimais;
                if (c == '0') s.minDecimais = s.maxDecimais;
            } else if (c == '0') {
                ++s.minInteiros;
            }
        } else if (c == '.' && !depoisDoPonto) {
            guardaLiteral();
            viuPlaceholder = true;
            depoisDoPonto = true;
        } else if (c == ',' && !depoisDoPonto) {
            s.agrupa = true;
            guardaLiteral();
            viuPlaceholder = true;
        } else {
            literal += c;
        }
    }
    guardaLiteral();
    return s;
}

// Formats |valor| by the section; tells whether the result is zero.
std::string AplicaSecao(long double valor, const Secao& s, bool& zero) {
    std::string dig;
    int pp;
    Digitos15(valor, dig, pp);
    if (pp <= 0) {
        dig = std::string(static_cast<std::size_t>(1 - pp), '0') + dig;
        pp = 1;
    }
    if (pp > static_cast<int>(dig.size())) dig += std::string(static_cast<std::size_t>(pp) - dig.size(), '0');
    const std::size_t corte = static_cast<std::size_t>(pp + s.maxDecimais);
    if (dig.size() > corte) {
        const bool sobe = dig[corte] >= '5';
        dig.resize(corte);
        if (sobe) {
            std::size_t k = dig.size();
            while (k > 0 && dig[k - 1] == '9') dig[--k] = '0';
            if (k == 0) {
                dig.insert(dig.begin(), '1');
                ++pp;
            } else {
                ++dig[k - 1];
            }
        }
    } else {
        dig += std::string(corte - dig.size(), '0');
    }
    std::string inteiro = dig.substr(0, static_cast<std::size_t>(pp));
    std::string frac = dig.substr(static_cast<std::size_t>(pp));
    zero = inteiro.find_first_not_of('0') == std::string::npos && frac.find_first_not_of('0') == std::string::npos;
    while (static_cast<int>(frac.size()) > s.minDecimais && frac.back() == '0') frac.pop_back();
    const std::size_t nz = inteiro.find_first_not_of('0');
    inteiro = nz == std::string::npos ? std::string() : inteiro.substr(nz);
    if (static_cast<int>(inteiro.size()) < s.minInteiros)
        inteiro = std::string(static_cast<std::size_t>(s.minInteiros) - inteiro.size(), '0') + inteiro;
    if (s.agrupa && inteiro.size() > 3) {
        std::string g;
        const std::size_t n = inteiro.size();
        for (std::size_t i = 0; i < n; ++i) {
            if (i > 0 && (n - i) % 3 == 0) g += '.';
            g += inteiro[i];
        }
        inteiro = g;
    }
    return s.prefixo + inteiro + (frac.empty() ? "" : "," + frac) + s.sufixo;
}

}  // namespace

std::string RetiraVirgula(std::string_view texto) {
    std::string r;
    for (char c : texto)
        if (Digito(c) || c == ',') r += c;
    return r;
}

long double LeValor(std::string_view texto) {
    std::string c = RetiraVirgula(texto);
    int virgulas = 0, digitos = 0;
    for (char& ch : c) {
        if (ch == ',') {
            ++virgulas;
            ch = '.';
        } else {
            ++digitos;
        }
    }
    long double v = 0;
    if (digitos == 0 || virgulas > 1 || !ParseDecimal(c, v)) throw ErroConversao::Float(RetiraVirgula(texto));
    return v;
}

long double LeNumero(std::string_view texto) {
    std::size_t i = 0, n = texto.size();
    while (i < n && texto[i] == ' ') ++i;
    while (n > i && texto[n - 1] == ' ') --n;
    std::string c;
    std::size_t k = i;
    if (k < n && (texto[k] == '+' || texto[k] == '-')) c += texto[k++];
    int digitos = 0;
    while (k < n && Digito(texto[k])) c += texto[k++], ++digitos;
    if (k < n && texto[k] == ',') {
        c += '.';
        ++k;
        while (k < n && Digito(texto[k])) c += texto[k++], ++digitos;
    }
    bool ok = digitos > 0;
    if (ok && k < n && (texto[k] == 'e' || texto[k] == 'E')) {
        c += 'e';
        ++k;
        if (k < n && (texto[k] == '+' || texto[k] == '-')) c += texto[k++];
        int ed = 0;
        while (k < n && Digito(texto[k])) c += texto[k++], ++ed;
        ok = ed > 0;
    }
    long double v = 0;
    if (!ok || k != n || !ParseDecimal(c, v)) throw ErroConversao::Float(texto);
    return v;
}

Dmil ParaDmil(long double valor) {
    const long double v = valor * 10000.0L;
    if (std::isnan(v)) throw ErroAritmetico::Invalida();
    if (!std::isfinite(v)) throw ErroAritmetico::Estouro();
    const long double r = std::nearbyint(v);
    if (r < -9223372036854775808.0L || r >= 9223372036854775808.0L) throw ErroAritmetico::Estouro();
    return static_cast<Dmil>(r);
}

long double DeDmil(Dmil d) { return static_cast<long double>(d) / 10000.0L; }

Dmil SomaDmil(Dmil a, Dmil b) {
    Dmil r;
    if (__builtin_add_overflow(a, b, &r)) throw ErroAritmetico::Estouro();
    return r;
}

long double Finito(long double v) {
    if (std::isnan(v)) throw ErroAritmetico::Invalida();
    if (!std::isfinite(v)) throw ErroAritmetico::Estouro();
    return v;
}

long double Divide(long double a, long double b) {
    if (b == 0) {
        if (a == 0 || std::isnan(a)) throw ErroAritmetico::Invalida();
        throw ErroAritmetico::DivisaoPorZero();
    }
    return Finito(a / b);
}

double ParaDouble(long double v) {
    Finito(v);
    const double d = static_cast<double>(v);
    if (!std::isfinite(d)) throw ErroAritmetico::Estouro();
    return d;
}

std::int64_t Trunca(long double v) {
    Finito(v);
    const long double t = std::trunc(v);
    if (t < -9223372036854775808.0L || t >= 9223372036854775808.0L) throw ErroAritmetico::Invalida();
    return static_cast<std::int64_t>(t);
}

long double Segura(long double valor, int decimais) {
    if (!std::isfinite(valor)) return valor;
    long double p = 1;
    for (int i = 0; i < decimais; ++i) p *= 10;
    const long double x = valor * p;
    if (!std::isfinite(x)) return valor;
    return std::round(x) / p;
}

std::string TextoCampo(long double valor, int decimais) {
    if (valor == 0 || !std::isfinite(valor)) return {};
    std::string s = TextoDecimal(valor, std::chars_format::fixed, decimais);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    for (char& c : s)
        if (c == '.') c = ',';
    if (s == "-0" || s == "0") return {};
    return s;
}

std::string FormataMascara(long double valor, std::string_view mascara) {
    std::vector<std::string_view> partes;
    std::size_t ini = 0;
    char aspas = 0;
    for (std::size_t i = 0; i < mascara.size(); ++i) {
        const char c = mascara[i];
        if (aspas) {
            if (c == aspas) aspas = 0;
        } else if (c == '"' || c == '\'') {
            aspas = c;
        } else if (c == ';') {
            partes.push_back(mascara.substr(ini, i - ini));
            ini = i + 1;
        }
    }
    partes.push_back(mascara.substr(ini));
    std::vector<Secao> secoes;
    for (std::size_t i = 0; i < partes.size() && i < 3; ++i) secoes.push_back(LeSecao(partes[i]));

    const bool negativo = valor < 0;
    const Secao& positiva = secoes[0];
    const Secao* secao = &positiva;
    bool usaMenos = negativo;
    if (negativo && secoes.size() > 1 && !secoes[1].vazia) {
        secao = &secoes[1];
        usaMenos = false;
    }
    bool zero = false;
    std::string r = AplicaSecao(valor, *secao, zero);
    if (zero) {
        if (secoes.size() > 2 && !secoes[2].vazia) return AplicaSecao(0, secoes[2], zero);
        if (secao != &positiva) r = AplicaSecao(0, positiva, zero);
        return r;
    }
    return usaMenos ? "-" + r : r;
}

std::string FormataValor(long double valor) { return FormataMascara(valor, "###,###,##0.00"); }

std::string FormataGeral(long double valor, int precisao) {
    if (std::isnan(valor)) return "NAN";
    if (std::isinf(valor)) return valor < 0 ? "-INF" : "INF";
    if (valor == 0) return "0";
    std::string dig;
    int exp = 0;
    DigitosCientificos(valor, precisao, dig, exp);
    while (dig.size() > 1 && dig.back() == '0') dig.pop_back();
    std::string r = valor < 0 ? "-" : "";
    if (exp >= precisao || exp < -5) {
        r += dig.substr(0, 1);
        if (dig.size() > 1) r += "," + dig.substr(1);
        r += "E" + std::to_string(exp);
    } else if (exp < 0) {
        r += "0," + std::string(static_cast<std::size_t>(-exp - 1), '0') + dig;
    } else {
        const std::size_t pp = static_cast<std::size_t>(exp) + 1;
        if (dig.size() <= pp) {
            r += dig + std::string(pp - dig.size(), '0');
        } else {
            r += dig.substr(0, pp) + "," + dig.substr(pp);
        }
    }
    return r;
}

std::string TextoDias(std::int64_t dias) { return std::to_string(dias); }

}  // namespace quantivo
