#!/usr/bin/env bash
# Hostile lines of a file through Tarvik.exe and back into batch scripts run by Wine's cmd. For
# each line, a caller that runs the result file with "call" must get the variable holding exactly
# the line, print nothing else and create no file. Callers with delayed expansion off check every
# line; callers with it on check the lines without "!" (Wine's cmd mishandles "!" under delayed
# expansion; the batch oracle of the unit tests covers that branch).
# Usage: batch_roundtrip.sh WINE_WRAPPER TARVIK_EXE VALUES_FILE
set -euo pipefail
wine=$1
tool=$2
mapfile -t values <"$3"
"$wine" --available || exit

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$tool" "$work/Tarvik.exe"
cd "$work"

# Batch files are written with CR LF; cmd is run on them rather than Tarvik.exe directly, because
# Wine would quote the double quotes of the switches when it builds the command line.
crlf() { sed 's/$/\r/'; }

# Tarvik.exe from a batch file, one input file and one result file per value.
for i in "${!values[@]}"; do printf 'Q7Z%s\r\n' "${values[i]}" >"in$i.txt"; done
{
    echo "@echo off"
    for i in "${!values[@]}"; do
        echo "Tarvik.exe /f:in$i.txt /c:\"Q7Z\" /e:TARVIKVALUE /o:v$i.cmd"
        echo "if errorlevel 1 echo Tarvik.exe ended with %errorlevel% on in$i.txt"
    done
} | crlf >make.bat
made=$("$wine" cmd /c make.bat)
if [[ -n $made ]]; then
    echo "$made"
    exit 1
fi

failed=0
# Writes a caller with the given setlocal option for the values whose indexes follow, runs it and
# compares everything it printed with what the values alone would give.
check_caller() {
    local option=$1
    shift
    local caller expected actual errors before after
    caller=$(
        echo "@echo off"
        echo "setlocal $option"
        for i in "$@"; do
            echo "set TARVIKVALUE="
            echo "echo BEGIN$i"
            echo "call v$i.cmd"
            echo "echo END$i"
            echo "set TARVIKVALUE"
        done
    )
    printf '%s\n' "$caller" | crlf >caller.bat
    expected=$(for i in "$@"; do printf 'BEGIN%s\r\nEND%s\r\nTARVIKVALUE=%s\r\n' "$i" "$i" "${values[i]}"; done)
    before=$(ls -A)
    # A line that misfires may end cmd with a failure status; what it printed tells more.
    actual=$("$wine" cmd /c caller.bat 2>errors.txt) || true
    errors=$(<errors.txt)
    rm errors.txt
    after=$(ls -A)
    if [[ $actual != "$expected" ]]; then
        echo "== $option: the variables differ from the lines (expected, then printed; ^M is CR):"
        diff <(printf '%s\n' "$expected" | cat -A) <(printf '%s\n' "$actual" | cat -A) || true
        failed=1
    fi
    if [[ -n $errors ]]; then
        echo "== $option: cmd reported errors:"
        echo "$errors"
        failed=1
    fi
    if [[ $before != "$after" ]]; then
        echo "== $option: files appeared or vanished:"
        diff <(echo "$before") <(echo "$after") || true
        failed=1
    fi
}

all=("${!values[@]}")
without_bang=()
for i in "${!values[@]}"; do [[ ${values[i]} == *'!'* ]] || without_bang+=("$i"); done
check_caller DisableDelayedExpansion "${all[@]}"
check_caller EnableDelayedExpansion "${without_bang[@]}"
if ((failed == 0)); then
    echo "${#all[@]} values with delayed expansion off and ${#without_bang[@]} with it on came back exactly"
fi
exit "$failed"
