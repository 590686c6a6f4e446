#!/usr/bin/env bash
# The Windows pictures of docs/screenshots/: the program as the installer
# puts it, under wine on a private Xvfb display, driven from outside with
# xdotool as a clerk would (clicks and keys):
#   windows-principal.png  the main menu
#   windows-bancada.png    the workbench after the cheque-discount example
#   windows-previa.png     the receipt's print preview
#
#   bash scripts/windows.sh && bash scripts/capturas-windows.sh [folder]
#
# The folder defaults to docs/screenshots. The installer runs silently into a
# fresh wine prefix of its own, with a valida.ini beside the program (the
# issuer the receipt names). About a minute; exits non-zero when a window
# does not come.
set -euo pipefail
cd "$(dirname "$0")/.."
destino=$(realpath "${1:-docs/screenshots}")
setup=$PWD/build-windows/quantivo-setup.exe
[ -f "$setup" ] || { echo "no $setup: run scripts/windows.sh first" >&2; exit 1; }
bash scripts/deps.sh --windows --capturas-windows

trabalho=$(mktemp -d)
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo "$(dirname "$wine")/wineserver")
export WINEPREFIX=$trabalho/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
tela=:$((90 + RANDOM % 100))
Xvfb "$tela" -screen 0 1280x1024x24 -nolisten tcp &
xvfb=$!
termina() {
  "$wineserver" -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$trabalho"
}
trap termina EXIT
export DISPLAY=$tela

"$wine" "$setup" /S
# Wine has no Arial nor Courier New: the Liberation faces (of the same
# metrics) stand for them, as fontconfig has them stand on Linux.
"$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d "Liberation Sans" /f >/dev/null
"$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Courier New" /d "Liberation Mono" /f >/dev/null
"$wineserver" -w
pasta="$WINEPREFIX/drive_c/Program Files/Quantivo"
printf '[Cadastro]\r\nNome=Maria da Silva\r\nAtividade=Tecidos\r\nEndereco=Rua das Flores, 100\r\nCidade=Recife\r\nAssinatura=Maria\r\nVias=2\r\n' \
  >"$pasta/valida.ini"

# The window of that title, once it shows (up to a minute).
janela() {
  local w
  w=$(timeout 60 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1) ||
    { echo "window '$1' did not come" >&2; exit 1; }
  sleep 1.5  # painted
  echo "$w"
}
# Until no window of that title shows (up to a minute).
sumiu() {
  local n=0
  while xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; do
    n=$((n + 1))
    [ $n -lt 120 ] || { echo "window '$1' did not close" >&2; exit 1; }
    sleep 0.5
  done
  sleep 1.5
}
# A click at a point of the window, in its own coordinates.
clica() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.5; }
teclas() { xdotool key --delay 40 "$@"; }
digita() { xdotool type --delay 40 "$1"; }
foto() { import -window "$1" "$destino/$2"; echo "$destino/$2"; }

(cd "$pasta" && "$wine" quantivo.exe) &
disown  # ended with the prefix's wineserver at the end
menu=$(janela "Quantivo - www.example.com")
foto "$menu" windows-principal.png

# "Desconto de Cheque", the example typed with Enter between fields and
# cells, then F5.
clica "$menu" 100 52
entrada=$(janela "Desconto de Cheques")
xdotool windowactivate --sync "$entrada" 2>/dev/null || true
for k in 281207 3 2 0,0041 "" 2 311207 1000 "" "" 260108 500 "" "" 150208; do
  [ -n "$k" ] && digita "$k"
  teclas Return
done
digita "2500,50"
teclas F5
sumiu "Desconto de Cheques"
bancada=$(janela "QUANTIVO")
foto "$bancada" windows-bancada.png

# "Firmatto": the receipt window, its three fields, then "IMPRIMIR" (Alt+I)
# opens the preview.
xdotool windowactivate --sync "$bancada" 2>/dev/null || true
clica "$bancada" 609 268
recibo=$(janela "FIRMATTO")
digita "1234,50"; teclas Tab
digita "João Cliente"; teclas Tab
digita "Aluguel de dezembro"; teclas alt+i
previa=$(janela "RECIBO")
foto "$previa" windows-previa.png
teclas Escape
