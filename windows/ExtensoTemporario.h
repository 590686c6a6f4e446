#pragma once
// TEMPORARY: the date in words until the core's words (DataExtenso) are in
// this branch; then this file goes and the callers use the core's function.
#include <string>

#include "core/Datas.h"

namespace quantivo {

inline std::string DataExtensoTemporario(Data d, int anoCorrente) {
    static const char* const meses[] = {"Janeiro", "Fevereiro", "Março",    "Abril",   "Maio",     "Junho",
                                        "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};
    static const char* const dias[] = {"Domingo",     "Segunda-feira", "Terça-feira", "Quarta-feira",
                                       "Quinta-feira", "Sexta-feira",  "Sábado"};
    const DataCivil c = DecodificaData(d);
    // The weekday is that of the date read back from its short text.
    const Data relida = LeData(FormataData(d), anoCorrente);
    return std::string(dias[DiaDaSemana(relida) - 1]) + ", " + std::to_string(c.dia) + " de " + meses[c.mes - 1] +
           " de " + std::to_string(c.ano);
}

}  // namespace quantivo
