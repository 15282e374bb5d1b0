#!/usr/bin/env bash
# Everything the build and the tests need on a fresh Debian machine: the cross compilers, Wine with its
# 32-bit loader, and the virtual display for screenshots. Safe to run again: it installs only what is
# missing. The 32-bit loader is wanted, not required: without it the x86-64 programs still build and run.
set -euo pipefail

packages=(
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine64 fonts-wine xvfb xauth imagemagick libz-mingw-w64-dev
  cmake googletest ccache
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages: ${missing[*]} (run as root to install them)" >&2
    exit 1
  fi
  echo "setup: installing ${missing[*]}"
  # update may fail on one mirror index while the packages still install; the install decides.
  apt-get update -qq >/dev/null 2>&1 || true
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The 32-bit loader comes from the i386 architecture's index, which a machine has only once that
# architecture is added; right after adding it the index can be missing for a moment, so the update is
# tried once more before giving up.
wine32_install() {
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  local try
  for try in 1 2; do
    apt-get update -qq >/dev/null 2>&1 || true
    if apt-cache show wine32:i386 >/dev/null 2>&1; then
      DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends wine32:i386 >/dev/null 2>&1
      return
    fi
  done
  return 1
}

if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: wine32 is not installed (run as root to install it); the 32-bit programs cannot run" >&2
  else
    echo "setup: installing wine32"
    wine32_install || echo "setup: wine32 could not be installed; the 32-bit programs cannot run" >&2
  fi
fi
