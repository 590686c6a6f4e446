# The plain C++ sources of output/ (no Qt): the listing text, the settings
# file, the safe file writer and the Windows-1252 text. The desktop program,
# quantivo-batch, the tests and the fuzz targets all take them from here.
set(QUANTIVO_OUTPUT_PURO ArquivoSeguro.cpp Cp1252.cpp GeraListagem.cpp Cadastro.cpp)
# and its headers that have no source of their own.
set(QUANTIVO_OUTPUT_PURO_SO_CABECALHOS ErroArquivo.h)
