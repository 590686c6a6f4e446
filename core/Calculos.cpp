#include "core/Calculos.h"

#include "core/DescontoCheque.h"
#include "core/Renegociacao.h"
#include "core/VendaPorFora.h"

namespace quantivo {

namespace {

// The instalment calculations have no CET; once one completed, the label
// says so instead of showing a discount's figures beside a schedule.
Desfecho SemCet(Bancada& b, Desfecho d) {
    if (d == Desfecho::Concluido) {
        b.cet.reset();
        b.totais.CET = TextoCet(std::nullopt);
    }
    return d;
}

}  // namespace

Desfecho CalculaBancada(Bancada& b, OutrasJanelas& janelas, const Contexto& ctx) {
    switch (b.dados.Tipo) {
        case TipoCalculo::DescontoCheque:
            return CalculaDescontoCheque(b, ctx);
        case TipoCalculo::PrestacaoTaxaEfetiva:
            return SemCet(b, CalculaPrice(b, janelas.prestacao, ctx));
        case TipoCalculo::VendaPorFora:
            return CalculaVendaPorFora(b, ctx);
        case TipoCalculo::RenegociacaoDividas:
            return SemCet(b, CalculaRenegociacao(b, janelas.qtdParcelas, ctx));
        case TipoCalculo::Nenhum:
            break;
    }
    return Desfecho::NadaAFazer;
}

}  // namespace quantivo
