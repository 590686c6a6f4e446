#pragma once
// The message service: every text the program shows in a message box goes
// through it, so that the windows show a modal box while the tests and
// quantivo-batch record the texts in order.
#include <string>
#include <vector>

#include "core/Datas.h"

namespace quantivo {

enum class Icone { Nenhum, Informacao, Aviso, Erro };

struct Mensagem {
    std::string texto;
    std::string titulo;  // empty: the program's own title
    Icone icone = Icone::Nenhum;
    bool operator==(const Mensagem&) const = default;
};

class Mensageiro {
public:
    virtual ~Mensageiro() = default;
    // Shows the message and returns once the user has answered it with OK.
    virtual void Mostra(const Mensagem& m) = 0;
    void Mostra(const std::string& texto, const std::string& titulo = {}, Icone icone = Icone::Nenhum) {
        Mostra(Mensagem{texto, titulo, icone});
    }
};

// Records every message, answering each one with OK.
class MensageiroGravador : public Mensageiro {
public:
    using Mensageiro::Mostra;
    void Mostra(const Mensagem& m) override { mensagens.push_back(m); }
    std::vector<std::string> Textos() const {
        std::vector<std::string> t;
        for (const auto& m : mensagens) t.push_back(m.texto);
        return t;
    }
    std::vector<Mensagem> mensagens;
};

// What a calculation needs from outside: where its messages go and which day
// is today (the two-digit-year window and the date defaults depend on it).
struct Contexto {
    Mensageiro& msg;
    Data hoje;
    int AnoCorrente() const { return AnoDe(hoje); }
};

}  // namespace quantivo
