#include "core/Operacao.h"

#include "core/DescontoCheque.h"
#include "core/Renegociacao.h"
#include "core/VendaPorFora.h"

namespace quantivo {
namespace {

constexpr TipoOperacao kTipos[] = {
    {.tipo = TipoCalculo::DescontoCheque,
     .legenda = "Desconto de Cheque",
     .op = "desconto_cheque",
     .cet = true,
     .leJanelaPrestacao = false,
     .leQtdParcelas = false,
     .leValorFinanciado = false,
     .leDatasDasLinhas = true,
     .leValoresDasLinhas = true,
     .calcula = [](Bancada& b, OutrasJanelas&, const Contexto& ctx) { return CalculaDescontoCheque(b, ctx); }},
    {.tipo = TipoCalculo::PrestacaoTaxaEfetiva,
     .legenda = "Prestação Taxa Efetiva",
     .op = "calcula_price",
     .cet = false,
     .leJanelaPrestacao = true,
     .leQtdParcelas = false,
     .leValorFinanciado = true,
     .leDatasDasLinhas = false,
     .leValoresDasLinhas = false,
     .calcula = [](Bancada& b, OutrasJanelas& j, const Contexto& ctx) { return CalculaPrice(b, j.prestacao, ctx); }},
    {.tipo = TipoCalculo::VendaPorFora,
     .legenda = "Venda por fora",
     .op = "venda_por_fora",
     .cet = true,
     .leJanelaPrestacao = false,
     .leQtdParcelas = false,
     .leValorFinanciado = true,
     .leDatasDasLinhas = true,
     .leValoresDasLinhas = false,
     .calcula = [](Bancada& b, OutrasJanelas&, const Contexto& ctx) { return CalculaVendaPorFora(b, ctx); }},
    {.tipo = TipoCalculo::RenegociacaoDividas,
     .legenda = "Renegociação de Dívidas",
     .op = "renegociacao",
     .cet = false,
     .leJanelaPrestacao = false,
     .leQtdParcelas = true,
     .leValorFinanciado = true,
     .leDatasDasLinhas = false,
     .leValoresDasLinhas = false,
     .calcula = [](Bancada& b, OutrasJanelas& j,
                   const Contexto& ctx) { return CalculaRenegociacao(b, j.qtdParcelas, ctx); }},
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
