#!/usr/bin/env bash
# Prepares the build tree's private Wine prefix, once, and starts a persistent wine server so
# that each program under test starts in well under a second. Usage: wine_prefix.sh PREFIX
set -euo pipefail
export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  mkdir -p "$WINEPREFIX"
  env -u DISPLAY wineboot --init
  wineserver --wait
  # Without a window manager Wine waits for one whenever a window hides: draw our own frames.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
  # 宋体 and SimSun are not installed: the closest Song face that is.
  for face in 宋体 SimSun; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "AR PL UMing CN" /f >/dev/null
  done
  # Wine's own fonts, for the window frames.
  ln -sf /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  wineserver --wait
fi
echo "Wine prefix ready: $WINEPREFIX"
