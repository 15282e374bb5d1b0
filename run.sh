#!/usr/bin/env bash
# Builds and starts one program under Wine: ./run.sh [--x64] [program] [arguments]. The 32-bit build
# (the programs users get) runs under the 32-bit loader; --x64 runs the x86-64 build instead. Only the
# program asked for is built. It is installed into its own folder on the run prefix's drive C, which
# lies outside the build tree, and started from there. With DISPLAY set the real window shows; without
# it the program runs on a virtual display for a few seconds and a screenshot is saved in
# build/screenshots/<program>.png.
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD

tools/setup.sh
. tools/wine.sh
. tools/build.sh

programs=(dorvix32 plovera notaris pellawin kxmain smoke)
arch=i686
if [ "${1:-}" = --x64 ]; then
  arch=x64
  shift
elif ! have_wine32; then
  echo "run: the 32-bit loader (wine32) is not installed; running the x86-64 build instead"
  arch=x64
elif refusal=$(wine32_refusal) && [ -n "$refusal" ]; then
  echo "run: this machine does not execute 32-bit programs ($refusal); running the x86-64 build instead"
  arch=x64
fi

program=${1:-dorvix32}
[ $# -gt 0 ] && shift
if [[ " ${programs[*]} " != *" $program "* ]]; then
  echo "No program '$program'. Programs: ${programs[*]}" >&2
  echo "Usage: ./run.sh [--x64] [program] [arguments]" >&2
  exit 1
fi

dir=build/$arch
case $arch in
x64) configure "$dir" x86_64 ;;
i686) configure "$dir" i686 ;;
esac
target=$program
[ "$program" = kxmain ] && target=kxdemo # the demo product, and with it the engine and its libraries
cmake --build "$dir" -j "$(nproc)" --target "$target" >/dev/null
wine_arch "$arch"

# The run prefix holds what the programs keep for the user (events, holidays, notes, settings), so it
# lies outside the build tree: removing build/ loses none of it.
data=${XDG_DATA_HOME:-$HOME/.local/share}/dorvix-suite
wine_prefix "$data/wine-run"

# install program: the program into C:\Programs\<program>\, and beside it the files it ships with, but
# only where none are there yet: from then on they are the user's.
install_program() {
  local folder="$WINEPREFIX/drive_c/Programs/$1"
  mkdir -p "$folder"
  cp "$root/$dir/bin/$1.exe" "$folder/"
  if [ "$1" = dorvix32 ] && [ ! -f "$folder/holidays.dat" ]; then
    cp "$root/calendar/data/holidays.dat" "$folder/"
  fi
  exe="$folder/$1.exe"
}

# kxmain: "./run.sh kxmain" makes the demo product's distribution with the script builder and installs
# it into C:\KxDemo, unattended, on the display the run was given (headless without DISPLAY, where the
# shortcuts go to the shell's folders; with it, the X desktop answers as Program Manager); "./run.sh
# kxmain uninstall" starts the uninstaller it registered. The run plays the launcher's part: it reports
# the result, on 6 starts the helper's roll-back, and exits non-zero when the install failed.
if [ "$program" = kxmain ]; then
  if [ "${1:-}" != uninstall ]; then
    wine_start
    trap wine_stop EXIT
    rm -rf "$WINEPREFIX/drive_c/kxdist"
    "${fixed_layout[@]}" "$WINE" "$root/$dir/bin/kxdemo.exe" 'C:\kxdist' 'C:\KxDemo' </dev/null
    "${fixed_layout[@]}" "$WINE" 'C:\kxdist\kxmain.exe' </dev/null
    r=$(tr -d '\r' <"$WINEPREFIX/drive_c/kxdist/kxmain.ini" | sed -n 's/^r=//p')
    echo "kxmain: result ${r:-none} (0: installed into C:\KxDemo; 2 or 4: installed, restart needed)"
    [ "$r" = 6 ] && "${fixed_layout[@]}" "$WINE" 'C:\windows\vaveza.exe' </dev/null
    case $r in
    0 | 2 | 4) exit 0 ;;
    *) exit 1 ;;
    esac
  fi
  exe="$WINEPREFIX/drive_c/KxDemo/uninst/kxmain.exe"
  [ -f "$exe" ] || { echo "The demo product is not installed." >&2; exit 1; }
  set --
else
  install_program "$program"
fi

# uninstaller_running: whether the engine or its helper still runs in the run prefix. Other programs
# of the prefix, such as a calendar the user has open, are not waited for.
uninstaller_running() {
  local pid
  for pid in $(pgrep -f '(kxmain|vaveza)\.exe' || true); do
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

# uninstall_on_display: the uninstaller's first run only hands the uninstall over to a copy of itself
# outside the product's folder and ends at once, with the code of a run that did nothing itself. So the
# run waits until that copy and the helper it leaves have ended, then says what the uninstall left.
uninstall_on_display() {
  "${fixed_layout[@]}" "$WINE" "$exe" </dev/null || true
  while uninstaller_running; do sleep 1; done
  local product="$WINEPREFIX/drive_c/KxDemo"
  if [ -d "$product/uninst" ]; then
    echo "kxmain: the demo product is still installed (the uninstall was cancelled or failed)"
    exit 1
  fi
  if [ -d "$product" ]; then
    echo "kxmain: uninstalled; C:\KxDemo stays with what you chose to keep in it"
  else
    echo "kxmain: uninstalled"
  fi
  exit 0
}

if [ -n "${DISPLAY:-}" ]; then
  cd "$(dirname "$exe")"
  [ "$program" = kxmain ] && uninstall_on_display
  exec "${fixed_layout[@]}" "$WINE" "$exe" "$@"
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
  (cd "$(dirname "$exe")" && "${fixed_layout[@]}" "$WINE" "$exe" "$@" </dev/null >/dev/null 2>&1 &)
else
  (cd "$(dirname "$exe")" && "${fixed_layout[@]}" "$WINE" explorer /desktop=shot,1024x768 "$exe" "$@" </dev/null >/dev/null 2>&1 &)
fi
sleep "${RUN_SECONDS:-5}"
import -display "$display" -window root "$shot"
echo "$shot"
