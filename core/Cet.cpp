#include "core/Cet.h"

#include <algorithm>
#include <cmath>

#include "core/Valores.h"

namespace quantivo {
namespace {

// The equation in t = ln(1 + c) / 365, the rate per day in continuous form:
// F(t) = sum of W * e^(-d t) - L over the distinct day counts d (W the face
// values due that day) is decreasing and convex in t, so a Newton step from
// a point left of the root never passes it, and bisection keeps any step
// that would leave the bracket inside it.
class Equacao {
public:
    Equacao(long double recebido, std::vector<FluxoCet> dias) : recebido_(recebido), dias_(std::move(dias)) {}

    // F(t) and F'(t). The powers e^(-d t) are built along the sorted day
    // counts: one multiplication from one day to the next. An overflow (a
    // negative rate over a long term) gives an infinite F, which the bracket
    // search and the bisection take as "above the root".
    void Avalia(long double t, long double& f, long double& df) const {
        const long double y = std::exp(-t);
        long double potencia = 1, soma = 0, derivada = 0;
        std::int64_t anterior = 0;
        for (const FluxoCet& x : dias_) {
            if (x.dias != anterior)
                potencia *= x.dias - anterior == 1 ? y : std::pow(y, static_cast<long double>(x.dias - anterior));
            anterior = x.dias;
            soma += x.valor * potencia;
            derivada -= static_cast<long double>(x.dias) * x.valor * potencia;
        }
        f = soma - recebido_;
        df = derivada;
    }
    long double F(long double t) const {
        long double f, df;
        Avalia(t, f, df);
        return f;
    }

private:
    long double recebido_;
    std::vector<FluxoCet> dias_;  // sorted, one entry per day count, valor > 0
};

// Beyond this, (1 + c) = e^(365 t) leaves the extended range.
constexpr long double kMaximoT = 11000.0L / 365;

std::optional<long double> ResolveT(const Equacao& eq) {
    // A bracket [a, b] with F(a) >= 0 > F(b); the root is at t = 0 when the
    // customer received exactly the face value.
    long double a = 0, b = 0;
    const long double f0 = eq.F(0);
    if (f0 == 0) return 0.0L;
    if (f0 > 0) {
        b = 1e-4L;
        while (!(eq.F(b) < 0)) {
            a = b;
            b *= 2;
            if (b > kMaximoT) return std::nullopt;
        }
    } else {
        a = -1e-4L;
        while (eq.F(a) < 0) {
            b = a;
            a *= 2;
            if (a < -kMaximoT) return std::nullopt;
        }
    }
    long double t = a;
    for (int i = 0; i < 200; ++i) {
        long double f, df;
        eq.Avalia(t, f, df);
        if (f == 0) return t;
        if (f > 0) a = t;
        else b = t;
        long double proximo = t - f / df;
        if (!std::isfinite(proximo) || proximo <= a || proximo >= b) proximo = a + (b - a) / 2;
        if (proximo == t || b - a <= 1e-19L * (1 + std::fabs(t))) return proximo;
        t = proximo;
    }
    return t;
}

}  // namespace

std::optional<TaxasCet> CalculaCet(long double recebido, std::vector<FluxoCet> fluxos) {
    if (!(recebido > 0) || !std::isfinite(recebido)) return std::nullopt;
    // One entry per day count, in order; cheques of no value add nothing.
    for (FluxoCet& x : fluxos) {
        if (!(x.valor >= 0) || !std::isfinite(x.valor)) return std::nullopt;
        x.dias = std::max<std::int64_t>(x.dias, 0);
    }
    const auto porDia = [](const FluxoCet& x, const FluxoCet& y) { return x.dias < y.dias; };
    if (!std::is_sorted(fluxos.begin(), fluxos.end(), porDia)) std::stable_sort(fluxos.begin(), fluxos.end(), porDia);
    std::vector<FluxoCet> dias;
    for (const FluxoCet& x : fluxos) {
        if (x.valor == 0) continue;
        if (!dias.empty() && dias.back().dias == x.dias) dias.back().valor += x.valor;
        else dias.push_back(x);
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
    const auto t = ResolveT(Equacao(recebido, std::move(dias)));
    if (!t) return std::nullopt;
    const long double anual = std::expm1(365 * *t), mensal = std::expm1(365 * *t / 12);
    if (!std::isfinite(anual)) return std::nullopt;
    return TaxasCet{anual * 100, mensal * 100};
}

std::string TextoCet(const std::optional<TaxasCet>& cet) {
    if (!cet) return "CET: -";
    return "CET: " + FormataValor(cet->anual) + "% a.a. (" + FormataValor(cet->mensal) + "% a.m.)";
}

}  // namespace quantivo
