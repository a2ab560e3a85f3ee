#!/usr/bin/env bash
# Installs the packages, builds in Release and starts the program: the desktop program when
# it is built, otherwise the command line tool with the given arguments.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"

build="${KYR_BUILD_DIR:-$root/build/release}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKYR_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"

if [ -x "$build/src/app/kyr2" ]; then
  exec "$build/src/app/kyr2" "$@"
fi
if [ -x "$build/src/cli/kyr2cli" ]; then
  exec "$build/src/cli/kyr2cli" "$@"
fi
echo "Built: the libraries under $build/src. The programs kyr2 and kyr2cli are not part of this build yet."
