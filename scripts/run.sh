#!/usr/bin/env bash
# Installs the packages, builds in Release and starts the desktop program kyr2 with the given
# project files, or with an example project when none are given.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"

build="${KYR_BUILD_DIR:-$root/build/release}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKYR_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"

if [ $# -eq 0 ]; then
  set -- "$root/examples/boiler-t240e.kyr"
fi
exec "$build/src/app/kyr2" "$@"
