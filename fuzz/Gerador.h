#pragma once
// Building blocks of the fuzz targets: arbitrary workbench states from the
// fuzzer's bytes, and the checks every calculation must pass. Random texts are
// biased towards what a person types into the cells (numbers with "," and ".",
// dates with "/"), so that the calculations get past their first conversion.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/Datas.h"
#include "core/Erros.h"
#include "core/Linhas.h"
#include "core/Mensagens.h"
#include "core/Tipos.h"
#include "core/Valores.h"

namespace quantivo::fuzz {

// A failed invariant: print it and abort, so that libFuzzer keeps the input.
[[noreturn]] inline void Falha(const std::string& o_que) {
    std::fprintf(stderr, "invariante violada: %s\n", o_que.c_str());
    std::abort();
}
// A check, called for every character and line an input makes: its message
// is built only when it fails, from a text or from a function that writes
// it (a message joining the line checked would otherwise copy the line on
// every call).
inline void Exige(bool cond, const char* o_que) {
    if (!cond) Falha(o_que);
}
template <typename Mensagem>
requires std::is_invocable_r_v<std::string, Mensagem>
inline void Exige(bool cond, Mensagem&& o_que) {
    if (!cond) Falha(o_que());
}

inline const Data kPrimeiraData = *CodificaData(1, 1, 1);
inline const Data kUltimaData = *CodificaData(9999, 12, 31);

// Any day a date field can hold: the null date or a real one.
inline Data UmaData(FuzzedDataProvider& f) {
    switch (f.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return kDataNula;
        case 1:
            return f.ConsumeIntegralInRange<Data>(kPrimeiraData, kUltimaData);
        default:
            return f.ConsumeIntegralInRange<Data>(*CodificaData(1990, 1, 1), *CodificaData(2060, 12, 31));
    }
}
// Today: always a real date.
inline Data UmHoje(FuzzedDataProvider& f) {
    return f.ConsumeBool() ? f.ConsumeIntegralInRange<Data>(kPrimeiraData, kUltimaData)
                           : f.ConsumeIntegralInRange<Data>(*CodificaData(2000, 1, 1), *CodificaData(2040, 12, 31));
}

inline std::string Digitos(FuzzedDataProvider& f, int max) {
    std::string s;
    const int n = f.ConsumeIntegralInRange(0, max);
    for (int i = 0; i < n; ++i) s += static_cast<char>('0' + f.ConsumeIntegralInRange(0, 9));
    return s;
}

// A text as a person might type it into an amount, rate or date cell, or any bytes.
inline std::string UmTexto(FuzzedDataProvider& f) {
    switch (f.ConsumeIntegralInRange(0, 7)) {
        case 0:
            return {};
        case 1:
            return f.ConsumeRandomLengthString(40);
        case 2: {  // an amount: digits, groups, one or more commas
            std::string s = Digitos(f, 12);
            const int partes = f.ConsumeIntegralInRange(0, 3);
            for (int i = 0; i < partes; ++i) {
                const char sep[] = {',', '.', ' ', '-', 'e', 'E', '+'};
                s += sep[f.ConsumeIntegralInRange<std::size_t>(0, sizeof sep - 1)];
                s += Digitos(f, 6);
            }
            return s;
        }
        case 3: {  // a date, maybe with blanks and a time
            std::string s = Digitos(f, 3) + (f.ConsumeBool() ? "/" : " / ") + Digitos(f, 3);
            if (f.ConsumeBool()) s += "/" + Digitos(f, 5);
            if (f.ConsumeBool()) s += " " + Digitos(f, 2) + ":" + Digitos(f, 2) + (f.ConsumeBool() ? " PM" : "");
            return s;
        }
        case 4:
            return kDataInvalida;
        case 5:
            return FormataValor(f.ConsumeFloatingPoint<double>());
        case 6:
            return FormataData(UmaData(f));
        default:
            return Digitos(f, 4) + (f.ConsumeBool() ? "," + Digitos(f, 4) : "");
    }
}

// A numeric field's value: finite (the field reads it from its text), held to
// the field's decimals.
inline long double UmValorDeCampo(FuzzedDataProvider& f, int decimais) {
    long double v;
    switch (f.ConsumeIntegralInRange(0, 3)) {
        case 0:
            v = 0;
            break;
        case 1:
            v = f.ConsumeFloatingPoint<double>();
            break;
        case 2:
            v = f.ConsumeIntegralInRange<std::int64_t>(-100000000, 100000000) / 10000.0L;
            break;
        default:
            v = f.ConsumeIntegralInRange<std::int64_t>(0, 100000) / 100.0L;
            break;
    }
    if (!std::isfinite(v)) v = 0;
    return Segura(v, decimais);
}

inline Bancada UmaBancada(FuzzedDataProvider& f) {
    Bancada b;
    DadosGerais& g = b.dados;
    g.DataReferencia = UmaData(f);
    g.ValorFinanciado = UmTexto(f);
    g.Taxa = UmTexto(f);
    g.TAC = UmValorDeCampo(f, 2);
    g.IOF = UmValorDeCampo(f, 4);
    g.TipoTarifa = static_cast<TipoDeTarifa>(f.ConsumeIntegralInRange(-1, 1));
    g.Tarifa = UmValorDeCampo(f, 2);
    g.IncluiCompensacao = f.ConsumeBool();
    b.linhas.resize(f.ConsumeIntegralInRange<std::size_t>(0, 40));
    for (Parcela& p : b.linhas) {
        p.Data = UmTexto(f);
        p.Valor = UmTexto(f);
        p.BancoNumero = f.ConsumeRandomLengthString(12);
        p.Emitente = f.ConsumeRandomLengthString(12);
        p.Dias = UmTexto(f);
    }
    b.totais.ValorTotal = UmTexto(f);
    return b;
}

// Whether the text shows a non-number as printf or FormataGeral would write it
// ("nan", "-nan", "INF", ...): the word on its own, in any case.
inline bool TemNaoNumero(std::string_view s) {
    auto letra = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    for (std::size_t i = 0; i + 3 <= s.size(); ++i) {
        std::string w(s.substr(i, 3));
        for (char& c : w)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (w != "nan" && w != "inf") continue;
        if (i > 0 && letra(s[i - 1])) continue;
        if (i + 3 < s.size() && letra(s[i + 3]) && s.substr(i, 8) != "infinity" && s.substr(i, 8) != "INFINITY")
            continue;
        return true;
    }
    return false;
}

// No text a calculation writes may show a non-number.
inline void TextoLimpo(const std::string& antes, const std::string& depois, const char* onde) {
    if (antes == depois) return;
    Exige(!TemNaoNumero(depois), [&] { return std::string(onde) + " = '" + depois + "'"; });
}

inline void BancadaLimpa(const Bancada& antes, const Bancada& depois) {
    TextoLimpo(antes.dados.ValorFinanciado, depois.dados.ValorFinanciado, "ValorFinanciado");
    TextoLimpo(antes.dados.Taxa, depois.dados.Taxa, "Taxa");
    TextoLimpo(antes.totais.ValorTotal, depois.totais.ValorTotal, "ValorTotal");
    TextoLimpo(antes.totais.TAC, depois.totais.TAC, "TAC");
    TextoLimpo(antes.totais.IOF, depois.totais.IOF, "IOF");
    TextoLimpo(antes.totais.Juros, depois.totais.Juros, "Juros");
    TextoLimpo(antes.totais.Tarifa, depois.totais.Tarifa, "Tarifa");
    for (std::size_t i = 0; i < depois.linhas.size(); ++i) {
        const Parcela vazia;
        const Parcela& a = i < antes.linhas.size() ? antes.linhas[i] : vazia;
        TextoLimpo(a.Data, depois.linhas[i].Data, "Data");
        TextoLimpo(a.Valor, depois.linhas[i].Valor, "Valor");
        TextoLimpo(a.Dias, depois.linhas[i].Dias, "Dias");
    }
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
inline bool Utf8Valido(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t n;
        char32_t u, minimo;
        if (b < 0x80) {
            ++i;
            continue;
        }
        if ((b >> 5) == 6) {
            n = 1;
            u = b & 0x1F;
            minimo = 0x80;
        } else if ((b >> 4) == 14) {
            n = 2;
            u = b & 0x0F;
            minimo = 0x800;
        } else if ((b >> 3) == 30) {
            n = 3;
            u = b & 0x07;
            minimo = 0x10000;
        } else
            return false;
        if (i + n >= s.size()) return false;
        for (std::size_t k = 1; k <= n; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            u = (u << 6) | (c & 0x3F);
        }
        if (u < minimo || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return false;
        i += n + 1;
    }
    return true;
}

// Runs a calculation on the state: only the core's own errors may leave it.
template <typename F>
void SoErrosDoNucleo(F&& calculo) {
    try {
        calculo();
    } catch (const ErroQuantivo&) {
    }
    // Any other exception escapes to libFuzzer, which reports it as a crash.
}

}  // namespace quantivo::fuzz
