#include "core/Price.h"

#include <cmath>

#include "core/Erros.h"

namespace quantivo {
namespace {

long double Multiplica(long double a, long double b) { return Finito(a * b); }

// A count of ten-thousandths already computed as such.
Dmil ArredondaContagem(long double contagem) {
    Finito(contagem);
    const long double r = std::nearbyint(contagem);
    if (r < -9223372036854775808.0L || r >= 9223372036854775808.0L) throw ErroAritmetico::Estouro();
    return static_cast<Dmil>(r);
}

long double Fator(Dmil taxa) { return (10000.0L + static_cast<long double>(taxa)) / 10000; }

bool UmEmBranco(const JanelaPrice& j) {
    const int brancos = (j.ValorFinanciado == 0) + (j.NumPrestacao == 0) + (j.Taxa == 0) + (j.VlrPrestacao == 0);
    return brancos == 1;
}

long double ValorDoCampo(Dmil d) { return Segura(DeDmil(d), 2); }

}  // namespace

long double Potencia(long double q, std::int64_t n) {
    std::uint64_t bits = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    long double resultado = 1;
    long double fator = q;
    while (bits != 0) {
        if (bits & 1) resultado = Multiplica(resultado, fator);
        bits >>= 1;
        if (bits != 0) fator = Multiplica(fator, fator);
    }
    return n < 0 ? Divide(1, resultado) : resultado;
}

Dmil TaxaFracao(long double taxaPercentual) { return ParaDmil(taxaPercentual / 100); }

Dmil CalculaPrestacao(Dmil valorFinanciado, Dmil taxa, std::int64_t n) {
    const long double p = Potencia(Fator(taxa), n);
    const long double a = Multiplica(p, static_cast<long double>(valorFinanciado) * static_cast<long double>(taxa));
    const long double b = p - 1;
    return ArredondaContagem(Divide(Divide(a, b), 10000));
}

Dmil CalculaValorFinanciado(Dmil prestacao, Dmil taxa, std::int64_t n) {
    const long double p = Potencia(Fator(taxa), n);
    const long double a = p - 1;
    const long double b = Multiplica(p, static_cast<long double>(taxa));
    const long double c = Divide(a, b);
    return ArredondaContagem(Multiplica(Multiplica(c, static_cast<long double>(prestacao)), 10000));
}

std::vector<Data> Vencimentos(Data referencia, std::int64_t n) {
    std::vector<Data> datas;
    if (n < 1) return datas;
    // Each date comes from the reference day, so the last one is the latest.
    const DataCivil ref = DecodificaData(referencia);
    // Months left up to 12/9999, compared with n: adding n to the month count
    // would overflow for a count near the 64-bit limit.
    if (n > 9999LL * 12 + 11 - (static_cast<std::int64_t>(ref.ano) * 12 + (ref.mes - 1)))
        throw ErroAritmetico::Estouro();
    datas.reserve(static_cast<std::size_t>(n));
    for (std::int64_t k = 1; k <= n; ++k) datas.push_back(VencimentoMensal(referencia, k));
    return datas;
}

Desfecho MontaParcelas(Bancada& b, Data referencia, Dmil prestacao, std::int64_t n, const Contexto& ctx) {
    if (n > kLimitePrestacoes) {
        ctx.msg.Mostra(kMsgLimitePrestacoes, {}, Icone::Aviso);
        return Desfecho::Interrompido;
    }
    const std::vector<Data> datas = Vencimentos(referencia, n);
    Dmil total = 0;
    for (std::size_t k = 0; k < datas.size(); ++k) total = SomaDmil(total, prestacao);

    const std::string valor = FormataValor(DeDmil(prestacao));
    b.linhas.assign(datas.empty() ? 1 : datas.size(), Parcela{});
    for (std::size_t k = 0; k < datas.size(); ++k) {
        b.linhas[k].Data = FormataData(datas[k]);
        b.linhas[k].Valor = valor;
    }
    b.totais.ValorTotal = FormataValor(DeDmil(total));
    return Desfecho::Concluido;
}

Desfecho CalculaPrice(Bancada& b, JanelaPrice& janela, const Contexto& ctx) {
    if (!UmEmBranco(janela)) {
        ctx.msg.Mostra(kMsgUmValorEmBranco, {}, Icone::Informacao);
        return Desfecho::NadaAFazer;
    }
    const Dmil financiado = ParaDmil(LeValor(b.dados.ValorFinanciado));
    const Dmil prestacao = ParaDmil(janela.VlrPrestacao);
    const Dmil taxa = TaxaFracao(LeValor(b.dados.Taxa));
    const std::int64_t n = Trunca(janela.NumPrestacao);

    if (janela.ValorFinanciado == 0) {
        janela.ValorFinanciado = ValorDoCampo(CalculaValorFinanciado(prestacao, taxa, n));
        return Desfecho::Concluido;
    }
    if (janela.VlrPrestacao == 0) {
        const Dmil solvida = CalculaPrestacao(financiado, taxa, n);
        return MontaParcelas(b, b.dados.DataReferencia, solvida, n, ctx);
    }
    return Desfecho::NadaAFazer;
}

Desfecho CalculaPostecipada(JanelaPrice& janela, const Contexto& ctx) {
    if (!UmEmBranco(janela)) {
        ctx.msg.Mostra(kMsgUmValorEmBranco, {}, Icone::Informacao);
        return Desfecho::NadaAFazer;
    }
    const Dmil financiado = ParaDmil(janela.ValorFinanciado);
    const Dmil prestacao = ParaDmil(janela.VlrPrestacao);
    const Dmil taxa = TaxaFracao(janela.Taxa);
    const std::int64_t n = Trunca(janela.NumPrestacao);

    if (janela.ValorFinanciado == 0) {
        janela.ValorFinanciado = ValorDoCampo(CalculaValorFinanciado(prestacao, taxa, n));
        return Desfecho::Concluido;
    }
    if (janela.VlrPrestacao == 0) {
        janela.VlrPrestacao = ValorDoCampo(CalculaPrestacao(financiado, taxa, n));
        return Desfecho::Concluido;
    }
    return Desfecho::NadaAFazer;
}

}  // namespace quantivo
