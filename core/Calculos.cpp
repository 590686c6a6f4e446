#include "core/Calculos.h"

#include "core/DescontoCheque.h"
#include "core/Renegociacao.h"
#include "core/VendaPorFora.h"

namespace quantivo {

Desfecho CalculaBancada(Bancada& b, OutrasJanelas& janelas, const Contexto& ctx) {
    switch (b.dados.Tipo) {
        case TipoCalculo::DescontoCheque: return CalculaDescontoCheque(b, ctx);
        case TipoCalculo::PrestacaoTaxaEfetiva: return CalculaPrice(b, janelas.prestacao, ctx);
        case TipoCalculo::VendaPorFora: return CalculaVendaPorFora(b, ctx);
        case TipoCalculo::RenegociacaoDividas: return CalculaRenegociacao(b, janelas.qtdParcelas, ctx);
        case TipoCalculo::Nenhum: break;
    }
    return Desfecho::NadaAFazer;
}

}  // namespace quantivo
