#include "core/Operacao.h"

#include "core/DescontoCheque.h"
#include "core/Renegociacao.h"
#include "core/VendaPorFora.h"

namespace quantivo {
namespace {

constexpr TipoOperacao kTipos[] = {
    {TipoCalculo::DescontoCheque, "Desconto de Cheque", "desconto_cheque", true, false, false, false,
     [](Bancada& b, OutrasJanelas&, const Contexto& ctx) { return CalculaDescontoCheque(b, ctx); }},
    {TipoCalculo::PrestacaoTaxaEfetiva, "Prestação Taxa Efetiva", "calcula_price", false, true, false, true,
     [](Bancada& b, OutrasJanelas& j, const Contexto& ctx) { return CalculaPrice(b, j.prestacao, ctx); }},
    {TipoCalculo::VendaPorFora, "Venda por fora", "venda_por_fora", true, false, false, true,
     [](Bancada& b, OutrasJanelas&, const Contexto& ctx) { return CalculaVendaPorFora(b, ctx); }},
    {TipoCalculo::RenegociacaoDividas, "Renegociação de Dívidas", "renegociacao", false, false, true, true,
     [](Bancada& b, OutrasJanelas& j, const Contexto& ctx) { return CalculaRenegociacao(b, j.qtdParcelas, ctx); }},
};

// The workbench's list, the enum and this table count the types alike.
static_assert(static_cast<int>(kTipos[0].tipo) == 0 && static_cast<int>(kTipos[1].tipo) == 1 &&
              static_cast<int>(kTipos[2].tipo) == 2 && static_cast<int>(kTipos[3].tipo) == 3);

}  // namespace

std::span<const TipoOperacao> TiposOperacao() { return kTipos; }

const TipoOperacao* DescricaoDoTipo(TipoCalculo tipo) {
    const int i = static_cast<int>(tipo);
    return i >= 0 && i < static_cast<int>(std::size(kTipos)) ? &kTipos[i] : nullptr;
}

}  // namespace quantivo
