#!/bin/sh
# Builds and runs the console check's benchmark: in process, and over a private JACK server that
# it starts and stops (jackd must be installed; nothing else is touched).
# Usage: bench/check_bench.sh [SECONDS]   (build directory: $BUILD_DIR or build-bench)
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-"$source_dir/build-bench"}
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build_dir" --target check_bench >/dev/null
state=$(mktemp -d)
fixture="$source_dir/tests/jack/jack_fixture.sh"
status=0
if command -v jackd >/dev/null && "$fixture" "$state" start-server >/dev/null; then
    "$fixture" "$state" run "$build_dir/bench/check_bench" "$@" || status=$?
    "$fixture" "$state" stop-server
else
    "$build_dir/bench/check_bench" "$@" || status=$?
fi
rm -rf "$state"
exit $status
