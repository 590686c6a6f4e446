#!/usr/bin/env bash
# Checks that includes only point down the layers:
#   core <- ui <- windows, output <- app;  quantivo-batch (tools/) and fuzz/
# use core/ and the plain C++ part of output/ (cmake/FontesPuras.cmake), which
# itself uses core/ alone; output's Qt Gui part (the same file) uses those two
# and quantivo-batch may use it too; the journal (diario/) stands on core/ and
# the plain part, and app/, tools/ and the tests may use it; the tests and the
# screenshot maker sit on top. Prints every include that points elsewhere; exits 1 if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# The plain part of output/: its sources and the headers they declare.
puros=$(sed -n 's/^set(QUANTIVO_OUTPUT_PURO \(.*\))$/\1/p' cmake/FontesPuras.cmake)
puros_h=""
for f in $puros; do puros_h="$puros_h output/${f%.cpp}.h"; done
for f in $(sed -n 's/^set(QUANTIVO_OUTPUT_PURO_SO_CABECALHOS \(.*\))$/\1/p' cmake/FontesPuras.cmake); do
  puros_h="$puros_h output/$f"
done
# The Qt Gui part of output/: its sources and the headers they declare.
gui=$(sed -n 's/^set(QUANTIVO_OUTPUT_GUI \(.*\))$/\1/p' cmake/FontesPuras.cmake)
gui_h=""
for f in $gui; do gui_h="$gui_h output/${f%.cpp}.h"; done

permitido() {  # permitido <file> <included folder/file>
  local arq=$1 inc=$2 pasta=${2%%/*}
  case "$arq" in
    core/*)    [[ $pasta == core ]] ;;
    ui/*)      [[ $pasta == core || $pasta == ui ]] ;;
    windows/*) [[ $pasta == core || $pasta == ui || $pasta == windows ]] ;;
    output/*)
      if [[ " $puros $puros_h " == *" ${arq#output/} "* || " $puros_h " == *" $arq "* ]]; then
        [[ $pasta == core || " $puros_h " == *" $inc "* ]]
      elif [[ " $gui " == *" ${arq#output/} "* || " $gui_h " == *" $arq "* ]]; then
        [[ $pasta == core || " $puros_h $gui_h " == *" $inc "* ]]
      else
        [[ $pasta == core || $pasta == ui || $pasta == output ]]
      fi ;;
    diario/*)  [[ $pasta == core || $pasta == diario || " $puros_h " == *" $inc "* ]] ;;
    app/*)     [[ $pasta != tools && $pasta != tests && $pasta != bench ]] ;;
    tools/capturas/*|tools/macaco/*) true ;;  # the screenshot maker and the key monkey stand on top of everything, as the tests do
    tools/*)   [[ $pasta == core || $pasta == tools || $pasta == diario || " $puros_h $gui_h " == *" $inc "* ]] ;;
    fuzz/*)    [[ $pasta == core || $pasta == tools || $pasta == fuzz || " $puros_h " == *" $inc "* ]] ;;
    tests/*)   local camada=${arq#tests/}; camada=${camada%%/*}
               case "$camada" in
                 core)    [[ $pasta == core || $pasta == tests ]] ;;
                 ui)      [[ $pasta == core || $pasta == ui || $pasta == tests ]] ;;
                 windows) [[ $pasta == core || $pasta == ui || $pasta == windows || $pasta == tests ]] ;;
                 output)  [[ $pasta == core || $pasta == ui || $pasta == output || $pasta == tests ]] ;;
                 tools)   [[ $pasta == core || $pasta == tools || $pasta == diario || $pasta == tests || " $puros_h $gui_h " == *" $inc "* ]] ;;
                 diario)  [[ $pasta == core || $pasta == diario || $pasta == tests || " $puros_h " == *" $inc "* ]] ;;
                 *)       true ;;
               esac ;;
    *) true ;;
  esac
}

falhas=0
while IFS=: read -r arq _ inc; do
  inc=${inc#*\"}; inc=${inc%\"*}
  [[ $inc == */* ]] || continue
  if ! permitido "$arq" "$inc"; then
    echo "$arq: #include \"$inc\" points up or across the layers" >&2
    falhas=1
  fi
done < <(grep -rn --include='*.cpp' --include='*.h' '^#include "' core ui windows output diario app tools fuzz tests bench)
exit $falhas
