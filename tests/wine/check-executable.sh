#!/usr/bin/env bash
# Checks Tarvik.exe from outside, without running it: a GUI-subsystem executable for the build's
# processor (PE32 i386 for the product, PE32+ x86-64 for the 64-bit build) that imports only DLLs
# every Windows has, carrying the project's version (1.0.0.2 and "1.00.0002" for 1.0.2) and an icon
# with a 32x32 16-colour and a 48x48 256-colour image.
# Usage: check-executable.sh OBJDUMP 32|64 PATH_OF_TARVIK_EXE FIXED_VERSION VERSION_TEXT
set -euo pipefail

usage="usage: check-executable.sh OBJDUMP 32|64 PATH_OF_TARVIK_EXE FIXED_VERSION VERSION_TEXT"
objdump=${1:?$usage}
bits=${2:?$usage}
exe=${3:?$usage}
version=${4:?$usage}
version_text=${5:?$usage}
failures=0
fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}
expect_equal() { # what expected got
    if [[ $2 == "$3" ]]; then echo "ok   $1: $3"; else fail "$1: expected $2, got $3"; fi
}

case $bits in
    32) format=pei-i386 magic="010b (PE32)" ;;
    64) format=pei-x86-64 magic="020b (PE32+)" ;;
    *) echo "$usage" >&2; exit 2 ;;
esac
headers=$("$objdump" -p "$exe")
expect_equal "file format" "$format" "$(sed -n 's/.*file format \(.*\)$/\1/p' <<<"$headers" | head -n1)"
expect_equal "optional header" "$magic" "$(awk '$1 == "Magic" {print $2, $3}' <<<"$headers")"
expect_equal "subsystem" "00000002 (Windows GUI)" "$(awk '$1 == "Subsystem" {print $2, $3, $4}' <<<"$headers")"

# DLLs of Windows itself; a C++ or GCC runtime DLL would have to be shipped beside the program.
system_dlls=' ADVAPI32.DLL COMCTL32.DLL COMDLG32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL OLE32.DLL SHELL32.DLL USER32.DLL VERSION.DLL '
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
[[ -n $imports ]] || fail "imports: expected some DLLs, got none"
for dll in $imports; do
    if [[ $system_dlls == *" ${dll^^} "* ]]; then echo "ok   imports $dll"; else fail "imports: $dll is not a system DLL"; fi
done

# VS_FIXEDFILEINFO follows its signature FEEF04BD: struct version, then file version MS and LS.
version_bytes=($(wrestool -x --raw --type=16 "$exe" | od -An -tx1 -v))
fixed_version=""
for ((i = 0; i + 16 <= ${#version_bytes[@]}; i++)); do
    if [[ ${version_bytes[*]:i:4} == "bd 04 ef fe" ]]; then
        word() { echo $((16#${version_bytes[i + $1 + 1]}${version_bytes[i + $1]})); }
        fixed_version="$(word 10).$(word 8).$(word 14).$(word 12)"
        break
    fi
done
expect_equal "fixed file version" "$version" "$fixed_version"
strings=$(wrestool -x --raw --type=16 "$exe" | iconv -f UTF-16LE -t UTF-8 | tr -c '[:print:]' '\n' | grep -v '^$')
for key in FileVersion ProductVersion; do
    expect_equal "$key string" "$version_text" "$(grep -A1 -x "$key" <<<"$strings" | tail -n1)"
done

icon_file=$(mktemp --suffix=.ico)
trap 'rm -f "$icon_file"' EXIT
wrestool -x --type=14 "$exe" >"$icon_file"
images=$(icotool -l "$icon_file" | sed 's/--index=[0-9]* //' | sort)
expect_equal "icon images" "--icon --width=32 --height=32 --bit-depth=4 --palette-size=16
--icon --width=48 --height=48 --bit-depth=8 --palette-size=256" "$images"

((failures == 0)) || exit 1
