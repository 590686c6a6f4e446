// quantivo-batch: reads one JSON request per line from standard input and
// writes one JSON response per line to standard output, in the same order.
#include <iostream>
#include <string>

#include "tools/batch/Batch.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// One response per line ends with "\n" on every system: Windows' text mode
// would write "\r\n", and callers compare the answers byte for byte.
void LinhasSoComLF() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

constexpr const char* kAjuda = R"AJUDA(quantivo-batch: os cálculos do Quantivo sem janelas.

Lê um pedido JSON por linha da entrada padrão e escreve uma resposta JSON por
linha na saída padrão, na mesma ordem. O campo "op" escolhe a operação:

  desconto_cheque, venda_por_fora, calcula_price, renegociacao
                      a bancada: "dados", "linhas", "rotulos" (opcional);
                      calcula_price também "janela", renegociacao "qtdParcelas"
  taxa_para_liquido   o pedido do desconto_cheque e "LiquidoDesejado" (texto):
                      a taxa ao mês, de 0 a 100% com quatro casas, cujo líquido
                      mais se aproxima dele (a menor, num empate); responde o
                      desconto a essa taxa, "Taxa" e "diferenca" (obtido menos
                      desejado), ou "Taxa" null e uma mensagem com a faixa
  listagem            a listagem da bancada após o cálculo do "tipo" (-1 a 3)
  listagem_prestacoes a listagem da janela de prestações
  prestacao, valor_financiado, vencimentos, atualiza_divida,
  numero_extenso, valor_extenso, data_extenso
  ajusta_vencimento   "data" (dd/mm/aaaa), "IncluiCompensacao", "Feriados";
                      responde "data", o vencimento ajustado
  feriados            "ano"; responde "feriados": [{"data", "nome"}, ...],
                      os feriados nacionais e locais do ano, em ordem de data
  cmc7                "linha", a linha magnética do cheque digitada ou do
                      leitor (separadores < > : e espaços são ignorados);
                      responde "valido", "problema" (o que está errado, ou
                      null) e, quando válida (senão null): "digitos",
                      "banco", "agencia", "camara", "cheque", "tipificacao",
                      "conta" e "BancoNumero" ("237/0494/001793")
  documento           "documento", um CPF ou CNPJ como digitado (o CNPJ
                      alfanumérico também); responde "tipo" ("CPF", "CNPJ"
                      ou null), "valido", "formatado" (null quando não é
                      válido) e "problema" (null quando é)

Diário de operações (com --diario ARQUIVO, criado quando não existe):
  salva_operacao      "tipo" (0 ou 2), os campos da bancada e "cliente":
                      {"nome", "documento"}; as linhas aceitam "CMC7" e
                      "Documento" (do emitente); responde "numero" e
                      "duplicados" (cheques já salvos em outra operação)
  reabre_operacao     "numero"; responde "pedido", "resposta" (recalculada
                      agora) e "confere" (os mesmos valores de quando salva)
  lista_operacoes     opcionais "cliente", "de", "ate", "cheque"
  exporta_operacao    "numero", "formato" ("csv", "xlsx" ou "pdf"), "arquivo";
                      ou "de" e "ate" no lugar de "numero": todas do período
                      (csv e xlsx). "pdf" é o borderô do cliente, recalculado;
                      "cadastro" (opcional) é o caminho do valida.ini da
                      empresa ("" para nenhuma; sem ele, o do programa)
  verifica_diario     a verificação completa do arquivo; responde "integro"
                      e "problema"

"hoje" (dd/mm/aaaa) fixa a data de hoje. Toda resposta traz "mensagens" (os
textos das caixas de mensagem, em ordem) e "erro" (null, ou tipo e texto).

desconto_cheque e venda_por_fora (e listagem após os tipos 0 e 2) trazem
também o CET (custo efetivo total, a taxa anual que iguala o valor recebido
aos cheques nas datas de vencimento, com juros, TAC, IOF e tarifa):
  "CET"         o texto do rótulo da bancada, "CET: 83,65% a.a. (5,20% a.m.)"
                ou "CET: -" quando não há
  "cet_anual"   a taxa anual em por cento, número com toda a precisão
  "cet_mensal"  a taxa mensal equivalente, (1 + anual)^(1/12) - 1, em por cento
  (null quando não há CET ou o cálculo não chegou ao fim)

Feriados: "dados" aceita "Feriados" (true ou false, padrão false), a caixa
"F8- Feriados" da bancada: com true, um vencimento em sábado, domingo,
feriado nacional ou local passa ao dia útil seguinte, antes e depois dos 2
dias da compensação. "feriados_locais" (no pedido, padrão []) traz os
feriados locais, cada um "dd/mm" (todo ano) ou "dd/mm/aaaa" (só naquele ano),
opcionalmente seguido do nome; outro texto dá o erro "pedido".

Exemplos:
  echo '{"op":"numero_extenso","n":21}' | quantivo-batch
  quantivo-batch --diario operacoes.diario < pedidos.jsonl
)AJUDA";

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::cout << kAjuda;
            return 0;
        }
        if (a == "--diario" && i + 1 < argc && *argv[i + 1]) {
            if (!quantivo::batch::UsaDiario(argv[++i])) {
                std::cerr << "quantivo-batch: este programa foi construído sem o diário de operações\n";
                return 2;
            }
            continue;
        }
        if (a == "--diario") {
            std::cerr << "quantivo-batch: --diario precisa do caminho do arquivo do diário\n";
            return 2;
        }
        std::cerr << "quantivo-batch: opção desconhecida: " << a << "\n(quantivo-batch --help mostra o uso)\n";
        return 2;
    }
    LinhasSoComLF();
    std::ios::sync_with_stdio(false);
    std::string linha;
    while (std::getline(std::cin, linha)) {
        if (!linha.empty() && linha.back() == '\r') linha.pop_back();
        std::cout << quantivo::batch::ProcessaLinha(linha) << '\n' << std::flush;
    }
    quantivo::batch::UsaDiario({});
    return 0;
}
