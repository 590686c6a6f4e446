#!/usr/bin/env bash
# The outside check: builds the program, installs what the AT-SPI scripts
# need, and types the worked examples into it under a private X display and
# session bus. Exits non-zero when a road does not give the example's totals.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/deps.sh at-spi2-core python3-pyatspi gir1.2-atspi-2.0 xdotool dbus-daemon
bash scripts/build.sh >/dev/null
exec dbus-run-session -- /usr/bin/python3 tests/atspi/exemplos_digitados.py "${BUILD_DIR:-build}/quantivo"
