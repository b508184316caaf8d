#!/usr/bin/env bash
# Builds the Debian package and checks its files, its metadata and lintian's verdict.
# Usage: check_package.sh BUILD_DIR VERSION
set -euo pipefail
build=$(cd "$1" && pwd) version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 passes=0
check() {
  if eval "$2" >/dev/null 2>&1; then echo "ok: $1"; passes=$((passes + 1)); else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null)
deb=$work/out/quorvel_${version}_$(dpkg --print-architecture).deb
id=org.prelvane.Quorvel
dpkg-deb -c "$deb" | awk '{print $6}' >"$work/files"
dpkg-deb -x "$deb" "$work/root"

check "named with the project's version" "[[ -f '$deb' ]]"
for file in bin/quorvel share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
            share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/16x16/apps/$id.png \
            share/icons/hicolor/256x256/apps/$id.png share/doc/quorvel/copyright \
            share/doc/quorvel/changelog.gz share/man/man1/quorvel.1.gz; do
  check "contains /usr/$file" "grep -x './usr/$file' '$work/files'"
done
check "depends on Qt's widgets and translations, and the Song face" \
  "dpkg-deb -f '$deb' Depends | grep libqt6widgets6 | grep fonts-arphic-uming | grep qt6-translations-l10n"
check "recommends Qt's Wayland platform" "dpkg-deb -f '$deb' Recommends | grep -x qt6-wayland"
check "desktop entry is valid" "desktop-file-validate '$work/root/usr/share/applications/$id.desktop'"
check "metainfo is valid, pedantically" \
  "appstreamcli validate --pedantic --no-net '$work/root/usr/share/metainfo/$id.metainfo.xml'"
check "metainfo names the release and the licence" \
  "grep -F -e '<release version=\"$version\"' -e '<project_license>MIT<' '$work/root/usr/share/metainfo/$id.metainfo.xml' | wc -l | grep -x 2"
lintian --allow-root --tag-display-limit 0 "$deb" >"$work/lintian" 2>&1 || true
check "lintian finds nothing to report" "[[ ! -s '$work/lintian' ]]"
cat "$work/lintian"

echo "$passes passed, $failures failed"
((failures == 0))
