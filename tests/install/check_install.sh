#!/usr/bin/env bash
# Installs the Linux build into a fresh prefix and checks what lands there: both programs in bin/,
# a man page for each in share/man/man1/, and tarvik's page holding every line of the usage the
# installed tool prints.
# Usage: check_install.sh BUILD_DIR
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null

failed=0
for file in bin/tarvik bin/norlak share/man/man1/tarvik.1 share/man/man1/norlak.1; do
    [[ -f $prefix/$file ]] || { echo "not installed: $file"; failed=1; }
done
for program in tarvik norlak; do
    [[ -x $prefix/bin/$program ]] || { echo "not executable: bin/$program"; failed=1; }
done
((failed == 0)) || exit 1

# Without switches the tool prints its usage: title, synopsis, help lines. The page writes a
# backslash as \e.
page=$(sed 's/\\e/\\/g' "$prefix/share/man/man1/tarvik.1")
status=0
usage=$("$prefix/bin/tarvik" | tr -d '\r') || status=$?
[[ $status == 0 ]] || { echo "the installed tarvik ended with $status"; exit 1; }
lines=0
while IFS= read -r line; do
    line="${line%"${line##*[! ]}"}"
    [[ -z $line || $line == Usage:* || $line == "Tarvik Version"* ]] && continue
    lines=$((lines + 1))
    grep -q -x -F -- "$line" <<<"$page" || { echo "not in the man page: $line"; failed=1; }
done <<<"$usage"
((lines >= 20)) || { echo "only $lines usage lines printed"; failed=1; }
((failed == 0)) && echo "installed; the man page holds all $lines lines of the usage"
exit "$failed"
