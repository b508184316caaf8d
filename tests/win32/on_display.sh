#!/usr/bin/env bash
# Runs a Windows program under Wine on the X display it is given (scripts/displays.py gives a
# private one). Paths after the program reach it as Windows paths.
# Usage: on_display.sh PROGRAM.exe [PATH...] (WINELOADER, WINEPREFIX and DISPLAY set)
set -euo pipefail
wine=$(dirname "$0")/wine.sh
program=$1
shift
paths=()
for path in "$@"; do paths+=("$("$wine" winepath -w "$path")"); done
# A wine server left from a test without a display would refuse this one its windows.
wineserver -k 2>/dev/null || true
exec "$wine" "$program" "${paths[@]}"
