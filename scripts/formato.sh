#!/usr/bin/env bash
# Fails on any C++ file of the tree that differs from .clang-format (Debian's
# clang-format 14). `bash scripts/formato.sh --corrige` rewrites them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --formato
# Another major version lays the same file out differently, and the check
# would then fail on files nobody touched: refuse it with a clear message.
esperada=14
cf=clang-format-$esperada
command -v "$cf" >/dev/null || cf=clang-format
versao=$("$cf" --version | sed -n 's/.*clang-format version \([0-9][0-9]*\)\..*/\1/p')
if [ "$versao" != "$esperada" ]; then
  echo "scripts/formato.sh: $cf is version ${versao:-unknown}; the tree is formatted with clang-format" \
    "$esperada (Debian 12's clang-format-$esperada). Install that version; another one reports files" \
    "nobody changed." >&2
  exit 2
fi
mapfile -t arquivos < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --corrige ]; then
  "$cf" -i "${arquivos[@]}"
else
  "$cf" --dry-run --Werror "${arquivos[@]}"
fi
