#!/usr/bin/env bash
# Packages the release from the WebView2 SDK package in a folder, after checking its SHA-256 against
# the pinned one, and puts the smoke program beside the packages (dist/smoke.exe).
#   bash scripts/ci/release.sh <folder with the .nupkg> <sha256>
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
[ $# -eq 2 ] || { echo "usage: bash scripts/ci/release.sh <folder with the .nupkg> <sha256>" >&2; exit 2; }
folder=$1 pinned=$2
packages=("$folder"/*.nupkg)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] ||
  { echo "release: expected exactly one .nupkg in $folder" >&2; exit 1; }
package=${packages[0]}
actual=$(sha256sum "$package" | cut -c1-64)
if [ "$actual" != "$pinned" ]; then
  echo "release: $package has SHA-256 $actual, not the pinned $pinned." >&2
  echo "release: check the package (its NuGet signature is Microsoft's) and pin that hash as WEBVIEW2_SDK_SHA256." >&2
  exit 1
fi
bash scripts/package.sh --loader "$package"
bash scripts/build.sh >/dev/null
x86_64-w64-mingw32-strip -o dist/smoke.exe build/mingw/test-bin/smoke.exe
echo "release: dist/ holds the packages and smoke.exe"
