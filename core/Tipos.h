#pragma once
// The operation as the workbench holds it: the general data, the grid rows and
// the totals, all as the texts and values of its fields, cells and labels.
// Every calculation takes a Bancada by reference and writes into it in place,
// in the order the rules give, so that what it wrote before stopping stays.
#include <optional>
#include <string>
#include <vector>

#include "core/Cet.h"
#include "core/Datas.h"
#include "core/Feriados.h"

namespace quantivo {

enum class TipoCalculo : int {
    Nenhum = -1,
    DescontoCheque = 0,
    PrestacaoTaxaEfetiva = 1,
    VendaPorFora = 2,
    RenegociacaoDividas = 3,
};

// What each type is called, reads and calculates: core/Operacao.h.

// How a calculation ended when it did not throw (errors stay exceptions). The
// action that ran it (the print button, an entry window's hand-over) decides
// from this whether it goes on.
enum class Desfecho {
    Concluido,     // ran to the end and wrote its results
    Interrompido,  // showed a message and stopped: the action that ran it ends too
    NadaAFazer,    // found nothing to calculate (no dated row, the blank test of the
                   // instalments): the action that ran it goes on
    Erro,          // ended with an error, already reported; only the windows'
                   // calculate action gives this, the core throws instead
};

// Whether the action that ran a calculation ends with it.
constexpr bool EncerraAcao(Desfecho d) { return d == Desfecho::Interrompido || d == Desfecho::Erro; }

enum class TipoDeTarifa : int { Nenhuma = -1, TarifaPorTitulo = 0, TarifaTotal = 1 };
inline const char* const kTextosTipoTarifa[] = {"Tarifa por título", "Tarifa total"};

struct DadosGerais {
    Data DataReferencia = kDataNula;
    std::string ValorFinanciado = "0";
    std::string Taxa = "0";
    long double TAC = 0;  // percent of the total face value, two decimals
    long double IOF = 0;  // percent a day, four decimals
    TipoDeTarifa TipoTarifa = TipoDeTarifa::Nenhuma;
    long double Tarifa = 0;  // reais, two decimals
    bool IncluiCompensacao = true;
    // Our own addition: due dates also move past national and local holidays
    // (the workbench's "F8- Feriados" box), the clerk's local ones given here.
    bool Feriados = false;
    std::vector<FeriadoLocal> FeriadosLocais;
    TipoCalculo Tipo = TipoCalculo::Nenhum;
    bool operator==(const DadosGerais&) const = default;
};

// One grid row; rows are numbered from 1 in the windows, from 0 here.
struct Parcela {
    std::string Data, Valor, BancoNumero, Emitente, Dias;
    // Kept with the cheque, not shown in the grid (whose "Banco/Número" shows
    // what a reader's line gives): the magnetic line as read (core/Cmc7.h)
    // and the drawer's CPF or CNPJ as typed. Empty when not known; no
    // calculation reads them. (Initialised here so that the rows written
    // with their five cells alone need not name them.)
    std::string CMC7 = {};
    std::string Documento = {};
    bool operator==(const Parcela&) const = default;
};

// What the totals labels and the "Valor Total" field show. The net value
// (Liquido) goes into DadosGerais::ValorFinanciado.
struct Totais {
    std::string ValorTotal = "0";
    std::string TAC = "TAC:";
    std::string IOF = "IOF:";
    std::string Juros = "Juros:";
    std::string Tarifa = "Tarifa:";
    // Our own addition beside them: the CET of a discount (core/Cet.h).
    std::string CET = "CET:";
    bool operator==(const Totais&) const = default;
};

// The fee of an operation of `cheques` cheques: once per cheque for
// TarifaPorTitulo, else (TarifaTotal, or no kind chosen) once.
long double TarifaDaOperacao(const DadosGerais& g, std::int64_t cheques);

// The text forms of the totals.
std::string TextoTAC(long double tac);
std::string TextoIOF(long double iof);
std::string TextoJuros(long double juros);
std::string TextoTarifa(long double tarifa);

struct Bancada {
    DadosGerais dados;
    std::vector<Parcela> linhas = std::vector<Parcela>(1);
    Totais totais;
    // The figures behind totais.CET, from the last calculation that completed.
    std::optional<TaxasCet> cet;
    bool operator==(const Bancada&) const = default;
};

}  // namespace quantivo
