#!/usr/bin/env bash
# Installs what the Windows cross build and its test under wine need on
# Debian 12 (mingw-w64 with POSIX threads, wine64). Idempotent: it asks apt
# only for the packages that are missing. Not part of the README's commands.
set -euo pipefail
pkgs=(g++-mingw-w64-x86-64-posix wine64)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
