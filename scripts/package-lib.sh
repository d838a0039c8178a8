# The steps of packaging, shared by scripts/package.sh and its tests. Source it; it defines functions.
# Every step is reproducible: the same inputs and SOURCE_DATE_EPOCH give the same bytes.

package_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

package_fail() {
  echo "package: $*" >&2
  exit 1
}

# A name-based UUID (the SHA-1 form of RFC 4122): the same text always gives the same UUID.
name_uuid() {
  local h variant
  h=$(printf '%s' "$1" | sha1sum | cut -c1-32)
  variant=$(printf '%x' $(((0x${h:16:1} & 0x3) | 0x8)))
  printf '%s-%s-5%s-%s%s-%s\n' "${h:0:8}" "${h:8:4}" "${h:13:3}" "$variant" "${h:17:3}" "${h:20:12}" |
    tr 'a-f' 'A-F'
}

# The exported names of a PE image, one per line.
pe_exports() {
  x86_64-w64-mingw32-objdump -p "$1" 2>/dev/null |
    sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*//p'
}

# Copies Microsoft's x64 WebView2Loader.dll to out: from the DLL itself, or from build/native/x64 in the
# Microsoft.Web.WebView2 .nupkg (a zip). Anything else is refused, the project's own test runtime too:
# the real loader also exports the browser-version functions, which the test runtime never has.
take_loader() {
  local path=$1 out=$2
  [ -f "$path" ] || package_fail "no loader at $path"
  if unzip -l "$path" >/dev/null 2>&1; then
    unzip -p "$path" build/native/x64/WebView2Loader.dll >"$out" 2>/dev/null && [ -s "$out" ] ||
      package_fail "$path is a zip without build/native/x64/WebView2Loader.dll: not the Microsoft.Web.WebView2 package"
  else
    cp "$path" "$out"
  fi
  local dump
  dump=$(x86_64-w64-mingw32-objdump -p "$out" 2>/dev/null) || package_fail "$path is not a Windows DLL"
  grep -q 'Magic.*(PE32+)' <<<"$dump" && grep -q '^Characteristics.*$' <<<"$dump" ||
    package_fail "$path is not a 64-bit Windows DLL"
  grep -Eq '^[[:space:]]+DLL$' <<<"$dump" || package_fail "$path is a program, not a DLL"
  local exports missing=()
  exports=$(pe_exports "$out")
  for name in CreateCoreWebView2EnvironmentWithOptions GetAvailableCoreWebView2BrowserVersionString \
    CompareBrowserVersions; do
    grep -qx "$name" <<<"$exports" || missing+=("$name")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    package_fail "$path is not Microsoft's WebView2Loader.dll: it does not export ${missing[*]}." \
      "(The project's WebView2 test runtime is never shipped; take the loader from the Microsoft.Web.WebView2 package.)"
  fi
}

# The files the zip and the installer take: Corvane.exe, the loader and the operator's README, with
# the time of the release and plain permissions.
stage_files() {
  local stage=$1 exe=$2 loader=$3 version=$4 epoch=$5
  rm -rf "$stage" && mkdir -p "$stage"
  cp "$exe" "$stage/Corvane.exe"
  cp "$loader" "$stage/WebView2Loader.dll"
  sed "s/@VERSION@/$version/g; s/\$/\r/" "$package_root/resources/installer/README.txt.in" >"$stage/README.txt"
  chmod 0644 "$stage"/*
  touch -d "@$epoch" "$stage"/*
}

# Signs a PE image or an MSI package in place with a PKCS#12 certificate. The password comes from
# CORVANE_SIGN_PASSWORD and reaches osslsigncode through a pipe, never as an argument.
sign_file() {
  local file=$1 certificate=$2 timestamp_url=$3
  local signed="$file.signed"
  local timestamp=()
  [ -n "$timestamp_url" ] && timestamp=(-ts "$timestamp_url")
  osslsigncode sign -pkcs12 "$certificate" -readpass <(printf '%s' "${CORVANE_SIGN_PASSWORD:-}") -h sha256 \
    -n Corvane "${timestamp[@]}" -in "$file" -out "$signed" >/dev/null ||
    package_fail "signing $file with $certificate failed (is CORVANE_SIGN_PASSWORD right?)"
  mv "$signed" "$file"
}

# The zip of the staged files: members in name order, times from the release, no extra attributes.
make_zip() {
  local stage=$1 out=$2
  rm -f "$out"
  (cd "$stage" && TZ=UTC zip -X -D -q "$out" Corvane.exe README.txt WebView2Loader.dll)
}

# The installer package for the staged files. wixl takes its clock and a random package code for the
# summary information; both come from the release instead: the time of the last commit, and a code
# named after the version and the packaged files.
make_msi() {
  local stage=$1 version=$2 out=$3 epoch=$4
  local wxs="$stage.wxs" product_code package_code files_hash
  product_code=$(name_uuid "Corvane product $version")
  files_hash=$(cd "$stage" && sha256sum Corvane.exe WebView2Loader.dll | sha256sum | cut -c1-64)
  package_code=$(name_uuid "Corvane package $version $files_hash")
  # wixl takes sources relative to the folder it runs in.
  local folder name
  folder=$(dirname "$stage") name=$(basename "$stage")
  cp "$package_root/resources/corvane.ico" "$folder/corvane.ico"
  sed -e "s|@VERSION@|$version|g" -e "s|@PRODUCT_CODE@|$product_code|g" -e "s|@STAGE@|$name|g" \
    -e "s|@ICON@|corvane.ico|g" "$package_root/resources/installer/corvane.wxs.in" >"$wxs"
  local clock
  clock=$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S')
  rm -f "$out"
  (cd "$folder" && TZ=UTC faketime -f "$clock" wixl -a x64 -o "$out" "$wxs" 2>&1) | grep -v 'no property "Platform"' >&2 || true
  [ -s "$out" ] || package_fail "wixl did not build $out"
  TZ=UTC faketime -f "$clock" msibuild "$out" -s Corvane Corvane "x64;1033" "{$package_code}" ||
    package_fail "could not set the package code of $out"
  rm -f "$wxs" "$folder/corvane.ico"
}
