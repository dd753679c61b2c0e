#!/usr/bin/env bash
# Builds everything and runs every test: the embedded-database tests and the tests on a private
# Firebird server that CTest starts on a loopback port and stops afterwards.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
bash "$here/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure --timeout 600 -j 2 "$@"
