#pragma once
// The workbench's calculate action: the calculation of the selected type run
// on the workbench. The one dispatch that the workbench (F5, and F12 before
// its listing) and quantivo-batch share, so that they cannot differ.
#include "core/Mensagens.h"
#include "core/Operacao.h"
#include "core/Tipos.h"

namespace quantivo {

// Runs the calculation of b.dados.Tipo (its entry in TiposOperacao) on the
// workbench and what it reads outside it; NadaAFazer when no type is chosen.
// Once a type without a CET completed, the CET label says there is none.
// Errors are thrown as the calculations throw them.
Desfecho CalculaBancada(Bancada& b, OutrasJanelas& janelas, const Contexto& ctx);

// The same on an operation.
Desfecho CalculaOperacao(Operacao& op, const Contexto& ctx);

}  // namespace quantivo
