#pragma once
// The check of the grid rows that the discount calculations and the entry
// windows share: rows with an empty date are skipped, a date that is no date
// takes the row out ("Data Invalida"), and every valid due date is moved off
// the weekend (and past the clearing days) and counted from the operation
// date, with the warning of the window the count is made for.
#include <cstdint>
#include <optional>
#include <vector>

#include "core/Mensagens.h"
#include "core/Tipos.h"

namespace quantivo {

// A row whose date is no date is taken out: its date emptied and "Data
// Invalida" written into its value cell (the value typed there is lost).
inline constexpr const char* kDataInvalida = "Data Invalida";
void MarcaDataInvalida(Parcela& p);

inline constexpr const char* kMsgInformarValorParcela = "Necessário informar o valor da(s) parcela(s)";

struct RegraLinhas {
    JanelaAviso aviso;  // whose words the warning of an early due date takes
    bool exigeValor;    // a dated row without value stops the check with kMsgInformarValorParcela
    bool guardaDias;    // the count goes into the row's Dias (the calculations); the entry windows only check
};

struct LinhasConferidas {
    Desfecho desfecho;               // Interrompido after the missing-value message, else Concluido
    std::int64_t validas = 0;        // rows with a valid date (up to the stop)
    double somaDias = 0;             // their day counts, summed in double
    std::vector<std::int64_t> dias;  // each one's count, in row order (with guardaDias)
};

// With a calendar, due dates also move past its holidays.
LinhasConferidas ConfereLinhas(std::vector<Parcela>& linhas, Data referencia, bool incluiCompensacao, RegraLinhas regra,
                               const Contexto& ctx, const Calendario* feriados = nullptr);

// The calendar of the operation's holidays, or nothing when its option is off.
std::optional<Calendario> CalendarioDe(const DadosGerais& g);

}  // namespace quantivo
