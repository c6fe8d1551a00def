#!/usr/bin/env bash
# The recipes of the ZIP, run end to end from the unpacked ZIP by Wine's cmd: each must end with
# status 0, print exactly what it promises, and leave nothing behind in TEMP. A recipe in the ZIP
# without a line here fails the test, so none goes unrun.
# Usage: run_examples.sh WINE_WRAPPER ZIP
set -euo pipefail
wine=$1
"$wine" --available || exit

declare -A expected=(
    [ini-value.bat]='version is 2.4.1'
    [log-field.bat]='first error at 10:04:17: disk D: is full'
    [presence.bat]=$'app.log has an ERROR line\napp.log has no FATAL line'
    [loop.bat]=$'https://alpha.example/health?full=1&fast=1\nno url on this line\nhttps://beta.example/status'
)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "$2" -d "$work"
cd "$work"/Tarvik-*/
# TEMP of the recipes' private folders, where the test can see what they leave.
mkdir temp
printf '@set "TEMP=%%~dp0temp"\r\n@call examples\\%%1\r\n' >run.bat

failed=0
mapfile -t recipes < <(cd examples && ls -- *.bat)
if [[ $(printf '%s\n' "${recipes[@]}") != "$(printf '%s\n' "${!expected[@]}" | sort)" ]]; then
    echo "recipes in the ZIP: ${recipes[*]}; with an expected output here: ${!expected[*]}"
    failed=1
fi
for recipe in "${recipes[@]}"; do
    status=0
    output=$("$wine" cmd /c run.bat "$recipe" 2>&1 | tr -d '\r') || status=$?
    if [[ $status != 0 || $output != "${expected[$recipe]:-}" ]]; then
        printf '== %s ended with %s and printed:\n%s\n== expected:\n%s\n' \
            "$recipe" "$status" "$output" "${expected[$recipe]:-}"
        failed=1
    fi
    if [[ -n $(ls -A temp) ]]; then
        echo "== $recipe left in TEMP: $(ls -A temp)"
        rm -rf temp/*
        failed=1
    fi
done
((failed == 0)) && echo "${#recipes[@]} recipes ran from the unpacked ZIP as promised"
exit "$failed"
