// Date texts: TentaLerData, LeData, DataValida and the short and long forms
// read back, over a spread of current years (the two-digit-year window moves
// with it).
#include <string_view>

#include "Gerador.h"

using namespace quantivo;
using namespace quantivo::fuzz;

namespace {

void UmAno(std::string_view texto, int ano) {
    const auto d = TentaLerData(texto, ano);
    const bool valida = DataValida(texto, ano);
    try {
        const Data e = LeData(texto, ano);
        Exige(d && *d == e, "LeData e TentaLerData discordam");
    } catch (const ErroConversao&) {
        Exige(!d, "LeData falhou onde TentaLerData leu");
    }
    if (!d) return;
    Exige(valida, "data lida mas não válida");
    Exige(*d >= kPrimeiraData && *d <= kUltimaData, "data fora de 0001..9999");

    const DataCivil c = DecodificaData(*d);
    Exige(CodificaData(c.ano, c.mes, c.dia) == *d, "codifica/decodifica");
    Exige(LeDataLonga(FormataDataLonga(*d)) == *d, "forma longa não volta");
    const int ds = DiaDaSemana(*d);
    Exige(ds >= 1 && ds <= 7, "dia da semana");

    // The short form reads back to the same day and month, and to the same
    // year when the year lies in the window.
    const std::string curta = FormataData(*d);
    Exige(curta.size() == 8, [&] { return "forma curta: " + curta; });
    if (const auto r = TentaLerData(curta, ano)) {
        const DataCivil rc = DecodificaData(*r);
        Exige(rc.dia == c.dia && rc.mes == c.mes && rc.ano % 100 == c.ano % 100,
              [&] { return "forma curta volta outra: " + curta; });
        const int base = ano - 50;
        if (base >= 0 && c.ano >= base && c.ano < base + 100)
            Exige(*r == *d, [&] { return "forma curta na janela: " + curta; });
    } else {
        // Only 29/02 can fail (year 00 of another century need not be leap),
        // or a window that places the year outside 1..9999.
        const int base = ano - 50;
        int y = c.ano % 100 + base / 100 * 100;
        if (y < base) y += 100;
        Exige((c.dia == 29 && c.mes == 2) || y < 1 || y > 9999, [&] { return "forma curta ilegível: " + curta; });
    }

    for (bool comp : {false, true}) {
        const Data a = AjustaVencimento(*d, comp);
        const int s = DiaDaSemana(a);
        Exige(a >= *d && a - *d <= 5 && s >= 2 && s <= 6, "AjustaVencimento");
    }
    for (int k : {0, 1, 11, 12, 13, 59, 360}) {
        const DataCivil v = DecodificaData(VencimentoMensal(*d, k));
        Exige(v.dia <= c.dia && (v.ano * 12 + v.mes) - (c.ano * 12 + c.mes) == k, "VencimentoMensal");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const std::string_view texto(reinterpret_cast<const char*>(dados), tamanho);
    for (int ano : {1, 49, 50, 99, 100, 149, 1950, 2000, 2007, 2026, 2049, 2050, 9950, 9999}) UmAno(texto, ano);
    const auto l = LeDataLonga(texto);
    if (l && *l != kDataNula) Exige(FormataDataLonga(*l) == texto, "forma longa não volta igual");
    return 0;
}
