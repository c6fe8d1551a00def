#!/usr/bin/env bash
# Shows Tarvik's usage window under the test run's Xvfb display and saves a picture of the screen
# for review, then closes the window with Alt+F4 and expects the run to end with status 0.
# Usage: screenshot.sh RUN_UNDER_WINE PATH_OF_TARVIK_EXE OUTPUT_PNG WINDOW_TITLE
set -euo pipefail

run_under_wine=${1:?usage: screenshot.sh RUN_UNDER_WINE PATH_OF_TARVIK_EXE OUTPUT_PNG WINDOW_TITLE}
tarvik=${2:?}
output=${3:?}
title=${4:?}
"$run_under_wine" --available || exit
# shellcheck source=/dev/null
source "${TARVIK_WINE_SESSION:?run through ctest}"

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$tarvik" "$dir/Tarvik.exe"
(cd "$dir" && exec "$run_under_wine" Tarvik.exe) &
tarvik_pid=$!

if ! window=$(timeout 60 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n1) || [[ -z $window ]]; then
    echo "FAIL no window titled '$title' appeared"
    kill "$tarvik_pid" 2>/dev/null || true
    exit 1
fi
echo "ok   window '$title' is X window $window"

# Wine hands what it painted to the X server a little later: take pictures until two in a row
# agree and the window shows more than a blank area.
rm -f "$output"
previous=""
deadline=$((SECONDS + 30))
while ((SECONDS < deadline)); do
    import -window root "$dir/screen.png"
    current=$(md5sum <"$dir/screen.png")
    if [[ $current == "$previous" ]] && (($(import -window "$window" -format '%k' info:) > 2)); then
        cp "$dir/screen.png" "$output"
        break
    fi
    previous=$current
done
if [[ ! -f $output ]]; then
    echo "FAIL the screen did not settle on a painted window"
    kill "$tarvik_pid" 2>/dev/null || true
    exit 1
fi
echo "ok   screenshot: $output ($(identify -format '%wx%h' "$output"))"

xdotool windowfocus --sync "$window" key --clearmodifiers alt+F4
status=0
wait "$tarvik_pid" || status=$?
if ((status != 0)); then
    echo "FAIL Tarvik.exe ended with status $status after Alt+F4, expected 0"
    exit 1
fi
echo "ok   Alt+F4 closed the window, exit status 0"
