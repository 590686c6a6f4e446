#include "diario/DaOperacao.h"

#include <exception>

#include "core/Calculos.h"
#include "core/Cmc7.h"
#include "core/Documento.h"
#include "diario/Chaves.h"
#include "diario/Diario.h"
#include "output/OperacaoJson.h"

namespace quantivo::diario {
namespace {

bool EmBranco(const std::string& t) { return t.find_first_not_of(" \t\r\n") == std::string::npos; }

std::string SemBrancosNasPontas(const std::string& t) {
    if (EmBranco(t)) return {};
    const std::size_t ini = t.find_first_not_of(" \t\r\n");
    return t.substr(ini, t.find_last_not_of(" \t\r\n") + 1 - ini);
}

// A CPF or CNPJ given, normalised; "" when none was.
std::string Documento(const std::string& texto, const std::string& dequem) {
    if (EmBranco(texto)) return {};
    const LeituraDocumento d = LeDocumento(texto);
    if (!d.valido) throw ErroDiario("o documento " + dequem + " (" + texto + ") não é válido: " + d.problema);
    return NormalizaDocumento(texto);
}

void Compara(std::vector<std::string>& diferencas, const std::string& oque, const std::string& salvo,
             const std::string& agora) {
    if (salvo != agora) diferencas.push_back(oque + ": salvo " + salvo + ", agora " + agora);
}

}  // namespace

bool TipoSalvavel(TipoCalculo tipo) { return tipo == TipoCalculo::DescontoCheque || tipo == TipoCalculo::VendaPorFora; }

OperacaoSalva ParaODiario(const Operacao& operacao, Data hoje) {
    const Bancada& b = operacao.bancada;
    if (!TipoSalvavel(b.dados.Tipo))
        throw ErroDiario("só se salvam operações de Desconto de Cheque e de Venda por fora");
    OperacaoSalva op;
    op.tipo = b.dados.Tipo;
    op.dataReferencia = b.dados.DataReferencia;
    op.cliente.nome = SemBrancosNasPontas(operacao.cliente.nome);
    if (op.cliente.nome.empty()) throw ErroDiario("a operação precisa do nome do cliente");
    op.cliente.documento = Documento(operacao.cliente.documento, "do cliente");

    op.figuras = {b.totais.ValorTotal, b.dados.ValorFinanciado, b.totais.TAC, b.totais.IOF,
                  b.totais.Juros,      b.totais.Tarifa,         b.totais.CET};
    for (std::size_t i = 0; i < b.linhas.size(); ++i) {
        const Parcela& p = b.linhas[i];
        Cheque c{static_cast<int>(i + 1), p.Data, p.Valor, p.BancoNumero, p.Emitente, p.Dias, {}, {}};
        const std::string onde = "linha " + std::to_string(i + 1) + ": ";
        if (!EmBranco(p.CMC7)) {
            const LeituraCmc7 lida = LeCmc7(p.CMC7);
            if (!lida.Valido()) throw ErroDiario(onde + "o CMC7 (" + p.CMC7 + ") não é válido: " + lida.problema);
            c.CMC7 = lida.cmc7->digitos;
        }
        try {
            c.Documento = Documento(p.Documento, "do emitente");
        } catch (const ErroDiario& e) {
            throw ErroDiario(onde + e.what());
        }
        op.cheques.push_back(std::move(c));
    }

    Operacao guardada = operacao;
    guardada.cliente.nome = op.cliente.nome;
    JsonExato json = PedidoDaOperacao(guardada);
    json["hoje"] = FormataDataLonga(hoje);
    op.json = TextoJson(json);
    return op;
}

Reaberta Reabre(const OperacaoSalva& salva, Data hoje) {
    const std::string qual = "a operação nº " + std::to_string(salva.numero);
    JsonExato json;
    try {
        json = JsonExato::parse(salva.json);
    } catch (const std::exception&) {
        throw ErroDiario(qual + " está guardada num JSON ilegível");
    }
    Reaberta r;
    try {
        // The journal's type column chooses the calculation, as in the batch.
        r.operacao = OperacaoDoPedido(json);
        r.operacao.bancada.dados.Tipo = salva.tipo;
        r.operacao.janelas = OutrasJanelasDoPedido(json, salva.tipo);
        if (const auto h = json.find("hoje"); h != json.end()) hoje = DataDoPedido(*h, "hoje");
    } catch (const ErroPedido& e) {
        throw ErroDiario(qual + " não pôde ser lida (" + e.what() + ")");
    }

    r.hoje = hoje;
    MensageiroGravador mensagens;
    try {
        r.desfecho = CalculaOperacao(r.operacao, Contexto{mensagens, hoje});
    } catch (const std::exception& e) {
        r.desfecho = Desfecho::Erro;
        r.erro = e.what();
    }
    r.mensagens = mensagens.Textos();

    if (!r.erro.empty()) r.diferencas.push_back("o recálculo terminou com o erro " + r.erro);
    const Bancada& b = r.operacao.bancada;
    const Figuras& f = salva.figuras;
    Compara(r.diferencas, "Valor Total", f.ValorTotal, b.totais.ValorTotal);
    Compara(r.diferencas, "Valor Financiado", f.ValorFinanciado, b.dados.ValorFinanciado);
    Compara(r.diferencas, "TAC", f.TAC, b.totais.TAC);
    Compara(r.diferencas, "IOF", f.IOF, b.totais.IOF);
    Compara(r.diferencas, "Juros", f.Juros, b.totais.Juros);
    Compara(r.diferencas, "Tarifa", f.Tarifa, b.totais.Tarifa);
    Compara(r.diferencas, "CET", f.CET, b.totais.CET);
    if (b.linhas.size() != salva.cheques.size())
        Compara(r.diferencas, "linhas", std::to_string(salva.cheques.size()), std::to_string(b.linhas.size()));
    for (std::size_t i = 0; i < b.linhas.size() && i < salva.cheques.size(); ++i) {
        const Parcela& p = b.linhas[i];
        const Cheque& c = salva.cheques[i];
        const std::string linha = "linha " + std::to_string(i + 1) + ", ";
        Compara(r.diferencas, linha + "Data", c.Data, p.Data);
        Compara(r.diferencas, linha + "Valor", c.Valor, p.Valor);
        Compara(r.diferencas, linha + "Banco/Número", c.BancoNumero, p.BancoNumero);
        Compara(r.diferencas, linha + "Emitente", c.Emitente, p.Emitente);
        Compara(r.diferencas, linha + "Nº Dias", c.Dias, p.Dias);
    }
    return r;
}

}  // namespace quantivo::diario
