#!/usr/bin/env bash
# Adds what building and checking the Debian package needs on Debian 12:
# dpkg-shlibdeps (dpkg-dev), lintian and appstreamcli. Idempotent. Not needed
# for the README's two commands; .ci/run calls it before the slow tests.
set -euo pipefail
exec bash "$(dirname "$0")/deps.sh" --pacote
