#pragma once
// The message service: every text the program shows in a message box goes
// through it, so that the windows show a modal box while the tests and
// quantivo-batch record the texts in order. A yes-or-no question goes the
// same way.
#include <string>
#include <vector>

#include "core/Datas.h"

namespace quantivo {

enum class Icone { Nenhum, Informacao, Aviso, Erro, Pergunta };

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
    // Asks a question with the answers yes and no and returns the user's
    // (true: yes). `padrao` is the answer Enter gives.
    virtual bool Pergunta(const Mensagem& m, bool padrao) = 0;
    bool Pergunta(const std::string& texto, bool padrao, const std::string& titulo = {}) {
        return Pergunta(Mensagem{texto, titulo, Icone::Pergunta}, padrao);
    }
};

// Records every message, answering each one with OK. A question is recorded
// among the messages and answered with the next of `respostas`, or, when
// none is left, as Enter would answer it.
class MensageiroGravador : public Mensageiro {
public:
    using Mensageiro::Mostra;
    using Mensageiro::Pergunta;
    void Mostra(const Mensagem& m) override { mensagens.push_back(m); }
    bool Pergunta(const Mensagem& m, bool padrao) override {
        mensagens.push_back(m);
        if (respostas.empty()) return padrao;
        const bool r = respostas.front();
        respostas.erase(respostas.begin());
        return r;
    }
    std::vector<std::string> Textos() const {
        std::vector<std::string> t;
        for (const auto& m : mensagens) t.push_back(m.texto);
        return t;
    }
    std::vector<Mensagem> mensagens;
    std::vector<bool> respostas;
};

// What a calculation needs from outside: where its messages go and which day
// is today (the two-digit-year window and the date defaults depend on it).
struct Contexto {
    Mensageiro& msg;
    Data hoje;
    int AnoCorrente() const { return AnoDe(hoje); }
};

}  // namespace quantivo
