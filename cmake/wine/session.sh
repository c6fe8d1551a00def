#!/usr/bin/env bash
# Starts and stops the Wine session that every Windows test of one ctest run shares: an Xvfb
# display and a fresh Wine prefix, both inside the build folder. The emulator wrapper
# (run-under-wine.sh) reads session.env, written here.
# Usage: session.sh start|stop SESSION_DIR
set -euo pipefail

action=${1:?usage: session.sh start|stop SESSION_DIR}
dir=${2:?usage: session.sh start|stop SESSION_DIR}

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

stop() {
    if [[ -f $dir/session.env ]]; then
        # shellcheck source=/dev/null
        source "$dir/session.env"
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
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
    stop
    mkdir -p "$dir"
    rm -rf "$dir/prefix" "$dir/display"

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
ENV
    # shellcheck source=/dev/null
    source "$dir/session.env"
    echo "Wine session: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"

    wineboot -i </dev/null >"$dir/wineboot.log" 2>&1
    # Without a window manager Wine draws the frames and title bars itself, as Windows does.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >>"$dir/wineboot.log" 2>&1
    wineserver -w
}

case $action in
    start) start ;;
    stop) stop ;;
    *) echo "unknown action: $action" >&2; exit 2 ;;
esac
