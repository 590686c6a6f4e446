#pragma once
// The test programs run in the locale the environment names, as the program
// does (ctest runs each of them in C and in pt_BR.UTF-8). A locale that is
// named but not installed would quietly leave the C locale in place and test
// nothing new: that ends the program.
#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace quantivo::teste {

inline void AplicaLocalidadeDoAmbiente() {
    if (std::setlocale(LC_ALL, "")) return;
    const char* pedido = std::getenv("LC_ALL");
    if (pedido && *pedido) {
        std::fprintf(stderr, "locale %s is not installed (bash scripts/deps.sh generates pt_BR.UTF-8)\n", pedido);
        std::exit(2);
    }
    std::setlocale(LC_ALL, "C");
}

}  // namespace quantivo::teste
