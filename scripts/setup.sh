#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, only what is missing, and the Chinese
# locale the Wine tests run in. Safe to run again.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64
  binutils-mingw-w64-i686
  wine wine64 xvfb xauth imagemagick fonts-wqy-zenhei locales
)
missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo=
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$' && [ "$(id -u)" -eq 0 ]; then
  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8 || true
fi
