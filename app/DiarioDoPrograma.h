#pragma once
// The desktop program's journal of operations, and the two roads between it
// and the workbench: saving the operation on screen (Ctrl+S) and reopening a
// saved one.
//
// The journal is the file CaminhoDiario() names, opened at the first save or
// search, never at start-up, and kept open until the program ends. One that
// cannot be opened (a damaged file, a newer program's journal, a folder that
// cannot be written) is said with the reason through the message service and
// is never written over; it is tried again at the next save or search, and
// the calculator goes on working meanwhile.
#include <cstdint>

#include "diario/Diario.h"

namespace quantivo {

class Tfrm_desconto_cheque;

// The journal, opened now if it was not yet; nullptr once its failure has
// been said.
diario::Diario* DiarioDoPrograma();
// Closes it (the end of the program; tests that change its place).
void FechaDiarioDoPrograma();

// Ctrl+S: the operation on the workbench, once its calculation completed,
// with the customer and the drawers' documents asked in the save dialog. A
// cheque already in a saved operation is said first, and the clerk chooses
// whether to save all the same. The save is committed before the workbench
// shows its number.
void SalvaBancada(Tfrm_desconto_cheque& f);

// A saved operation back into the workbench, recalculated by its type's
// calculation; a figure that differs from the saved one is said. False when
// it could not be read (said already).
bool ReabreNaBancada(Tfrm_desconto_cheque& f, std::int64_t numero);

}  // namespace quantivo
