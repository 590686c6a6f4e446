// The listing texts over arbitrary workbench states and instalment windows:
// only the core's errors may escape, no line may carry a control character
// (it would break the file's lines), and valid UTF-8 in gives valid UTF-8 out
// (the columns are cut by characters, never inside one).
#include <algorithm>

#include "Gerador.h"
#include "core/DescontoCheque.h"
#include "output/GeraListagem.h"

using namespace quantivo;
using namespace quantivo::fuzz;

namespace {

// `entradaLimpa`: no input text itself says "nan" or "inf".
void Confere(const std::vector<std::string>& linhas, bool entradaUtf8, bool entradaLimpa) {
    for (const std::string& l : linhas) {
        const auto controle = [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; };
        Exige(std::none_of(l.begin(), l.end(), controle), [&] { return "caractere de controle: " + l; });
        if (entradaUtf8) Exige(Utf8Valido(l), [&] { return "UTF-8 quebrado: " + l; });
        if (entradaLimpa) Exige(!TemNaoNumero(l), [&] { return "não-número: " + l; });
    }
}

// Every text of the state, one after the other.
std::string Textos(const Bancada& b, const std::string& tipo) {
    std::string t = tipo + "|" + b.dados.ValorFinanciado + "|" + b.dados.Taxa + "|" + b.totais.Tarifa + "|" +
                    b.totais.TAC + "|" + b.totais.IOF + "|" + b.totais.Juros;
    for (const Parcela& p : b.linhas)
        t += "|" + p.Data + "|" + p.Valor + "|" + p.BancoNumero + "|" + p.Emitente + "|" + p.Dias;
    return t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    FuzzedDataProvider f(dados, tamanho);
    if (f.ConsumeBool()) {
        // The workbench's print action: the calculation first, then the listing.
        const Data hoje = UmHoje(f);
        Bancada b = UmaBancada(f);
        b.totais.Tarifa = UmTexto(f);
        b.totais.Juros = f.ConsumeRandomLengthString(20);
        const bool comTexto = f.ConsumeBool();
        const std::string tipo = f.ConsumeRandomLengthString(30);
        MensageiroGravador msgs;
        const Contexto ctx{msgs, hoje};
        bool calculou = true;
        if (f.ConsumeBool()) {
            try {
                CalculaDescontoCheque(b, ctx);
            } catch (const ErroQuantivo&) {
                calculou = false;
            }
        }
        if (!calculou) return 0;
        const std::string textos = Textos(b, tipo);
        SoErrosDoNucleo([&] {
            Confere(GeraListagem(EntradaDaBancada(b, comTexto ? &tipo : nullptr)), Utf8Valido(textos),
                    !TemNaoNumero(textos));
        });
    } else {
        // The instalment window's listing; the count stays small enough to be quick.
        const Data ref = UmaData(f);
        const std::string refTexto = f.ConsumeBool() ? FormataData(ref) : f.ConsumeRandomLengthString(12);
        const long double vf = UmValorDeCampo(f, 2);
        const long double taxa = UmValorDeCampo(f, 5);
        const long double n = f.ConsumeBool() ? f.ConsumeIntegralInRange(-5, 400) : UmValorDeCampo(f, 0);
        const long double vp = UmValorDeCampo(f, 2);
        if (n > 5000) return 0;
        SoErrosDoNucleo([&] {
            Confere(GeraListagemPrestacoes(EntradaPrestacoes(ref, refTexto, vf, taxa, n, vp)), Utf8Valido(refTexto),
                    !TemNaoNumero(refTexto));
        });
    }
    return 0;
}
