#include "core/UtbSys.h"

#include <cmath>

#include "core/Erros.h"
#include "core/Valores.h"

namespace quantivo {
namespace {

const char* const kUnidades[] = {"",         "um",     "dois",      "três",      "quatro",  "cinco",   "seis",
                                 "sete",     "oito",   "nove",      "dez",       "onze",    "doze",    "treze",
                                 "quatorze", "quinze", "dezesseis", "dezessete", "dezoito", "dezenove"};
const char* const kDezenas[] = {"",          "dez",      "vinte",   "trinta",  "quarenta",
                                "cinqüenta", "sessenta", "setenta", "oitenta", "noventa"};
const char* const kCentenas[] = {"",           "cem",        "duzentos",   "trezentos",  "quatrocentos",
                                 "quinhentos", "seiscentos", "setecentos", "oitocentos", "novecentos"};
const char* const kMeses[] = {"Janeiro", "Fevereiro", "Março",    "Abril",   "Maio",     "Junho",
                              "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};
const char* const kDiasDaSemana[] = {"Domingo",      "Segunda-feira", "Terça-feira", "Quarta-feira",
                                     "Quinta-feira", "Sexta-feira",   "Sábado"};

// The limits are extended values, compared with the amount itself, so that
// exactly 0,01 and exactly 4294967295,99 pass.
constexpr long double kMinimo = 0.01L;
constexpr long double kMaximo = 4294967295.99L;

}  // namespace

std::string NumeroExtenso(std::uint32_t n) {
    if (n == 0) return {};
    if (n < 20) return kUnidades[n];
    if (n < 100) {
        if (n % 10 == 0) return std::string(kDezenas[n / 10]) + " ";
        return std::string(kDezenas[n / 10]) + " e " + NumeroExtenso(n % 10);
    }
    if (n == 100) return "cem ";
    if (n < 200) return " cento e " + NumeroExtenso(n % 100);
    if (n < 1000) {
        if (n % 100 == 0) return std::string(kCentenas[n / 100]) + " ";
        return std::string(kCentenas[n / 100]) + " e " + NumeroExtenso(n % 100);
    }
    if (n < 1000000) return NumeroExtenso(n / 1000) + " mil " + NumeroExtenso(n % 1000);
    if (n < 2000000) return NumeroExtenso(n / 1000000) + " milhão " + NumeroExtenso(n % 1000000);
    if (n < 1000000000) return NumeroExtenso(n / 1000000) + " milhões " + NumeroExtenso(n % 1000000);
    if (n < 2000000000) return NumeroExtenso(n / 1000000000) + " bilhão " + NumeroExtenso(n % 1000000000);
    return NumeroExtenso(n / 1000000000) + " bilhões " + NumeroExtenso(n % 1000000000);
}

std::string ValorExtenso(double valor) {
    const long double v = valor;
    if (std::isnan(v) || v < kMinimo || v > kMaximo)
        throw ErroFaixa(FormataGeral(v) + " Valor fora da faixa " + FormataGeral(kMinimo) + ".." +
                        FormataGeral(kMaximo));
    const long double inteiro = std::trunc(v);
    const long double fracao = v - inteiro;  // exact: both parts come from the same double
    const auto r = static_cast<std::uint32_t>(inteiro);
    std::string s = NumeroExtenso(r);
    if (r == 1)
        s += " real ";
    else if (r != 0)
        s += " reais ";
    if (fracao != 0) {
        if (r != 0) s += " e ";
        const auto c = static_cast<std::uint32_t>(std::nearbyint(fracao * 100));
        s += NumeroExtenso(c);
        s += c == 1 ? " centavo " : " centavos ";
    }
    return s;
}

std::string MesExtenso(int mes) { return mes >= 1 && mes <= 12 ? kMeses[mes - 1] : ""; }

std::string DiadaSemana(std::string_view textoData, int anoCorrente) {
    return kDiasDaSemana[DiaDaSemana(LeData(textoData, anoCorrente)) - 1];
}

std::string DataExtenso(Data data, int anoCorrente) {
    const DataCivil c = DecodificaData(data);
    return DiadaSemana(FormataData(data), anoCorrente) + ", " + std::to_string(c.dia) + " de " + MesExtenso(c.mes) +
           " de " + std::to_string(c.ano);
}

}  // namespace quantivo
