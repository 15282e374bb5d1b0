#!/usr/bin/env bash
# Builds both architectures and runs every test under Wine, headless: the x86-64 build under the 64-bit
# loader, then the i686 build (the programs users get) under the 32-bit loader, each in a Wine prefix of
# its own. Extra arguments go to both CTest runs (for example: ./test.sh -R ClockTest).
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD

tools/setup.sh
. tools/wine.sh
. tools/build.sh

jobs=$(nproc)
# The i686 build is always compiled and linked; its tests run wherever the 32-bit loader can run them.
arches=(x64 i686)
suites=(x64)
if ! have_wine32; then
  if [ "${CI:-}" = true ]; then
    echo "test: the 32-bit loader (wine32) is missing, so the i686 tests cannot run" >&2
    exit 1
  fi
  echo "test: skipping the i686 tests: the 32-bit loader (wine32) is not installed (tools/setup.sh as root installs it)"
elif refusal=$(wine32_refusal) && [ -n "$refusal" ]; then
  echo "test: skipping the i686 tests: this machine does not execute 32-bit programs (the 32-bit loader: $refusal)"
else
  suites+=(i686)
fi

for arch in "${arches[@]}"; do
  case $arch in
  x64) configure build/x64 x86_64 -DBUILD_TESTING=ON ;;
  i686) configure build/i686 i686 -DBUILD_TESTING=ON ;;
  esac
  cmake --build "build/$arch" -j "$jobs"
done

# Tests run headless: Wine's null driver, never the user's display. What tests send to the recycle bin
# lands in the build tree, not in the user's own trash. The tests labelled "display" run apart, on an X
# server of this run's own (Xvfb, no window manager), as users run the programs.
unset DISPLAY
export XDG_DATA_HOME="$root/build/xdg"

xvfb=
xvfb_display=
stop_xvfb() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  xvfb=
  return 0
}
trap stop_xvfb EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# start_xvfb: the X server of this run, on a display number the server itself finds free; started once,
# ended when the run ends, however it ends.
start_xvfb() {
  [ -n "$xvfb" ] && return 0
  local number="build/xvfb-display"
  rm -f "$number"
  Xvfb -displayfd 3 -screen 0 1280x800x24 3>"$number" >/dev/null 2>&1 &
  xvfb=$!
  local tries=0
  while [ ! -s "$number" ] && [ $tries -lt 100 ] && kill -0 "$xvfb" 2>/dev/null; do
    sleep 0.1
    tries=$((tries + 1))
  done
  if [ ! -s "$number" ]; then
    echo "test: the X server for the display tests did not start" >&2
    stop_xvfb
    return 1
  fi
  xvfb_display=":$(head -1 "$number")"
}

# ctest_run log args...: one CTest run of the selected tests with the rerun of a failed test, its output
# kept for the summary.
ctest_run() {
  local log=$1
  shift
  "${fixed_layout[@]}" ctest --test-dir "build/$arch" -j "$jobs" --output-on-failure --timeout 120 --no-tests=ignore \
    --repeat until-pass:2 "$@" "${ctest_args[@]}" 2>&1 | tee "$log"
}

# run_suite arch: every test of one architecture in its own prefix, with the CTest output kept for the
# summary at the end. A test whose Wine process fails to start under a heavily loaded machine (no output,
# exit within milliseconds) is run once more; a test that fails twice fails the run. The real-input tests
# run alone (one pointer and one focus per Wine server), so a second run cannot hide one that fails only
# beside another. The display tests run after the rest with the Wine server started anew on the X
# display, so that the server, its desktop and the programs all see the same display.
run_suite() {
  local arch=$1
  wine_arch "$arch"
  wine_prefix "$root/build/wine-$arch"
  # kxmain's end-to-end runs start the engine from a drive of their own: its uninstaller moves files
  # through the root of the drive it runs from.
  mkdir -p "$root/build/kxdrive-$arch"
  ln -sfn "$root/build/kxdrive-$arch" "$WINEPREFIX/dosdevices/k:"
  local rc=0
  echo "== $arch tests =="
  wine_start
  ctest_run "build/$arch/ctest.log" -LE display || rc=1
  wine_stop
  rm -f "build/$arch/ctest-display.log"
  if [ -n "$(ctest --test-dir "build/$arch" -N -L display "${ctest_args[@]}" | grep -E '^ *Test +#')" ]; then
    echo "== $arch tests on an X display =="
    if start_xvfb; then
      (
        export DISPLAY=$xvfb_display
        wine_start
        display_rc=0
        ctest_run "build/$arch/ctest-display.log" -L display || display_rc=1
        wine_stop
        exit $display_rc
      ) || rc=1
    else
      rc=1
    fi
  fi
  return $rc
}

# retried log: the tests whose first attempt failed and that were run again, as "retried: N: a, b".
retried() {
  local names
  names=$(sed -nE 's/^ *[0-9]+\/[0-9]+ +Test +#[0-9]+: +([^ ]+) .*\*\*\*.*/\1/p' "$@" 2>/dev/null | paste -sd, - | sed 's/,/, /g' || true)
  if [ -z "$names" ]; then
    echo "retried: 0"
  else
    echo "retried: $(tr ',' '\n' <<<"$names" | wc -l): $names"
  fi
}

# result log: CTest's own line of the run's result.
result() {
  [ -f "$1" ] || { echo "not run"; return; }
  grep -E 'tests passed' "$1" | tail -1 || echo "no tests selected"
}

ctest_args=("$@")
rc=0
for arch in "${suites[@]}"; do
  run_suite "$arch" || rc=1
  if ! grep -qsE 'tests passed' "build/$arch/ctest.log" "build/$arch/ctest-display.log"; then
    echo "test: no tests were found for $arch" >&2
    rc=1
  fi
done

echo "== summary =="
for arch in "${suites[@]}"; do
  echo "$arch: $(result "build/$arch/ctest.log")"
  echo "$arch display: $(result "build/$arch/ctest-display.log")"
  echo "$arch $(retried "build/$arch/ctest.log" "build/$arch/ctest-display.log")"
done
exit $rc
