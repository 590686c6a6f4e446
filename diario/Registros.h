#pragma once
// What the journal keeps of one saved operation, as plain values: the
// operation's type and date, the customer, the operation in its JSON form, its
// figures as the workbench showed them and its rows. The journal gives each
// operation its number and save time.
#include <cstdint>
#include <string>
#include <vector>

#include "core/Datas.h"
#include "core/Tipos.h"

namespace quantivo::diario {

// The customer ("cedente"). The document is kept normalised (no dots,
// slashes, hyphens or spaces, letters in capitals), "" when none was given.
struct Cliente {
    std::string nome;
    std::string documento;
    bool operator==(const Cliente&) const = default;
};

// The totals as the workbench showed them, text for text.
struct Figuras {
    std::string ValorTotal;       // "4.000,50"
    std::string ValorFinanciado;  // the net value ("3.758,04"); the financed value for "Venda certa"
    std::string TAC;              // "TAC   = 80,01"
    std::string IOF;
    std::string Juros;
    std::string Tarifa;
    std::string CET;  // "CET: 83,65% a.a. (5,20% a.m.)"
    bool operator==(const Figuras&) const = default;
};

// One grid row as the workbench showed it after the calculation.
struct Cheque {
    int linha = 0;  // counted from 1, as in the grid
    std::string Data, Valor, BancoNumero, Emitente, Dias;
    std::string CMC7;       // the magnetic line's 30 digits, "" when none
    std::string Documento;  // the drawer's CPF or CNPJ, normalised as the customer's; "" when none
    bool operator==(const Cheque&) const = default;
};

struct OperacaoSalva {
    std::int64_t numero = 0;  // given by the journal: 1, 2, 3, ...
    std::string salvaEm;      // given by the journal: UTC, "2026-12-09T14:03:22.517Z"
    TipoCalculo tipo = TipoCalculo::DescontoCheque;
    Data dataReferencia = kDataNula;
    Cliente cliente;
    // The operation in its JSON form, UTF-8, kept as given: the journal never
    // reads it.
    std::string json;
    Figuras figuras;
    std::vector<Cheque> cheques;  // every row of the grid, in order
};

// A row of an operation being saved whose cheque is already in a saved one.
struct Duplicado {
    int linha = 0;            // the row of the new operation
    std::int64_t numero = 0;  // the saved operation holding the same cheque
    Data data = kDataNula;    // its DataReferencia
    std::string cliente;      // its customer's name
    std::string BancoNumero;  // the saved cheque's Banco/Número as typed there
    bool operator==(const Duplicado&) const = default;
};

// One line of the list of saved operations.
struct Resumo {
    std::int64_t numero = 0;
    std::string salvaEm;
    TipoCalculo tipo = TipoCalculo::DescontoCheque;
    Data dataReferencia = kDataNula;
    Cliente cliente;
    std::string ValorTotal;
    std::string ValorFinanciado;
    int cheques = 0;  // rows with a value
    bool operator==(const Resumo&) const = default;
};

}  // namespace quantivo::diario
