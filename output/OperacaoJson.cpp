#include "output/OperacaoJson.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/Erros.h"
#include "core/Valores.h"

namespace quantivo {

const JsonExato& CampoDoPedido(const JsonExato& obj, const char* nome) {
    if (!obj.is_object()) throw ErroPedido("pedido não é um objeto");
    const auto it = obj.find(nome);
    if (it == obj.end()) throw ErroPedido(std::string("campo ausente: ") + nome);
    return *it;
}

long double NumeroDoPedido(const JsonExato& v, const char* nome) {
    if (!v.is_number()) throw ErroPedido(std::string("campo não numérico: ") + nome);
    return v.get<long double>();
}

std::string TextoDoPedido(const JsonExato& v, const char* nome) {
    if (!v.is_string()) throw ErroPedido(std::string("campo não é texto: ") + nome);
    return v.get<std::string>();
}

bool LogicoDoPedido(const JsonExato& v, const char* nome) {
    if (!v.is_boolean()) throw ErroPedido(std::string("campo não é lógico: ") + nome);
    return v.get<bool>();
}

Data DataDoPedido(const JsonExato& v, const char* nome) {
    const auto d = LeDataLonga(TextoDoPedido(v, nome));
    if (!d) throw ErroPedido(std::string("data inválida (dd/mm/aaaa): ") + nome);
    return *d;
}

std::vector<FeriadoLocal> FeriadosLocaisDoPedido(const JsonExato& pedido) {
    std::vector<FeriadoLocal> locais;
    const auto it = pedido.find("feriados_locais");
    if (it == pedido.end()) return locais;
    if (!it->is_array()) throw ErroPedido("feriados_locais deve ser uma lista");
    for (const JsonExato& f : *it) {
        const std::string texto = TextoDoPedido(f, "feriados_locais");
        auto feriado = LeFeriadoLocal(texto);
        if (!feriado) throw ErroPedido("feriado local inválido (dd/mm ou dd/mm/aaaa): " + texto);
        locais.push_back(std::move(*feriado));
    }
    return locais;
}

namespace {

// A charge as its field holds it. The fields take no minus sign: a negative
// charge would add to the net value while its label shows 0.
long double Encargo(const JsonExato& dados, const char* nome, int decimais) {
    const long double v = Segura(NumeroDoPedido(CampoDoPedido(dados, nome), nome), decimais);
    if (v < 0) throw ErroPedido(std::string(nome) + " não pode ser negativo");
    return v;
}

// A text member of `obj` into `destino`, when it is there. The fields that
// came with the journal (the customer, the rows' CMC7 and Documento) also
// take null for "not given", as its requests always have.
enum class Nulo { Recusado, Ausente };
void TextoOpcional(const JsonExato& obj, const char* nome, std::string& destino, Nulo nulo = Nulo::Recusado) {
    const auto it = obj.find(nome);
    if (it == obj.end() || (nulo == Nulo::Ausente && it->is_null())) return;
    destino = TextoDoPedido(*it, nome);
}

Cliente ClienteDoPedido(const JsonExato& pedido) {
    Cliente c;
    const auto it = pedido.find("cliente");
    if (it == pedido.end() || it->is_null()) return c;
    if (!it->is_object()) throw ErroPedido("cliente deve ser um objeto");
    TextoOpcional(*it, "nome", c.nome, Nulo::Ausente);
    TextoOpcional(*it, "documento", c.documento, Nulo::Ausente);
    return c;
}

}  // namespace

Bancada BancadaDoPedido(const JsonExato& pedido) {
    Bancada b;
    const JsonExato& d = CampoDoPedido(pedido, "dados");
    DadosGerais& g = b.dados;
    g.DataReferencia = DataDoPedido(CampoDoPedido(d, "DataReferencia"), "DataReferencia");
    g.ValorFinanciado = TextoDoPedido(CampoDoPedido(d, "ValorFinanciado"), "ValorFinanciado");
    g.Taxa = TextoDoPedido(CampoDoPedido(d, "Taxa"), "Taxa");
    g.TAC = Encargo(d, "TAC", 2);
    g.IOF = Encargo(d, "IOF", 4);
    const long double tt = NumeroDoPedido(CampoDoPedido(d, "TipoTarifa"), "TipoTarifa");
    if (tt != -1 && tt != 0 && tt != 1) throw ErroPedido("TipoTarifa deve ser -1, 0 ou 1");
    g.TipoTarifa = static_cast<TipoDeTarifa>(static_cast<int>(tt));
    g.Tarifa = Encargo(d, "Tarifa", 2);
    g.IncluiCompensacao = LogicoDoPedido(CampoDoPedido(d, "IncluiCompensacao"), "IncluiCompensacao");
    if (const auto f = d.find("Feriados"); f != d.end()) g.Feriados = LogicoDoPedido(*f, "Feriados");
    g.FeriadosLocais = FeriadosLocaisDoPedido(pedido);

    const JsonExato& linhas = CampoDoPedido(pedido, "linhas");
    if (!linhas.is_array()) throw ErroPedido("linhas deve ser uma lista");
    b.linhas.clear();
    for (const JsonExato& l : linhas) {
        if (!l.is_object()) throw ErroPedido("cada linha deve ser um objeto");
        Parcela p;
        TextoOpcional(l, "Data", p.Data);
        TextoOpcional(l, "Valor", p.Valor);
        TextoOpcional(l, "BancoNumero", p.BancoNumero);
        TextoOpcional(l, "Emitente", p.Emitente);
        TextoOpcional(l, "Dias", p.Dias);
        TextoOpcional(l, "CMC7", p.CMC7, Nulo::Ausente);
        TextoOpcional(l, "Documento", p.Documento, Nulo::Ausente);
        b.linhas.push_back(std::move(p));
    }
    if (const auto it = pedido.find("rotulos"); it != pedido.end()) {
        if (!it->is_object()) throw ErroPedido("rotulos deve ser um objeto");
        TextoOpcional(*it, "ValorTotal", b.totais.ValorTotal);
        TextoOpcional(*it, "TAC", b.totais.TAC);
        TextoOpcional(*it, "IOF", b.totais.IOF);
        TextoOpcional(*it, "Juros", b.totais.Juros);
        TextoOpcional(*it, "Tarifa", b.totais.Tarifa);
        TextoOpcional(*it, "CET", b.totais.CET);
    }
    return b;
}

JanelaPrice JanelaDoPedido(const JsonExato& j) {
    JanelaPrice janela;
    janela.ValorFinanciado = Segura(NumeroDoPedido(CampoDoPedido(j, "ValorFinanciado"), "ValorFinanciado"), 2);
    janela.NumPrestacao = Segura(NumeroDoPedido(CampoDoPedido(j, "NumPrestacao"), "NumPrestacao"), 0);
    janela.Taxa = Segura(NumeroDoPedido(CampoDoPedido(j, "Taxa"), "Taxa"), 5);
    janela.VlrPrestacao = Segura(NumeroDoPedido(CampoDoPedido(j, "VlrPrestacao"), "VlrPrestacao"), 2);
    return janela;
}

OutrasJanelas OutrasJanelasDoPedido(const JsonExato& pedido, TipoCalculo tipo) {
    OutrasJanelas outras;
    const TipoOperacao* t = DescricaoDoTipo(tipo);
    if (t && t->leJanelaPrestacao) outras.prestacao = JanelaDoPedido(CampoDoPedido(pedido, "janela"));
    if (t && t->leQtdParcelas)
        outras.qtdParcelas = Segura(NumeroDoPedido(CampoDoPedido(pedido, "qtdParcelas"), "qtdParcelas"), 0);
    return outras;
}

TipoCalculo TipoDoPedido(const JsonExato& v) {
    const long double t = NumeroDoPedido(v, "tipo");
    if (t == static_cast<int>(TipoCalculo::Nenhum)) return TipoCalculo::Nenhum;
    for (const TipoOperacao& tipo : TiposOperacao())
        if (t == static_cast<int>(tipo.tipo)) return tipo.tipo;
    throw ErroPedido("tipo deve ser -1, 0, 1, 2 ou 3");
}

Operacao OperacaoDoPedido(const JsonExato& pedido, TipoCalculo tipo) {
    Operacao op;
    op.bancada = BancadaDoPedido(pedido);
    op.bancada.dados.Tipo = tipo;
    op.cliente = ClienteDoPedido(pedido);
    op.janelas = OutrasJanelasDoPedido(pedido, tipo);
    return op;
}

Operacao OperacaoDoPedido(const JsonExato& pedido) {
    const TipoCalculo tipo = TipoDoPedido(CampoDoPedido(pedido, "tipo"));
    std::optional<std::string> tipoTarifaTexto;
    if (const auto it = pedido.find("TipoTarifaTexto"); it != pedido.end())
        tipoTarifaTexto = TextoDoPedido(*it, "TipoTarifaTexto");
    Operacao op = OperacaoDoPedido(pedido, tipo);
    op.tipoTarifaTexto = std::move(tipoTarifaTexto);
    return op;
}

namespace {

JsonExato RotulosJson(const Totais& t) {
    return {{"ValorTotal", t.ValorTotal}, {"TAC", t.TAC}, {"IOF", t.IOF}, {"Juros", t.Juros}, {"Tarifa", t.Tarifa}};
}

JsonExato JanelaJson(const JanelaPrice& j) {
    return {{"ValorFinanciado", j.ValorFinanciado},
            {"NumPrestacao", j.NumPrestacao},
            {"Taxa", j.Taxa},
            {"VlrPrestacao", j.VlrPrestacao}};
}

JsonExato CelulasJson(const Parcela& p) {
    return {{"Data", p.Data},
            {"Valor", p.Valor},
            {"BancoNumero", p.BancoNumero},
            {"Emitente", p.Emitente},
            {"Dias", p.Dias}};
}

}  // namespace

JsonExato PedidoDaOperacao(const Operacao& op) {
    const Bancada& b = op.bancada;
    const DadosGerais& g = b.dados;
    JsonExato j = JsonExato::object();
    j["tipo"] = static_cast<int>(g.Tipo);
    j["dados"] = {
        {"DataReferencia", g.DataReferencia == kDataNula ? std::string() : FormataDataLonga(g.DataReferencia)},
        {"ValorFinanciado", g.ValorFinanciado},
        {"Taxa", g.Taxa},
        {"TAC", g.TAC},
        {"IOF", g.IOF},
        {"TipoTarifa", static_cast<int>(g.TipoTarifa)},
        {"Tarifa", g.Tarifa},
        {"IncluiCompensacao", g.IncluiCompensacao},
        {"Feriados", g.Feriados}};
    JsonExato locais = JsonExato::array();
    for (const FeriadoLocal& f : g.FeriadosLocais) locais.push_back(TextoFeriadoLocal(f));
    j["feriados_locais"] = std::move(locais);
    JsonExato linhas = JsonExato::array();
    for (const Parcela& p : b.linhas) {
        JsonExato l = CelulasJson(p);
        // Most rows have neither: a request without them means "".
        if (!p.CMC7.empty()) l["CMC7"] = p.CMC7;
        if (!p.Documento.empty()) l["Documento"] = p.Documento;
        linhas.push_back(std::move(l));
    }
    j["linhas"] = std::move(linhas);
    JsonExato rotulos = RotulosJson(b.totais);
    rotulos["CET"] = b.totais.CET;
    j["rotulos"] = std::move(rotulos);
    if (op.tipoTarifaTexto) j["TipoTarifaTexto"] = *op.tipoTarifaTexto;
    j["cliente"] = {{"nome", op.cliente.nome}, {"documento", op.cliente.documento}};
    if (const TipoOperacao* t = DescricaoDoTipo(g.Tipo)) {
        if (t->leJanelaPrestacao) j["janela"] = JanelaJson(op.janelas.prestacao);
        if (t->leQtdParcelas) j["qtdParcelas"] = op.janelas.qtdParcelas;
    }
    return j;
}

void EscreveBancadaNaResposta(const Bancada& b, JsonExato& resp) {
    JsonExato linhas = JsonExato::array();
    for (const Parcela& p : b.linhas) linhas.push_back(CelulasJson(p));
    resp["linhas"] = std::move(linhas);
    resp["ValorFinanciado"] = b.dados.ValorFinanciado;
    resp["rotulos"] = RotulosJson(b.totais);
}

void EscreveJanelaNaResposta(const JanelaPrice& j, JsonExato& resp) { resp["janela"] = JanelaJson(j); }

void EscreveRespostaDaOperacao(const Operacao& op, JsonExato& resp) {
    const Bancada& b = op.bancada;
    EscreveBancadaNaResposta(b, resp);
    const TipoOperacao* t = DescricaoDoTipo(b.dados.Tipo);
    if (!t) return;
    if (t->leJanelaPrestacao) EscreveJanelaNaResposta(op.janelas.prestacao, resp);
    if (t->cet) {
        // Null when the calculation found none or did not complete.
        resp["CET"] = b.totais.CET;
        resp["cet_anual"] = b.cet ? JsonExato(b.cet->anual) : JsonExato(nullptr);
        resp["cet_mensal"] = b.cet ? JsonExato(b.cet->mensal) : JsonExato(nullptr);
    }
}

namespace {

// A number as std::to_chars writes it ("." before the decimals), read back
// whatever the process locale is: the core's reading takes the ",".
long double LeFormaGeral(std::string t) {
    for (char& c : t)
        if (c == '.') c = ',';
    try {
        return LeNumero(t);
    } catch (const ErroConversao&) {
        return std::numeric_limits<long double>::quiet_NaN();
    }
}

void Escreve(const JsonExato& j, std::string& out) {
    const auto texto = [&out](const std::string& s) {
        out += nlohmann::json(s).dump(-1, ' ', false, nlohmann::detail::error_handler_t::replace);
    };
    switch (j.type()) {
        case JsonExato::value_t::object: {
            out += '{';
            bool primeiro = true;
            for (auto it = j.begin(); it != j.end(); ++it) {
                if (!primeiro) out += ',';
                primeiro = false;
                texto(it.key());
                out += ':';
                Escreve(it.value(), out);
            }
            out += '}';
            break;
        }
        case JsonExato::value_t::array: {
            out += '[';
            for (std::size_t i = 0; i < j.size(); ++i) {
                if (i) out += ',';
                Escreve(j[i], out);
            }
            out += ']';
            break;
        }
        case JsonExato::value_t::string:
            texto(j.get_ref<const std::string&>());
            break;
        case JsonExato::value_t::number_float:
            out += TextoDoNumero(j.get<long double>());
            break;
        case JsonExato::value_t::number_integer:
            out += std::to_string(j.get<std::int64_t>());
            break;
        case JsonExato::value_t::number_unsigned:
            out += std::to_string(j.get<std::uint64_t>());
            break;
        case JsonExato::value_t::boolean:
            out += j.get<bool>() ? "true" : "false";
            break;
        default:
            out += "null";
            break;
    }
}

}  // namespace

// (std::from_chars cannot do the reading back: mingw-w64's goes through a double.)
std::string TextoDoNumero(long double v) {
    if (!std::isfinite(v)) return "null";
    char b[64];
    std::to_chars_result r{};
    for (int p = 15; p <= 21; ++p) {
        r = std::to_chars(b, b + sizeof b - 1, v, std::chars_format::general, p);
        // mingw-w64's to_chars of a long double goes through printf, which
        // writes the C library locale's decimal point (a "," in pt_BR).
        std::replace(b, r.ptr, ',', '.');
        *r.ptr = '\0';
        if (LeFormaGeral(b) == v) break;
    }
    return std::string(b, r.ptr);
}

std::string TextoJson(const JsonExato& j) {
    std::string out;
    Escreve(j, out);
    return out;
}

}  // namespace quantivo
