#pragma once
// Typed texts one character at a time, for the messages that point at a
// character by its position (the cheque's magnetic line, CPF and CNPJ).
// Texts are UTF-8; a byte that starts no valid sequence counts as one
// character of its own, so that any bytes get a position and a description.
#include <cstddef>
#include <string>
#include <string_view>

namespace quantivo {

// The length in bytes of the character that starts at s[i] (i < s.size()).
std::size_t TamanhoDoCaractere(std::string_view s, std::size_t i);

// A character as a message names it: "\"A\"" in quotes, or in words when it
// would not be seen (a control character, a special blank, a byte that is
// no text).
std::string DescreveCaractere(std::string_view c);

// "12", "12 e 20", "12, 20 e 29": positions for a message.
std::string ListaDePosicoes(const std::size_t* posicoes, std::size_t quantas);

}  // namespace quantivo
