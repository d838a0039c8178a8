#!/usr/bin/env bash
# The release packages: what scripts/package.sh makes of a loader-like DLL of the test's own, what it
# refuses, how the MSI installs, upgrades and uninstalls under Wine, and signing. Runs inside a Wine
# session (scripts/wine-session), with the build's test runtime at $1.
set -uo pipefail
test_runtime=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"
source scripts/wine-env.sh
source scripts/package-lib.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check <what> <command...>: the command must succeed
  local what=$1
  shift
  if "$@" >"$work/out" 2>&1; then
    echo "ok: $what"
  else
    echo "FAILED: $what" >&2
    sed 's/^/  | /' "$work/out" >&2
    failures=$((failures + 1))
  fi
}
refused() {  # refused <what> <message> <command...>: the command must fail and say so
  local what=$1 message=$2
  shift 2
  if "$@" >"$work/out" 2>&1; then
    echo "FAILED: $what was accepted" >&2
    failures=$((failures + 1))
  elif [ -n "$message" ] && ! grep -qF "$message" "$work/out"; then
    echo "FAILED: $what was refused without saying \"$message\"" >&2
    sed 's/^/  | /' "$work/out" >&2
    failures=$((failures + 1))
  else
    echo "ok: $what is refused: $(head -n 1 "$work/out")"
  fi
}
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
wine() { "$wine_dir/wine64" "$@" 2>/dev/null | tr -d '\r'; }

# A DLL with the real loader's export names, and a nupkg that carries it where Microsoft's does.
x86_64-w64-mingw32-gcc -shared -O1 -o "$work/WebView2Loader.dll" tests/packaging/loader_like.c -Wl,--no-insert-timestamp
mkdir -p "$work/nupkg/build/native/x64" && cp "$work/WebView2Loader.dll" "$work/nupkg/build/native/x64/"
(cd "$work/nupkg" && zip -q -r ../Microsoft.Web.WebView2.nupkg build)
printf 'not a DLL\n' >"$work/notes.txt"

# ---- what the package step refuses -------------------------------------------------------------------
lacks_version_exports() { ! pe_exports "$1" | grep -qx -e GetAvailableCoreWebView2BrowserVersionString -e CompareBrowserVersions; }
check "the test runtime exports none of the real loader's version functions" lacks_version_exports "$test_runtime"
refused "the project's test runtime as the loader" "is not Microsoft's WebView2Loader.dll" \
  bash scripts/package.sh --loader "$test_runtime" --dist "$work/refused"
refused "a file that is no DLL" "is not a Windows DLL" bash scripts/package.sh --loader "$work/notes.txt" --dist "$work/refused"
(cd "$work" && zip -q empty.nupkg notes.txt)
refused "a package without the x64 loader" "without build/native/x64/WebView2Loader.dll" \
  bash scripts/package.sh --loader "$work/empty.nupkg" --dist "$work/refused"
check "nothing was packaged for a refused loader" test ! -e "$work/refused/SHA256SUMS"

# ---- what it makes -----------------------------------------------------------------------------------
check "packaging with the loader from a nupkg" bash scripts/package.sh --loader "$work/Microsoft.Web.WebView2.nupkg" --dist "$work/dist"
version=$(tr -d '[:space:]' <build/release/corvane-version.txt)
zip="$work/dist/Corvane-$version-x64.zip" msi="$work/dist/Corvane-$version-x64.msi"
check "the zip holds exactly Corvane.exe, README.txt and WebView2Loader.dll" \
  test "$(unzip -Z1 "$zip" | tr '\n' ' ')" = "Corvane.exe README.txt WebView2Loader.dll "
mkdir -p "$work/unzipped" && unzip -q "$zip" -d "$work/unzipped"
check "the zip's loader is the one given" cmp "$work/unzipped/WebView2Loader.dll" "$work/WebView2Loader.dll"
stripped_release() { cmp "$1" build/release/bin/Corvane.exe && ! x86_64-w64-mingw32-objdump -h "$1" | grep -q debug_info; }
check "the zip's Corvane.exe is the release build, stripped" stripped_release "$work/unzipped/Corvane.exe"
carries_version() { strings -e l "$1" | grep -qx "$version"; }
check "the zip's Corvane.exe carries the project's version" carries_version "$work/unzipped/Corvane.exe"
msi_files() { msiinfo export "$msi" File | tail -n +4 | cut -f3 | sort | tr '\n' ' '; }
check "the MSI installs exactly Corvane.exe and WebView2Loader.dll" test "$(msi_files)" = "Corvane.exe WebView2Loader.dll "
extracted() { (cd "$work" && msiextract -C extracted "$msi") | sed 's|.*/||' | sort | tr '\n' ' '; }
check "msiextract finds them" test "$(extracted)" = "Corvane.exe WebView2Loader.dll "
table_has() { msiinfo export "$msi" "$1" | tr -d '\r' | grep -qP "$2"; }
check "the MSI has the Start-menu shortcut Corvane with the icon" \
  table_has Shortcut '^Corvane\tProgramMenuFolder\t[^\t]*Corvane\t.*corvane\.ico'
check "the uninstall entry gets the icon" table_has Property '^ARPPRODUCTICON\tcorvane\.ico$'
check "the MSI's version is the project's" table_has Property "^ProductVersion\\t$version\$"
sums_cover_both() { (cd "$work/dist" && sha256sum -c SHA256SUMS) && [ "$(wc -l <"$work/dist/SHA256SUMS")" -eq 2 ]; }
check "SHA256SUMS covers the zip and the MSI" sums_cover_both
same_again() {
  bash scripts/package.sh --loader "$work/Microsoft.Web.WebView2.nupkg" --dist "$work/again" &&
    cmp "$zip" "$work/again/$(basename "$zip")" && cmp "$msi" "$work/again/$(basename "$msi")"
}
check "a second packaging of the same commit gives the same bytes" same_again

# ---- installing under Wine ----------------------------------------------------------------------------
product_code="{$(name_uuid "Corvane product $version")}"
user_programs="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Corvane"
shortcut="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Corvane.lnk"
uninstall_entry() {  # the installed product's uninstall entry, wherever Windows Installer put it
  wine reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1" ||
    wine reg query "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1"
}
msiexec() { "$wine_dir/wine64" msiexec "$@" >/dev/null 2>&1; }
check "msiexec /i /qn installs for the user" msiexec /i "$(windows_path "$msi")" /qn
check "the installed Corvane.exe is the packaged one" cmp "$user_programs/Corvane.exe" "$work/unzipped/Corvane.exe"
check "the installed loader is the packaged one" cmp "$user_programs/WebView2Loader.dll" "$work/WebView2Loader.dll"
check "the Start-menu shortcut exists" test -f "$shortcut"
entry_names() { uninstall_entry "$product_code" | grep -q 'Publisher.*Corvane' && uninstall_entry "$product_code" | grep -q "DisplayVersion.*$version"; }
check "the uninstall entry names the publisher and the version" entry_names

# A newer package replaces this one; this one then refuses to replace the newer.
newer_stage="$work/newer/Corvane-9.9.9-x64"
stage_files "$newer_stage" "$work/unzipped/Corvane.exe" "$work/WebView2Loader.dll" 9.9.9 "$(git log -1 --format=%ct)"
make_msi "$newer_stage" 9.9.9 "$work/newer.msi" "$(git log -1 --format=%ct)"
newer_code="{$(name_uuid "Corvane product 9.9.9")}"
check "a newer package installs over the older" msiexec /i "$(windows_path "$work/newer.msi")" /qn
replaced() { uninstall_entry "$newer_code" >/dev/null && ! uninstall_entry "$product_code" >/dev/null; }
check "and replaces it" replaced
refused "the older package over the newer" "" msiexec /i "$(windows_path "$msi")" /qn
check "the newer stays installed" test -f "$user_programs/Corvane.exe"
check "msiexec /x /qn removes it" msiexec /x "$(windows_path "$work/newer.msi")" /qn
check "the program folder is gone" test ! -e "$user_programs"
check "the shortcut is gone" test ! -e "$shortcut"
entry_gone() { ! uninstall_entry "$newer_code" >/dev/null; }
check "the uninstall entry is gone" entry_gone

# For every user of the machine.
machine_programs="$WINEPREFIX/drive_c/Program Files/Corvane"
for_everyone() { msiexec /i "$(windows_path "$msi")" ALLUSERS=1 /qn && [ -f "$machine_programs/Corvane.exe" ] && [ ! -e "$user_programs" ]; }
check "msiexec /i ALLUSERS=1 installs into Program Files" for_everyone
removed_for_everyone() { msiexec /x "$(windows_path "$msi")" ALLUSERS=1 /qn && [ ! -e "$machine_programs" ]; }
check "msiexec /x ALLUSERS=1 removes it" removed_for_everyone

# The Windows runners' smoke script, here under Wine, against an MSI holding the test runtime as its
# loader (the runtime's window stands in for the browser's).
smoke_dist="$work/smoke-dist"
mkdir -p "$smoke_dist"
stage_files "$work/smoke/Corvane-$version-x64" "$work/unzipped/Corvane.exe" "$test_runtime" "$version" "$(git log -1 --format=%ct)"
make_msi "$work/smoke/Corvane-$version-x64" "$version" "$smoke_dist/Corvane-$version-x64.msi" "$(git log -1 --format=%ct)"
cp "$(dirname "$test_runtime")/smoke.exe" "$smoke_dist/smoke.exe"
check "the Windows smoke script installs, passes both modes and uninstalls" \
  env CORVANE_WINDOWS_RUN="$wine_dir/wine64" CORVANE_INSTALLED="$user_programs" CORVANE_SKIP_RUNTIME_UPDATE=1 \
  bash scripts/ci/windows-smoke.sh "$smoke_dist" "$work/smoke-results"
check "and leaves a screenshot" test -s "$work/smoke-results/corvane-smoke.png"

# ---- signing -----------------------------------------------------------------------------------------
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 \
  -subj "/CN=Corvane packaging test" >/dev/null 2>&1
openssl pkcs12 -export -out "$work/cert.pfx" -inkey "$work/key.pem" -in "$work/cert.pem" -passout pass:for-the-test
check "packaging with a certificate" env CORVANE_SIGN_PASSWORD=for-the-test \
  bash scripts/package.sh --loader "$work/WebView2Loader.dll" --sign-cert "$work/cert.pfx" --dist "$work/signed"
unzip -q -o "$work/signed/Corvane-$version-x64.zip" Corvane.exe -d "$work/signed"
for file in "$work/signed/Corvane.exe" "$work/signed/Corvane-$version-x64.msi"; do
  check "osslsigncode verifies $(basename "$file")" osslsigncode verify -CAfile "$work/cert.pem" -in "$file"
  # One byte of the loader's name, which both files carry in what the signature covers.
  cp "$file" "$work/tampered"
  offset=$(grep -obUa 'WebView2Loader' "$file" | head -n 1 | cut -d: -f1)
  printf 'w' | dd of="$work/tampered" bs=1 seek="$offset" conv=notrunc 2>/dev/null
  refused "$(basename "$file") with one byte changed" "" osslsigncode verify -CAfile "$work/cert.pem" -in "$work/tampered"
done
refused "a wrong certificate password" "CORVANE_SIGN_PASSWORD" env CORVANE_SIGN_PASSWORD=wrong \
  bash scripts/package.sh --loader "$work/WebView2Loader.dll" --sign-cert "$work/cert.pfx" --dist "$work/wrong"

echo "packaging: $failures failures"
[ "$failures" -eq 0 ]
