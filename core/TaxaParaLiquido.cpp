#include "core/TaxaParaLiquido.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "core/DescontoCheque.h"
#include "core/Erros.h"
#include "core/Linhas.h"
#include "core/Valores.h"

namespace quantivo {
namespace {

// The net in cents at a rate, in steps of 0,0001 %.
using Liquido = std::function<std::int64_t(std::int64_t passos)>;

std::int64_t CentavosMostrados(long double valor) { return CentavosDoTexto(FormataValor(valor)); }

// The cheque discount with what does not depend on the rate read once: each
// counted cheque's value and day count, the total and the charges.
class DescontoPreparado {
public:
    // Nothing when the discount stops (a dated cheque without value) or
    // fails (a value that is no number, a total out of range) at any rate.
    static std::optional<DescontoPreparado> Prepara(const Bancada& b, const Contexto& mudo) {
        DescontoPreparado d;
        Bancada copia = b;
        const DadosGerais& g = copia.dados;
        try {
            const std::optional<Calendario> feriados = CalendarioDe(g);
            const LinhasConferidas conferidas =
                ConfereLinhas(copia.linhas, g.DataReferencia, g.IncluiCompensacao, {JanelaAviso::Bancada, true, true},
                              mudo, feriados ? &*feriados : nullptr);
            if (conferidas.desfecho == Desfecho::Interrompido) return std::nullopt;
            d.n_ = conferidas.validas;
            if (d.n_ == 0) return d;
            double valorTotal = 0;
            for (const Parcela& p : copia.linhas) {
                if (p.Data.empty()) continue;
                const Cheque c{LeValor(p.Valor), LeValor(p.Dias)};
                valorTotal = Acumula(valorTotal, c.valor);
                d.cheques_.push_back(c);
            }
            d.valorTotal_ = valorTotal;
            d.encargos_ = CalculaEncargos(g, valorTotal, conferidas.somaDias, d.n_);
        } catch (const ErroQuantivo&) {
            return std::nullopt;
        }
        return d;
    }

    bool SemCheques() const { return n_ == 0; }

    std::int64_t Centavos(std::int64_t passos) const {
        const long double t = TaxaAoDia(TextoTaxa(passos));
        double juros = 0;
        for (const Cheque& c : cheques_) juros = Acumula(juros, DeDmil(JurosDoCheque(c.dias, t, c.valor)));
        return CentavosMostrados(LiquidoDoDesconto(valorTotal_, juros, encargos_));
    }

private:
    struct Cheque {
        long double valor, dias;
    };
    std::vector<Cheque> cheques_;
    std::int64_t n_ = 0;
    double valorTotal_ = 0;
    EncargosDesconto encargos_{};
};

// The net in cents by the discount itself, run on a copy at that rate.
std::optional<std::int64_t> CentavosDoDesconto(const Bancada& b, std::int64_t passos, const Contexto& mudo) {
    Bancada c = b;
    c.dados.Taxa = TextoTaxa(passos);
    if (CalculaDescontoCheque(c, mudo) != Desfecho::Concluido) return std::nullopt;
    return CentavosDoTexto(c.dados.ValorFinanciado);
}

struct Escolha {
    bool alcancavel;
    std::int64_t passos, liquido;  // the rate chosen and its net
    std::int64_t minimo, maximo;   // the nets at the highest rate and at 0
};

// The lowest of the rates whose net is nearest `desejado`, for a net that
// never rises with the rate. The first rate whose net is at or below the
// wanted one, k1, is the lowest of its plateau; the nearest above lies just
// before it, at k1 - 1, but the lowest rate with that net is where its
// plateau begins, found by a second search.
//
// The net falls almost in proportion to the rate, so each search starts from
// a guess, gallops away from it until it has the answer between two rates,
// then halves: a few nets per search instead of twenty.
Escolha Escolhe(const Liquido& liquidoDe, std::int64_t desejado, std::int64_t maximo) {
    std::map<std::int64_t, std::int64_t> vistos;
    const auto c = [&](std::int64_t k) {
        const auto it = vistos.find(k);
        return it != vistos.end() ? it->second : vistos[k] = liquidoDe(k);
    };
    // The lowest k in [lo, hi] with c(k) <= x, given c(hi) <= x.
    const auto primeiroAte = [&](std::int64_t x, std::int64_t lo, std::int64_t hi, std::int64_t palpite) {
        palpite = std::clamp(palpite, lo, hi);
        if (c(palpite) <= x) {
            hi = palpite;
            for (std::int64_t passo = 1; hi > lo; passo *= 2) {
                const std::int64_t k = std::max(lo, palpite - passo);
                if (c(k) > x) {
                    lo = k + 1;
                    break;
                }
                hi = k;
            }
        } else {
            lo = palpite + 1;
            for (std::int64_t passo = 1;; passo *= 2) {
                const std::int64_t k = std::min(hi, palpite + passo);
                if (c(k) <= x) {
                    hi = k;
                    break;
                }
                lo = k + 1;
            }
        }
        while (lo < hi) {
            const std::int64_t meio = lo + (hi - lo) / 2;
            if (c(meio) <= x)
                hi = meio;
            else
                lo = meio + 1;
        }
        return lo;
    };
    Escolha e{false, 0, 0, c(maximo), c(0)};
    if (desejado > e.maximo || desejado < e.minimo) return e;
    e.alcancavel = true;
    // Where the straight line between the two ends crosses the wanted net.
    const long double queda = static_cast<long double>(e.maximo) - static_cast<long double>(e.minimo);
    const std::int64_t palpite =
        queda > 0 ? static_cast<std::int64_t>(
                        static_cast<long double>(maximo) *
                        (static_cast<long double>(e.maximo) - static_cast<long double>(desejado)) / queda)
                  : 0;
    const std::int64_t k1 = primeiroAte(desejado, 0, maximo, palpite);
    // k1 == 0: the net at rate 0 is the wanted one.
    const std::int64_t abaixo = c(k1), acima = k1 > 0 ? c(k1 - 1) : abaixo;
    e.passos = k1 == 0 || desejado - abaixo < acima - desejado ? k1 : primeiroAte(acima, 0, k1 - 1, k1 - 1);
    e.liquido = c(e.passos);
    return e;
}

}  // namespace

std::string TextoTaxa(std::int64_t passos) {
    std::string frac = std::to_string(10000 + passos % 10000).substr(1);
    while (!frac.empty() && frac.back() == '0') frac.pop_back();
    return std::to_string(passos / 10000) + (frac.empty() ? "" : "," + frac);
}

std::string TextoCentavos(std::int64_t centavos) {
    // In unsigned, so that the most negative count has its digits too.
    const std::uint64_t absoluto =
        centavos < 0 ? 0 - static_cast<std::uint64_t>(centavos) : static_cast<std::uint64_t>(centavos);
    const std::string inteiro = std::to_string(absoluto / 100);
    std::string r = centavos < 0 ? "-" : "";
    for (std::size_t i = 0; i < inteiro.size(); ++i) {
        if (i > 0 && (inteiro.size() - i) % 3 == 0) r += '.';
        r += inteiro[i];
    }
    return r + "," + std::to_string(100 + absoluto % 100).substr(1);
}

std::int64_t CentavosDoTexto(const std::string& texto) {
    std::int64_t c = 0;
    bool negativo = false;
    for (const char ch : texto) {
        if (ch == '-') {
            negativo = true;
        } else if (ch >= '0' && ch <= '9') {
            if (__builtin_mul_overflow(c, 10, &c) || __builtin_add_overflow(c, ch - '0', &c))
                throw ErroAritmetico::Estouro();
        }
    }
    return negativo ? -c : c;
}

TaxaProcurada ProcuraTaxa(const Bancada& b, long double liquidoDesejado, const Contexto& ctx,
                          std::int64_t passosMaximos) {
    TaxaProcurada r;
    r.desejado = CentavosMostrados(liquidoDesejado);
    MensageiroGravador calado;
    const Contexto mudo{calado, ctx.hoje};
    const std::optional<DescontoPreparado> preparo = DescontoPreparado::Prepara(b, mudo);
    if (!preparo) return r;
    if (preparo->SemCheques()) {
        r.busca = BuscaTaxa::SemCheques;
        ctx.msg.Mostra(kMsgSemChequesParaTaxa);
        return r;
    }

    // The fast net first; where the discount itself gives another at the
    // rates it is checked on, the search is done again on the discount.
    const Liquido rapido = [&](std::int64_t k) { return preparo->Centavos(k); };
    std::optional<std::int64_t> falhou;
    const Liquido completo = [&](std::int64_t k) {
        const auto c = CentavosDoDesconto(b, k, mudo);
        if (!c) falhou = k;
        return c.value_or(0);
    };
    const auto confere = [&](const Liquido& liquidoDe, std::int64_t k) {
        return k < 0 || k > passosMaximos || CentavosDoDesconto(b, k, mudo) == liquidoDe(k);
    };
    Escolha e = Escolhe(rapido, r.desejado, passosMaximos);
    const bool confirmada =
        e.alcancavel ? confere(rapido, e.passos - 1) && confere(rapido, e.passos) && confere(rapido, e.passos + 1)
                     : confere(rapido, 0) && confere(rapido, passosMaximos);
    if (!confirmada) {
        e = Escolhe(completo, r.desejado, passosMaximos);
        if (falhou) return r;
    }
    r.liquidoMinimo = e.minimo;
    r.liquidoMaximo = e.maximo;
    if (!e.alcancavel) {
        r.busca = BuscaTaxa::ForaDoAlcance;
        ctx.msg.Mostra(TextoForaDoAlcance(r, passosMaximos));
        return r;
    }
    r.busca = BuscaTaxa::Achada;
    r.passos = e.passos;
    r.liquido = e.liquido;
    return r;
}

std::string TextoForaDoAlcance(const TaxaProcurada& t, std::int64_t passosMaximos) {
    const std::string maxima = TextoTaxa(passosMaximos);
    return "O líquido desejado de R$ " + TextoCentavos(t.desejado) + " não é alcançado com taxas de 0% a " + maxima +
           "% ao mês: com estes cheques o líquido vai de R$ " + TextoCentavos(t.liquidoMinimo) + " (taxa de " + maxima +
           "%) a R$ " + TextoCentavos(t.liquidoMaximo) + " (taxa de 0%).";
}

std::string TextoTaxaAproximada(const TaxaProcurada& t) {
    const std::int64_t d = t.diferenca();
    return "Nenhuma taxa com quatro casas decimais dá exatamente R$ " + TextoCentavos(t.desejado) +
           ". A mais próxima, " + TextoTaxa(t.passos) + "% ao mês, dá R$ " + TextoCentavos(t.liquido) + ": R$ " +
           TextoCentavos(d < 0 ? -d : d) + (d < 0 ? " a menos." : " a mais.");
}

}  // namespace quantivo
