#!/usr/bin/env bash
# Checks that NORLAK.exe is a 32-bit console program that imports only DLLs every Windows has,
# i.e. that the C++ and GCC runtimes were linked in statically.
# Usage: check_imports.sh NORLAK.exe
set -euo pipefail

headers=$(i686-w64-mingw32-objdump -p "$1")
fail=0
grep -q '^Magic.*010b' <<<"$headers" || { echo "not a PE32 (32-bit) image" >&2; fail=1; }
grep -q 'Subsystem.*Windows CUI' <<<"$headers" || { echo "not a console program" >&2; fail=1; }
while read -r dll; do
    case ${dll,,} in
        kernel32.dll | msvcrt.dll | user32.dll | advapi32.dll) ;;
        *) echo "imports $dll" >&2; fail=1 ;;
    esac
done < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers")
exit "$fail"
