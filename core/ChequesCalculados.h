#pragma once
// Each cheque of a calculated discount with its own figures, for the borderô
// (the customer's copy), which lists them one by one above the totals.
//
// The figures come from the operation as its calculation left it (the rows'
// day counts, the totals' texts) and the calculation's own steps, never from
// a formula of their own. The interests, as printed to the cent, add up to
// the "Juros" total as the workbench shows it:
//   - cheque discount: each cheque's interest is the four-decimal term the
//     discount adds (core/DescontoCheque.h); a cheque prints, to the cent,
//     what the running sum of the terms shows with it less what it showed
//     before it, so that the column adds up to the total's text;
//   - "Venda certa": the interest is what is left of the face values after
//     the charges and the financed value, one figure for the operation. It is
//     the rate for each cheque's own days on the common face value, summed
//     (the charge percentage is the rate over the mean term), so the
//     operation's interest is shared in proportion to the days, the shares
//     taken to the cent by the same running sum.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/Tipos.h"

namespace quantivo {

struct ChequeCalculado {
    std::size_t linha = 0;           // its row in Bancada::linhas (from 0)
    Data vencimento = kDataNula;     // the due date typed
    Data contadoAte = kDataNula;     // the date its day count uses: the due date moved off the weekend (and
                                     // the holidays, when they count) and past the clearing days
    std::int64_t dias = 0;           // its day count as the calculation wrote it
    long double valor = 0;           // its face value, read from its cell
    long double juros = 0;           // its interest (the discount's term to four decimals; the share)
    std::int64_t jurosCentavos = 0;  // its interest as printed, in cents
};

// The cheques of `b` after a cheque discount or a "Venda certa" that
// completed, in row order. `anoCorrente` is the year the calculation read
// two-digit years against (today's). Nothing when `b` holds no such
// calculation's results: another type, a row that is not as the calculation
// leaves it (a date that is no date, a day count that is no number), or
// totals that its rows do not give (texts left from another calculation).
std::optional<std::vector<ChequeCalculado>> ChequesCalculados(const Bancada& b, int anoCorrente);

}  // namespace quantivo
