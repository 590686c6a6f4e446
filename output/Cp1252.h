#pragma once
// The 8-bit Windows-1252 text of the files the program writes, converted from
// and to the UTF-8 the program holds in memory. A table of our own: Qt 6.4's
// text codecs have no Windows-1252, and plain C++ lets the listing builder
// and the settings reader serve quantivo-batch and the fuzzers too.
#include <string>
#include <string_view>

namespace quantivo {

// Decodes the UTF-8 character at s[i] and moves i past it; a broken
// sequence gives U+FFFD and moves one byte.
char32_t ProximoCodigo(std::string_view s, std::size_t& i);

// Characters without a Windows-1252 byte become "?"; invalid UTF-8 bytes too.
std::string Utf8ParaCp1252(std::string_view utf8);
// Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D (undefined) become U+FFFD.
std::string Cp1252ParaUtf8(std::string_view bytes);

}  // namespace quantivo
