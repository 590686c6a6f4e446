// Inputs the fuzz targets (fuzz/) found to crash or misbehave, kept so that
// the default test run guards them without clang.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "core/Erros.h"
#include "core/Price.h"

using namespace quantivo;

TEST(RegressoesFuzz, VencimentosDeContagemPertoDoLimiteDe64Bits) {
    // The month count plus n overflowed (undefined behaviour) before the year
    // check could refuse it.
    const Data ref = *CodificaData(1900, 1, 1);
    for (std::int64_t n : {std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::max() - 22799,
                           std::int64_t{1} << 62})
        EXPECT_THROW(Vencimentos(ref, n), ErroAritmetico) << n;
}
