#!/usr/bin/env bash
# Runs one Windows program under Wine for a test: a fresh prefix under the build folder and an
# Xvfb of its own, set up as in wine-prefix.sh. Passes the program's exit code on. CMake uses it as
# the cross-compiling emulator, so plain ctest runs the Windows tests.
#
# Environment:
#   VORNASTA_DPI       screen DPI for the prefix (default 96)
#   VORNASTA_SYSTEM32  programs to copy into the prefix's system directory (separated by ';')
#   VORNASTA_KEEP      keep the prefix afterwards, for a post-mortem
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-prefix.sh"

program=$1
shift
build_root=$(cd "$(dirname "$program")" && pwd)/wine
mkdir -p "$build_root"
run_dir=$(mktemp -d "$build_root/run.XXXXXX")

cleanup() {
  stop_wine
  if [ -z "${VORNASTA_KEEP:-}" ]; then rm -rf "$run_dir"; fi
}
trap cleanup EXIT

use_chinese_locale "$build_root"
start_xvfb "$run_dir"
make_prefix "$run_dir/prefix" "${VORNASTA_DPI:-96}"

if [ -n "${VORNASTA_SYSTEM32:-}" ]; then
  IFS=';' read -r -a extra <<<"$VORNASTA_SYSTEM32"
  for file in "${extra[@]}"; do cp "$file" "$WINEPREFIX/drive_c/windows/system32/"; done
fi

status=0
wine "$program" "$@" || status=$?
exit "$status"
