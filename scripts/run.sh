#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
build="${BUILD_DIR:-build}"
if [ -x "$build/quantivo" ]; then
  exec "$build/quantivo"
fi
# Until the desktop program exists: the batch calculator on the worked example.
exec "$build/tools/quantivo-batch" < tests/golden/exemplo.pedido
