#pragma once
// The text of the printed listings: the workbench's calculation and the
// instalment window's schedule. Pure functions from what the window shows to
// the listing's lines (UTF-8, without line ends); no window, no file. The
// lines are meant for a monospaced font: columns are aligned by counting
// characters, so every cut and pad below counts characters, not bytes.
//
// How a window fills the inputs:
//  - workbench (after its calculate action has run):
//      DataReferencia  the date of data_ref
//      ValorFinanciado the text of Edit6, Taxa the text of Edit1
//      TAC, IOF        the edit texts of edtTAC and edtIOF: TextoCampo(value, 2)
//                      and TextoCampo(value, 4), never their display patterns
//      Tarifa          the value of edtTARIFA
//      TipoTarifa      the text of cbTipoTarifa as shown (typed text included)
//      linhas          grid rows 1 to the last, as cell texts
//      RotuloTarifa, RotuloTAC, RotuloIOF, RotuloJuros: the texts of Label15,
//                      Label12, Label13 and Label14
//    EntradaDaBancada() does this from the core's Bancada.
//  - instalment window (no calculation first): EntradaPrestacoes() from the
//    date field's date and shown text and the four numeric fields' values.
#include <string>
#include <vector>

#include "core/Datas.h"
#include "core/Tipos.h"

namespace quantivo {

struct EntradaListagem {
    Data DataReferencia = kDataNula;
    std::string ValorFinanciado;
    std::string Taxa;
    std::string TAC;
    std::string IOF;
    long double Tarifa = 0;
    std::string TipoTarifa;
    std::vector<Parcela> linhas;
    std::string RotuloTarifa, RotuloTAC, RotuloIOF, RotuloJuros;
    // The due dates moved past holidays too: one more line in the header.
    bool Feriados = false;
};

// A numeric field as the listing reads it: its held value and its edit text.
struct CampoListagem {
    long double valor = 0;
    std::string texto;
};
// The field of `decimais` decimals holding `valor`.
CampoListagem CampoDeListagem(long double valor, int decimais);

struct EntradaListagemPrestacoes {
    Data DataReferencia = kDataNula;
    std::string DataReferenciaTexto;  // as the date field shows it
    CampoListagem ValorFinanciado;    // 2 decimals
    CampoListagem Taxa;               // 5 decimals
    CampoListagem NumPrestacao;       // 0 decimals
    CampoListagem VlrPrestacao;       // 2 decimals
};

// The workbench's listing input from the core's state. `tipoTarifaTexto` is the
// fee-kind box's text; without it, the caption of the chosen kind ("" for none).
EntradaListagem EntradaDaBancada(const Bancada& b, const std::string* tipoTarifaTexto = nullptr);
// The instalment window's listing input; the values are held to the fields'
// decimals and the texts are their edit texts.
EntradaListagemPrestacoes EntradaPrestacoes(Data referencia, const std::string& referenciaTexto,
                                            long double valorFinanciado, long double taxa, long double numPrestacao,
                                            long double vlrPrestacao);

// The listings' lines. A text that cannot be read as a number throws
// ErroConversao ("'%s' is not a valid floating point value", or "... integer
// value" for a day count that is not a whole number); a total beyond the double
// range or a schedule past the year 9999 throws ErroAritmetico.
inline constexpr const char* kLinhaFeriados = "Feriados considerados: nacionais e locais";
std::vector<std::string> GeraListagem(const EntradaListagem& e);
std::vector<std::string> GeraListagemPrestacoes(const EntradaListagemPrestacoes& e);

// A day-count cell read as a whole number: blanks before it, an optional sign,
// decimal digits, within the 32-bit range; nothing else. Throws the integer
// conversion error otherwise.
std::int32_t LeInteiro(std::string_view texto);

}  // namespace quantivo
