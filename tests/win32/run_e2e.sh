#!/usr/bin/env bash
# Runs the driver against quorvel.exe under Wine on a private X display, in Simplified Chinese.
# Usage: run_e2e.sh LOCALE_DIR DRIVER.exe QUORVEL.exe (WINELOADER and WINEPREFIX set)
set -euo pipefail
wine=$(dirname "$0")/wine.sh
locales=$1 driver=$2 program=$3
program=$("$wine" winepath -w "$program")  # skips here where the target cannot run

# A zh_CN.UTF-8 locale of our own: window titles in Chinese, and 确定 on the message boxes.
if [[ ! -d "$locales/zh_CN.UTF-8" ]]; then
  mkdir -p "$locales"
  localedef -i zh_CN -f UTF-8 "$locales/zh_CN.UTF-8"
fi

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || { echo "Xvfb did not start within 10 s" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"
# A wine server left from a test without a display would refuse this one its windows.
wineserver -k 2>/dev/null || true

# For the program alone: this shell would try the locale itself, before LOCPATH reaches it, and warn.
env LOCPATH="$locales" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 "$wine" "$driver" "$program"
