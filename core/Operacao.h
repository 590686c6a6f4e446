#pragma once
// One operation as a value: everything its calculation reads, from whichever
// window holds it, and the customer it was made for. The workbench, the
// batch and the journal pass it whole, so that no part of an operation lives
// only in a window. Its JSON form is output/OperacaoJson.h.
//
// And the operation types as one table: what the workbench's list calls
// each, the batch op that runs it, whether it has a CET, what it reads
// outside the workbench and its calculation. Whatever depends on the type
// reads the table instead of testing the type.
#include <optional>
#include <span>
#include <string>

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
    bool operator==(const OutrasJanelas&) const = default;
};

// The customer ("cedente") the operation was made for: the name and the CPF
// or CNPJ as typed. Both empty until someone asks for them.
struct Cliente {
    std::string nome;
    std::string documento;
    bool operator==(const Cliente&) const = default;
};

struct Operacao {
    // The workbench: fields, rows (each cheque's CMC7 line and drawer's
    // document with it), totals; bancada.dados.Tipo is the operation's type.
    Bancada bancada;
    OutrasJanelas janelas;
    // The fee-kind box's text as the clerk left it, a typed text that is no
    // item included, as the listing prints it; none: the caption of the kind
    // chosen (dados.TipoTarifa), as a request without it means.
    std::optional<std::string> tipoTarifaTexto;
    Cliente cliente;
    bool operator==(const Operacao&) const = default;
};

struct TipoOperacao {
    TipoCalculo tipo;
    const char* legenda;  // as the workbench's type list shows it
    const char* op;       // the quantivo-batch operation that runs it on a workbench
    // It gives the operation's CET (the discounts); after any other type's
    // completed calculation the CET label says there is none.
    bool cet;
    bool leJanelaPrestacao;  // reads the instalment window's four values
    bool leQtdParcelas;      // reads the renegotiation window's count
    // Takes "Valor Financiado" as an input, handed over with the operation;
    // the cheque discount writes its net value there instead.
    bool leValorFinanciado;
    // Reads the rows' due dates, and their values too (the others write the
    // rows: the values of the inverse discount, the schedules).
    bool leDatasDasLinhas;
    bool leValoresDasLinhas;
    // Runs on the workbench and what it reads outside it; errors are thrown.
    Desfecho (*calcula)(Bancada& b, OutrasJanelas& janelas, const Contexto& ctx);
};

// Every type, in the order of their values 0, 1, 2, ..., which is the order
// of the workbench's list.
std::span<const TipoOperacao> TiposOperacao();
// The type's entry; nullptr for TipoCalculo::Nenhum (or a value that is no type).
const TipoOperacao* DescricaoDoTipo(TipoCalculo tipo);

}  // namespace quantivo
