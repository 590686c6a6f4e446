#include "core/ChequesCalculados.h"

#include <charconv>
#include <string>
#include <string_view>

#include "core/DescontoCheque.h"
#include "core/Erros.h"
#include "core/Linhas.h"
#include "core/TaxaParaLiquido.h"
#include "core/Valores.h"

namespace quantivo {
namespace {

std::int64_t CentavosMostrados(long double valor) { return CentavosDoTexto(FormataValor(valor)); }

// A day count as the calculation writes it (TextoDias).
std::optional<std::int64_t> LeDias(const std::string& texto) {
    std::int64_t d = 0;
    const char* fim = texto.data() + texto.size();
    const auto [resto, erro] = std::from_chars(texto.data(), fim, d);
    if (erro != std::errc() || resto != fim) return std::nullopt;
    return d;
}

// n / d to the nearest whole number, halves away from zero, as amount texts
// round. In 128 bits: cents times a sum of days can pass 64.
std::int64_t DivideArredondando(__int128 n, __int128 d) {
    __int128 q = n / d;
    const __int128 r = n % d;
    if (2 * (r < 0 ? -r : r) >= (d < 0 ? -d : d)) q += (n < 0) != (d < 0) ? -1 : 1;
    return static_cast<std::int64_t>(q);
}

// The rows the calculation counted (those left with a date), with their dates
// and day counts; the figures are filled in by the type's own rule.
std::optional<std::vector<ChequeCalculado>> DatasDosCheques(const Bancada& b, int anoCorrente) {
    const DadosGerais& g = b.dados;
    const std::optional<Calendario> feriados = CalendarioDe(g);
    std::vector<ChequeCalculado> r;
    for (std::size_t i = 0; i < b.linhas.size(); ++i) {
        const Parcela& p = b.linhas[i];
        if (p.Data.empty()) continue;
        const std::optional<Data> vencimento = TentaLerData(p.Data, anoCorrente);
        const std::optional<std::int64_t> dias = LeDias(p.Dias);
        if (!vencimento || !dias) return std::nullopt;
        ChequeCalculado c;
        c.linha = i;
        c.vencimento = *vencimento;
        c.contadoAte = AjustaVencimento(*vencimento, g.IncluiCompensacao, feriados ? &*feriados : nullptr);
        c.dias = *dias;
        r.push_back(c);
    }
    return r;
}

bool FigurasDoDesconto(const Bancada& b, std::vector<ChequeCalculado>& cheques) {
    std::size_t k = 0;
    std::int64_t antes = 0;  // the cents the running sum showed before this cheque
    const SomasDoDesconto somas = SomaJurosDasLinhas(
        b.linhas, b.dados.Taxa, [&](std::size_t, long double valor, Dmil juros, const SomasDoDesconto& ate) {
            ChequeCalculado& c = cheques[k++];
            c.valor = valor;
            c.juros = DeDmil(juros);
            const std::int64_t agora = CentavosMostrados(ate.juros);
            c.jurosCentavos = agora - antes;
            antes = agora;
        });
    return b.totais.Juros == TextoJuros(somas.juros) && b.totais.ValorTotal == FormataValor(somas.valorTotal);
}

bool FigurasDaVendaCerta(const Bancada& b, std::vector<ChequeCalculado>& cheques) {
    const std::string_view prefixo = "Juros = ";
    if (b.totais.Juros.rfind(prefixo, 0) != 0) return false;
    const std::int64_t juros = CentavosDoTexto(b.totais.Juros.substr(prefixo.size()));
    // By the days; all at 0 days (no interest to share but a rounding's
    // cent), by the cheques.
    __int128 soma = 0;
    for (const ChequeCalculado& c : cheques) soma += c.dias;
    const bool porDias = soma != 0;
    if (!porDias) soma = static_cast<__int128>(cheques.size());
    __int128 acumulado = 0;
    std::int64_t antes = 0;
    for (ChequeCalculado& c : cheques) {
        const std::int64_t peso = porDias ? c.dias : 1;
        c.valor = LeValor(b.linhas[c.linha].Valor);
        c.juros =
            static_cast<long double>(juros) / 100 * static_cast<long double>(peso) / static_cast<long double>(soma);
        acumulado += peso;
        const std::int64_t agora = DivideArredondando(static_cast<__int128>(juros) * acumulado, soma);
        c.jurosCentavos = agora - antes;
        antes = agora;
    }
    return true;
}

}  // namespace

std::optional<std::vector<ChequeCalculado>> ChequesCalculados(const Bancada& b, int anoCorrente) {
    const TipoCalculo tipo = b.dados.Tipo;
    if (tipo != TipoCalculo::DescontoCheque && tipo != TipoCalculo::VendaPorFora) return std::nullopt;
    try {
        std::optional<std::vector<ChequeCalculado>> cheques = DatasDosCheques(b, anoCorrente);
        if (!cheques || cheques->empty()) return std::nullopt;
        const bool conferem =
            tipo == TipoCalculo::DescontoCheque ? FigurasDoDesconto(b, *cheques) : FigurasDaVendaCerta(b, *cheques);
        if (!conferem) return std::nullopt;
        return cheques;
    } catch (const ErroQuantivo&) {
        return std::nullopt;
    }
}

}  // namespace quantivo
