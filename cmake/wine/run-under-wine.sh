#!/usr/bin/env bash
# Emulator of the Windows presets: runs a Windows program in the Wine session of the current test
# run (display, prefix and loader set up by session.sh, found through TARVIK_WINE_SESSION).
# Where the session could not start because the host cannot run the build's programs, it says why
# and ends with the skip status, which the Windows tests declare.
# Usage: [TARVIK_WINEDEBUG=channels] run-under-wine.sh PROGRAM [ARGUMENT...] | --available
set -euo pipefail

session=${TARVIK_WINE_SESSION:-}
if [[ -z $session || ! -f $session ]]; then
    echo "run-under-wine.sh: no Wine session (TARVIK_WINE_SESSION='$session'); run the test through ctest" >&2
    exit 125
fi
# shellcheck source=/dev/null
source "$session"
if [[ -n ${TARVIK_WINE_UNAVAILABLE:-} ]]; then
    echo "SKIPPED: $TARVIK_WINE_UNAVAILABLE"
    exit 77
fi
# A test that reads Wine's own output for a channel asks for it.
[[ -z ${TARVIK_WINEDEBUG:-} ]] || export WINEDEBUG=$TARVIK_WINEDEBUG
[[ ${1:-} == --available ]] && exit 0
exec "$WINELOADER" "$@"
