#!/usr/bin/env bash
# Prepares a private Wine prefix, the tests' or the screenshots', for the target's loader
# (WINELOADER, WINEARCH), once, and decides whether this machine runs the target's programs at
# all. Some kernels run no 32-bit programs: there the 32-bit target's tests are skipped, with the
# reason in PREFIX.skip.
# PRELVANE_WIN32_RUNS=yes or no forces the answer for the 32-bit target.
# Usage: wine_prefix.sh PREFIX PROBE.exe [DPI] (the probe prints the size of a pointer; the
# screen has 96 dots per inch unless DPI says otherwise)
set -euo pipefail
export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
probe=$2 dpi=${3:-96}
rm -f "$WINEPREFIX.skip"
[[ $WINEARCH == win32 ]] && pointer=4 || pointer=8

skip() {
  echo "$1" >"$WINEPREFIX.skip"
  echo "The 32-bit Windows program cannot run here: $1"
  exit 0
}

# An enabled binfmt_misc entry whose magic is that of an i386 ELF file hands 32-bit programs to
# an emulator; Wine does not run under one.
i386_emulator() {
  local entry magic
  for entry in /proc/sys/fs/binfmt_misc/*; do
    [[ -f $entry && $(basename "$entry") != register && $(basename "$entry") != status ]] || continue
    grep -qx enabled "$entry" || continue
    magic=$(sed -n 's/^magic //p' "$entry")
    [[ ${magic:0:12} == 7f454c460101 && ${magic:36:4} == 0300 ]] && basename "$entry" && return 0
  done
  return 1
}

decided=${PRELVANE_WIN32_RUNS:-}
if [[ $WINEARCH == win32 && $decided == no ]]; then
  skip "PRELVANE_WIN32_RUNS=no"
elif [[ $WINEARCH == win32 && -z $decided ]]; then
  [[ -x $WINELOADER ]] || skip "there is no 32-bit Wine loader ($WINELOADER)"
  # A kernel without 32-bit support refuses the loader; under timeout the shell then retries it
  # as a script and fails with a syntax error, so judge by what it prints.
  version=$(timeout 10 "$WINELOADER" --version 2>&1 || true)
  [[ $version == wine-* ]] || skip "the kernel does not run the 32-bit Wine loader (${version:-no answer})"
  if emulator=$(i386_emulator); then skip "binfmt_misc hands i386 programs to $emulator"; fi
fi

if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  mkdir -p "$WINEPREFIX"
  env -u DISPLAY "$WINELOADER" wineboot --init 2>/dev/null
  wineserver --wait
  # Without a window manager Wine waits for one whenever a window hides: draw our own frames.
  "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
  # 宋体 and SimSun are not installed: the closest Song face that is.
  for face in 宋体 SimSun; do
    "$WINELOADER" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "AR PL UMing CN" /f >/dev/null
  done
  # Wine's own fonts, for the window frames.
  ln -sf /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  wineserver --wait
fi

# The answer is what the probe prints. What Wine says goes to the error output, read only where
# the answer is wrong: a new prefix's first start may report a page fault of its own.
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
answer=$(env -u DISPLAY "$WINELOADER" "$probe" 2>"$errors" | tr -d '\r' || true)
wineserver -k 2>/dev/null || true  # its desktop, made without a display, must not outlive it
if [[ $answer != "$pointer" ]]; then
  answer=$(printf '%s %s' "$answer" "$(tr -d '\r' <"$errors")")
  [[ $WINEARCH == win32 && -z $decided ]] && skip "a 32-bit program under Wine printed '$answer', not $pointer"
  echo "A $pointer-byte probe under $WINELOADER printed '$answer'" >&2
  exit 1
fi
echo "Wine prefix ready: $WINEPREFIX ($WINEARCH, $WINELOADER)"
