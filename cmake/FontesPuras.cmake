# The plain C++ sources of output/ (no Qt): the listing text, the settings
# file, the safe file writer, the Windows-1252 text and an operation's JSON
# form (nlohmann-json, which they are linked with). The desktop program,
# quantivo-batch, the tests and the fuzz targets all take them from here.
set(QUANTIVO_OUTPUT_PURO ArquivoSeguro.cpp Cp1252.cpp GeraListagem.cpp Cadastro.cpp OperacaoJson.cpp)
# and its headers that have no source of their own.
set(QUANTIVO_OUTPUT_PURO_SO_CABECALHOS ErroArquivo.h)

# output's Qt Gui part (Qt Core and Qt Gui, no widgets): the borderô's
# layout and painting and the program's file locations (valida.ini, the
# listing, the manual). The desktop program and quantivo-batch share it.
set(QUANTIVO_OUTPUT_GUI Arquivos.cpp Bordero.cpp)
