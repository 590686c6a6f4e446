#!/usr/bin/env bash
# Adds what the Windows cross build and its test under wine need on Debian 12:
# mingw-w64 (POSIX threads flavour) and wine64. Idempotent. Not needed for the
# README's two commands; .ci/run calls it before the slow tests.
set -euo pipefail
exec bash "$(dirname "$0")/deps.sh" --windows
