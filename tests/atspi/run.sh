#!/usr/bin/env bash
# The outside checks through AT-SPI, each on a private X display and D-Bus
# session: the walk of every window (confere_janelas.py), the worked examples
# typed at a typist's speed (exemplos_digitados.py), and what the clerk types
# kept on its way in, under the C and the Brazilian locales (the grids and
# entry windows: entrada_sem_perdas.py; the other fields: campos_sem_perdas.py;
# cheques read by a CMC7 reader: cmc7_nas_grades.py), and an operation saved,
# the program started again, the operation found and reopened
# (operacoes_salvas.py, both locales).
# Installs what is missing, builds, runs them all and
# exits non-zero when any failed. BUILD_DIR (default build) as for
# scripts/build.sh.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/deps.sh --atspi
bash scripts/build.sh >/dev/null
programa="${BUILD_DIR:-build}/quantivo"
falhas=0
# Each check with its arguments after the program's path.
verificacoes=(confere_janelas exemplos_digitados
  "entrada_sem_perdas C.UTF-8" "entrada_sem_perdas pt_BR.UTF-8"
  "campos_sem_perdas C.UTF-8" "campos_sem_perdas pt_BR.UTF-8"
  "cmc7_nas_grades C.UTF-8" "cmc7_nas_grades pt_BR.UTF-8"
  "operacoes_salvas C.UTF-8" "operacoes_salvas pt_BR.UTF-8")
for v in "${verificacoes[@]}"; do
  read -r verificacao argumentos <<<"$v"
  echo "== $v"
  # The system's Python: it is the one with the pyatspi module.
  # shellcheck disable=SC2086
  dbus-run-session -- /usr/bin/python3 "tests/atspi/$verificacao.py" "$programa" $argumentos || falhas=$((falhas + 1))
done
if [ "$falhas" -ne 0 ]; then
  echo "$falhas of ${#verificacoes[@]} AT-SPI checks failed" >&2
  exit 1
fi
echo "all ${#verificacoes[@]} AT-SPI checks passed"
