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
# lands in the build tree, not in the user's own trash.
unset DISPLAY
export XDG_DATA_HOME="$root/build/xdg"

# run_suite arch: every test of one architecture in its own prefix, with the CTest output kept for the
# summary at the end. A test whose Wine process fails to start under a heavily loaded machine (no output,
# exit within milliseconds) is run once more; a test that fails twice fails the run. The real-input tests
# run alone (one pointer and one focus per Wine server), so a second run cannot hide one that fails only
# beside another.
run_suite() {
  local arch=$1
  wine_arch "$arch"
  wine_prefix "$root/build/wine-$arch"
  # kxmain's end-to-end runs start the engine from a drive of their own: its uninstaller moves files
  # through the root of the drive it runs from.
  mkdir -p "$root/build/kxdrive-$arch"
  ln -sfn "$root/build/kxdrive-$arch" "$WINEPREFIX/dosdevices/k:"
  wine_start
  local rc=0
  echo "== $arch tests =="
  ctest --test-dir "build/$arch" -j "$jobs" --output-on-failure --timeout 120 --no-tests=error \
    --repeat until-pass:2 "${ctest_args[@]}" \
    2>&1 | tee "build/$arch/ctest.log" || rc=1
  wine_stop
  return $rc
}

ctest_args=("$@")
rc=0
for arch in "${suites[@]}"; do
  run_suite "$arch" || rc=1
done

echo "== summary =="
for arch in "${suites[@]}"; do
  echo "$arch: $(grep -E 'tests passed|No tests were found' "build/$arch/ctest.log" | tail -1)"
done
exit $rc
