#pragma once
#include "core/Mensagens.h"
#include "core/Tipos.h"

namespace quantivo {

// The cheque discount: counts each dated row's days, then the interest, TAC,
// IOF and fee, and writes the totals and the net value (into ValorFinanciado).
// Interrompido after the message at a dated row without value; NadaAFazer
// when no row has a valid date. A text that cannot be read throws
// ErroConversao, an amount out of the fixed-point range ErroAritmetico.
Desfecho CalculaDescontoCheque(Bancada& b, const Contexto& ctx);

}  // namespace quantivo
