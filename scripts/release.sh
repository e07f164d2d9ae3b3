#!/usr/bin/env bash
# Builds the release exes: dist/vandrel.exe (x86_64) and dist/vandrel-x86.exe (i686), stripped,
# with their SHA-256 sums in dist/SHA256SUMS.
#   scripts/release.sh [DIST_DIR [BUILD_ROOT]]   (defaults: dist, build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
dist=$(realpath -m "${1:-dist}")
build_root=$(realpath -m "${2:-build}")
scripts/setup.sh
for preset in release release-x86; do
  cmake --preset "$preset" -B "$build_root/$preset" >/dev/null
  cmake --build "$build_root/$preset" --target vandrel >/dev/null
done
mkdir -p "$dist"
cp "$build_root/release/vandrel.exe" "$dist/vandrel.exe"
cp "$build_root/release-x86/vandrel.exe" "$dist/vandrel-x86.exe"
(cd "$dist" && sha256sum vandrel.exe vandrel-x86.exe >SHA256SUMS)
cat "$dist/SHA256SUMS"
