#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the benchmarks and the desktop program
# need. Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  srecord clang
  libfreetype-dev fonts-dejavu-core
)
# The terminal fonts are rendered from DejaVu Sans Mono, a package of its own from Debian 13 on.
if apt-cache show fonts-dejavu-mono >/dev/null 2>&1; then
  packages+=(fonts-dejavu-mono)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
