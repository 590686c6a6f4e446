#pragma once
// The receipt of the examples: 1.234,50 received from "João Cliente" for
// "Aluguel de março" on 05/03/2008, issued by Maria da Silva of Recife, with
// the settings file's "Vias" as given.
#include "output/F_REL.h"

namespace quantivo::teste {

inline DadosRecibo ReciboDoExemplo(const char* vias) {
    DadosRecibo d;
    d.valor = 1234.5L;
    d.recebi = QStringLiteral("João Cliente");
    d.extenso = QStringLiteral("um mil duzentos e trinta e quatro reais  e cinqüenta  centavos ");
    d.referente = QStringLiteral("Aluguel de março");
    d.cadastro = {"Maria da Silva", "Comércio de tecidos", "Rua das Flores, 100", "Recife", "Maria", vias};
    d.hoje = *CodificaData(2008, 3, 5);
    return d;
}

}  // namespace quantivo::teste
