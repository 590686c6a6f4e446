// quantivo-batch: reads one JSON request per line from standard input and
// writes one JSON response per line to standard output, in the same order.
#include <iostream>
#include <string>

#include "tools/batch/Batch.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// One response per line ends with "\n" on every system: Windows' text mode
// would write "\r\n", and callers compare the answers byte for byte.
void LinhasSoComLF() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

}  // namespace

int main() {
    LinhasSoComLF();
    std::ios::sync_with_stdio(false);
    std::string linha;
    while (std::getline(std::cin, linha)) {
        if (!linha.empty() && linha.back() == '\r') linha.pop_back();
        std::cout << quantivo::batch::ProcessaLinha(linha) << '\n' << std::flush;
    }
    return 0;
}
