#pragma once
// The borderô of the cheque-discount example as the journal hands it over:
// saved as operation nº 12, for a customer with a CPF, its cheques with
// banks and drawers; or the same operation with many generated cheques.
#include <string>

#include "core/Calculos.h"
#include "core/Valores.h"
#include "output/Bordero.h"

namespace quantivo::teste {

inline Cadastro FirmaDoExemplo() {
    return {"Fomento Boa Vista Ltda.", "Fomento mercantil", "Rua das Flores, 100, sala 12", "Recife - PE", "", "1"};
}

// `cheques` 0: the example's three; otherwise that many, due from 02/01/08 on.
inline DadosBordero BorderoDoExemplo(int cheques = 0) {
    DadosBordero d;
    d.firma = FirmaDoExemplo();
    d.numero = 12;
    d.salvaEm = "2026-12-09T14:03:22.517Z";
    d.hoje = *CodificaData(2007, 12, 28);
    Operacao& op = d.operacao;
    op.cliente = {"Maria da Conceição Souza", "529.982.247-25"};
    DadosGerais& g = op.bancada.dados;
    g.Tipo = TipoCalculo::DescontoCheque;
    g.DataReferencia = d.hoje;
    g.Taxa = "3";
    g.TAC = 2;
    g.IOF = LeValor("0,0041");
    g.TipoTarifa = TipoDeTarifa::TarifaPorTitulo;
    g.Tarifa = 2;
    if (cheques == 0) {
        op.bancada.linhas = {
            {"31/12/07", "1000", "237/0494/001793", "José Pereira da Silva", "", "", "111.444.777-35"},
            {"26/01/08", "500", "001/1234/000456", "Comercial Andrade & Filhos Ltda.", ""},
            {"15/02/08", "2500,50", "341/0050/123456", "Ana Beatriz Nogueira", "", "", "11.222.333/0001-81"}};
    } else {
        op.bancada.linhas.clear();
        for (int i = 0; i < cheques; ++i)
            op.bancada.linhas.push_back({FormataData(d.hoje + 5 + i), std::to_string(100 + 37 * i) + ",25",
                                         "341/0050/" + std::to_string(100000 + i), "Emitente " + std::to_string(i + 1),
                                         ""});
    }
    MensageiroGravador msgs;
    CalculaOperacao(op, Contexto{msgs, d.hoje});
    return d;
}

}  // namespace quantivo::teste
