#pragma once
// The receipt issuer's settings and their file, valida.ini: an INI file of
// Windows-1252 text with CR LF line ends, section [Cadastro]. Plain C++ so
// that quantivo-batch and the fuzzers can use the reader too.
//
// The file is shared with hand edits and other programs, so a write changes
// only the six keys and keeps every other line byte for byte, and it goes
// through a temporary file renamed over the old one: a failed write leaves
// the stored settings whole.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "output/ErroArquivo.h"

namespace quantivo {

// All texts UTF-8 in memory.
struct Cadastro {
    std::string Nome;
    std::string Atividade;
    std::string Endereco;
    std::string Cidade;
    std::string Assinatura;
    std::string Vias;  // "1" or "2" as written by the settings window
    bool operator==(const Cadastro&) const = default;
};

// Only the exact text "1" means one copy; anything else (empty, missing,
// "01", " 2") means two.
inline bool UmaVia(const Cadastro& c) { return c.Vias == "1"; }

// Larger than any settings file a person writes; a bigger one is refused
// rather than loaded into memory.
inline constexpr std::size_t kTamanhoMaximoCadastro = 1 << 20;

// The six keys from the file's bytes: the first [Cadastro] section (names
// compared without regard to ASCII case), the first line of each key in it,
// the value after the first "=" with blanks around it removed. Missing keys
// read as "". Any bytes are accepted.
Cadastro LeCadastroDeTexto(std::string_view bytes);

// The file's new bytes: the six keys written into the old text, each
// replacing its first line in the first [Cadastro] section, missing ones added
// after the section's last entry in the order Nome, Atividade, Endereco,
// Cidade, Assinatura, Vias, and the section added at the end when there is
// none. Every other line stays as it was; lines end in CR LF. Line breaks in
// a value become spaces, since they would start a line of their own.
std::string GravaCadastroEmTexto(std::string_view antigo, const Cadastro& c);

// Nothing when there is no file at the path (not configured, a dangling link
// included). A path that holds something other than a readable regular file
// of at most kTamanhoMaximoCadastro bytes (a directory, a device, a pipe)
// fails with ErroArquivo::Leitura.
std::optional<Cadastro> LeCadastro(const std::string& caminho);

// Writes through a temporary file in the same directory, flushed to disk and
// renamed over the old file (a link at the path is replaced, its target left
// alone). Any failure removes the temporary file, leaves the old file as it
// was and throws ErroArquivo::Escrita.
void GravaCadastro(const std::string& caminho, const Cadastro& c);

}  // namespace quantivo
