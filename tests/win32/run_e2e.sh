#!/usr/bin/env bash
# Runs the driver against quorvel.exe under Wine on a private X display, in Simplified Chinese.
# Usage: run_e2e.sh WINEPREFIX LOCALE_DIR DRIVER.exe QUORVEL.exe
set -euo pipefail
export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
locales=$2 driver=$3 program=$4

# A zh_CN.UTF-8 locale of our own: window titles in Chinese, and 确定 on the message boxes.
if [[ ! -d "$locales/zh_CN.UTF-8" ]]; then
  mkdir -p "$locales"
  localedef -i zh_CN -f UTF-8 "$locales/zh_CN.UTF-8"
fi
export LOCPATH=$locales LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -rf "$work"' EXIT
until [[ -s "$work/display" ]]; do sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

wine "$driver" "$(winepath -w "$program")"
