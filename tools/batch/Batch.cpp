#include "tools/batch/Batch.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>

#include "core/Erros.h"
#include "core/Valores.h"

namespace quantivo::batch {
namespace {

std::map<std::string, Operacao>& Operacoes() {
    static std::map<std::string, Operacao> ops;
    return ops;
}

Data HojeReal() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    return CodificaData(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday).value_or(kDataNula);
}

const char* NomeTipo(TipoErro t) {
    switch (t) {
        case TipoErro::Conversao:
            return "conversao";
        case TipoErro::Aritmetica:
            return "aritmetica";
        case TipoErro::Faixa:
            return "faixa";
    }
    return "aritmetica";
}

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

// The shortest text of 15 to 21 significant digits, in the general form,
// that reads back as the same extended value. (std::from_chars cannot do the
// reading back: mingw-w64's goes through a double.)
std::string NumeroTexto(long double v) {
    if (!std::isfinite(v)) return "null";
    char b[64];
    std::to_chars_result r{};
    for (int p = 15; p <= 21; ++p) {
        r = std::to_chars(b, b + sizeof b - 1, v, std::chars_format::general, p);
        *r.ptr = '\0';
        if (LeFormaGeral(b) == v) break;
    }
    return std::string(b, r.ptr);
}

// nlohmann's serializer cannot print long double, so the response is written here.
void Escreve(const Json& j, std::string& out) {
    switch (j.type()) {
        case Json::value_t::object: {
            out += '{';
            bool primeiro = true;
            for (auto it = j.begin(); it != j.end(); ++it) {
                if (!primeiro) out += ',';
                primeiro = false;
                out += nlohmann::json(it.key()).dump(-1, ' ', false, nlohmann::detail::error_handler_t::replace);
                out += ':';
                Escreve(it.value(), out);
            }
            out += '}';
            break;
        }
        case Json::value_t::array: {
            out += '[';
            for (std::size_t i = 0; i < j.size(); ++i) {
                if (i) out += ',';
                Escreve(j[i], out);
            }
            out += ']';
            break;
        }
        case Json::value_t::string:
            out += nlohmann::json(j.get_ref<const std::string&>())
                       .dump(-1, ' ', false, nlohmann::detail::error_handler_t::replace);
            break;
        case Json::value_t::number_float:
            out += NumeroTexto(j.get<long double>());
            break;
        case Json::value_t::number_integer:
            out += std::to_string(j.get<std::int64_t>());
            break;
        case Json::value_t::number_unsigned:
            out += std::to_string(j.get<std::uint64_t>());
            break;
        case Json::value_t::boolean:
            out += j.get<bool>() ? "true" : "false";
            break;
        default:
            out += "null";
            break;
    }
}

std::string Dump(const Json& j) {
    std::string out;
    Escreve(j, out);
    return out;
}

Json ErroDePedido(const std::string& texto) {
    Json r = Json::object();
    r["erro"] = {{"tipo", "pedido"}, {"texto", texto}};
    return r;
}

}  // namespace

std::string EscreveJson(const Json& j) { return Dump(j); }

void RegistraOperacao(const std::string& nome, Operacao op) { Operacoes()[nome] = std::move(op); }

const Json& Campo(const Json& obj, const char* nome) {
    if (!obj.is_object()) throw ErroPedido("pedido não é um objeto");
    const auto it = obj.find(nome);
    if (it == obj.end()) throw ErroPedido(std::string("campo ausente: ") + nome);
    return *it;
}

long double Numero(const Json& v, const char* nome) {
    if (!v.is_number()) throw ErroPedido(std::string("campo não numérico: ") + nome);
    return v.get<long double>();
}

std::string Texto(const Json& v, const char* nome) {
    if (!v.is_string()) throw ErroPedido(std::string("campo não é texto: ") + nome);
    return v.get<std::string>();
}

bool Logico(const Json& v, const char* nome) {
    if (!v.is_boolean()) throw ErroPedido(std::string("campo não é lógico: ") + nome);
    return v.get<bool>();
}

Data DataDoPedido(const Json& v, const char* nome) {
    const auto d = LeDataLonga(Texto(v, nome));
    if (!d) throw ErroPedido(std::string("data inválida (dd/mm/aaaa): ") + nome);
    return *d;
}

std::vector<FeriadoLocal> FeriadosLocaisDoPedido(const Json& req) {
    std::vector<FeriadoLocal> locais;
    const auto it = req.find("feriados_locais");
    if (it == req.end()) return locais;
    if (!it->is_array()) throw ErroPedido("feriados_locais deve ser uma lista");
    for (const Json& f : *it) {
        const std::string texto = Texto(f, "feriados_locais");
        auto feriado = LeFeriadoLocal(texto);
        if (!feriado) throw ErroPedido("feriado local inválido (dd/mm ou dd/mm/aaaa): " + texto);
        locais.push_back(std::move(*feriado));
    }
    return locais;
}

namespace {

// A charge as its field holds it. The fields take no minus sign: a negative
// charge would add to the net value while its label shows 0.
long double Encargo(const Json& dados, const char* nome, int decimais) {
    const long double v = Segura(Numero(Campo(dados, nome), nome), decimais);
    if (v < 0) throw ErroPedido(std::string(nome) + " não pode ser negativo");
    return v;
}

}  // namespace

Bancada LeBancada(const Json& req) {
    Bancada b;
    const Json& d = Campo(req, "dados");
    DadosGerais& g = b.dados;
    g.DataReferencia = DataDoPedido(Campo(d, "DataReferencia"), "DataReferencia");
    g.ValorFinanciado = Texto(Campo(d, "ValorFinanciado"), "ValorFinanciado");
    g.Taxa = Texto(Campo(d, "Taxa"), "Taxa");
    g.TAC = Encargo(d, "TAC", 2);
    g.IOF = Encargo(d, "IOF", 4);
    const long double tt = Numero(Campo(d, "TipoTarifa"), "TipoTarifa");
    if (tt != -1 && tt != 0 && tt != 1) throw ErroPedido("TipoTarifa deve ser -1, 0 ou 1");
    g.TipoTarifa = static_cast<TipoDeTarifa>(static_cast<int>(tt));
    g.Tarifa = Encargo(d, "Tarifa", 2);
    g.IncluiCompensacao = Logico(Campo(d, "IncluiCompensacao"), "IncluiCompensacao");
    if (const auto f = d.find("Feriados"); f != d.end()) g.Feriados = Logico(*f, "Feriados");
    g.FeriadosLocais = FeriadosLocaisDoPedido(req);

    const Json& linhas = Campo(req, "linhas");
    if (!linhas.is_array()) throw ErroPedido("linhas deve ser uma lista");
    b.linhas.clear();
    for (const Json& l : linhas) {
        if (!l.is_object()) throw ErroPedido("cada linha deve ser um objeto");
        Parcela p;
        auto cel = [&](const char* nome, std::string& destino) {
            const auto it = l.find(nome);
            if (it != l.end()) destino = Texto(*it, nome);
        };
        cel("Data", p.Data);
        cel("Valor", p.Valor);
        cel("BancoNumero", p.BancoNumero);
        cel("Emitente", p.Emitente);
        cel("Dias", p.Dias);
        b.linhas.push_back(std::move(p));
    }
    if (const auto it = req.find("rotulos"); it != req.end()) {
        if (!it->is_object()) throw ErroPedido("rotulos deve ser um objeto");
        auto rot = [&](const char* nome, std::string& destino) {
            const auto r = it->find(nome);
            if (r != it->end()) destino = Texto(*r, nome);
        };
        rot("ValorTotal", b.totais.ValorTotal);
        rot("TAC", b.totais.TAC);
        rot("IOF", b.totais.IOF);
        rot("Juros", b.totais.Juros);
        rot("Tarifa", b.totais.Tarifa);
        rot("CET", b.totais.CET);
    }
    return b;
}

void EscreveBancada(const Bancada& b, Json& resp) {
    Json linhas = Json::array();
    for (const Parcela& p : b.linhas) {
        linhas.push_back({{"Data", p.Data},
                          {"Valor", p.Valor},
                          {"BancoNumero", p.BancoNumero},
                          {"Emitente", p.Emitente},
                          {"Dias", p.Dias}});
    }
    resp["linhas"] = std::move(linhas);
    resp["ValorFinanciado"] = b.dados.ValorFinanciado;
    resp["rotulos"] = {{"ValorTotal", b.totais.ValorTotal},
                       {"TAC", b.totais.TAC},
                       {"IOF", b.totais.IOF},
                       {"Juros", b.totais.Juros},
                       {"Tarifa", b.totais.Tarifa}};
}

JanelaPrice LeJanelaPrice(const Json& j) {
    JanelaPrice janela;
    janela.ValorFinanciado = Segura(Numero(Campo(j, "ValorFinanciado"), "ValorFinanciado"), 2);
    janela.NumPrestacao = Segura(Numero(Campo(j, "NumPrestacao"), "NumPrestacao"), 0);
    janela.Taxa = Segura(Numero(Campo(j, "Taxa"), "Taxa"), 5);
    janela.VlrPrestacao = Segura(Numero(Campo(j, "VlrPrestacao"), "VlrPrestacao"), 2);
    return janela;
}

void EscreveJanelaPrice(const JanelaPrice& j, Json& resp) {
    resp["janela"] = {{"ValorFinanciado", j.ValorFinanciado},
                      {"NumPrestacao", j.NumPrestacao},
                      {"Taxa", j.Taxa},
                      {"VlrPrestacao", j.VlrPrestacao}};
}

Desfecho CalculaNaBancada(Pedido& p, TipoCalculo tipo, Bancada& b) {
    OutrasJanelas outras;
    if (tipo == TipoCalculo::PrestacaoTaxaEfetiva) outras.prestacao = LeJanelaPrice(Campo(p.req, "janela"));
    if (tipo == TipoCalculo::RenegociacaoDividas)
        outras.qtdParcelas = Segura(Numero(Campo(p.req, "qtdParcelas"), "qtdParcelas"), 0);
    b.dados.Tipo = tipo;
    const auto devolve = [&] {
        EscreveBancada(b, p.resp);
        if (tipo == TipoCalculo::PrestacaoTaxaEfetiva) EscreveJanelaPrice(outras.prestacao, p.resp);
        // The discounts' CET: the label's text and its figures (null when the
        // calculation found none or did not complete).
        if (tipo == TipoCalculo::DescontoCheque || tipo == TipoCalculo::VendaPorFora) {
            p.resp["CET"] = b.totais.CET;
            p.resp["cet_anual"] = b.cet ? Json(b.cet->anual) : Json(nullptr);
            p.resp["cet_mensal"] = b.cet ? Json(b.cet->mensal) : Json(nullptr);
        }
    };
    Desfecho d;
    try {
        d = CalculaBancada(b, outras, p.ctx);
    } catch (...) {
        devolve();
        throw;
    }
    devolve();
    return d;
}

Desfecho CalculaNaBancada(Pedido& p, TipoCalculo tipo) {
    Bancada b = LeBancada(p.req);
    return CalculaNaBancada(p, tipo, b);
}

std::string ProcessaLinha(std::string_view linha) {
    Json req;
    try {
        req = Json::parse(linha.begin(), linha.end());
    } catch (const std::exception&) {
        return Dump(ErroDePedido("linha não é JSON válido"));
    }
    try {
        const std::string op = Texto(Campo(req, "op"), "op");
        const auto it = Operacoes().find(op);
        if (it == Operacoes().end()) throw ErroPedido("operação desconhecida: " + op);
        Data hoje = HojeReal();
        if (const auto h = req.find("hoje"); h != req.end()) {
            hoje = DataDoPedido(*h, "hoje");
            if (hoje == kDataNula) throw ErroPedido("hoje deve ser uma data dd/mm/aaaa");
        }
        MensageiroGravador msgs;
        const Contexto ctx{msgs, hoje};
        Json resp = Json::object();
        Pedido pedido{req, resp, ctx};
        Json erro = nullptr;
        try {
            it->second(pedido);
        } catch (const ErroQuantivo& e) {
            erro = {{"tipo", NomeTipo(e.Tipo())}, {"texto", e.what()}};
        } catch (const ErroTipado& e) {
            erro = {{"tipo", e.Tipo()}, {"texto", e.what()}};
        }
        Json mensagens = Json::array();
        for (const Mensagem& m : msgs.mensagens) mensagens.push_back(m.texto);
        resp["mensagens"] = std::move(mensagens);
        resp["erro"] = std::move(erro);
        return Dump(resp);
    } catch (const ErroPedido& e) {
        return Dump(ErroDePedido(e.what()));
    } catch (const std::exception& e) {
        return Dump(ErroDePedido(std::string("pedido inválido: ") + e.what()));
    }
}

}  // namespace quantivo::batch
