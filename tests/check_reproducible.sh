#!/usr/bin/env bash
# Two release builds of the same sources, in two different build folders, must give
# byte-identical exes: no time stamps, no build paths.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/vornasta-repro.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$root/scripts/release.sh" "$work/dist-a" "$work/build-a" >/dev/null
"$root/scripts/release.sh" "$work/dist-b" "$work/other-place/build-b" >/dev/null
for exe in vandrel.exe vandrel-x86.exe; do
  if ! cmp "$work/dist-a/$exe" "$work/dist-b/$exe"; then
    echo "$exe differs between two builds of the same sources" >&2
    exit 1
  fi
done
echo "both builds are byte-identical:"
cat "$work/dist-a/SHA256SUMS"
