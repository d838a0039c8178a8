#!/usr/bin/env bash
# Fetches Microsoft's WebView2 SDK package (Microsoft.Web.WebView2) at a pinned version with the NuGet
# client that Windows runner images carry, into a folder of its own. Its SHA-256 is checked where it
# is used (scripts/ci/release.sh).
#   bash scripts/ci/fetch-webview2-sdk.sh <version> <folder>
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: bash scripts/ci/fetch-webview2-sdk.sh <version> <folder>" >&2; exit 2; }
version=$1 folder=$2
command -v nuget >/dev/null || { echo "fetch-webview2-sdk: no nuget client on this machine" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
nuget install Microsoft.Web.WebView2 -Version "$version" -OutputDirectory "$work" -NonInteractive
package=$(find "$work" -iname "Microsoft.Web.WebView2.$version.nupkg" | head -n 1)
[ -n "$package" ] || { echo "fetch-webview2-sdk: nuget left no Microsoft.Web.WebView2.$version.nupkg" >&2; exit 1; }
mkdir -p "$folder"
cp "$package" "$folder/"
echo "fetch-webview2-sdk: $folder/$(basename "$package") sha256 $(sha256sum "$package" | cut -c1-64)"
