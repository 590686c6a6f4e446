#pragma once
// The CET (custo efetivo total) of a discount: the annual rate c at which the
// cheques, each brought back from its due date, are worth exactly what the
// customer received on the operation date,
//     L = sum of V / (1 + c)^(d / 365),
// with every charge (interest, TAC, IOF, fee) inside L. Shown beside the
// workbench's totals; not part of the printed listing.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quantivo {

// One cheque: its face value and the days from the operation date to its
// moved due date.
struct FluxoCet {
    std::int64_t dias;
    long double valor;
};

// The rates in percent: annual, and its monthly equivalent (1 + c)^(1/12) - 1.
struct TaxasCet {
    long double anual;
    long double mensal;
    bool operator==(const TaxasCet&) const = default;
};

// The rate solving the equation, to better than 1e-10, or nothing when no
// finite rate does: nothing received (L <= 0), no cheque, a negative face
// value, or the cheques due on the operation date alone already worth L or
// more while others fall later; nor when the rate is beyond the range of a
// double, nor when a day count is negative (a cheque before the operation,
// whose equation may have two roots or none). With every cheque due on the operation date their sum must be L,
// and the rate is then 0.
std::optional<TaxasCet> CalculaCet(long double recebido, std::vector<FluxoCet> fluxos);

// The workbench label: "CET: 83,65% a.a. (5,20% a.m.)", or "CET: -".
std::string TextoCet(const std::optional<TaxasCet>& cet);

}  // namespace quantivo
