#!/usr/bin/env bash
# Builds and starts one program under Wine: ./run.sh [program] [arguments]. With DISPLAY set the real
# window shows; without it the program runs on a virtual display for a few seconds and a screenshot is
# saved in build/screenshots/<program>.png.
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD

tools/setup.sh
. tools/wine.sh

dir=build/x64
cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64.cmake" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$dir" -j "$(nproc)" >/dev/null

programs=()
for p in dorvix32 plovera notaris pellawin kxmain smoke; do
  [ -f "$dir/bin/$p.exe" ] && programs+=("$p")
done

program=${1:-}
if [ -z "$program" ]; then
  if [ -f "$dir/bin/dorvix32.exe" ]; then
    program=dorvix32
  else
    echo "Programs built so far: ${programs[*]}"
    echo "Usage: ./run.sh program [arguments]"
    exit 0
  fi
else
  shift
fi
exe="$root/$dir/bin/$program.exe"
if [ ! -f "$exe" ]; then
  echo "No program '$program'. Programs built so far: ${programs[*]}" >&2
  exit 1
fi

# A prefix of its own, so that a run never disturbs tests under way.
wine_prefix "$root/build/wine-run"

# kxmain: "./run.sh kxmain" makes the demo product's distribution with the script builder and installs
# it into C:\KxDemo, unattended and headless (an X desktop answers as Program Manager; the shortcuts go
# to the shell's folders instead); "./run.sh kxmain uninstall" starts the uninstaller it registered.
# The run plays the launcher's part: it reports the result and, on 6, starts the helper's roll-back.
if [ "$program" = kxmain ]; then
  wine_start
  trap wine_stop EXIT
  if [ "${1:-}" != uninstall ]; then
    rm -rf "$WINEPREFIX/drive_c/kxdist"
    "$WINE" "$root/$dir/bin/kxdemo.exe" 'C:\kxdist' 'C:\KxDemo' </dev/null
    (unset DISPLAY; "$WINE" 'C:\kxdist\kxmain.exe' </dev/null)
    r=$(tr -d '\r' <"$WINEPREFIX/drive_c/kxdist/kxmain.ini" | sed -n 's/^r=//p')
    echo "kxmain: result ${r:-none} (0: installed into C:\KxDemo)"
    [ "$r" = 6 ] && "$WINE" 'C:\windows\vaveza.exe' </dev/null
    exit 0
  fi
  exe="$WINEPREFIX/drive_c/KxDemo/uninst/kxmain.exe"
  [ -f "$exe" ] || { echo "The demo product is not installed." >&2; exit 1; }
  set --
fi

if [ -n "${DISPLAY:-}" ]; then
  cd "$(dirname "$exe")"
  exec "$WINE" "$exe" "$@"
fi

mkdir -p build/screenshots
shot="$root/build/screenshots/$program.png"
display=:77
while [ -e "/tmp/.X11-unix/X${display#:}" ]; do display=":$(( ${display#:} + 1 ))"; done
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'wine_stop; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
wine_start
if [ "$program" = kxmain ]; then
  # The uninstaller's dialog, outside an explorer desktop (which answers as Program Manager).
  (cd "$(dirname "$exe")" && "$WINE" "$exe" "$@" </dev/null >/dev/null 2>&1 &)
else
  (cd "$(dirname "$exe")" && "$WINE" explorer /desktop=shot,1024x768 "$exe" "$@" </dev/null >/dev/null 2>&1 &)
fi
sleep "${RUN_SECONDS:-5}"
import -display "$display" -window root "$shot"
echo "$shot"
