#!/usr/bin/env bash
# The outside checks through AT-SPI, each on a private X display and D-Bus
# session: the walk of every window (confere_janelas.py), the worked examples
# typed at a typist's speed (exemplos_digitados.py) and the typed fields that
# must reach the calculation unchanged (campos_sem_perdas.py, in the C and the
# pt_BR.UTF-8 locales). Installs what is missing, builds, runs them all and
# exits non-zero when any failed. BUILD_DIR (default build) as for
# scripts/build.sh.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/deps.sh --atspi
bash scripts/build.sh >/dev/null
programa="${BUILD_DIR:-build}/quantivo"
falhas=0
total=0
# Each check with its arguments after the program: the typed fields' check runs
# in the C locale and in the clerk's.
for verificacao in confere_janelas exemplos_digitados "campos_sem_perdas C.UTF-8" "campos_sem_perdas pt_BR.UTF-8"; do
  set -- $verificacao
  echo "== $verificacao"
  total=$((total + 1))
  # The system's Python: it is the one with the pyatspi module.
  dbus-run-session -- /usr/bin/python3 "tests/atspi/$1.py" "$programa" "${@:2}" || falhas=$((falhas + 1))
done
if [ "$falhas" -ne 0 ]; then
  echo "$falhas of $total AT-SPI checks failed" >&2
  exit 1
fi
echo "all $total AT-SPI checks passed"
