#!/usr/bin/env bash
# Runs the Windows test package as a Windows user would: unpacked into a folder of the Wine
# prefix's drive C:, run-tests.cmd started by Wine's cmd in a console. Prints all it printed and
# the Wine differences it reported, and passes when its last line says that none failed.
# Usage: run_package.sh WINE_WRAPPER TEST_ZIP [TEST_NAME]
set -euo pipefail
wine=$1
zip=$2
shift 2
"$wine" --available || exit
# shellcheck source=/dev/null
source "$TARVIK_WINE_SESSION"

folder=$(mktemp -d "$WINEPREFIX/drive_c/tarvik-tests.XXXXXX")
trap 'rm -rf "$folder"' EXIT
unzip -q "$zip" -d "$folder"
package=$(basename "$zip" .zip)
# cmd in a console writes into the console, so run-tests.cmd's output goes to a file.
printf '@call "%%~dp0%s\\run-tests.cmd" %s > "%%~dp0log.txt" 2>&1\r\n' "$package" "$*" >"$folder/go.bat"
timeout 840 "$wine" wineconsole cmd /c "C:\\$(basename "$folder")\\go.bat" || true

log=$folder/log.txt
[[ -f $log ]] || { echo "run-tests.cmd wrote nothing"; exit 1; }
tr -d '\r' <"$log"
differences=$(grep -c '^wine difference: ' "$log" || true)
echo "== $differences known Wine differences reported (listed above as \"wine difference: \")"
summary=$(tr -d '\r' <"$log" | tail -n1)
[[ $summary =~ ^[0-9]+\ passed,\ 0\ failed,\ [0-9]+\ skipped$ ]]
