#!/usr/bin/env bash
# The outside checks through AT-SPI, each on a private X display and D-Bus
# session: the walk of every window (confere_janelas.py) and the worked
# examples typed at a typist's speed (exemplos_digitados.py). Installs what is
# missing, builds, runs both and exits non-zero when either failed. BUILD_DIR
# (default build) as for scripts/build.sh.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/deps.sh --atspi
bash scripts/build.sh >/dev/null
programa="${BUILD_DIR:-build}/quantivo"
falhas=0
for verificacao in confere_janelas exemplos_digitados; do
  echo "== $verificacao"
  # The system's Python: it is the one with the pyatspi module.
  dbus-run-session -- /usr/bin/python3 "tests/atspi/$verificacao.py" "$programa" || falhas=$((falhas + 1))
done
if [ "$falhas" -ne 0 ]; then
  echo "$falhas of 2 AT-SPI checks failed" >&2
  exit 1
fi
echo "both AT-SPI checks passed"
