#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian's own source of the Qt we use
# (qt6-base, the version of the installed qt6-base-dev), cross-compiled with
# Debian's mingw-w64 against Debian's Qt host tools, and keeps it in a cache
# folder outside the clone. The folder's name holds the Qt version and a hash
# of everything that shapes the build (the options below, the SQLite source,
# the compiler), so a later run with the same inputs finds it and skips the
# build. Prints the folder (the Qt prefix) on its last line.
#
#   bash scripts/qt-windows.sh        # called by scripts/windows.sh
#
# What is built: Core, Gui, Widgets, PrintSupport, Sql with its SQLite
# driver, Test; the windows, offscreen and minimal platforms. Static, so that
# each program is one .exe that needs no DLL beside it. No network, OpenGL,
# D-Bus, ICU, XML or Concurrent. SQLite is not in Debian's Qt source: its
# single-file form is made from Debian's sqlite3 source package and put where
# Qt's build looks for its own copy. Debian's source also lacks the tablet
# headers (src/3rdparty/wintab), hence no tablet events. Direct2D stays on:
# Qt's DirectWrite font code is built only with it.
#
# About 50 minutes on 2 busy cores (run niced; 1,180 steps, 109 MB
# installed); the packages come from scripts/deps.sh --windows.
# QUANTIVO_CACHE moves the cache (default ~/.cache/quantivo).
set -euo pipefail
cd "$(dirname "$0")/.."

cache=${QUANTIVO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quantivo}
jobs=${QUANTIVO_JOBS:-$(nproc)}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

qt_versao=$(dpkg-query -W -f='${Version}' qt6-base-dev)
# SQLite's source at the version the archive offers (a binary rebuild's +bN
# suffix is not part of the source version).
sqlite_versao=$(apt-cache policy libsqlite3-0 | awk '/Candidate:/ {print $2}' | sed 's/+b[0-9]*$//')
mingw_versao=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)

opcoes=(
  -release -static -nomake examples -nomake tests
  -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -no-pkg-config
  -no-opengl -no-dbus -no-icu -no-zstd
  -no-feature-network -no-feature-concurrent -no-feature-xml
  -no-feature-tabletevent -no-feature-vulkan -no-feature-androiddeployqt
  -sql-sqlite -qt-sqlite -no-sql-odbc -no-sql-psql -no-sql-mysql -no-sql-ibase -no-sql-oci -no-sql-db2
)
opcoes_cmake=(
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DFEATURE_system_doubleconversion=OFF
)
# The cross toolchain Qt is built with; it stays in the prefix, where Qt's
# own qt.toolchain.cmake reads it when a program is built against this Qt.
read -r -d '' toolchain <<'EOF' || true
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF

chave=$(printf '%s\n' "$qt_versao" "$sqlite_versao" "$mingw_versao" "${opcoes[@]}" "${opcoes_cmake[@]}" "$toolchain" \
        | sha256sum | cut -c1-12)
prefixo="$cache/qt-${qt_versao%%+*}-mingw-$chave"
if [ -f "$prefixo/.completo" ]; then
  echo "Qt for Windows: cached in $prefixo" >&2
  echo "$prefixo"
  exit 0
fi

obra="$cache/obra-$chave"
rm -rf "$obra" "$prefixo"
mkdir -p "$obra" "$prefixo"

# The sources, from Debian's archive: a deb-src entry for bookworm when the
# machine has none.
if ! apt-get source --print-uris "qt6-base=$qt_versao" "sqlite3=$sqlite_versao" >/dev/null 2>&1; then
  echo "Adding Debian's source archive (deb-src) for bookworm" >&2
  $sudo tee /etc/apt/sources.list.d/quantivo-fontes.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  $sudo apt-get update -qq
fi
(
  cd "$obra"
  apt-get source -qq --download-only "qt6-base=$qt_versao" "sqlite3=$sqlite_versao" 2>&1 \
    | grep -v 'unsandboxed' >&2 || true
  # (dpkg-source says it cannot check the uploader's signature: apt has
  # checked the files against the archive's signed index.)
  for d in qt6-base sqlite3; do
    dpkg-source -q -x ${d}_*.dsc $d >dpkg-source.log 2>&1 || { cat dpkg-source.log >&2; exit 1; }
  done
)

# SQLite's single-file form (sqlite3.c and sqlite3.h), made on the host with
# its own tools (tclsh), into the folder of Qt's bundled copy.
mkdir -p "$obra/sqlite3-obra" "$obra/qt6-base/src/3rdparty/sqlite"
(
  cd "$obra/sqlite3-obra"
  ../sqlite3/configure --disable-tcl >/dev/null
  make -s sqlite3.c >/dev/null
  cp sqlite3.c sqlite3.h "$obra/qt6-base/src/3rdparty/sqlite/"
)

printf '%s\n' "$toolchain" >"$prefixo/mingw-w64.cmake"
mkdir -p "$obra/qt-obra"
cd "$obra/qt-obra"
../qt6-base/configure -prefix "$prefixo" "${opcoes[@]}" -- \
  -DCMAKE_TOOLCHAIN_FILE="$prefixo/mingw-w64.cmake" "${opcoes_cmake[@]}" >configure.log 2>&1 \
  || { tail -40 configure.log >&2; echo "Qt for Windows: configure failed ($obra/qt-obra/configure.log)" >&2; exit 1; }
cmake --build . --parallel "$jobs" >&2
cmake --install . >/dev/null
printf '%s\n' "$qt_versao" "sqlite $sqlite_versao" "mingw $mingw_versao" "${opcoes[@]}" "${opcoes_cmake[@]}" \
  >"$prefixo/.completo"
cd "$cache"
rm -rf "$obra"
echo "Qt for Windows: built into $prefixo" >&2
echo "$prefixo"
