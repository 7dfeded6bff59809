#!/bin/sh
# Builds and runs the fault soak: random faults against many loads and writes in virtual time.
# Usage: bench/fault_soak.sh [--runs N] [--seed S]   (build directory: $BUILD_DIR or build-bench)
# Exits non-zero when a transfer reported success over wrong data or anything threw.
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-"$source_dir/build-bench"}
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build_dir" --target fault_soak >/dev/null
exec "$build_dir/bench/fault_soak" "$@"
