#!/usr/bin/env bash
# Installs what building and testing Quantivo needs on Debian 12. Idempotent:
# it asks apt only for the packages that are missing, in one apt-get call.
#
#   bash scripts/deps.sh                      # the README's two commands
#   bash scripts/deps.sh --windows --pacote   # and these groups' tools
#   bash scripts/deps.sh --todos              # every group (CI's first step)
#
# The groups are named here so that CI can install everything at once before
# it builds; the scripts that need a group ask for it by name. Other
# arguments are package names wanted too.
set -euo pipefail
pkgs=(qt6-base-dev libgtest-dev nlohmann-json3-dev ninja-build cmake g++
      xvfb xauth fonts-liberation2 poppler-utils qt6-translations-l10n locales
      libqt6sql6-sqlite libxlsxwriter-dev pkgconf python3-openpyxl)
declare -A grupos=(
  [formato]="clang-format"                                                   # scripts/formato.sh
  [atspi]="at-spi2-core python3-pyatspi gir1.2-atspi-2.0 xdotool xclip dbus-daemon"  # tests/atspi/run.sh
  # scripts/windows.sh: Qt's, SQLite's and libxlsxwriter's sources (dpkg-dev,
  # tcl, make), the cross compiler and zlib, the installer, the icon, and
  # wine for the tests.
  [windows]="dpkg-dev tcl make xz-utils g++-mingw-w64-x86-64-posix libz-mingw-w64-dev nsis librsvg2-bin wine64"
  [capturas-windows]="imagemagick xdotool"                                   # scripts/capturas-windows.sh
  [pacote]="dpkg-dev lintian appstream desktop-file-utils"                   # the Debian package's checks
  [fuzz]="clang-14 libclang-rt-14-dev jq"                                    # fuzz/run.sh
  [bench]="libbenchmark-dev"                                                 # -DQUANTIVO_BENCH=ON
)
for a in "$@"; do
  case "$a" in
    --todos)
      for g in "${!grupos[@]}"; do read -ra p <<<"${grupos[$g]}"; pkgs+=("${p[@]}"); done ;;
    --*)
      g=${a#--}
      [ -n "${grupos[$g]:-}" ] || { echo "scripts/deps.sh: no group '$g' (${!grupos[*]})" >&2; exit 2; }
      read -ra p <<<"${grupos[$g]}"
      pkgs+=("${p[@]}") ;;
    *) pkgs+=("$a") ;;
  esac
done
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
