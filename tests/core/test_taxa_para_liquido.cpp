// The rate for a wanted net value against a scan of every rate through the
// cheque discount itself, on small cases whose nets stand still over many
// rates or jump several cents at a time.
#include <gtest/gtest.h>

#include <random>

#include "core/DescontoCheque.h"
#include "core/TaxaParaLiquido.h"
#include "core/Valores.h"

using namespace quantivo;

namespace {

const Data kHoje = *CodificaData(2026, 12, 9);

// Cheques with any charges, clearing and holidays, some due before the
// operation date. A few, of a few reais to tens of thousands: the net stands
// still over many rates, or jumps cents at a time. Or some two hundred small
// ones, whose interest moves the net about a cent a rate, each cheque's
// rounding making it stand still at one rate and jump two cents at the next.
Bancada Sorteia(std::mt19937& g, bool muitos) {
    const auto u = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(g); };
    Bancada b;
    b.dados.DataReferencia = *CodificaData(2007, 12, 1) + u(0, 60);
    b.dados.TAC = u(0, 1) ? u(0, 300) / 100.0L : 0;
    b.dados.IOF = Segura(u(0, 2) * 0.0041L, 4);
    b.dados.TipoTarifa = static_cast<TipoDeTarifa>(u(-1, 1));
    b.dados.Tarifa = u(0, 500) / 100.0L;
    b.dados.IncluiCompensacao = u(0, 1);
    b.dados.Feriados = u(0, 1);
    b.linhas.clear();
    for (int i = muitos ? u(150, 200) : u(1, 4); i > 0; --i) {
        const int reais = muitos ? u(10, 90) : u(0, 3) ? u(1, 400) : u(1000, 60000);
        b.linhas.push_back({FormataData(b.dados.DataReferencia + (muitos ? u(1, 60) : u(-5, 120))),
                            std::to_string(reais) + "," + std::to_string(u(10, 99)), "", "", ""});
    }
    return b;
}

std::int64_t LiquidoA(const Bancada& b, std::int64_t passos) {
    MensageiroGravador m;
    Bancada c = b;
    c.dados.Taxa = TextoTaxa(passos);
    EXPECT_EQ(CalculaDescontoCheque(c, {m, kHoje}), Desfecho::Concluido);
    return CentavosDoTexto(c.dados.ValorFinanciado);
}

}  // namespace

TEST(TaxaParaLiquido, IgualAVarreduraDeTodasAsTaxas) {
    std::mt19937 g(31);
    int empates = 0, patamares = 0;
    for (int caso = 0; caso < 30; ++caso) {
        const bool muitos = caso % 6 == 5;
        const Bancada b = Sorteia(g, muitos);
        const std::int64_t maximo = muitos ? 400 : caso % 2 ? 1000 : 2000;
        std::vector<std::int64_t> liquidos;
        const auto l = [&](std::int64_t j) { return liquidos[static_cast<std::size_t>(j)]; };
        for (std::int64_t k = 0; k <= maximo; ++k) {
            liquidos.push_back(LiquidoA(b, k));
            if (k > 0) {
                ASSERT_LE(l(k), l(k - 1)) << "caso " << caso << ": the net rose at " << k;
            }
        }
        // Wanted nets: each end and one past it, a net some rate gives, the
        // middle of two neighbouring nets, any in between, and one cent
        // below a net held over two rates or more before a jump.
        std::vector<std::int64_t> desejados = {liquidos.front(), liquidos.back(), liquidos.front() + 1,
                                               liquidos.back() - 1};
        std::uniform_int_distribution<std::int64_t> k(0, maximo - 1);
        for (int i = 0; i < 6; ++i) {
            const std::int64_t a = k(g);
            desejados.push_back(l(a));
            if ((l(a) + l(a + 1)) % 2 == 0) desejados.push_back((l(a) + l(a + 1)) / 2);
            desejados.push_back(std::uniform_int_distribution<std::int64_t>(liquidos.back(), liquidos.front())(g));
        }
        for (std::int64_t a = 1; a < maximo; ++a)
            if (l(a - 1) == l(a) && l(a) - l(a + 1) >= 2) desejados.push_back(l(a) - 1);
        for (const std::int64_t w : desejados) {
            std::int64_t melhor = -1, distancia = 0, iguais = 0;
            for (std::int64_t j = 0; j <= maximo; ++j) {
                const std::int64_t dj = l(j) > w ? l(j) - w : w - l(j);
                if (melhor < 0 || dj < distancia) melhor = j, distancia = dj, iguais = 0;
                if (dj == distancia && l(j) != l(melhor)) ++iguais;
            }
            MensageiroGravador m;
            const TaxaProcurada t = ProcuraTaxa(b, static_cast<long double>(w) / 100, {m, kHoje}, maximo);
            if (w > liquidos.front() || w < liquidos.back()) {
                EXPECT_EQ(t.busca, BuscaTaxa::ForaDoAlcance) << "caso " << caso << " w " << w;
                ASSERT_EQ(m.mensagens.size(), 1u);
                EXPECT_NE(m.mensagens[0].texto.find(TextoCentavos(liquidos.back()) + " (taxa de " + TextoTaxa(maximo) +
                                                    "%) a R$ " + TextoCentavos(liquidos.front())),
                          std::string::npos)
                    << m.mensagens[0].texto;
                continue;
            }
            empates += iguais > 0;
            // A net above the wanted one held over several rates: the answer
            // is where it begins, not the rate next to the crossing.
            patamares += l(melhor) > w && l(melhor + 1) == l(melhor);
            ASSERT_EQ(t.busca, BuscaTaxa::Achada) << "caso " << caso << " w " << w;
            EXPECT_EQ(t.passos, melhor) << "caso " << caso << " w " << w << ": " << TextoTaxa(t.passos) << " for "
                                        << TextoTaxa(melhor);
            EXPECT_EQ(t.liquido, l(melhor));
            EXPECT_EQ(t.diferenca(), l(melhor) - w);
            EXPECT_TRUE(m.mensagens.empty()) << "the search showed " << m.mensagens[0].texto;
        }
    }
    // The cases reached what the choice is about.
    EXPECT_GT(empates, 3);
    EXPECT_GT(patamares, 3);
}
