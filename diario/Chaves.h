#pragma once
// Texts as the journal compares them. The journal stores these forms beside
// the texts as typed and matches on them, rather than on a database
// collation: collations differ from one database to another, and SQLite's
// folds ASCII letters only.
#include <string>
#include <string_view>

namespace quantivo::diario {

// Accents dropped, letters in lower case, blanks around removed and every run
// of blanks made one space: "  José  da Conceição" gives "jose da conceicao".
std::string DobraTexto(std::string_view utf8);

// A cheque's Banco/Número as compared: folded as above, without blanks (and
// without "|", which separates the keys of one operation in its search text).
std::string ChaveBancoNumero(std::string_view utf8);

// A CPF or CNPJ as stored and compared: dots, slashes, hyphens and blanks
// dropped, letters in capitals.
std::string NormalizaDocumento(std::string_view texto);
// A stored one as it is shown ("123.456.789-09"); "" for none.
std::string DocumentoFormatado(std::string_view normalizado);

// A LIKE pattern matching texts that contain `texto`, with "!" as the escape
// character of the pattern's own "%", "_" and "!".
std::string PadraoContem(std::string_view texto);
// The same for texts that begin with it.
std::string PadraoComeca(std::string_view texto);

}  // namespace quantivo::diario
