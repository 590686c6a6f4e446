#include "core/Cet.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "core/Valores.h"

namespace quantivo {
namespace {

// Only the four operations below: the Windows build of the program (another
// maths library) must give the same rate to the last bit.

// q^n by square-and-multiply; an overflow gives infinity (Price's Potencia
// throws there, which the CET must not).
long double Eleva(long double q, std::int64_t n) {
    long double r = 1;
    for (; n > 0; n >>= 1) {
        if (n & 1) r *= q;
        if (n > 1) q *= q;
    }
    return r;
}

// The equation in y = (1 + c)^(-1/365), the discount factor of one day:
// G(y) = sum of W * y^d - L over the distinct day counts d (W the face values
// due that day). For y > 0 it is increasing and convex, so Newton steps from
// a point right of the root come down to it without passing it.
class Equacao {
public:
    Equacao(long double recebido, std::vector<FluxoCet> dias) : recebido_(recebido), dias_(std::move(dias)) {}

    // G(y) and G'(y), the powers built along the sorted day counts. A power
    // that overflows (a factor above 1 over a long term) makes G infinite,
    // which counts as right of the root.
    void Avalia(long double y, long double& g, long double& dg) const {
        long double potencia = 1, anterior = 0, soma = 0, derivada = 0;
        std::int64_t dia = 0;
        for (const FluxoCet& x : dias_) {
            if (x.dias != dia) {
                anterior = potencia * Eleva(y, x.dias - dia - 1);  // y^(d - 1)
                potencia = anterior * y;
                dia = x.dias;
            }
            soma += x.valor * potencia;
            if (dia > 0) derivada += static_cast<long double>(dia) * x.valor * anterior;
        }
        g = soma - recebido_;
        dg = derivada;
    }

private:
    long double recebido_;
    std::vector<FluxoCet> dias_;  // sorted, one entry per day count, valor > 0
};

std::optional<long double> ResolveY(const Equacao& eq) {
    long double y = 1, g, dg;
    eq.Avalia(y, g, dg);
    if (g == 0) return y;
    if (g < 0) {
        // Received more than the face value: the factor is above 1.
        for (long double h = 1.0L / 1024; g < 0; h *= 2) {
            if (h > 1e6L) return std::nullopt;
            y = 1 + h;
            eq.Avalia(y, g, dg);
        }
    }
    for (int i = 0; i < 10000; ++i) {
        if (!std::isfinite(g)) {
            y /= 2;  // came back from an overflow: halve towards the root
        } else {
            const long double proximo = y - g / dg;
            if (!(proximo < y)) return y;  // the steps have stopped coming down
            y = proximo > 0 ? proximo : y / 2;
        }
        eq.Avalia(y, g, dg);
        // On a convex G only rounding can put a step left of the root: it is there.
        if (g <= 0) return y;
    }
    return y;
}

// z = a^(1/12) for a >= 1, by Newton from 1 + (a - 1) / 12, which lies above
// it. Far above the root each step takes only a twelfth off, so a is first
// brought below 4096 by whole powers of 4096 (exact in binary), whose twelfth
// roots are powers of 2 that scale the root back exactly.
long double RaizDoze(long double a) {
    long double escala = 1;
    while (a >= 4096) {
        a /= 4096;
        escala *= 2;
    }
    long double z = 1 + (a - 1) / 12;
    for (int i = 0; i < 200; ++i) {
        const long double z11 = Eleva(z, 11);
        const long double proximo = (11 * z + a / z11) / 12;
        if (!(proximo < z)) break;
        z = proximo;
    }
    return z * escala;
}

}  // namespace

std::optional<TaxasCet> CalculaCet(long double recebido, std::vector<FluxoCet> fluxos) {
    if (!(recebido > 0) || !std::isfinite(recebido)) return std::nullopt;
    // One entry per day count, in order; cheques of no value add nothing.
    for (const FluxoCet& x : fluxos) {
        if (!(x.valor >= 0) || !std::isfinite(x.valor)) return std::nullopt;
        // A count below zero (a reference date read back into the next
        // century) puts a cheque before the operation: the equation may then
        // have two roots or none, and no figure is given.
        if (x.dias < 0) return std::nullopt;
    }
    const auto porDia = [](const FluxoCet& x, const FluxoCet& y) { return x.dias < y.dias; };
    if (!std::is_sorted(fluxos.begin(), fluxos.end(), porDia)) std::stable_sort(fluxos.begin(), fluxos.end(), porDia);
    std::vector<FluxoCet> dias;
    for (const FluxoCet& x : fluxos) {
        if (x.valor == 0) continue;
        if (!dias.empty() && dias.back().dias == x.dias)
            dias.back().valor += x.valor;
        else
            dias.push_back(x);
    }
    if (dias.empty()) return std::nullopt;
    const long double noDia = dias.front().dias == 0 ? dias.front().valor : 0;
    if (dias.size() == 1 && dias.front().dias == 0) {
        if (noDia != recebido) return std::nullopt;
        return TaxasCet{0, 0};
    }
    // The cheques due on the operation date are worth their face value at any
    // rate; the later ones are worth less the higher it is.
    if (noDia >= recebido) return std::nullopt;
    const auto y = ResolveY(Equacao(recebido, std::move(dias)));
    if (!y || !(*y > 0)) return std::nullopt;
    const long double fatorAnual = 1 / Eleva(*y, 365);  // 1 + c
    // A rate no double can hold (charges of nearly the whole face value over
    // a few days) is no figure anyone reads or exchanges.
    if (!(fatorAnual * 100 <= DBL_MAX)) return std::nullopt;
    return TaxasCet{(fatorAnual - 1) * 100, (RaizDoze(fatorAnual) - 1) * 100};
}

std::string TextoCet(const std::optional<TaxasCet>& cet) {
    if (!cet) return "CET: -";
    return "CET: " + FormataValor(cet->anual) + "% a.a. (" + FormataValor(cet->mensal) + "% a.m.)";
}

}  // namespace quantivo
