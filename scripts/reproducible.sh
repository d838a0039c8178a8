#!/usr/bin/env bash
# Packages the last commit twice, from fresh clones in two different folders (each with its own set-up
# and build of libpng), and compares the SHA-256 of Corvane.exe, the zip and the MSI. Both packagings
# take the same loader-like DLL, which this script builds. Exits with 1 when anything differs.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
x86_64-w64-mingw32-gcc -shared -O1 -o "$work/WebView2Loader.dll" "$root/tests/packaging/loader_like.c" \
  -Wl,--no-insert-timestamp

package_in() {
  local folder=$1
  git clone -q "$root" "$folder"
  echo "reproducible: packaging $(git -C "$folder" rev-parse --short HEAD) in $folder" >&2
  (cd "$folder" && bash scripts/package.sh --loader "$work/WebView2Loader.dll" --dist "$folder/dist" >/dev/null)
  (cd "$folder/dist" && unzip -q -o Corvane-*-x64.zip Corvane.exe && sha256sum Corvane.exe Corvane-*-x64.zip Corvane-*-x64.msi)
}

first=$(package_in "$work/a")
second=$(package_in "$work/elsewhere/b")
echo "$first" | sed 's/^/reproducible: first  /'
echo "$second" | sed 's/^/reproducible: second /'
if [ "$first" = "$second" ]; then
  echo "reproducible: Corvane.exe, the zip and the MSI are byte-identical"
else
  echo "reproducible: the two packagings differ" >&2
  exit 1
fi
