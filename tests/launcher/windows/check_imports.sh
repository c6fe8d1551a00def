#!/usr/bin/env bash
# Checks that NORLAK.exe is a console program for the build's processor (PE32 for the product,
# PE32+ for the 64-bit build) that imports only DLLs every Windows has, i.e. that the C++ and GCC
# runtimes were linked in statically, and whose manifest has it run as its caller, never elevated.
# Usage: check_imports.sh OBJDUMP 32|64 NORLAK.exe
set -euo pipefail

case $2 in
    32) magic=010b ;;
    64) magic=020b ;;
    *) echo "usage: check_imports.sh OBJDUMP 32|64 NORLAK.exe" >&2; exit 2 ;;
esac
headers=$("$1" -p "$3")
fail=0
grep -q "^Magic.*$magic" <<<"$headers" || { echo "not a $2-bit image (Magic $magic)" >&2; fail=1; }
grep -q 'Subsystem.*Windows CUI' <<<"$headers" || { echo "not a console program" >&2; fail=1; }
while read -r dll; do
    case ${dll,,} in
        kernel32.dll | msvcrt.dll | user32.dll | advapi32.dll) ;;
        *) echo "imports $dll" >&2; fail=1 ;;
    esac
done < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers")
manifest=$(wrestool -x --raw --type=24 "$3")
grep -q 'level="asInvoker"' <<<"$manifest" || { echo "no manifest that runs it as invoker" >&2; fail=1; }
exit "$fail"
