#!/usr/bin/env bash
# Builds a release of Corvane and packages it for deployment in dist/:
#   Corvane-<version>-x64.zip   Corvane.exe (stripped), WebView2Loader.dll, README.txt
#   Corvane-<version>-x64.msi   per-user by default, per-machine with ALLUSERS=1
#   SHA256SUMS
# Usage: bash scripts/package.sh --loader PATH [--sign-cert FILE.pfx] [--timestamp-url URL] [--dist DIR]
#   PATH is Microsoft's x64 WebView2Loader.dll, or the Microsoft.Web.WebView2 .nupkg it comes in.
#   With --sign-cert, Corvane.exe and the MSI are signed; the certificate's password is read from the
#   environment variable CORVANE_SIGN_PASSWORD. The version is the project's (CMakeLists.txt). Two
#   packagings of the same commit give the same bytes, unless they are signed. --dist puts the
#   packages elsewhere than dist/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source scripts/package-lib.sh

usage() {
  echo "usage: bash scripts/package.sh --loader PATH [--sign-cert FILE.pfx] [--timestamp-url URL] [--dist DIR]" >&2
  exit 2
}
loader="" certificate="" timestamp_url="" dist="$root/dist"
while [ $# -gt 0 ]; do
  case "$1" in
    --loader) [ $# -ge 2 ] || usage; loader=$2; shift 2 ;;
    --sign-cert) [ $# -ge 2 ] || usage; certificate=$2; shift 2 ;;
    --timestamp-url) [ $# -ge 2 ] || usage; timestamp_url=$2; shift 2 ;;
    --dist) [ $# -ge 2 ] || usage; dist=$2; shift 2 ;;
    *) usage ;;
  esac
done
[ -n "$loader" ] || usage
loader=$(realpath "$loader")
if [ -n "$certificate" ]; then
  [ -f "$certificate" ] || package_fail "no certificate at $certificate"
  certificate=$(realpath "$certificate")
fi

bash scripts/setup.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
take_loader "$loader" "$work/WebView2Loader.dll"

echo "package: building the release (build/release)"
[ -f build/release/build.ninja ] || cmake --preset release >/dev/null
cmake --build --preset release --target Corvane >/dev/null
version=$(tr -d '[:space:]' <build/release/corvane-version.txt)
# The release's time is the last commit's, so that every packaging of it gives the same bytes.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}

stage="$work/Corvane-$version-x64"
stage_files "$stage" build/release/bin/Corvane.exe "$work/WebView2Loader.dll" "$version" "$SOURCE_DATE_EPOCH"
if [ -n "$certificate" ]; then
  sign_file "$stage/Corvane.exe" "$certificate" "$timestamp_url"
  touch -d "@$SOURCE_DATE_EPOCH" "$stage/Corvane.exe"
fi

mkdir -p "$dist"
dist=$(realpath "$dist")
zip="$dist/Corvane-$version-x64.zip"
msi="$dist/Corvane-$version-x64.msi"
make_zip "$stage" "$zip"
make_msi "$stage" "$version" "$msi" "$SOURCE_DATE_EPOCH"
[ -n "$certificate" ] && sign_file "$msi" "$certificate" "$timestamp_url"
(cd "$dist" && sha256sum "$(basename "$zip")" "$(basename "$msi")" >SHA256SUMS)

for file in "$zip" "$msi"; do
  echo "package: $file  $(du -k "$file" | cut -f1) KiB  sha256 $(sha256sum "$file" | cut -c1-64)"
done
echo "package: Corvane.exe $(du -k "$stage/Corvane.exe" | cut -f1) KiB  sha256 $(sha256sum "$stage/Corvane.exe" | cut -c1-64)"
if [ -n "$certificate" ]; then
  echo "package: Corvane.exe and the MSI are signed with $certificate"
else
  echo "package: not signed (no --sign-cert given)"
fi
