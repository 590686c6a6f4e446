// Amount and number texts: reading them (LeValor, LeNumero) and writing the
// value back (FormataValor, FormataMascara, FormataGeral, TextoCampo). The
// input is the text; after a first newline, the rest is a mask.
#include <cfloat>
#include <cmath>
#include <iterator>
#include <string_view>

#include "Gerador.h"

using namespace quantivo;
using namespace quantivo::fuzz;

namespace {

bool Limpo(const std::string& s) { return !TemNaoNumero(s); }

// The masks the program uses.
constexpr std::string_view kMascaras[] = {"###,###,##0.00", "0.0000",   "0.00;-0.00", "R$ ,0.00",
                                          "0.0000;-0.0000", "#,##0.00", "0"};

// Each writing of an extreme value costs milliseconds (its exact decimal
// expansion has thousands of digits), so an input checks one mask and one
// field's decimals, chosen by `escolha`, rather than every one of them: the
// run covers them all over its inputs, many more of them a second.
void Escritas(long double v, std::size_t escolha) {
    const std::string t = FormataValor(v);
    Exige(Limpo(t) && !t.empty(), "FormataValor");
    // Written at 15 digits then two decimals, read back it stays within a half centavo.
    const long double w = LeValor(t);
    const long double tol = 0.00501L + std::fabs(v) * 2e-14L;
    Exige(std::fabs(w - std::fabs(v)) <= tol, [&] { return "LeValor(FormataValor(v)) longe de v: " + t; });
    if (v < 0)
        Exige(t == "0,00" || t[0] == '-', [&] { return "negativo sem sinal: " + t; });
    else
        Exige(t[0] != '-', [&] { return "positivo com sinal: " + t; });
    Exige(t != "-0,00", "-0,00");

    Exige(Limpo(FormataMascara(v, kMascaras[escolha % std::size(kMascaras)])), "FormataMascara");

    const std::string g = FormataGeral(v);
    Exige(Limpo(g), "FormataGeral");
    // The general form reads back to the same value at 15 digits, except at the
    // very top of the range, where rounding up to 15 digits leaves it.
    try {
        const long double h = LeNumero(g);
        if (std::fabs(v) > LDBL_MIN)
            Exige(std::fabs(h - v) <= std::fabs(v) * 1e-14L,
                  [&] { return "LeNumero(FormataGeral(v)) longe de v: " + g; });
    } catch (const ErroConversao&) {
        Exige(std::fabs(v) > 1e4932L, [&] { return "FormataGeral ilegível: " + g; });
    }

    {
        const int dec = static_cast<int>(escolha % 3) * 2;
        const long double s = Segura(v, dec);
        const std::string c = TextoCampo(s, dec);
        Exige(Limpo(c), "TextoCampo");
        if (c.empty()) {
            Exige(std::fabs(s) < 1, "TextoCampo vazio de um valor não nulo");
        } else {
            const long double r = LeNumero(c);
            Exige(std::fabs(r - s) <= std::fabs(s) * 1e-17L + std::pow(10.0L, -dec) / 2,
                  [&] { return "TextoCampo: " + c; });
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const std::string_view entrada(reinterpret_cast<const char*>(dados), tamanho);
    const std::size_t nl = entrada.find('\n');
    const std::string_view texto = entrada.substr(0, nl);

    try {
        const long double v = LeValor(texto);
        Exige(std::isfinite(v) && v >= 0, "LeValor deu valor inválido");
        Escritas(v, texto.size());
        Escritas(-v, texto.size() + 1);
    } catch (const ErroConversao&) {
    }
    try {
        const long double v = LeNumero(texto);
        Exige(std::isfinite(v), "LeNumero deu valor inválido");
        Escritas(v, texto.size() + 2);
    } catch (const ErroConversao&) {
    }
    if (nl != std::string_view::npos) {
        // Any mask over one of these values (chosen by its length): no crash
        // (the mask's own text may say anything).
        const std::string_view mascara = entrada.substr(nl + 1);
        constexpr long double kValores[] = {0.0L, 1.5L, -2.675L, 151.525L, 1e20L, -1e-20L, 1e300L, LDBL_MAX, -LDBL_MIN};
        (void)FormataMascara(kValores[mascara.size() % std::size(kValores)], mascara);
    }
    return 0;
}
