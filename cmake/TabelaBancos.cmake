# The bank list, data/bancos-compe.csv, built into the core as a C++ table, so
# that no file is read at run time.
#
# Included: quantivo_tabela_bancos(target root) makes BancosCompe.inc at build
# time, in the target's binary folder, from the CSV of the tree at `root`, and
# lets the target's sources include it (core/Bancos.cpp does).
# Run with -P (by that build step): CSV and SAIDA name the files.
if(CMAKE_SCRIPT_MODE_FILE)
  file(STRINGS "${CSV}" linhas ENCODING UTF-8)
  set(corpo "// Made from data/bancos-compe.csv by cmake/TabelaBancos.cmake: edit the CSV, not this.\n")
  set(anterior "")
  foreach(linha IN LISTS linhas)
    string(REGEX REPLACE "\r$" "" linha "${linha}")
    if(linha STREQUAL "" OR linha MATCHES "^#" OR linha STREQUAL "codigo,nome")
      continue()
    endif()
    # A name may hold any character but the quote and the backslash, which
    # would end or escape the C++ literal (and ";", which CMake splits on).
    if(NOT linha MATCHES "^([0-9][0-9][0-9]),([^\"\\\\]+)$")
      message(FATAL_ERROR "${CSV}: not a line of code and name: ${linha}")
    endif()
    set(codigo "${CMAKE_MATCH_1}")
    set(nome "${CMAKE_MATCH_2}")
    if(NOT anterior STREQUAL "" AND NOT anterior STRLESS codigo)
      message(FATAL_ERROR "${CSV}: code ${codigo} after ${anterior}: the codes go in ascending order, each once")
    endif()
    set(anterior "${codigo}")
    string(APPEND corpo "{\"${codigo}\", \"${nome}\"},\n")
  endforeach()
  file(WRITE "${SAIDA}" "${corpo}")
  return()
endif()

set(QUANTIVO_TABELA_BANCOS_SCRIPT ${CMAKE_CURRENT_LIST_FILE})
function(quantivo_tabela_bancos alvo raiz)
  set(csv ${raiz}/data/bancos-compe.csv)
  set(saida ${CMAKE_CURRENT_BINARY_DIR}/gerado/BancosCompe.inc)
  add_custom_command(OUTPUT ${saida}
    COMMAND ${CMAKE_COMMAND} -DCSV=${csv} -DSAIDA=${saida} -P ${QUANTIVO_TABELA_BANCOS_SCRIPT}
    DEPENDS ${csv} ${QUANTIVO_TABELA_BANCOS_SCRIPT}
    COMMENT "Bank table from data/bancos-compe.csv"
    VERBATIM)
  target_sources(${alvo} PRIVATE ${saida})
  target_include_directories(${alvo} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/gerado)
endfunction()
