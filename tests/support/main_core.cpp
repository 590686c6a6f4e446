// Test main for the window-free tests: the time zone pinned, the locale the
// environment's (the results must be the same in every locale).
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "tests/support/Ambiente.h"
#include "tests/support/Localidade.h"

int main(int argc, char** argv) {
    quantivo::teste::FusoUtc();
    quantivo::teste::AplicaLocalidadeDoAmbiente();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
