#pragma once
// The listing of the cheque-discount worked example as the workbench hands it
// over after F5, without its rows (28/12/2007, 3 %, TAC 2 %, IOF 0,0041 % a
// day, 2,00 a cheque; net 3.758,04).
#include "output/GeraListagem.h"

namespace quantivo::teste {

inline EntradaListagem ListagemDoExemplo() {
    EntradaListagem e;
    e.DataReferencia = *CodificaData(2007, 12, 28);
    e.ValorFinanciado = "3.758,04";
    e.Taxa = "3";
    e.TAC = "2";
    e.IOF = "0,0041";
    e.Tarifa = 2;
    e.TipoTarifa = "Tarifa por título";
    e.RotuloTarifa = "Tarifa= 6,00";
    e.RotuloTAC = "TAC   = 80,01";
    e.RotuloIOF = "IOF   = 4,92";
    e.RotuloJuros = "Juros = 151,53";
    return e;
}

}  // namespace quantivo::teste
