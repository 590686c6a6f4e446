#pragma once
// A workbench operation as the journal keeps it, and a kept one brought back
// and recalculated. The desktop program saves and reopens through these;
// quantivo-batch keeps its requests as given and builds its records by the
// same rules, and both recalculate a kept operation alike, so that an
// operation saved by one reopens in the other with the same figures.
#include <string>
#include <vector>

#include "core/Operacao.h"
#include "diario/Registros.h"

namespace quantivo::diario {

// Whether operations of the type are kept: the two discounts, whose rows are
// cheques (the batch's salva_operacao takes these two alone).
bool TipoSalvavel(TipoCalculo tipo);

// The operation as saved: its type, date and customer (the name without the
// blanks around it, the document normalised), its JSON form (the request form
// that names its type, with "hoje": a recalculation elsewhere then reads
// two-digit years as this day did), the figures and every row as the
// workbench shows them, each row's CMC7 as its 30 digits and its drawer's
// document normalised. Fails with ErroDiario, saying why, for a type that is
// not kept, a customer without a name, or a document or CMC7 line given that
// is not valid.
OperacaoSalva ParaODiario(const Operacao& op, Data hoje);

// A kept operation read back from its JSON form and recalculated now by its
// type's calculation, as quantivo-batch's reabre_operacao does: today as the
// JSON form gives it ("hoje"), else `hoje`; the calculation's messages are
// recorded, not shown.
struct Reaberta {
    Operacao operacao;      // as recalculated
    Data hoje = kDataNula;  // the day it was recalculated as (the saved "hoje", else the one given)
    Desfecho desfecho = Desfecho::Erro;
    std::vector<std::string> mensagens;  // the recalculation's
    std::string erro;                    // the error that ended it, if one did
    // What differs from the saved figures and cells, one line each
    // ("Valor Total: salvo 4.000,50, agora 4.001,00"); empty when all agree.
    std::vector<std::string> diferencas;
};
// Fails with ErroDiario when the kept form cannot be read.
Reaberta Reabre(const OperacaoSalva& salva, Data hoje);

}  // namespace quantivo::diario
