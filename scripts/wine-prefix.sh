# Shared by the scripts that run Windows programs under Wine: an Xvfb of our own, and a Wine
# prefix set up like a Chinese Windows desktop (code page 936, 宋体 mapped to an installed CJK
# font, a 1024x768 virtual desktop so Wine draws the window frames itself, a chosen DPI).
# Source it, then call the functions; stop_wine ends only what they started.

xvfb_pid=

# start_xvfb DIR: starts Xvfb on a free display and exports DISPLAY.
start_xvfb() {
  local dir=$1 display_file=$1/display
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >"$dir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
  done
  [ -s "$display_file" ] || { echo "Xvfb did not start (see $dir/xvfb.log)" >&2; return 1; }
  export DISPLAY=:$(head -n 1 "$display_file")
}

# use_chinese_locale CACHE_DIR: LANG/LC_ALL for zh_CN.UTF-8, built privately if the system lacks it.
use_chinese_locale() {
  if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    export LOCPATH=$1/locale
    if [ ! -d "$LOCPATH/zh_CN.UTF-8" ]; then
      mkdir -p "$LOCPATH"
      localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" >/dev/null 2>&1 || true
    fi
  fi
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
}

# make_prefix PREFIX DPI: creates the prefix (if new) and applies the desktop settings.
make_prefix() {
  local prefix=$1 dpi=$2
  export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  mkdir -p "$prefix"
  wineboot -i >"$prefix/../wineboot.log" 2>&1
  local reg=$prefix/../setup.reg
  printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="Default"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' '"Default"="1024x768"' '' \
    '[HKEY_CURRENT_USER\Control Panel\Desktop]' "\"LogPixels\"=dword:$(printf '%08x' "$dpi")" '' \
    '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]' \
    '"宋体"="WenQuanYi Zen Hei"' '"SimSun"="WenQuanYi Zen Hei"' '' |
    iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
  wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
  # The desktop that wineboot started is not yet the virtual one: end this prefix's processes so
  # that the next program starts the virtual desktop the registry now asks for.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}

# stop_wine: ends this prefix's wineserver and our Xvfb.
stop_wine() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  fi
}
