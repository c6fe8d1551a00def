#!/usr/bin/env bash
# Emulator of the windows preset: runs a Windows program in the Wine session of the current test
# run (display and prefix set up by session.sh, found through TARVIK_WINE_SESSION).
set -euo pipefail

session=${TARVIK_WINE_SESSION:-}
if [[ -z $session || ! -f $session ]]; then
    echo "run-under-wine.sh: no Wine session (TARVIK_WINE_SESSION='$session'); run the test through ctest" >&2
    exit 125
fi
# shellcheck source=/dev/null
source "$session"
exec wine "$@"
