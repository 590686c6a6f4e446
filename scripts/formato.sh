#!/usr/bin/env bash
# Fails on any C++ file of the tree that differs from .clang-format (Debian's
# clang-format 14). `bash scripts/formato.sh --corrige` rewrites them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh clang-format
mapfile -t arquivos < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --corrige ]; then
  clang-format -i "${arquivos[@]}"
else
  clang-format --dry-run --Werror "${arquivos[@]}"
fi
