#include "output/Cp1252.h"

#include <cstdint>

namespace quantivo {
namespace {

// Code points of bytes 0x80..0x9F; 0 marks the bytes Windows-1252 leaves undefined.
const char32_t kAlto[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                            0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                            0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AnexaUtf8(std::string& out, char32_t u) {
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (u >> 18));
        out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

}  // namespace

char32_t ProximoCodigo(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    const int n = b0 < 0x80 ? 0 : (b0 >> 5) == 6 ? 1 : (b0 >> 4) == 14 ? 2 : (b0 >> 3) == 30 ? 3 : -1;
    if (n == 0) {
        ++i;
        return b0;
    }
    if (n < 0 || i + static_cast<std::size_t>(n) >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t u = b0 & (0x3F >> n);
    for (int k = 1; k <= n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        u = (u << 6) | (b & 0x3F);
    }
    i += static_cast<std::size_t>(n) + 1;
    return u;
}

std::string Utf8ParaCp1252(std::string_view utf8) {
    std::string r;
    r.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t u = ProximoCodigo(utf8, i);
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            r += static_cast<char>(u);
            continue;
        }
        char b = '?';
        for (int k = 0; k < 32; ++k) {
            if (kAlto[k] != 0 && kAlto[k] == u) {
                b = static_cast<char>(0x80 + k);
                break;
            }
        }
        r += b;
    }
    return r;
}

std::string Cp1252ParaUtf8(std::string_view bytes) {
    std::string r;
    r.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F) {
            AnexaUtf8(r, kAlto[b - 0x80] ? kAlto[b - 0x80] : 0xFFFD);
        } else {
            AnexaUtf8(r, b);
        }
    }
    return r;
}

}  // namespace quantivo
