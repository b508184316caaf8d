#!/usr/bin/env bash
# Makes the build tree's downloads as the release does (scripts/package) and checks them: the Debian package's files, metadata, lintian's
# verdict and its program's hardening; or the Windows downloads: the zip's contents, and the setup
# program (what it installs is check_setup.py's to see).
# Prints what fails. Usage: check_package.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
build=$(cd "$1" && pwd) version=$2 id=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
check() {  # WHAT COMMAND...
  local what=$1
  shift
  "$@" >/dev/null 2>&1 || { echo "FAILED: $what"; status=1; }
}
has() { grep -q -- "$2" <<<"$1"; }

"$(dirname "$0")/../../scripts/package" "$build" "$work/out"
if zip=$(ls "$work"/out/*.zip 2>/dev/null); then
  name=$(basename "$zip" .zip)
  check "$name.zip named with the project's version" test "${name%-win??}" = "quorvel-$version"
  check "$name.zip holds quorvel.exe and LICENSE.txt, no more" test \
    "$(/usr/bin/python3 -c 'import sys, zipfile; print(*sorted(zipfile.ZipFile(sys.argv[1]).namelist()))' "$zip")" \
    = "$name/LICENSE.txt $name/quorvel.exe"
  setup=$work/out/$name-setup.exe
  check "$name-setup.exe made beside it" test -f "$setup"
  check "$name-setup.exe is a setup program for quorvel.exe's processor" test \
    "$(file -b "$setup" | cut -d, -f1)" = "$(file -b "$build/app/quorvel.exe" | cut -d, -f1)"
  check "$name-setup.exe is made by NSIS" grep -q "Nullsoft Install System" "$setup"
  exit $status
fi

# The desktop program's package, where the build made the desktop program.
debs=()
if [[ -x $build/app/quorvel ]]; then
  deb=$work/out/quorvel_${version}_$(dpkg --print-architecture).deb
  debs+=("$deb")
  check "named with the project's version" test -f "$deb"
  dpkg-deb -x "$deb" "$work/root"
  files=$(dpkg-deb -c "$deb" | awk '{print $6}')
  icon=$(sed -n 's/^Icon=//p' "$work/root/usr/share/applications/$id.desktop")
  for file in bin/quorvel share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
              share/icons/hicolor/{scalable/apps/$icon.svg,{16x16,256x256}/apps/$icon.png} \
              share/doc/quorvel/copyright share/doc/quorvel/changelog.gz share/man/man1/quorvel.1.gz; do
    check "contains /usr/$file" has "$files" "^./usr/$file\$"
  done
  depends=$(dpkg-deb -f "$deb" Depends)
  for package in libqt6widgets6 fonts-arphic-uming qt6-translations-l10n; do
    check "depends on $package" has "$depends" "$package"
  done
  check "recommends Qt's Wayland platform" test "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland
  check "the desktop entry is valid" desktop-file-validate "$work/root/usr/share/applications/$id.desktop"
  metainfo=$work/root/usr/share/metainfo/$id.metainfo.xml
  check "the metainfo is valid, pedantically" appstreamcli validate --pedantic --no-net "$metainfo"
  check "the metainfo names the release" grep -F "<release version=\"$version\"" "$metainfo"
fi

# The terminal's program alone, for a system without a desktop: no Qt, no fonts.
console=$work/out/quorvel-console_${version}_$(dpkg --print-architecture).deb
check "quorvel-console made" test -f "$console"
debs+=("$console")
files=$(dpkg-deb -c "$console" | awk '{print $6}')
for file in bin/quorvel-console share/doc/quorvel-console/copyright \
            share/doc/quorvel-console/changelog.gz share/man/man1/quorvel-console.1.gz; do
  check "quorvel-console contains /usr/$file" has "$files" "^./usr/$file\$"
done
depends=$(dpkg-deb -f "$console" Depends)
check "quorvel-console depends on the wide-character curses library" has "$depends" libncursesw6
related=$(dpkg-deb -f "$console" Depends Recommends Suggests)  # what apt installs with it, by default or asked
check "quorvel-console brings neither Qt nor fonts: $related" test -z "$(grep -iE 'qt|font|wayland' <<<"$related")"
lintian --allow-root --tag-display-limit 0 "${debs[@]}" >"$work/lintian" 2>&1 || true
check "lintian finds nothing to report: $(cat "$work/lintian")" test ! -s "$work/lintian"

# The programs are hardened: PIE, full RELRO, a non-executable stack, the stack protector, and
# fortified library calls (which leave no trace in a binary without fortifiable calls: see how they
# were built).
dpkg-deb -x "$console" "$work/root"
for program in "$work"/root/usr/bin/*; do
  name=$(basename "$program")
  check "$name: position-independent" has "$(readelf -h "$program")" "DYN (Position-Independent"
  check "$name: full RELRO" has "$(readelf -lW "$program")" GNU_RELRO
  check "$name: bound now" has "$(readelf -dW "$program")" "FLAGS_1.*NOW"
  check "$name: a non-executable stack" test -z "$(readelf -lW "$program" | grep GNU_STACK | grep RWE)"
  check "$name: the stack protector" has "$(readelf --dyn-syms -W "$program")" __stack_chk_fail
done
check "built with _FORTIFY_SOURCE=2" \
  has "$(grep '"command"' "$build/compile_commands.json" | grep main_console.cpp)" "-D_FORTIFY_SOURCE=2"
exit $status
