#!/usr/bin/env bash
# Everything the build and the tests need on a fresh Debian machine: the cross compilers, Wine, the
# virtual display for screenshots, and a Wine prefix for the build tree. Safe to run again: it installs
# only what is missing and reuses the prefix.
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
