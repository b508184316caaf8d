#!/usr/bin/env bash
# The release of this commit made twice, from two copies of it in two folders, one after the other
# (scripts/release): the two folders the same, byte for byte, or the first byte of each file that
# differs named; and the folder holding every download the README's table names, each in
# SHA256SUMS, which sha256sum checks.
# Usage: twice.sh
set -euo pipefail
source=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
started=$SECONDS
for copy in first second/further; do
  git clone -q "$source" "$work/$copy/prelvane"
  "$work/$copy/prelvane/scripts/release" "$work/$copy/downloads" >"$work/log" 2>&1 ||
    { cat "$work/log"; exit 1; }
done
first=$work/first/downloads second=$work/second/further/downloads
status=0
if ! diff -r -q "$first" "$second" >"$work/differ"; then
  status=1
  sed -n 's/^Files \(.*\) and \(.*\) differ$/\1 \2/p' "$work/differ" | while read -r one two; do
    cmp "$one" "$two" | sed "s|$work/first/downloads/||" || true
  done
  grep -v '^Files' "$work/differ" || true
fi

cd "$first"
sha256sum --quiet -c SHA256SUMS || status=1
version=$(git -C "$source" show HEAD:CMakeLists.txt | sed -n 's/^ *VERSION \([0-9.]*\)$/\1/p')
named=$(sed -n '/^## Downloads/,/^## /p' "$source/README.md" | grep -o '^| `[^`]*`' | tr -d '|` ' |
  sed "s/1\.0\.0\.0/$version/")
for file in ${named/SHA256SUMS/}; do
  [[ -e $file ]] || { echo "FAILED: $file, which the README names, was not made"; status=1; }
  grep -q "  $file\(/\|$\)" SHA256SUMS || { echo "FAILED: $file is not in SHA256SUMS"; status=1; }
done
echo "The release made twice and compared in $((SECONDS - started)) s"
exit $status
