#!/usr/bin/env bash
# Corvane.exe must be a 64-bit GUI program that needs nothing beside it but Windows' own DLLs and the
# WebView2 loader, whether it imports them at start or with delayed loading.
set -euo pipefail
exe=$1
dump=$(x86_64-w64-mingw32-objdump -p "$exe")
fail() { echo "check_executable: $*" >&2; exit 1; }
grep -q 'Magic.*(PE32+)' <<<"$dump" || fail "not a PE32+ image"
grep -q 'Subsystem.*(Windows GUI)' <<<"$dump" || fail "not a GUI-subsystem program"
allowed='^(KERNEL32|USER32|GDI32|SHELL32|ole32|OLEAUT32|COMCTL32|dwmapi|ADVAPI32|IMM32|msvcrt|WebView2Loader)\.dll$'
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
[ -n "$imports" ] || fail "no imports found"
# Delay-load descriptors sit in the import section too, but not in the directory objdump reads.
section=$(mktemp)
trap 'rm -f "$section"' EXIT
x86_64-w64-mingw32-objcopy -O binary --only-section=.idata "$exe" "$section"
delayed=$(strings -a "$section" | grep -i '\.dll$' | grep -vxFf <(printf '%s\n' "$imports") || true)
while read -r dll; do
  [ -n "$dll" ] || continue
  grep -Eiq "$allowed" <<<"$dll" || fail "imports $dll, which is not a Windows system DLL"
done <<<"$imports"$'\n'"$delayed"
echo "Corvane.exe imports: $(tr '\n' ' ' <<<"$imports"); loads when first used: $(tr '\n' ' ' <<<"$delayed")"
