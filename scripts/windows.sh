#!/usr/bin/env bash
# Builds Quantivo for Windows on Debian 12, from Debian's packages alone:
#
#   bash scripts/windows.sh            # the installer and the portable zip
#   bash scripts/windows.sh --testes   # and the tests under wine
#
# It gives build-windows/quantivo-setup.exe (NSIS; installs under Program
# Files\Quantivo, silently with /S) and build-windows/quantivo-portatil.zip
# (the same folder, to unpack and run). The steps:
#   1. the Debian packages it needs (scripts/deps.sh --windows);
#   2. Qt for Windows, built once into a cache outside the clone
#      (scripts/qt-windows.sh: 30 to 45 minutes the first time);
#   3. libxlsxwriter for Windows, a DLL, cached the same way
#      (scripts/xlsxwriter-windows.sh, seconds);
#   4. quantivo-batch and the manual for this machine (the manual is made
#      here, and the Linux answers are what the Windows ones must equal);
#   5. the program cross-built with mingw-w64 against that Qt, statically;
#   6. the installed folder, the zip and the installer.
# With --testes also: the project's test programs built for Windows and run
# under wine on Qt's offscreen platform (CTest, each in the C locale and in
# pt_BR), then the installer run silently into a fresh wine prefix and every
# golden request (tests/golden/*.jsonl) run through the installed
# quantivo-batch.exe, whose answers must equal the Linux ones byte for byte,
# and the journal session (tests/golden/diario.sessao) run by both with
# --diario, with the same answers and exports.
#
# CMAKE_ARGS is passed to both CMake builds (e.g. a ccache launcher);
# QUANTIVO_CACHE moves the Qt cache (default ~/.cache/quantivo).
set -euo pipefail
cd "$(dirname "$0")/.."
raiz=$PWD

testes=OFF
for a in "$@"; do
  case "$a" in
    --testes) testes=ON ;;
    *) echo "usage: bash scripts/windows.sh [--testes]" >&2; exit 2 ;;
  esac
done

inicio=$(date +%s)
etapa() { echo "== windows.sh [$(($(date +%s) - inicio)) s]: $*"; }

etapa "Debian packages"
bash scripts/deps.sh --windows

etapa "Qt for Windows"
qt=$(nice -n 19 bash scripts/qt-windows.sh | tail -n 1)
[ -f "$qt/lib/cmake/Qt6/qt.toolchain.cmake" ] || { echo "no Qt for Windows in '$qt'" >&2; exit 1; }

etapa "libxlsxwriter for Windows"
xlsx=$(nice bash scripts/xlsxwriter-windows.sh "$qt" | tail -n 1)
[ -f "$xlsx/bin/libxlsxwriter.dll" ] || { echo "no libxlsxwriter for Windows in '$xlsx'" >&2; exit 1; }

saida=$raiz/build-windows
mkdir -p "$saida"
read -ra extra <<<"${CMAKE_ARGS:-}"
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo "$(dirname "$wine")/wineserver")
export WINEDEBUG=-all
# No .NET or web engine in the prefixes: nothing here uses them, and wine
# would ask to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="

etapa "quantivo-batch and the manual for this machine"
cmake -S . -B "$saida/linux" -G Ninja \
  -DQUANTIVO_TESTS=OFF -DQUANTIVO_BENCH=OFF "${extra[@]}" >/dev/null
nice cmake --build "$saida/linux" --target quantivo-batch manual

# The program's icon, from the desktop entry's: an .ico of PNG pictures
# (16 to 256 pixels), which Windows reads since Vista.
etapa "icon"
le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $((($1 >> 16) & 65535)); }
icones=()
for t in 16 32 48 256; do
  rsvg-convert -w "$t" -h "$t" packaging/com.example.Quantivo.svg -o "$saida/icone-$t.png"
  icones+=("$t")
done
{
  le16 0; le16 1; le16 ${#icones[@]}
  pos=$((6 + 16 * ${#icones[@]}))
  for t in "${icones[@]}"; do
    n=$(stat -c %s "$saida/icone-$t.png")
    lado=$((t == 256 ? 0 : t))
    le16 $((lado | lado << 8)); le16 0; le16 1; le16 32; le32 "$n"; le32 "$pos"
    pos=$((pos + n))
  done
  for t in "${icones[@]}"; do cat "$saida/icone-$t.png"; done
} >"$saida/quantivo.ico"

etapa "the program for Windows"
# A build against another Qt or libxlsxwriter (another cache key) starts
# over: CMake keeps the toolchain and the libraries of its first configure.
if [ -f "$saida/obra/CMakeCache.txt" ] &&
   { ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$qt/lib/cmake/Qt6/qt.toolchain.cmake" "$saida/obra/CMakeCache.txt" ||
     ! grep -qxF "CMAKE_FIND_ROOT_PATH:UNINITIALIZED=$xlsx" "$saida/obra/CMakeCache.txt"; }; then
  rm -rf "$saida/obra"
fi
# libxlsxwriter's pkg-config file is the only one the cross build may see
# (the host's would name the Linux library), and its folder is one of the
# target's roots.
export PKG_CONFIG_LIBDIR=$xlsx/lib/pkgconfig
cmake -S . -B "$saida/obra" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$raiz/cmake/mingw-w64-x86_64.cmake" -DCMAKE_FIND_ROOT_PATH="$xlsx" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" \
  -DQUANTIVO_TESTS=$testes -DQUANTIVO_BENCH=OFF \
  -DQUANTIVO_MANUAL_PRONTO="$saida/linux/Manual_Quantivo.pdf" \
  -DQUANTIVO_ICONE="$saida/quantivo.ico" "${extra[@]}" >/dev/null
nice cmake --build "$saida/obra"

etapa "installed folder, zip and installer"
pasta=$saida/Quantivo
rm -rf "$pasta"
mkdir -p "$pasta/translations"
for p in quantivo.exe tools/quantivo-batch.exe; do
  x86_64-w64-mingw32-strip -o "$pasta/$(basename "$p")" "$saida/obra/$p"
done
cp "$saida/obra/Manual_Quantivo.pdf" "$pasta/"
cp "$xlsx/bin/libxlsxwriter.dll" "$pasta/"
cp "$saida/obra/translations/qtbase_pt_BR.qm" "$pasta/translations/"
rm -f "$saida/quantivo-portatil.zip"
(cd "$saida" && cmake -E tar cf quantivo-portatil.zip --format=zip Quantivo)
makensis -V2 -INPUTCHARSET UTF8 -DPASTA="$pasta" -DVERSAO_NSH="$saida/obra/versao.nsh" \
  -DSAIDA="$saida/quantivo-setup.exe" -DICONE="$saida/quantivo.ico" \
  -DTAMANHO_KB="$(du -sk "$pasta" | cut -f1)" packaging/windows/quantivo.nsi
ls -l "$saida/quantivo-setup.exe" "$saida/quantivo-portatil.zip"

if [ "$testes" = ON ]; then
  falhou=0
  etapa "the test programs under wine"
  export WINEPREFIX=$saida/wine-testes
  # The prefix made before the tests start two at a time.
  "$wine" wineboot --init
  "$wineserver" -w
  # (The test programs pick Qt's offscreen platform themselves: wine hands
  # no QT_ variable over.) The journal's exports find libxlsxwriter.dll
  # through wine's PATH.
  WINEPATH="Z:$(printf '%s' "$xlsx/bin" | tr / '\\')" \
  ctest --test-dir "$saida/obra" --output-on-failure --no-tests=error -j2 || falhou=1
  "$wineserver" -k 2>/dev/null || true

  etapa "the installer, silently, into a fresh wine prefix; the golden requests"
  export WINEPREFIX=$saida/wine-instalado
  rm -rf "$WINEPREFIX"
  "$wine" "$saida/quantivo-setup.exe" /S
  "$wineserver" -w
  instalado="$WINEPREFIX/drive_c/Program Files/Quantivo"
  # A Windows machine has Arial and Courier New in its Fonts folder, where
  # quantivo-batch.exe draws the borderô's PDF from; wine's has none: the
  # Liberation faces of the same metrics there.
  cp /usr/share/fonts/truetype/liberation2/Liberation{Sans,Mono}-*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  for f in quantivo.exe quantivo-batch.exe libxlsxwriter.dll Manual_Quantivo.pdf Desinstalar.exe; do
    [ -f "$instalado/$f" ] || { echo "the installer left no $f in $instalado" >&2; falhou=1; }
  done
  cmake -DLINUX_BATCH="$saida/linux/tools/quantivo-batch" -DWINDOWS_BATCH="$instalado/quantivo-batch.exe" \
    -DWINE="$wine" -DGOLDEN_DIR="$raiz/tests/golden" -DWORK_DIR="$saida/gabaritos" \
    -DDIARIO_SESSAO="$raiz/tests/golden/diario.sessao" \
    -P cmake/CompararWindows.cmake || falhou=1
  "$wineserver" -k 2>/dev/null || true
  etapa "done"
  exit $falhou
fi
etapa "done"
