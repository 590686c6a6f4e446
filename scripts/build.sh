#!/usr/bin/env bash
# Configures and builds Quantivo. BUILD_DIR (default build) and extra CMake
# arguments in CMAKE_ARGS can be given in the environment.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja ${CMAKE_ARGS:-} >/dev/null
cmake --build "$build"
