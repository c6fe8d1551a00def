#!/usr/bin/env bash
# Starts and stops the Wine session that every Windows test of one ctest run shares: an Xvfb
# display and a fresh Wine prefix, both inside the build folder, run by the Wine loader that fits
# the build (/usr/lib/wine/wine for 32-bit programs, /usr/lib/wine/wine64 for 64-bit ones). The
# emulator wrapper (run-under-wine.sh) reads session.env, written here.
#
# Some hosts cannot execute 32-bit programs at all. There, or when TARVIK_ASSUME_NO_32BIT=1 says
# so (both as cmake/runs-32bit.sh decides), a session for the 32-bit loader starts as unavailable: session.env carries the reason, and
# the start and every test that needs Wine end with the skip status, so ctest shows them skipped.
#
# Usage: session.sh start SESSION_DIR LOADER | stop SESSION_DIR | probe LOADER
set -euo pipefail

readonly skip_status=77
usage="usage: session.sh start SESSION_DIR LOADER | stop SESSION_DIR | probe LOADER"
action=${1:?$usage}

# Waits until a command succeeds, polling, and gives up after the deadline in seconds.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# True while the process runs (a zombie left for a parent that does not reap counts as ended).
alive() {
    local state
    state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) || return 1
    [[ -n $state && $state != Z ]]
}

# Prints why LOADER cannot run programs on this host and fails, or succeeds silently.
probe() {
    local loader=$1 output
    # Debian's 32-bit loader is /usr/lib/wine/wine, the 64-bit one wine64. The installer asks the
    # same question before it installs wine32.
    if [[ $(basename "$loader") == wine ]]; then
        bash "$(dirname "${BASH_SOURCE[0]}")/../runs-32bit.sh" || return 1
    fi
    if ! output=$("$loader" --version 2>&1); then
        echo "$loader cannot run here: ${output:-no output}"
        return 1
    fi
}

stop() {
    if [[ -f $dir/session.env ]]; then
        # shellcheck source=/dev/null
        source "$dir/session.env"
        if [[ -z ${TARVIK_WINE_UNAVAILABLE:-} ]]; then
            wineserver -k 2>/dev/null || true
            wineserver -w 2>/dev/null || true
        fi
    fi
    if [[ -f $dir/xvfb.pid ]]; then
        local pid
        pid=$(<"$dir/xvfb.pid")
        # Only the Xvfb this script started, and only while it is still that program.
        if [[ $(cat "/proc/$pid/comm" 2>/dev/null) == Xvfb ]]; then
            kill "$pid"
            wait_for 10 eval "! alive $pid" || echo "Xvfb $pid did not stop" >&2
        fi
        rm -f "$dir/xvfb.pid"
    fi
    rm -f "$dir/session.env"
}

start() {
    local loader=$1 reason
    stop
    mkdir -p "$dir"
    rm -rf "$dir/prefix" "$dir/display"

    if ! reason=$(probe "$loader"); then
        printf "export TARVIK_WINE_UNAVAILABLE=%q\n" "$reason" >"$dir/session.env"
        echo "Wine session not started, its tests are skipped: $reason"
        exit $skip_status
    fi

    # Xvfb picks a free display itself and writes its number to fd 3 once it accepts clients.
    # setsid and the redirections detach it from ctest, which waits for its test's output pipes.
    : >"$dir/display"
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
        </dev/null >"$dir/xvfb.log" 2>&1 3>"$dir/display" &
    echo $! >"$dir/xvfb.pid"
    if ! wait_for 30 grep -q '^[0-9]' "$dir/display"; then
        echo "Xvfb did not start:" >&2
        cat "$dir/xvfb.log" >&2
        exit 1
    fi

    cat >"$dir/session.env" <<ENV
export WINEPREFIX='$dir/prefix'
export DISPLAY=':$(head -n1 "$dir/display")'
export WINEDEBUG='-all'
export WINEDLLOVERRIDES='mscoree,mshtml='
export WINELOADER='$loader'
ENV
    # shellcheck source=/dev/null
    source "$dir/session.env"
    echo "Wine session: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX WINELOADER=$WINELOADER"

    "$loader" wineboot -i </dev/null >"$dir/wineboot.log" 2>&1
    # Without a window manager Wine draws the frames and title bars itself, as Windows does.
    "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >>"$dir/wineboot.log" 2>&1
    # Wine's own fonts (package fonts-wine: Tahoma for captions, Marlett for the caption buttons)
    # are not where this Wine looks for them: put them into the prefix. The prefix has no Arial:
    # draw it with Liberation Sans, whose letters have Arial's widths, so that text wraps and fits
    # as on Windows.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    "$loader" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' /f \
        </dev/null >>"$dir/wineboot.log" 2>&1
    wineserver -w
}

case $action in
    start)
        dir=${2:?$usage}
        start "${3:?$usage}"
        ;;
    stop)
        dir=${2:?$usage}
        stop
        ;;
    probe) probe "${2:?$usage}" ;;
    *) echo "unknown action: $action" >&2; exit 2 ;;
esac
