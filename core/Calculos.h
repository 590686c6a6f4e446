#pragma once
// The workbench's calculate action: the calculation of the selected type run
// on the workbench. The one dispatch that the workbench (F5, and F12 before
// its listing) and quantivo-batch share, so that they cannot differ.
#include "core/Mensagens.h"
#include "core/Price.h"
#include "core/Tipos.h"

namespace quantivo {

// What types 1 and 3 read outside the workbench: the instalment window's
// four values (type 1 may write the solved financed value back into them)
// and the renegotiation window's number of instalments.
struct OutrasJanelas {
    JanelaPrice prestacao;
    long double qtdParcelas = 0;
};

// Runs the calculation of b.dados.Tipo: the cheque discount, the Price table
// on the instalment window, the inverse discount or the renegotiation;
// NadaAFazer when no type is chosen. Errors are thrown as the calculations
// throw them.
Desfecho CalculaBancada(Bancada& b, OutrasJanelas& janelas, const Contexto& ctx);

}  // namespace quantivo
