#!/usr/bin/env bash
# Installs the Linux build into a fresh prefix and checks what lands there: both programs and their
# man pages in the folder tarvik/ of their own and nothing elsewhere (the tool reads and writes in
# its own folder, which must not be a shared bin/), and tarvik's page holding every line of the
# usage the installed tool prints.
# Usage: check_install.sh BUILD_DIR
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null

failed=0
installed=$(cd "$prefix" && find . -mindepth 1 | sort)
expected=$'./tarvik\n./tarvik/norlak\n./tarvik/norlak.1\n./tarvik/tarvik\n./tarvik/tarvik.1'
[[ $installed == "$expected" ]] || { printf 'installed:\n%s\nexpected:\n%s\n' "$installed" "$expected"; exit 1; }
for program in tarvik norlak; do
    [[ -x $prefix/tarvik/$program ]] || { echo "not executable: tarvik/$program"; failed=1; }
done
((failed == 0)) || exit 1

# Without switches the tool prints its usage: title, synopsis, help lines. The page writes a
# backslash as \e.
page=$(sed 's/\\e/\\/g' "$prefix/tarvik/tarvik.1")
status=0
usage=$("$prefix/tarvik/tarvik" | tr -d '\r') || status=$?
[[ $status == 0 ]] || { echo "the installed tarvik ended with $status"; exit 1; }
lines=0
while IFS= read -r line; do
    line="${line%"${line##*[! ]}"}"
    [[ -z $line || $line == Usage:* || $line == "Tarvik Version"* ]] && continue
    lines=$((lines + 1))
    grep -q -x -F -- "$line" <<<"$page" || { echo "not in the man page: $line"; failed=1; }
done <<<"$usage"
((lines >= 20)) || { echo "only $lines usage lines printed"; failed=1; }
((failed == 0)) && echo "installed into tarvik/ alone; the man page holds all $lines lines of the usage"
exit "$failed"
