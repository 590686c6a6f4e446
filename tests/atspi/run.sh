#!/usr/bin/env bash
# The outside check: every window of the program walked through AT-SPI (see
# confere_janelas.py). Installs what is missing, builds, and runs the walk on a
# private X display and D-Bus session. BUILD_DIR (default build) as for
# scripts/build.sh.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/deps.sh at-spi2-core python3-pyatspi gir1.2-atspi-2.0 xdotool dbus-daemon
bash scripts/build.sh
build="${BUILD_DIR:-build}"
# The system's Python: it is the one with the pyatspi module.
exec dbus-run-session -- /usr/bin/python3 tests/atspi/confere_janelas.py "$build/quantivo"
