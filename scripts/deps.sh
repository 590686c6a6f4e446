#!/usr/bin/env bash
# Installs what building and testing Quantivo needs on Debian 12. Idempotent:
# it asks apt only for the packages that are missing. Packages given as
# arguments are wanted too (the slow tests' scripts name theirs).
set -euo pipefail
pkgs=(qt6-base-dev libgtest-dev libbenchmark-dev nlohmann-json3-dev ninja-build cmake g++
      xvfb xauth fonts-liberation2 poppler-utils qt6-translations-l10n locales "$@")
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
# The test programs run under the clerk's locale too (tests/CMakeLists.txt).
if ! locale -a 2>/dev/null | grep -qix 'pt_BR\.utf-\?8'; then
  $sudo localedef -i pt_BR -f UTF-8 pt_BR.UTF-8
fi
