#!/usr/bin/env bash
# Installs the Debian packages the project builds, runs and tests with.
# Idempotent: packages already present are left alone; apt is only touched when something is missing.
set -euo pipefail
packages=(
  cmake ninja-build g++ ccache pkg-config
  qt6-base-dev qt6-charts-dev libqt6sql6
  libfbclient2 firebird-dev firebird3.0-server-core firebird3.0-utils firebird3.0-server
  libgtest-dev googletest libbenchmark-dev
  libcurl4-openssl-dev python3-aiosmtpd
  xvfb xauth imagemagick poppler-utils
  dpkg-dev file
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
