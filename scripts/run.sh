#!/usr/bin/env bash
# The main job: builds vandrel.exe and starts it under Wine.
#   With a DISPLAY: in a Wine virtual desktop on that display, until you close the tool.
#   Without one: in an Xvfb of its own; saves a screenshot of the window, prints its path, and
#   ends what it started. With --message, the screenshot is of the message that the apply button
#   shows when no choice is made.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target vandrel wait-window
. scripts/wine-prefix.sh

build=$root/build/windows
exe=$build/vandrel.exe
run_dir=$build/run
mkdir -p "$run_dir"
use_chinese_locale "$run_dir"

if [ -n "${DISPLAY:-}" ]; then
  [ -d "$run_dir/prefix" ] || make_prefix "$run_dir/prefix" "${VORNASTA_DPI:-96}"
  export WINEPREFIX=$run_dir/prefix WINEDEBUG=-all
  exec wine explorer /desktop=Vornasta,1024x768 "$exe"
fi

trap stop_wine EXIT
start_xvfb "$run_dir"
make_prefix "$run_dir/prefix" "${VORNASTA_DPI:-96}"
wine "$exe" &
tool_pid=$!
if [ "${1:-}" = --message ]; then
  shot=$run_dir/message.png
  geometry=$(wine "$build/wait-window.exe" TMessageForm TForm1 设置 | tr -d '\r')
else
  shot=$run_dir/vandrel.png
  geometry=$(wine "$build/wait-window.exe" TForm1 | tr -d '\r')
fi
read -r left top width height <<<"$geometry"
echo "window at $left $top, $width x $height" >&2
import -window root "$run_dir/screen.png"
convert "$run_dir/screen.png" -crop "${width}x${height}+${left}+${top}" +repage "$shot"
echo "$shot"
stop_wine
wait "$tool_pid" 2>/dev/null || true
