#!/usr/bin/env bash
# Builds libxlsxwriter (the journal's spreadsheets) for 64-bit Windows from
# Debian's own source of the version the Linux build uses (libxlsxwriter,
# the version of the installed libxlsxwriter-dev), with Debian's mingw-w64,
# and keeps it in a cache folder outside the clone, named after the version
# and a hash of what shapes the build. Prints the folder on its last line.
#
#   bash scripts/xlsxwriter-windows.sh QT_PREFIX   # called by scripts/windows.sh
#
# A DLL, libxlsxwriter.dll, as on Linux: the journal's exports load it by
# name at the first spreadsheet. zlib (Debian's libz-mingw-w64-dev) and the
# C runtime's helpers are linked into it, so it needs no other DLL; its own
# copies of minizip and MD5 are used (Debian's Linux build takes the system's
# minizip and OpenSSL's MD5, which Debian ships for no Windows target). Under
# a minute. QT_PREFIX is the Qt for Windows of scripts/qt-windows.sh, whose
# cross toolchain file this build uses too.
set -euo pipefail
cd "$(dirname "$0")/.."
qt=${1:?usage: bash scripts/xlsxwriter-windows.sh QT_PREFIX}

cache=${QUANTIVO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quantivo}
versao=$(dpkg-query -W -f='${Version}' libxlsxwriter-dev | sed 's/+b[0-9]*$//')
mingw_versao=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)
zlib_versao=$(dpkg-query -W -f='${Version}' libz-mingw-w64-dev)
raiz_mingw=/usr/x86_64-w64-mingw32
opcoes=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DUSE_SYSTEM_MINIZIP=OFF -DUSE_OPENSSL_MD5=OFF -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF
  -DZLIB_LIBRARY=$raiz_mingw/lib/libz.a -DZLIB_INCLUDE_DIR=$raiz_mingw/include
  "-DCMAKE_SHARED_LINKER_FLAGS=-static-libgcc -static"
)
chave=$(printf '%s\n' "$versao" "$mingw_versao" "$zlib_versao" "${opcoes[@]}" | sha256sum | cut -c1-12)
prefixo="$cache/xlsxwriter-${versao%%-*}-mingw-$chave"
if [ -f "$prefixo/.completo" ]; then
  echo "libxlsxwriter for Windows: cached in $prefixo" >&2
  echo "$prefixo"
  exit 0
fi

obra="$cache/obra-xlsxwriter-$chave"
rm -rf "$obra" "$prefixo"
mkdir -p "$obra"
(
  cd "$obra"
  # (scripts/qt-windows.sh has made sure that the archive's sources are
  # reachable; dpkg-source cannot check the uploader's signature, apt has
  # checked the files against the archive's signed index.)
  apt-get source -qq --download-only "libxlsxwriter=$versao" 2>&1 | grep -v 'unsandboxed' >&2 || true
  dpkg-source -q -x libxlsxwriter_*.dsc fonte >dpkg-source.log 2>&1 || { cat dpkg-source.log >&2; exit 1; }
  cmake -S fonte -B obra -G Ninja -DCMAKE_TOOLCHAIN_FILE="$qt/mingw-w64.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefixo" "${opcoes[@]}" >cmake.log 2>&1 \
    || { tail -30 cmake.log >&2; echo "libxlsxwriter for Windows: configure failed ($obra/cmake.log)" >&2; exit 1; }
  cmake --build obra >&2
  cmake --install obra >/dev/null
)
# zlib is inside the DLL: a program linking it needs no -lz.
sed -i 's/ -lz$//' "$prefixo/lib/pkgconfig/xlsxwriter.pc"
# No DLL but Windows' own beside it.
if x86_64-w64-mingw32-objdump -p "$prefixo/bin/libxlsxwriter.dll" | grep -i 'DLL Name' \
   | grep -viE 'KERNEL32|msvcrt|USER32|ADVAPI32' >&2; then
  echo "libxlsxwriter for Windows: the DLL needs the DLLs above" >&2
  exit 1
fi
printf '%s\n' "$versao" "mingw $mingw_versao" "zlib $zlib_versao" "${opcoes[@]}" >"$prefixo/.completo"
rm -rf "$obra"
echo "libxlsxwriter for Windows: built into $prefixo" >&2
echo "$prefixo"
