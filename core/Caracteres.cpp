#include "core/Caracteres.h"

namespace quantivo {

std::size_t TamanhoDoCaractere(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n;
    char32_t u, minimo;
    if (b < 0x80) return 1;
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
    } else {
        return 1;
    }
    if (i + n >= s.size()) return 1;
    for (std::size_t k = 1; k <= n; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) return 1;
        u = (u << 6) | (c & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are no characters.
    if (u < minimo || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return 1;
    return n + 1;
}

std::string DescreveCaractere(std::string_view c) {
    if (c.size() == 1) {
        const auto b = static_cast<unsigned char>(c[0]);
        if (b < 0x20 || b == 0x7F) return "um caractere de controle";
        if (b >= 0x80) return "um byte que não é texto";
    }
    // Blanks pasted from other programs look like a space but are not one.
    if (c == "\u00A0" || c == "\u2007" || c == "\u202F" || c == "\u3000" || (c >= "\u2000" && c <= "\u200B"))
        return "um espaço especial";
    if (c == "\uFEFF" || c == "\u200C" || c == "\u200D" || c == "\u2060") return "um caractere invisível";
    return "\"" + std::string(c) + "\"";
}

std::string ListaDePosicoes(const std::size_t* posicoes, std::size_t quantas) {
    std::string s;
    for (std::size_t i = 0; i < quantas; ++i) {
        if (i > 0) s += i + 1 == quantas ? " e " : ", ";
        s += std::to_string(posicoes[i]);
    }
    return s;
}

}  // namespace quantivo
