#!/usr/bin/env bash
# Builds the benchmark programs in build-bench/ and measures moravin against the
# floor program: start-up, idle memory and the calculation. See bench/README.md.
# Extra arguments go to measure.py (--runs, --median, --settle).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${MORAVIN_BENCH_BUILD:-$root/build-bench}
log=$(mktemp)
trap 'rm -f "$log"' EXIT

echo "building the benchmark programs in $build" >&2
if ! { cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
           -DMORAVIN_WERROR=ON &&
       cmake --build "$build" --target benchmarks -j 2; } >"$log" 2>&1; then
    cat "$log" >&2
    exit 1
fi

python3 "$root/bench/measure.py" --build "$build" "$@"
