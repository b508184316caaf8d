#!/usr/bin/env bash
# Builds the Windows download and checks that it holds the program and its licence, no more.
# Usage: check_zip.sh BUILD_DIR NAME (the zip's name without .zip)
set -euo pipefail
build=$(cd "$1" && pwd) name=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work" >/dev/null)
contents=$(/usr/bin/python3 -c 'import sys, zipfile; print(*sorted(zipfile.ZipFile(sys.argv[1]).namelist()))' "$work/$name.zip")
if [[ $contents == "$name/LICENSE.txt $name/quorvel.exe" ]]; then
  echo "ok: $name.zip holds quorvel.exe and LICENSE.txt"
  echo "1 passed, 0 failed"
else
  echo "FAILED: $name.zip holds $contents"
  echo "0 passed, 1 failed"
  exit 1
fi
