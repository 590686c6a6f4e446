#include "core/Bancos.h"

#include <algorithm>
#include <iterator>

namespace quantivo {
namespace {

struct Banco {
    std::string_view codigo;
    std::string_view nome;
};

constexpr Banco kBancos[] = {
#include "BancosCompe.inc"
};

constexpr bool EmOrdem() {
    for (std::size_t i = 1; i < std::size(kBancos); ++i)
        if (!(kBancos[i - 1].codigo < kBancos[i].codigo)) return false;
    return true;
}
static_assert(EmOrdem(), "the bank list goes in ascending order of code, each code once");

}  // namespace

std::string_view NomeDoBanco(std::string_view codigo) {
    const auto it = std::lower_bound(std::begin(kBancos), std::end(kBancos), codigo,
                                     [](const Banco& b, std::string_view c) { return b.codigo < c; });
    return it != std::end(kBancos) && it->codigo == codigo ? it->nome : std::string_view();
}

}  // namespace quantivo
