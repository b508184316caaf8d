#!/usr/bin/env bash
# Runs the driver against quorvel.exe under Wine, in Simplified Chinese, on the X display it is
# given (scripts/displays.py gives a private one).
# Usage: run_e2e.sh LOCALE_DIR DRIVER.exe QUORVEL.exe (WINELOADER, WINEPREFIX and DISPLAY set)
set -euo pipefail
wine=$(dirname "$0")/wine.sh
locales=$1 driver=$2 program=$3
program=$("$wine" winepath -w "$program")  # skips here where the target cannot run

# A zh_CN.UTF-8 locale of our own: window titles in Chinese, and 确定 on the message boxes.
if [[ ! -d "$locales/zh_CN.UTF-8" ]]; then
  mkdir -p "$locales"
  localedef -i zh_CN -f UTF-8 "$locales/zh_CN.UTF-8"
fi
# A wine server left from a test without a display would refuse this one its windows.
wineserver -k 2>/dev/null || true

# For the program alone: this shell would try the locale itself, before LOCPATH reaches it, and warn.
env LOCPATH="$locales" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 "$wine" "$driver" "$program"
