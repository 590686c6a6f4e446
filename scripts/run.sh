#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
build="${BUILD_DIR:-build}"
exec "$build/quantivo"
