#!/usr/bin/env bash
# Runs a Windows program under the target's Wine loader (WINELOADER) in the build tree's prefix
# (WINEPREFIX). Where the prefix's set-up found that this machine cannot run the target's
# programs, says why and exits 77, which CTest reports as skipped.
set -euo pipefail
if [[ -f "$WINEPREFIX.skip" ]]; then
  echo "skipped: $(cat "$WINEPREFIX.skip")" >&2
  exit 77
fi
exec "$WINELOADER" "$@"
