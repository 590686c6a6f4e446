#pragma once
// Debt renegotiation: an overdue debt brought up to date with simple interest
// (30-day months), then the balance after a payment re-split by the Price
// table in the workbench.
#include <cstdint>
#include <optional>
#include <string>

#include "core/Mensagens.h"
#include "core/Tipos.h"

namespace quantivo {

inline constexpr const char* kMsgInformeVencimento = "Informe a data do vencimento";
inline constexpr const char* kMsgInformeAtualizacao = "Informe a data de atualização";
inline constexpr const char* kMsgVencimentoMenor = "A data de vencimento deve ser menor que a data de atualização";

struct DividaAtualizada {
    std::int64_t dias;
    long double valor;  // U = D + J, unrounded; the window's field holds it to 2 decimals
};

// Brings debt D, due on `vencimento`, up to `atualizacao` at T % a month.
// Refuses with a message (and writes nothing) when either date is empty or the
// due date is not earlier than the update date. Counting from the empty date
// would charge interest since 1899.
std::optional<DividaAtualizada> AtualizaDivida(long double divida, Data vencimento, long double taxa, Data atualizacao,
                                               const Contexto& ctx);

// The balance handed to the workbench's ValorFinanciado: shortest decimal form.
std::string TextoSaldo(long double saldo);
// The new rate handed to the workbench's Taxa: the five-decimal field's text.
std::string TextoTaxa(long double taxa);

// Re-splits the workbench's ValorFinanciado at its Taxa into qtdParcelas
// instalments from DataReferencia. Interrompido when the schedule was refused
// with a message.
Desfecho CalculaRenegociacao(Bancada& b, long double qtdParcelas, const Contexto& ctx);

}  // namespace quantivo
