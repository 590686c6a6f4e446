#pragma once
// The banks by their clearing code (the first three digits of a cheque's
// magnetic line), for the grids' tooltip and status bar. The list is the
// project's data file data/bancos-compe.csv, built into the program at build
// time: nothing is read at run time.
#include <string_view>

namespace quantivo {

// The bank's short name for a code of three digits ("237": "BCO BRADESCO
// S.A."); empty for a code the list does not hold.
std::string_view NomeDoBanco(std::string_view codigo);

}  // namespace quantivo
