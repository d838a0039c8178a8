#!/usr/bin/env bash
# Draws the icons from scripts/icongen.cpp. "write" (the default) replaces app/assets/corvane-icon.png and
# resources/corvane.ico; "check" verifies that the committed files still match the drawing.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mode=${1:-write}
out="$root/.deps/host"
mkdir -p "$out"
if [ ! -x "$out/icongen" ] || [ "$root/scripts/icongen.cpp" -nt "$out/icongen" ]; then
  g++ -std=c++20 -O2 -Wall -Wextra "$root/scripts/icongen.cpp" -o "$out/icongen" -lpng
fi
"$out/icongen" "$mode" "$root/app/assets/corvane-icon.png" "$root/resources/corvane.ico"
