#include "core/Tipos.h"

#include "core/Valores.h"

namespace quantivo {

std::string TextoTAC(long double tac) { return tac > 0 ? "TAC   = " + FormataValor(tac) : "TAC   = 0"; }
std::string TextoIOF(long double iof) { return iof > 0 ? "IOF   = " + FormataValor(iof) : "IOF   = 0 "; }
std::string TextoJuros(long double juros) { return "Juros = " + FormataValor(juros); }
std::string TextoTarifa(long double tarifa) { return "Tarifa= " + FormataValor(tarifa); }

long double TarifaDaOperacao(const DadosGerais& g, std::int64_t cheques) {
    return g.TipoTarifa == TipoDeTarifa::TarifaPorTitulo ? g.Tarifa * static_cast<long double>(cheques) : g.Tarifa;
}

}  // namespace quantivo
