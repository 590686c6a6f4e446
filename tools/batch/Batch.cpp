#include "tools/batch/Batch.h"

#include <ctime>
#include <map>

#include "core/Erros.h"

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

Json ErroDePedido(const std::string& texto) {
    Json r = Json::object();
    r["erro"] = {{"tipo", "pedido"}, {"texto", texto}};
    return r;
}

}  // namespace

void RegistraOperacao(const std::string& nome, Operacao op) { Operacoes()[nome] = std::move(op); }

Desfecho CalculaNaBancada(Pedido& p, quantivo::Operacao& op) {
    Desfecho d;
    try {
        d = CalculaOperacao(op, p.ctx);
    } catch (...) {
        EscreveRespostaDaOperacao(op, p.resp);
        throw;
    }
    EscreveRespostaDaOperacao(op, p.resp);
    return d;
}

Desfecho CalculaNaBancada(Pedido& p, TipoCalculo tipo, Bancada& b) {
    quantivo::Operacao op;
    op.janelas = OutrasJanelasDoPedido(p.req, tipo);
    op.bancada = std::move(b);
    op.bancada.dados.Tipo = tipo;
    const auto devolve = [&] { b = std::move(op.bancada); };
    Desfecho d;
    try {
        d = CalculaNaBancada(p, op);
    } catch (...) {
        devolve();
        throw;
    }
    devolve();
    return d;
}

Desfecho CalculaNaBancada(Pedido& p, TipoCalculo tipo) {
    quantivo::Operacao op = quantivo::OperacaoDoPedido(p.req, tipo);
    return CalculaNaBancada(p, op);
}

std::string ProcessaLinha(std::string_view linha) {
    Json req;
    try {
        req = Json::parse(linha.begin(), linha.end());
    } catch (const std::exception&) {
        return TextoJson(ErroDePedido("linha não é JSON válido"));
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
        return TextoJson(resp);
    } catch (const ErroPedido& e) {
        return TextoJson(ErroDePedido(e.what()));
    } catch (const std::exception& e) {
        return TextoJson(ErroDePedido(std::string("pedido inválido: ") + e.what()));
    }
}

}  // namespace quantivo::batch
