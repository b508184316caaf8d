#!/usr/bin/env bash
# Builds the Debian package, checks its files and metadata, and starts the packaged program.
# Usage: check_package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 passes=0
check() {
  if eval "$2" >/dev/null; then echo "ok: $1"; passes=$((passes + 1)); else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/quorvel_*.deb)
id=org.prelvane.Quorvel
dpkg-deb -c "$deb" | awk '{print $6}' >"$work/files"
dpkg-deb -x "$deb" "$work/root"

check "named with the full version" "[[ $(basename "$deb") == quorvel_1.0.0.0_*.deb ]]"
for file in usr/bin/quorvel usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
            usr/share/icons/hicolor/scalable/apps/$id.svg; do
  check "contains $file" "grep -x './$file' '$work/files'"
done
for size in 16 24 32 48 64 128 256; do
  check "contains the ${size}px icon" "grep -x './usr/share/icons/hicolor/${size}x${size}/apps/$id.png' '$work/files'"
done
depends=$(dpkg-deb -f "$deb" Depends)
for dependency in libqt6widgets6 libqt6gui6 libc6 libstdc++6 fonts-arphic-uming; do
  check "depends on $dependency" "[[ '$depends' == *$dependency* ]]"
done
check "desktop entry is valid" "desktop-file-validate '$work/root/usr/share/applications/$id.desktop'"
check "metainfo is valid" "appstreamcli validate --no-net '$work/root/usr/share/metainfo/$id.metainfo.xml' >/dev/null"

# The packaged program comes up on a display of its own and stays up.
exec 3>&1
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
until [[ -s "$work/display" ]]; do sleep 0.1; done
DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb "$work/root/usr/bin/quorvel" 2>/dev/null &
program=$!
sleep 2
check "the packaged program starts" "kill -0 $program"
kill "$program" "$xvfb" 2>/dev/null || true
wait "$xvfb" 2>/dev/null || true  # gone before the next test takes its display

echo "$passes passed, $failures failed"
((failures == 0))
