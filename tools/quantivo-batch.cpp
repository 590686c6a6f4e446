// quantivo-batch: reads one JSON request per line from standard input and
// writes one JSON response per line to standard output, in the same order.
#include <iostream>
#include <string>

#include "tools/batch/Batch.h"

int main() {
    std::ios::sync_with_stdio(false);
    std::string linha;
    while (std::getline(std::cin, linha)) {
        if (!linha.empty() && linha.back() == '\r') linha.pop_back();
        std::cout << quantivo::batch::ProcessaLinha(linha) << '\n' << std::flush;
    }
    return 0;
}
