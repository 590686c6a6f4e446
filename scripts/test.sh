#!/usr/bin/env bash
# Installs what is missing, builds, and runs the test suite (all but the slow
# tests of label "lento").
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
build="${BUILD_DIR:-build}"
export QT_QPA_PLATFORM=offscreen
# The slow test (label "lento": the Debian package) runs from .ci/run, as
# does scripts/windows.sh --testes; `ctest --test-dir build -L lento` runs it here.
ctest --test-dir "$build" --output-on-failure -j2 -LE lento
