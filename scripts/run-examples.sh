#!/usr/bin/env bash
# Builds the native tool and runs the three worked examples of its usage window, each in a fresh
# temporary directory, printing the command line, the exit status and every file the run left.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh native
cmake --preset native >/dev/null
cmake --build --preset native >/dev/null

example() {
    local dir
    dir=$(mktemp -d)
    cp build/native/tarvik "$dir/"
    printf 'Hello boy\r\nsdfseeeWEQREEQRQWERRWQER\r\npp01\r\n' >"$dir/ls.txt"
    echo "== tarvik $*"
    local status=0
    (cd "$dir" && ./tarvik "$@") || status=$?
    echo "exit status: $status"
    for file in "$dir"/*; do
        case "$(basename "$file")" in tarvik | ls.txt) continue ;; esac
        echo "-- $(basename "$file"):"
        tr -d '\r' <"$file"
    done
    rm -rf "$dir"
    echo
}

example '/t:"ABCD"' '/c:"BB"'
example '/t:"ABCDEFGHIJK1234"' '/c:"gh"' /s:-4 /L:3 /e:mystr /o:aa.cmd
example /f:ls.txt '/c:"eee"' /s:0
