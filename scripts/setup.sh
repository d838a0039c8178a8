#!/usr/bin/env bash
# Installs everything Corvane's build and tests need on a Debian 12 machine.
# Idempotent: a second run checks, finds everything in place and prints nothing.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
deps="$root/.deps"
prefix="$deps/mingw"

packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  libz-mingw-w64-dev cmake ninja-build wine64 xvfb xauth xdotool imagemagick
  googletest dpkg-dev g++ libpng-dev zlib1g-dev clang-format clang-14 libclang-rt-14-dev
)

say() { printf 'setup: %s\n' "$*"; }

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

apt_updated=0
apt_update() {
  if [ "$apt_updated" -eq 0 ]; then
    say "refreshing the package lists"
    "${sudo_cmd[@]}" apt-get update -qq
    apt_updated=1
  fi
}

install_packages() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  apt_update
  say "installing ${missing[*]}"
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}" 2>&1 >/dev/null | grep -v '^debconf:' >&2 || true
  for p in "${missing[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || { say "could not install $p"; exit 1; }
  done
}

# apt-get source needs deb-src entries; add them to every Debian stanza or line that lacks them.
enable_deb_src() {
  local changed=0 f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    if grep -q 'deb.debian.org/debian\|debian.org/debian' "$f" && grep -qE '^Types:[[:space:]]*deb[[:space:]]*$' "$f"; then
      "${sudo_cmd[@]}" sed -i -E 's/^Types:[[:space:]]*deb[[:space:]]*$/Types: deb deb-src/' "$f"
      changed=1
    fi
  done
  if [ -f /etc/apt/sources.list ] && grep -qE '^deb[[:space:]].*debian' /etc/apt/sources.list \
    && ! grep -qE '^deb-src[[:space:]]' /etc/apt/sources.list; then
    grep -E '^deb[[:space:]].*debian' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      "${sudo_cmd[@]}" tee -a /etc/apt/sources.list >/dev/null
    changed=1
  fi
  if [ "$changed" -eq 1 ]; then
    say "enabled deb-src entries"
    apt_updated=0
  fi
  return 0
}

# libpng has no MinGW package: build Debian's own source as a static library against the static zlib.
build_libpng() {
  [ -f "$prefix/lib/libpng16.a" ] && [ -f "$prefix/include/png.h" ] && return 0
  enable_deb_src
  apt_update
  local src="$deps/src"
  rm -rf "$src" && mkdir -p "$src"
  say "fetching Debian's libpng1.6 source"
  (cd "$src" && apt-get source -qq libpng1.6/bookworm >/dev/null 2>&1) || {
    say "apt-get source libpng1.6/bookworm failed"
    exit 1
  }
  local dir
  dir=$(find "$src" -maxdepth 1 -type d -name 'libpng1.6-*' | head -n 1)
  [ -n "$dir" ] || { say "the libpng source did not unpack"; exit 1; }
  say "building libpng for MinGW-w64 (static)"
  cmake -S "$dir" -B "$src/build" -G Ninja -Wno-dev \
    -DCMAKE_SYSTEM_NAME=Windows \
    -DCMAKE_C_COMPILER=x86_64-w64-mingw32-gcc-posix \
    -DCMAKE_RC_COMPILER=x86_64-w64-mingw32-windres \
    -DCMAKE_FIND_ROOT_PATH=/usr/x86_64-w64-mingw32 \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a \
    -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include >/dev/null
  cmake --build "$src/build" -j 2 >/dev/null
  cmake --install "$src/build" >/dev/null
  rm -rf "$src"
  say "libpng installed in $prefix"
}

install_packages
build_libpng
