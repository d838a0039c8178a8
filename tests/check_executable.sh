#!/usr/bin/env bash
# Corvane.exe must be a 64-bit GUI program that needs nothing beside it but Windows' own DLLs and the
# WebView2 loader, whether it imports them at start or with delayed loading; and it must be hardened:
# ASLR with high entropy, DEP, Terminal Server awareness, relocations, no section both writable and
# executable, stack-protector canaries and checked copies.
set -euo pipefail
exe=$1
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
objcopy=${OBJCOPY:-x86_64-w64-mingw32-objcopy}
dump=$("$objdump" -p "$exe")
fail() { echo "check_executable: $*" >&2; exit 1; }
grep -q 'Magic.*(PE32+)' <<<"$dump" || fail "not a PE32+ image"
grep -q 'Subsystem.*(Windows GUI)' <<<"$dump" || fail "not a GUI-subsystem program"

# DllCharacteristics: HIGH_ENTROPY_VA 0x20, DYNAMIC_BASE 0x40, NX_COMPAT 0x100, TERMINAL_SERVER_AWARE 0x8000.
characteristics=$(sed -n 's/^DllCharacteristics[[:space:]]*\([0-9a-fA-F]*\).*/\1/p' <<<"$dump")
[ -n "$characteristics" ] || fail "no DllCharacteristics in the header"
for flag in 0x20:HIGH_ENTROPY_VA 0x40:DYNAMIC_BASE 0x100:NX_COMPAT 0x8000:TERMINAL_SERVER_AWARE; do
  (( 0x$characteristics & ${flag%%:*} )) || fail "DllCharacteristics 0x$characteristics lacks ${flag#*:}"
done
# Section headers: "  N .name  size ..." followed by a line of flags.
sections=$("$objdump" -h "$exe")
grep -Eq '^[[:space:]]+[0-9]+[[:space:]]+\.reloc[[:space:]]' <<<"$sections" ||
  fail "no .reloc section: the image cannot be moved, and ASLR cannot place it"
writable_code=$(awk '/^[[:space:]]+[0-9]+[[:space:]]+\./ { name = $2; next }
  /CODE/ && !/READONLY/ { print name }' <<<"$sections")
[ -z "$writable_code" ] || fail "sections both writable and executable: $writable_code"
# libssp's handler for a smashed canary carries this text, stripped or not.
grep -aq 'stack smashing detected' "$exe" || fail "no stack-protector guard: the canaries' handler is missing"
# Linking libssp brings the handler in even when nothing was compiled with canaries: Corvane's own
# functions must call it. This needs the symbol table, which only a release build strips.
grep -q '<corvane::' < <("$objdump" -t -C "$exe") || fail "no symbols: the canaries of an unstripped build are checked"
code=$("$objdump" -d --no-show-raw-insn -C "$exe")
# How many of Corvane's own functions call the named function at least once.
callers_of() {
  awk -v callee="$1" '
    /^[0-9a-f]+ <.*>:$/ { own = index($0, "<corvane::") > 0; next }
    own && $NF ~ ("^<" callee ">$") && /call/ { callers++; own = 0 }
    END { print callers + 0 }' <<<"$code"
}
guarded=$(callers_of __stack_chk_fail)
[ "$guarded" -gt 0 ] || fail "no function of Corvane's own checks a stack canary: compiled without -fstack-protector-strong"
# _FORTIFY_SOURCE turns a copy whose destination size the compiler knows into a checked one.
fortified=$(callers_of '__[a-z]+_chk')
[ "$fortified" -gt 0 ] || fail "no function of Corvane's own makes a checked copy: compiled without _FORTIFY_SOURCE"

allowed='^(KERNEL32|USER32|GDI32|SHELL32|ole32|OLEAUT32|COMCTL32|dwmapi|ADVAPI32|IMM32|msvcrt|WebView2Loader)\.dll$'
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
[ -n "$imports" ] || fail "no imports found"
# Delay-load descriptors sit in the import section too, but not in the directory objdump reads.
section=$(mktemp)
trap 'rm -f "$section"' EXIT
"$objcopy" -O binary --only-section=.idata "$exe" "$section"
delayed=$(strings -a "$section" | grep -i '\.dll$' | grep -vxFf <(printf '%s\n' "$imports") || true)
while read -r dll; do
  [ -n "$dll" ] || continue
  grep -Eiq "$allowed" <<<"$dll" || fail "imports $dll, which is not a Windows system DLL"
done <<<"$imports"$'\n'"$delayed"
echo "Corvane.exe imports: $(tr '\n' ' ' <<<"$imports"); loads when first used: $(tr '\n' ' ' <<<"$delayed")"
echo "Corvane.exe is hardened: DllCharacteristics 0x$characteristics, relocations, no writable code, stack canaries in $guarded of its own functions, checked copies in $fortified"
