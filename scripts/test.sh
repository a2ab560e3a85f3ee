#!/usr/bin/env bash
# Installs the packages, builds everything with warnings as errors under AddressSanitizer
# and UndefinedBehaviorSanitizer, and runs every test; then checks that the optimised build
# scripts/run.sh makes still compiles. The exit status is ctest's, or the release build's
# when that one fails.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"

build="${KYR_BUILD_DIR:-$root/build/asan}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKYR_SANITIZE=ON
cmake --build "$build" --parallel "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
set +e
(cd "$build" && ctest --output-on-failure --parallel "$(nproc)" --timeout 300)
status=$?
set -e

release="${KYR_RELEASE_BUILD_DIR:-$root/build/release}"
cmake -S "$root" -B "$release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKYR_BUILD_TESTS=OFF >/dev/null
cmake --build "$release" --parallel "$(nproc)"
exit $status
