#!/usr/bin/env bash
# Builds the program, creates the embedded demo database Data/velkora1.FDB beside it when it is
# missing, and starts the program on it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
bash "$here/scripts/build.sh"
cd "$build/src"
mkdir -p Data
if [ ! -f Data/velkora1.FDB ]; then
  ./velkora1db create Data/velkora1.FDB --demo
fi
# The program finds its database through the configuration file beside it.
if [ ! -f velkora1IB.ini ]; then
  printf '[Database Settings]\r\ndatabase=Data/velkora1.FDB\r\nlc_ctype=ISO8859_1\r\n' > velkora1IB.ini
fi
exec ./velkora1IB "$@"
