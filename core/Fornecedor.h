#pragma once
// The vendor's details, shown in the main menu, the help window, the "Sobre..."
// box and the listing's footer. Placeholders on the reserved example.com domain.
namespace quantivo::fornecedor {

inline constexpr const char* kProduto = "Quantivo";
inline constexpr const char* kNome = "Quantivo Sistemas Financeiros Ltda.";
inline constexpr const char* kEndereco = "Rua Exemplo, 100 - Centro";
inline constexpr const char* kCidade = "Cidade Exemplo - UF";
inline constexpr const char* kTelefone = "(00) 0000-0000";
inline constexpr const char* kSite = "www.example.com";
inline constexpr const char* kPaginaProdutos = "https://www.example.com/produtos";
inline constexpr const char* kEmail = "contato@example.com";

}  // namespace quantivo::fornecedor
