#include "core/Valores.h"

#include <locale.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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

// The exact decimal value of a finite extended number: its digits, without
// leading zeros (none for zero), and how many of them stand before the point
// (zero below 1, negative below 0,1). Worked out in integers from the number's bits,
// so that no library's rounding (printf and to_chars round exact halves to
// even) and no platform's formatting decides a digit.
struct Decimal {
    std::string digitos;
    int antesDoPonto = 0;
};

// m * 2^e, from the 80-bit layout: 64-bit significand with its integer bit,
// then sign and a 15-bit biased exponent.
void Bits(long double v, std::uint64_t& m, int& e) {
    unsigned char b[sizeof(long double)];
    std::memcpy(b, &v, sizeof b);
    std::memcpy(&m, b, sizeof m);
    std::uint16_t se;
    std::memcpy(&se, b + 8, sizeof se);
    const int expoente = se & 0x7fff;
    e = (expoente == 0 ? 1 : expoente) - 16383 - 63;
}

// A whole number in base 10^9, least significant limb first.
using Grande = std::vector<std::uint32_t>;
constexpr std::uint32_t kBase = 1000000000;

void Multiplica(Grande& g, std::uint64_t fator) {
    std::uint64_t vaiUm = 0;
    for (std::uint32_t& limbo : g) {
        const std::uint64_t p = limbo * fator + vaiUm;
        limbo = static_cast<std::uint32_t>(p % kBase);
        vaiUm = p / kBase;
    }
    while (vaiUm) {
        g.push_back(static_cast<std::uint32_t>(vaiUm % kBase));
        vaiUm /= kBase;
    }
}

Decimal Exato(long double v) {
    std::uint64_t m;
    int e;
    Bits(v, m, e);
    Decimal d;
    if (m == 0) return d;
    while (!(m & 1)) {
        m >>= 1;
        ++e;
    }
    Grande g;
    for (; m; m /= kBase) g.push_back(static_cast<std::uint32_t>(m % kBase));
    // m * 2^e: a whole number for e >= 0, else m * 5^-e shifted -e places.
    for (int k = e; k > 0; k -= 30) Multiplica(g, std::uint64_t{1} << std::min(k, 30));
    for (int k = -e; k > 0; k -= 13) {
        std::uint64_t p = 1;
        for (int i = std::min(k, 13); i > 0; --i) p *= 5;
        Multiplica(g, p);
    }
    d.digitos = std::to_string(g.back());
    for (std::size_t i = g.size() - 1; i-- > 0;) {
        const std::string s = std::to_string(g[i]);
        d.digitos += std::string(9 - s.size(), '0') + s;
    }
    d.antesDoPonto = static_cast<int>(d.digitos.size()) + std::min(e, 0);
    return d;
}

// Keeps the first n digits (none when n <= 0), rounding the rest half away
// from zero: up when the first digit dropped is 5 or more.
void Arredonda(Decimal& d, int n) {
    if (n >= static_cast<int>(d.digitos.size())) return;
    const bool sobe = n >= 0 && d.digitos[static_cast<std::size_t>(n)] >= '5';
    d.digitos.resize(static_cast<std::size_t>(std::max(n, 0)));
    if (!sobe) return;
    std::size_t k = d.digitos.size();
    while (k > 0 && d.digitos[k - 1] == '9') d.digitos[--k] = '0';
    if (k == 0) {
        d.digitos.insert(d.digitos.begin(), '1');
        ++d.antesDoPonto;
    } else {
        ++d.digitos[k - 1];
    }
}

// The value at 15 significant digits, halves away from zero: the first step of
// every number text and of a numeric field's hold.
Decimal Digitos15(long double v) {
    Decimal d = Exato(v);
    Arredonda(d, 15);
    return d;
}

// The whole and the fraction digits of d at `decimais` decimals, rounded half
// away from zero; the whole part without leading zeros (empty for zero).
void Partes(Decimal d, int decimais, std::string& inteiro, std::string& frac) {
    Arredonda(d, d.antesDoPonto + decimais);
    const int pp = d.antesDoPonto;
    const int n = static_cast<int>(d.digitos.size());
    inteiro.clear();
    frac.clear();
    if (n == 0) {
        frac.assign(static_cast<std::size_t>(decimais), '0');
        return;
    }
    if (pp <= 0) {
        frac = std::string(static_cast<std::size_t>(-pp), '0') + d.digitos;
    } else if (pp >= n) {
        inteiro = d.digitos + std::string(static_cast<std::size_t>(pp - n), '0');
    } else {
        inteiro = d.digitos.substr(0, static_cast<std::size_t>(pp));
        frac = d.digitos.substr(static_cast<std::size_t>(pp));
    }
    frac.resize(static_cast<std::size_t>(decimais), '0');
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
    std::string inteiro, frac;
    Partes(Digitos15(valor), s.maxDecimais, inteiro, frac);
    zero = inteiro.empty() && frac.find_first_not_of('0') == std::string::npos;
    while (static_cast<int>(frac.size()) > s.minDecimais && frac.back() == '0') frac.pop_back();
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
    // rint rounds as nearbyint does in the default rounding mode, which the
    // program never changes; nearbyint also saves and restores the floating
    // point state, a tenfold cost in loops over every cheque.
    const long double r = std::rint(v);
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
    std::string inteiro, frac;
    Partes(Digitos15(valor), decimais, inteiro, frac);
    const std::string texto = (inteiro.empty() ? "0" : inteiro) + "." + frac;
    char* fim = nullptr;
    const long double v = StrtoldC(texto.c_str(), &fim);
    if (!std::isfinite(v)) return valor;
    return std::signbit(valor) ? -v : v;
}

std::string TextoCampo(long double valor, int decimais) {
    if (valor == 0 || !std::isfinite(valor)) return {};
    std::string inteiro, frac;
    Partes(Exato(valor), decimais, inteiro, frac);
    while (!frac.empty() && frac.back() == '0') frac.pop_back();
    if (inteiro.empty() && frac.empty()) return {};
    return (valor < 0 ? "-" : "") + (inteiro.empty() ? "0" : inteiro) + (frac.empty() ? "" : "," + frac);
}

std::string FormataMascara(long double valor, std::string_view mascara) {
    if (!std::isfinite(valor)) return FormataGeral(valor);
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
    Decimal d = Exato(valor);
    Arredonda(d, precisao);
    std::string dig = d.digitos;
    const int exp = d.antesDoPonto - 1;
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
