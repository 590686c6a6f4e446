// The Windows-1252 text of the files: any bytes read from a file become valid
// UTF-8 and go back to the same bytes (the five undefined ones as "?"); any
// UTF-8, valid or not, becomes one byte per character at most.
#include <string_view>

#include "Gerador.h"
#include "output/Cp1252.h"

using namespace quantivo;
using namespace quantivo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const std::string_view bytes(reinterpret_cast<const char*>(dados), tamanho);
    const std::string utf8 = Cp1252ParaUtf8(bytes);
    Exige(Utf8Valido(utf8), "Cp1252ParaUtf8 deu UTF-8 inválido");
    std::string esperado(bytes);
    for (char& c : esperado) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) c = '?';
    }
    Exige(Utf8ParaCp1252(utf8) == esperado, "ida e volta pelo Windows-1252 mudou os bytes");

    const std::string de = Utf8ParaCp1252(bytes);
    Exige(de.size() <= bytes.size(), "Utf8ParaCp1252 cresceu");
    Exige(Utf8Valido(Cp1252ParaUtf8(de)), "segunda volta inválida");
    return 0;
}
