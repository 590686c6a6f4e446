// The valida.ini reader and writer over arbitrary bytes: any old file reads
// without failing; the six keys written into it read back as written; writing
// the same settings again changes nothing; and saving the settings just read
// keeps them (nothing is lost by opening the window and saving).
#include "Gerador.h"
#include "output/Cadastro.h"

using namespace quantivo;
using namespace quantivo::fuzz;

namespace {

// A value as the settings window can hold it: printable text with accents, no
// blanks at its ends (the reader trims them) and no line breaks.
std::string UmValor(FuzzedDataProvider& f) {
    static const char* const pecas[] = {"a", "Z", "0", " ", "=", "[", "]", ";", "#", "ç", "ã", "É", "º", "€", "\""};
    std::string s;
    const int n = f.ConsumeIntegralInRange(0, 12);
    for (int i = 0; i < n; ++i) s += pecas[f.ConsumeIntegralInRange<std::size_t>(0, std::size(pecas) - 1)];
    while (!s.empty() && s.front() == ' ') s.erase(0, 1);
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

// What a value read from the file becomes once saved: a line break inside it
// (a lone CR) turns into a blank, blanks at its ends are trimmed on reading,
// and a byte Windows-1252 leaves undefined is written as "?".
std::string ComoSalvo(std::string v) {
    std::string r;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v.compare(i, 3, "\xEF\xBF\xBD") == 0) {
            r += '?';
            i += 2;
        } else {
            r += (v[i] == '\r' || v[i] == '\n') ? ' ' : v[i];
        }
    }
    while (!r.empty() && (r.front() == ' ' || r.front() == '\t')) r.erase(0, 1);
    while (!r.empty() && (r.back() == ' ' || r.back() == '\t')) r.pop_back();
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    FuzzedDataProvider f(dados, tamanho);
    Cadastro c;
    for (std::string* v : {&c.Nome, &c.Atividade, &c.Endereco, &c.Cidade, &c.Assinatura}) *v = UmValor(f);
    c.Vias = f.ConsumeBool() ? "1" : "2";
    const std::string antigo = f.ConsumeRemainingBytesAsString();

    const Cadastro lido = LeCadastroDeTexto(antigo);
    for (const std::string* v :
         {&lido.Nome, &lido.Atividade, &lido.Endereco, &lido.Cidade, &lido.Assinatura, &lido.Vias})
        Exige(Utf8Valido(*v), "valor lido não é UTF-8");

    const std::string novo = GravaCadastroEmTexto(antigo, c);
    Exige(LeCadastroDeTexto(novo) == c, "as chaves gravadas não voltam");
    Exige(GravaCadastroEmTexto(novo, c) == novo, "gravar de novo mudou o arquivo");
    Exige(novo.size() <= antigo.size() * 2 + 4096, "o arquivo cresceu demais");

    // Saving what was read: the settings read back are the same.
    const std::string mesmo = GravaCadastroEmTexto(antigo, lido);
    const Cadastro relido = LeCadastroDeTexto(mesmo);
    const Cadastro esperado{ComoSalvo(lido.Nome),   ComoSalvo(lido.Atividade),  ComoSalvo(lido.Endereco),
                            ComoSalvo(lido.Cidade), ComoSalvo(lido.Assinatura), ComoSalvo(lido.Vias)};
    Exige(relido == esperado, "salvar o que foi lido mudou as chaves");
    return 0;
}
