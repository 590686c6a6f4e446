#include "core/Cmc7.h"
#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

const Registro opCmc7("cmc7", [](Pedido& p) {
    const LeituraCmc7 l = LeCmc7(Texto(Campo(p.req, "linha"), "linha"));
    Json& r = p.resp;
    r["valido"] = l.Valido();
    if (!l.Valido()) {
        r["problema"] = l.problema;
        for (const char* parte :
             {"digitos", "banco", "agencia", "camara", "cheque", "tipificacao", "conta", "BancoNumero"})
            r[parte] = nullptr;
        return;
    }
    const Cmc7& c = *l.cmc7;
    r["problema"] = nullptr;
    r["digitos"] = c.digitos;
    r["banco"] = c.Banco();
    r["agencia"] = c.Agencia();
    r["camara"] = c.Camara();
    r["cheque"] = c.Cheque();
    r["tipificacao"] = c.Tipificacao();
    r["conta"] = c.Conta();
    r["BancoNumero"] = c.BancoNumero();
});

}  // namespace
}  // namespace quantivo::batch
