# Sourced by test.sh, run.sh and bench.sh: configures one build folder for one architecture.

# The compiler cache serves every checkout of the project on this machine (a copy, a work tree).
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=true

# configure build-dir toolchain [cmake options]: toolchain is x86_64 or i686. Configured every time, so
# that a subsystem folder that gains a CMakeLists.txt joins the build at once. A build folder copied or
# moved from another checkout names that checkout in its cache, which CMake refuses: it starts afresh.
configure() {
  local dir=$1 toolchain=$2 cache="$1/CMakeCache.txt" home
  shift 2
  if [ -f "$cache" ]; then
    home=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$cache")
    if [ "$home" != "$root" ]; then
      echo "setup: $dir was built from $home; building it afresh for $root"
      rm -rf "$dir"
    fi
  fi
  cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$toolchain.cmake" \
    -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Debug}" "$@" >/dev/null
}
