#!/usr/bin/env bash
# Builds one benchmark optimised and runs it under Wine: tools/bench.sh name [arguments].
# Without a name it lists the benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

tools/setup.sh
. tools/wine.sh
. tools/build.sh

dir=build/bench
BUILD_TYPE=Release configure "$dir" x86_64 -DBUILD_TESTING=OFF
name=${1:-}
if [ -z "$name" ]; then
  cmake --build "$dir" -j "$(nproc)" >/dev/null
  echo "Benchmarks: $(cd "$dir/benchmarks" 2>/dev/null && ls *.exe | sed "s/\.exe$//" | tr "\n" " ")"
  exit 0
fi
shift
cmake --build "$dir" -j "$(nproc)" --target "$name" >/dev/null

unset DISPLAY
wine_prefix "$root/build/wine-bench"
wine_start
trap wine_stop EXIT
mkdir -p "$dir/run" && cd "$dir/run"
"$WINE" "$root/$dir/benchmarks/$name.exe" "$@" </dev/null
