#!/usr/bin/env bash
# The benchmark (not part of the tests): the release vandrel.exe against a minimal window program
# built with the same toolchain and flags, run alternately under Wine, with a fake powercfg.exe
# that ends at once. Prints a table with the ratios.
#   scripts/bench.sh [RUNS]   (default 15, at least 10)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target vandrel bench_minimal bench_driver fake_powercfg_bench >/dev/null
build=$root/build/release
windows_build="Z:${build//\//\\}"
VORNASTA_SYSTEM32=$build/bench/fake/powercfg.exe \
  scripts/wine-run.sh "$build/bench/driver.exe" \
  "$windows_build\\vandrel.exe" "$windows_build\\bench\\minimal.exe" "${1:-15}"
