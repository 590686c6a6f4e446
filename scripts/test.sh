#!/usr/bin/env bash
# Installs what is missing, builds, and runs the test suite (all but the slow
# tests of label "lento").
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
build="${BUILD_DIR:-build}"
export QT_QPA_PLATFORM=offscreen
# The slow tests (label "lento": the Windows build under wine, the Debian
# package) run from .ci/run; `ctest --test-dir build -L lento` runs them here.
ctest --test-dir "$build" --output-on-failure -j2 -LE lento
