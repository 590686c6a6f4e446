#include "output/GeraListagem.h"

#include <cstdio>
#include <limits>

#include "core/Cmc7.h"
#include "core/Erros.h"
#include "core/Fornecedor.h"
#include "core/Valores.h"
#include "output/Cp1252.h"

namespace quantivo {
namespace {

std::string Espacos(std::size_t n) { return std::string(n, ' '); }
std::string Repete(char c, std::size_t n) { return std::string(n, c); }

// A cell or label text as the listing carries it. Control characters would
// break the file's line structure (a line end inside a cell) or its columns (a
// tab), so they print as blanks.
std::string Texto(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return r;
}

// The first `n` characters of the text, padded with blanks to `n` when asked.
// A broken UTF-8 sequence counts one character a byte, as the Windows-1252
// file will hold it (one "?" each).
std::string Corta(std::string_view s, std::size_t n, bool completa) {
    std::size_t i = 0, chars = 0;
    while (i < s.size() && chars < n) {
        ProximoCodigo(s, i);
        ++chars;
    }
    std::string r = Texto(s.substr(0, i));
    if (completa && chars < n) r += Espacos(n - chars);
    return r;
}

// The column takes the first 14 characters of a Banco/Número; a cheque
// read by its magnetic line shows "237/0494/001793", 15 of them, and is
// listed whole, or its number would lose its last digit.
std::string BancoNumeroListado(const Parcela& p) {
    if (!p.CMC7.empty())
        if (const LeituraCmc7 l = LeCmc7(p.CMC7); l.Valido() && l.cmc7->BancoNumero() == p.BancoNumero)
            return Texto(p.BancoNumero);
    return Corta(p.BancoNumero, 14, true);
}

std::string AlinhaDireita(const std::string& s, std::size_t largura) {
    return s.size() >= largura ? s : Espacos(largura - s.size()) + s;
}

std::string QuatroDigitos(std::int64_t n) {
    char b[32];
    std::snprintf(b, sizeof b, "%.4lld", static_cast<long long>(n));
    return b;
}

// "Valor Financiado" goes through the amount rule, which drops every sign; a
// negative net value (fees above the face value) must not print as positive,
// so a text that begins with "-" keeps it.
long double LeValorFinanciado(std::string_view texto) {
    const long double v = LeValor(texto);
    std::size_t i = 0;
    while (i < texto.size() && texto[i] == ' ') ++i;
    return i < texto.size() && texto[i] == '-' ? -v : v;
}

// The totals are summed in double, each step rounded to double as it is stored.
double Soma(double total, long double parcela) { return ParaDouble(static_cast<long double>(total) + parcela); }

void Topo(std::vector<std::string>& l) {
    l.insert(l.end(), 3, std::string());
    l.push_back(Espacos(19) + Repete('=', 40));
    l.push_back(Espacos(31) + "QUANTIVO");
    l.push_back(Espacos(19) + Repete('=', 40));
}

void Rodape(std::vector<std::string>& l) {
    l.push_back(Espacos(17) + Repete('=', 39));
    l.push_back(Espacos(24) + fornecedor::kSite);
    l.push_back(Espacos(20) + fornecedor::kEmail);
    l.push_back(Espacos(17) + Repete('=', 39));
}

const char* const kMascaraLinha = "####,##0.00";

}  // namespace

std::int32_t LeInteiro(std::string_view texto) {
    std::size_t i = 0;
    while (i < texto.size() && texto[i] == ' ') ++i;
    bool negativo = false;
    if (i < texto.size() && (texto[i] == '+' || texto[i] == '-')) negativo = texto[i++] == '-';
    if (i == texto.size()) throw ErroConversao::Integer(texto);
    std::int64_t v = 0;
    for (; i < texto.size(); ++i) {
        const char c = texto[i];
        if (c < '0' || c > '9') throw ErroConversao::Integer(texto);
        v = v * 10 + (c - '0');
        if (v > static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1)
            throw ErroConversao::Integer(texto);
    }
    if (negativo) v = -v;
    if (v > std::numeric_limits<std::int32_t>::max()) throw ErroConversao::Integer(texto);
    return static_cast<std::int32_t>(v);
}

CampoListagem CampoDeListagem(long double valor, int decimais) {
    const long double v = Segura(valor, decimais);
    return {v, TextoCampo(v, decimais)};
}

EntradaListagem EntradaDaBancada(const Bancada& b, const std::string* tipoTarifaTexto) {
    EntradaListagem e;
    const DadosGerais& d = b.dados;
    e.DataReferencia = d.DataReferencia;
    e.ValorFinanciado = d.ValorFinanciado;
    e.Taxa = d.Taxa;
    e.TAC = TextoCampo(d.TAC, 2);
    e.IOF = TextoCampo(d.IOF, 4);
    e.Tarifa = d.Tarifa;
    if (tipoTarifaTexto) {
        e.TipoTarifa = *tipoTarifaTexto;
    } else if (d.TipoTarifa != TipoDeTarifa::Nenhuma) {
        e.TipoTarifa = kTextosTipoTarifa[static_cast<int>(d.TipoTarifa)];
    }
    e.linhas = b.linhas;
    e.RotuloTarifa = b.totais.Tarifa;
    e.RotuloTAC = b.totais.TAC;
    e.RotuloIOF = b.totais.IOF;
    e.RotuloJuros = b.totais.Juros;
    e.Feriados = d.Feriados;
    return e;
}

EntradaListagemPrestacoes EntradaPrestacoes(Data referencia, const std::string& referenciaTexto,
                                            long double valorFinanciado, long double taxa, long double numPrestacao,
                                            long double vlrPrestacao) {
    EntradaListagemPrestacoes e;
    e.DataReferencia = referencia;
    e.DataReferenciaTexto = referenciaTexto;
    e.ValorFinanciado = CampoDeListagem(valorFinanciado, 2);
    e.Taxa = CampoDeListagem(taxa, 5);
    e.NumPrestacao = CampoDeListagem(numPrestacao, 0);
    e.VlrPrestacao = CampoDeListagem(vlrPrestacao, 2);
    return e;
}

std::vector<std::string> GeraListagem(const EntradaListagem& e) {
    std::vector<std::string> l;
    l.reserve(e.linhas.size() + 30);
    Topo(l);
    const std::string margem = Espacos(21);
    l.push_back(margem + "Data de Referência:" + FormataData(e.DataReferencia));
    l.push_back(margem + "Valor Financiado: R$" + FormataValor(LeValorFinanciado(e.ValorFinanciado)));
    l.push_back(margem + "Taxa  : " + Texto(e.Taxa) + "%");
    l.push_back(margem + "TAC   : " + Texto(e.TAC) + "%       IOF: " + Texto(e.IOF) + "%");
    l.push_back(margem + "Tarifa: R$" + FormataMascara(e.Tarifa, "#,##0.00") + "  " + Texto(e.TipoTarifa));
    if (e.Feriados) l.push_back(margem + kLinhaFeriados);
    const std::string traco = Espacos(5) + Repete('-', 72);
    l.push_back(traco);
    l.push_back(Espacos(9) + "Data" + Espacos(11) + "Valor" + " " + "Dias" + " " + "Banco/Cheque" + Espacos(3) +
                "Emitente" + Espacos(14));
    l.push_back(traco);

    double total = 0;
    for (const Parcela& p : e.linhas) {
        if (p.Data.empty()) continue;
        const long double valor = LeValor(p.Valor);
        std::string linha =
            Espacos(5) + Texto(p.Data) + " " + AlinhaDireita(FormataMascara(valor, kMascaraLinha), 15) + " ";
        if (!p.Dias.empty()) linha += QuatroDigitos(LeInteiro(p.Dias));
        linha += " " + BancoNumeroListado(p) + " " + Corta(p.Emitente, 25, false);
        total = Soma(total, valor);
        l.push_back(std::move(linha));
    }

    l.push_back(traco);
    l.push_back(Espacos(5) + "Total.........:R$" + FormataValor(total));
    for (const std::string* r : {&e.RotuloTarifa, &e.RotuloTAC, &e.RotuloIOF, &e.RotuloJuros})
        l.push_back(Espacos(5) + Texto(*r));
    Rodape(l);
    return l;
}

std::vector<std::string> GeraListagemPrestacoes(const EntradaListagemPrestacoes& e) {
    std::vector<std::string> l;
    Topo(l);
    const std::string margem = Espacos(21);
    l.push_back(margem + "Data de Referência:" + Texto(e.DataReferenciaTexto));
    l.push_back(margem + "Valor Financiado: R$" + FormataValor(LeValorFinanciado(e.ValorFinanciado.texto)));
    l.push_back(margem + "Taxa  : " + Texto(e.Taxa.texto) + "%");
    l.push_back(margem + "N.Prestação  : " + Texto(e.NumPrestacao.texto));
    const std::string traco = Espacos(19) + Repete('-', 36);
    l.push_back(traco);
    l.push_back(Espacos(23) + "Data" + Espacos(11) + "Valor" + " " + "Dias" + Espacos(7));
    l.push_back(traco);

    const std::int64_t n = Trunca(e.NumPrestacao.valor);
    double total = 0;
    if (n > 0) {
        // The last due date must still be a calendar date (years up to 9999):
        // past that the schedule cannot be formed at all.
        const DataCivil ref = DecodificaData(e.DataReferencia);
        const std::int64_t mesesAteOLimite =
            (9999LL * 12 + 11) - (static_cast<std::int64_t>(ref.ano) * 12 + ref.mes - 1);
        if (n > mesesAteOLimite) throw ErroAritmetico::Estouro();
        const std::string valorTexto = AlinhaDireita(FormataMascara(LeNumero(e.VlrPrestacao.texto), kMascaraLinha), 15);
        l.reserve(l.size() + static_cast<std::size_t>(n) + 8);
        for (std::int64_t k = 1; k <= n; ++k) {
            const Data venc = VencimentoMensal(e.DataReferencia, k);
            l.push_back(Espacos(19) + FormataData(venc) + " " + valorTexto + " " +
                        QuatroDigitos(static_cast<std::int64_t>(venc) - e.DataReferencia));
            total = Soma(total, e.VlrPrestacao.valor);
        }
    }
    l.push_back(Espacos(17) + Repete('-', 39));
    l.push_back(Espacos(19) + "Total.........:R$" + FormataValor(total));
    Rodape(l);
    return l;
}

}  // namespace quantivo
