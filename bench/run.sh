#!/usr/bin/env bash
# File-search benchmark. Generates files of the shapes in make_data.cpp, checks that tarvik
# answers each case as grep's first matching line implies, then times tarvik, the peers grep
# -F[i] -m1, ripgrep --no-mmap (which reads as tarvik does) and ugrep (where installed, the same
# flags; -q for a presence test), ripgrep's default (which maps the file; shown, not a peer) and
# reading the file with cat (the read limit) in turn, page cache warm, and prints medians, ratios
# (÷ best: against the fastest peer that printed the right line) and tarvik's peak resident
# memory, then the rows where a peer was faster. With --wine it also runs Tarvik.exe under Wine,
# checks its answers the same way and compares its search time with the native one, start-up
# subtracted (the start-up is a presence test on a one-line file, timed alongside every case).
# Usage: bash bench/run.sh [--wine path/to/Tarvik.exe] [runs]   (default 5 runs)
# Environment: TARVIK_BENCH_SIZE bytes of the large files (default 1 GiB; the UTF-16 file is a
# quarter of that), TARVIK_BENCH_CASES a regular expression choosing cases by label,
# TARVIK_BENCH_DIR the working folder (default /tmp/tarvik-bench; deleted at the end unless
# TARVIK_BENCH_KEEP=1), TARVIK_BENCH_GREPS=grep to leave out ripgrep and ugrep: after them the
# Wine runs of some rows took up to 200 ms longer, with the same Tarvik.exe as without them.
# TARVIK_BENCH_BEFORE another native tarvik (a build of an earlier commit), timed and checked
# beside this one in the same runs.
set -euo pipefail
cd "$(dirname "$0")/.."

wine_exe=""
if [[ ${1:-} == --wine ]]; then
    wine_exe=$(realpath "${2:?usage: run.sh [--wine path/to/Tarvik.exe] [runs]}")
    shift 2
fi
runs=${1:-5}
size=${TARVIK_BENCH_SIZE:-1073741824}
dir=${TARVIK_BENCH_DIR:-/tmp/tarvik-bench}
session=""

cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
timer=$PWD/build/bench/run_timed

cleanup() {
    [[ -z $session ]] || bash cmake/wine/session.sh stop "$session"
    [[ ${TARVIK_BENCH_KEEP:-0} == 1 ]] || rm -rf "$dir"
}
trap cleanup EXIT

# label|file|compare string|exact or ignore (case)|found or missing|"presence" for a presence test
# (no /S:), else the result is the rest of the line (/S:0). A line longer than 32767 characters
# allows no result line (its length overflows the tool's 16-bit positions), hence the presence
# tests. The long compare string is 30,000 times "a" and one "b".
long_compare="$(printf 'a%.0s' {1..30000})b"
cases=$(
    cat <<'CASES'
random words, `XQZ-MAGIC` on the last line, /M|words.txt|XQZ-MAGIC|exact|found|
app log, `request_id=999999999` on the last line, /M|log.txt|request_id=999999999|exact|found|
app log, `REQUEST_ID=999999999` on the last line|log.txt|REQUEST_ID=999999999|ignore|found|
app log, no match, /M|log.txt|request_id=999999998|exact|missing|
app log, no match|log.txt|REQUEST_ID=999999998|ignore|missing|
English-like text, `the` first in the last line, /M|prose.txt|the|exact|found|
English-like text, `THE` first in the last line|prose.txt|THE|ignore|found|
English-like text, 1 character `Z`, last line|prose.txt|Z|ignore|found|
multilingual UTF-8, `Größe`|multi.txt|Größe|ignore|found|
multilingual UTF-8, `STRASSE`|multi.txt|STRASSE|ignore|found|
multilingual UTF-8, `ΛΌΓΟΣ`|multi.txt|ΛΌΓΟΣ|ignore|found|
UTF-16 LE log, `REQUEST_ID=999999999`|utf16.txt|REQUEST_ID=999999999|ignore|found|
20,000-character lines, last line, /M|long.txt|Disk quota exceeded|exact|found|
20,000-character lines, last line|long.txt|disk QUOTA exceeded|ignore|found|
one line, match at byte 1000, /M, presence test|line.txt|XQZ-MAGIC|exact|found|presence
one line, no match, /M|line.txt|XQZ-NOPE|exact|missing|
300 KB line, 30,001-character compare string, presence test|longcmp.txt|LONG|ignore|found|presence
CASES
)
[[ -z ${TARVIK_BENCH_CASES:-} ]] || cases=$(grep -E -- "$TARVIK_BENCH_CASES" <<<"$cases")

# Data, regenerated when the size changes; the tool folders hold links to it, since the tool
# reads files from its own folder.
mkdir -p "$dir/data" "$dir/native"
[[ $(cat "$dir/data/size" 2>/dev/null) == "$size" ]] || rm -f "$dir"/data/*
echo "$size" >"$dir/data/size"
for file in $(cut -d'|' -f2 <<<"$cases" | sort -u) log.txt; do
    [[ -f $dir/data/$file ]] || case $file in
        utf16.txt) build/bench/make_data utf16 $((size / 4)) "$dir/data/$file" ;;
        *) build/bench/make_data "${file%.txt}" "$size" "$dir/data/$file" ;;
    esac
done
head -n 1 "$dir/data/log.txt" >"$dir/data/tiny.txt"
cp build/bench/tarvik "$dir/native/tarvik"
ln -f "$dir"/data/*.txt "$dir/native/"
before_exe=${TARVIK_BENCH_BEFORE:-}
if [[ -n $before_exe ]]; then
    mkdir -p "$dir/before"
    cp "$before_exe" "$dir/before/tarvik"
    ln -f "$dir"/data/*.txt "$dir/before/"
fi

if [[ -n $wine_exe ]]; then
    # The machine field of the PE header: 014c is x86, 8664 x86-64.
    header=$(od -An -tu4 -j 60 -N 4 "$wine_exe" | tr -d ' ')
    case $(od -An -tx2 -j $((header + 4)) -N 2 "$wine_exe" | tr -d ' ') in
        014c) arch=i686 loader=/usr/lib/wine/wine ;;
        8664) arch=x86_64 loader=/usr/lib/wine/wine64 ;;
        *) echo "$wine_exe: not an x86 or x86-64 Windows program" >&2; exit 2 ;;
    esac
    if ! reason=$(bash cmake/wine/session.sh probe "$loader"); then
        echo "$reason: give a Tarvik.exe this host can run" >&2
        exit 2
    fi
    mkdir -p "$dir/wine"
    cp "$wine_exe" "$dir/wine/Tarvik.exe"
    ln -f "$dir"/data/*.txt "$dir/wine/"
    "$arch-w64-mingw32-g++" -std=c++20 -O2 -Wall -Wextra -Wpedantic -Wshadow -Wconversion \
        -Wsign-conversion -Werror -municode -static -Itool/handle -Itool/win32 \
        -o "$dir/wine/wine_timer.exe" bench/wine_timer.cpp
    session=$dir/wine-session
    bash cmake/wine/session.sh start "$session" "$loader" >/dev/null
    # shellcheck source=/dev/null
    source "$session/session.env"
    # A server that stays up spares each run its start.
    wineserver -p
fi

# Runs Tarvik.exe under Wine once with the command-line tail $1, as run_timed runs tarvik. Wine
# reads the tail from the environment in the locale's encoding; the timer's output ends in CR LF.
wine_timed() {
    TARVIK_BENCH_ARGS=$1 LC_ALL=C.UTF-8 "$loader" "$dir/wine/wine_timer.exe" | tr -d '\r'
}

# Fresh data still being written back would slow the tool's own fsync of its result file.
sync

# Median of the first field of the lines on stdin, then the largest second field.
summarise() { sort -g | awk '{t[NR] = $1; if ($2 > m) m = $2} END {printf "%s %s", t[int((NR + 1) / 2)], m}'; }

# Adds to $problems when a timed run (lines $1) ended with another status (field $2) than $3.
statuses() {
    local other
    other=$(awk -v field="$2" -v want="$3" '$field != want {print $field; exit}' <<<"${1%$'\n'}")
    [[ -z $other ]] || problems+="${problems:+; }$4 ended with status $other"
}

# Checks the answer left in a tool folder ($1) after a run that ended with status $2: prints
# nothing when it is the one in $expected ("" for not found), else what was wrong.
check() {
    local folder=$1 status=$2 got
    if [[ -n $expected && -n $presence ]]; then
        [[ $status == 0 && ! -e $folder/Value.cmd && ! -e $folder/error.txt ]] ||
            echo "status $status, not a silent presence test"
        return 0
    fi
    if [[ -z $expected ]]; then
        got=$(head -n 1 "$folder/error.txt" 2>/dev/null | tr -d '\r')
        [[ $status == 1 && $got == "Could not find:" ]] || echo "status $status, not the not-found report"
        return 0
    fi
    got=$(head -n 1 "$folder/Value.cmd" 2>/dev/null | tr -d '\r')
    [[ $status == 0 && $got == "$expected" ]] ||
        echo "status $status, '${got:0:80}' instead of '${expected:0:80}'"
}

# Sets $expected to the result line that grep's first match implies (the rest of the line after
# the match, with the tool's escaping), "" when grep finds nothing.
expect() {
    local hit offset bytes value
    expected=""
    hit=$("${text_cmd[@]}" | LC_ALL=$locale grep "$grep_flags" -m1 -o -b -- "$compare" | head -n 1) || true
    [[ -n $hit ]] || return 0
    offset=${hit%%:*}
    bytes=$(printf %s "${hit#*:}" | wc -c)
    # The reader ends early on purpose: its broken pipe is no failure.
    value=$("${text_cmd[@]}" | tail -c +$((offset + bytes + 1)) | head -n 1 | tr -d '\r') || true
    expected="SET RETU=$(LC_ALL=C sed -e 's/%/%%/g' -e 's/[&^|<>()"]/^&/g' <<<"$value")"
}

# A peer's answer, for comparing with grep's: the exit status of a presence test, else a checksum
# of the first line it printed without its CR.
answer() {
    local status=0 sum
    if [[ -n $presence ]]; then
        "$@" >/dev/null 2>&1 || status=$?
        echo "status $status"
        return 0
    fi
    sum=$("$@" 2>/dev/null | head -n 1 | tr -d '\r' | md5sum) || true
    echo "line ${sum%% *}"
}

# Times a peer's command ($2...) into the variable named $1 when the command is installed; a peer
# whose answer differs from grep's is marked "wrong" instead of timed.
declare -A peer_times=()
time_peer() {
    local name=$1
    shift
    command -v "$2" >/dev/null || return 0
    [[ ${TARVIK_BENCH_GREPS:-} != grep || $name == grep ]] || return 0
    [[ ${peer_times[$name]:-} != wrong ]] || return 0
    peer_times[$name]+=$(LC_ALL=$1 "$timer" "${@:2}")$'\n'
}

printf '%s cores (%s), %s, %s, grep %s, rg %s, ugrep %s; large files %s MiB (UTF-16 %s MiB); medians of %s runs\n' \
    "$(nproc)" "$(awk -F': ' '/^model name/ {print $2; exit}' /proc/cpuinfo)" "$(uname -m)" \
    "$(uptime | sed 's/.*load/load/')" "$(grep --version | awk '{print $NF; exit}')" \
    "$(rg --version 2>/dev/null | awk '{print $2; exit}')" "$(ugrep --version 2>/dev/null | awk '{print $2; exit}')" \
    $((size >> 20)) $((size >> 22)) "$runs"
[[ -z $wine_exe ]] || echo "Wine: $(wine --version), $arch build $(basename "$wine_exe")"
echo
header="| case | grep | tarvik ms | grep ms | rg no-mmap ms | ugrep ms | rg mmap ms | cat ms | ÷ best | ÷ cat | tarvik MiB |"
rule="|---|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|"
[[ -z $before_exe ]] || header+=" before ms | ÷ before |" rule+="--:|--:|"
[[ -z $wine_exe ]] || header+=" Wine search ms | ÷ native search |" rule+="--:|--:|"
echo "$header"
echo "$rule"

wrong="" behind=""
native_starts="" wine_starts=""
while IFS='|' read -r label file compare mode answer presence; do
    [[ $compare != LONG ]] || compare=$long_compare
    path=$dir/data/$file
    args=("/f:$file" "/c:\"$compare\"")
    grep_flags=-F
    if [[ $mode == exact ]]; then args+=(/m); else grep_flags=-Fi; fi
    [[ -n $presence ]] || args+=(/s:0)
    # A presence test prints nothing: the peers only tell whether there is a match.
    stop=-m1
    [[ -z $presence ]] || stop=-q
    # C folds ASCII only, as grep -i needs for an ASCII compare string; C.UTF-8 folds the rest.
    locale=C grep_name=C
    if [[ $mode == ignore ]] && LC_ALL=C grep -q '[^ -~]' <<<"$compare"; then
        locale=C.UTF-8 grep_name=UTF-8
    fi
    text_cmd=(cat -- "$path")
    grep_cmd=(grep "$grep_flags" "$stop" -- "$compare" "$path")
    # Both read UTF-16 with a byte order mark themselves.
    rg_cmd=(rg --no-mmap "$grep_flags" "$stop" -- "$compare" "$path")
    rg_map_cmd=(rg "$grep_flags" "$stop" -- "$compare" "$path")
    ug_cmd=(ugrep "$grep_flags" "$stop" -- "$compare" "$path")
    if [[ $file == utf16.txt ]]; then
        text_cmd=(iconv -f UTF-16LE -t UTF-8 -- "$path")
        # shellcheck disable=SC2016 # the inner shell expands them
        grep_cmd=(sh -c 'iconv -f UTF-16LE -t UTF-8 -- "$1" | grep "$2" "$3" -- "$4"' sh "$path" "$grep_flags" "$stop" "$compare")
        grep_name="iconv + $grep_name"
    fi

    expect
    if [[ -z $expected && $answer == found ]] || [[ -n $expected && $answer == missing ]]; then
        echo "the data do not fit the case '$label': grep says the opposite of '$answer'" >&2
        exit 1
    fi
    status=0
    [[ -n $expected ]] || status=1
    # The previous case's answers go first, so that they cannot pass for this one's.
    rm -f "$dir"/{native,wine,before}/{Value.cmd,error.txt}
    problems=$(check "$dir/native" "$(cd "$dir/native" && "$timer" ./tarvik "${args[@]}" | cut -d' ' -f3)")
    [[ -z $problems ]] || problems="native: $problems"
    if [[ -n $before_exe ]]; then
        before_problem=$(check "$dir/before" "$(cd "$dir/before" && "$timer" ./tarvik "${args[@]}" | cut -d' ' -f3)")
        [[ -z $before_problem ]] || problems+="${problems:+; }before: $before_problem"
    fi
    if [[ -n $wine_exe ]]; then
        wine_problem=$(check "$dir/wine" "$(wine_timed "${args[*]}" | cut -d' ' -f2)")
        [[ -z $wine_problem ]] || problems+="${problems:+; }Wine: $wine_problem"
    fi
    # grep in its locale is the reference, as for tarvik's answer.
    peer_times=()
    reference=$(LC_ALL=$locale answer "${grep_cmd[@]}")
    if [[ ${TARVIK_BENCH_GREPS:-} != grep ]]; then
        if command -v rg >/dev/null && [[ $(LC_ALL=C.UTF-8 answer "${rg_cmd[@]}") != "$reference" ]]; then
            peer_times[rg]=wrong
        fi
        if command -v ugrep >/dev/null && [[ $(LC_ALL=C.UTF-8 answer "${ug_cmd[@]}") != "$reference" ]]; then
            peer_times[ugrep]=wrong
        fi
    fi

    # The start-up runs get a command line as long as the case's, padded with a switch the tool
    # ignores: a Wine process takes longer to start with a longer one (6 ms more for 30,000
    # characters here, for a program that does nothing).
    start_args=(/f:tiny.txt '/c:"service"')
    case_line="${args[*]}" start_line="${start_args[*]} /x:"
    if ((${#case_line} > ${#start_line})); then
        start_args+=("/x:$(printf '%*s' $((${#case_line} - ${#start_line})) '' | tr ' ' a)")
    fi
    t="" b="" n="" c="" w="" s=""
    for ((i = 0; i < runs; i++)); do
        t+=$(cd "$dir/native" && "$timer" ./tarvik "${args[@]}")$'\n'
        [[ -z $before_exe ]] || b+=$(cd "$dir/before" && "$timer" ./tarvik "${args[@]}")$'\n'
        time_peer grep "$locale" "${grep_cmd[@]}"
        time_peer rg C.UTF-8 "${rg_cmd[@]}"
        time_peer ugrep C.UTF-8 "${ug_cmd[@]}"
        time_peer rg_map C.UTF-8 "${rg_map_cmd[@]}"
        c+=$("$timer" cat -- "$path")$'\n'
        n+=$(cd "$dir/native" && "$timer" ./tarvik "${start_args[@]}")$'\n'
        if [[ -n $wine_exe ]]; then
            # After a second or more without a Wine process, the next one here takes 100-300 ms
            # longer, whatever it does: an untimed run first leaves the case and its start-up
            # alike warm.
            wine_timed "${start_args[*]}" >/dev/null
            w+=$(wine_timed "${args[*]}")$'\n'
            s+=$(wine_timed "${start_args[*]}")$'\n'
        fi
    done
    statuses "$t" 3 "$status" tarvik
    statuses "${peer_times[grep]}" 3 "$status" grep
    statuses "$n" 3 0 "tarvik's start-up run"
    if [[ -n $wine_exe ]]; then
        statuses "$w" 2 "$status" Tarvik.exe
        statuses "$s" 2 0 "Tarvik.exe's start-up run"
    fi
    read -r tm tk <<<"$(summarise <<<"${t%$'\n'}")"
    # Each peer's median in ms, "-" when it did not run and "wrong" when it printed another line.
    declare -A peer_ms=()
    for peer in grep rg ugrep rg_map; do
        case ${peer_times[$peer]:-} in
            "") peer_ms[$peer]=- ;;
            wrong) peer_ms[$peer]=wrong ;;
            *) peer_ms[$peer]=$(summarise <<<"${peer_times[$peer]%$'\n'}" | awk '{printf "%.1f", $1 * 1000}') ;;
        esac
    done
    read -r cm _ <<<"$(summarise <<<"${c%$'\n'}")"
    read -r nm _ <<<"$(summarise <<<"${n%$'\n'}")"
    native_starts+="$nm"$'\n'
    mark=""
    [[ -z $problems ]] || mark="**wrong:** "
    row=$(awk -v label="$mark$label" -v grep="$grep_name" -v tm="$tm" -v g="${peer_ms[grep]}" \
        -v r="${peer_ms[rg]}" -v u="${peer_ms[ugrep]}" -v m="${peer_ms[rg_map]}" -v cm="$cm" -v tk="$tk" '
        function peer(x) { if (x + 0 > 0 && (best == 0 || x + 0 < best)) best = x + 0 }
        BEGIN {
        best = 0; peer(g); peer(r); peer(u)
        ratio = best > 0 ? sprintf("%.2f", tm * 1000 / best) : "-"
        printf "| %s | %s | %.1f | %s | %s | %s | %s | %.1f | %s | %.2f | %.1f |", label, grep, tm * 1000, \
            g, r, u, m, cm * 1000, ratio, tm / cm, tk / 1024 }')
    if [[ -n $before_exe ]]; then
        statuses "$b" 3 "$status" "the build before"
        read -r bm _ <<<"$(summarise <<<"${b%$'\n'}")"
        row+=$(awk -v tm="$tm" -v bm="$bm" 'BEGIN { printf " %.1f | %.2f |", bm * 1000, tm / bm }')
    fi
    if [[ -n $wine_exe ]]; then
        read -r wm _ <<<"$(summarise <<<"${w%$'\n'}")"
        read -r sm _ <<<"$(summarise <<<"${s%$'\n'}")"
        wine_starts+="$sm"$'\n'
        row+=$(awk -v tm="$tm" -v nm="$nm" -v wm="$wm" -v sm="$sm" 'BEGIN {
            printf " %.1f | %.2f |", (wm - sm) * 1000, (wm - sm) / (tm - nm) }')
    fi
    [[ -z $problems ]] || wrong+="  $label: $problems"$'\n'
    behind+=$(awk -v label="$label" -v tm="$tm" -v g="${peer_ms[grep]}" -v r="${peer_ms[rg]}" -v u="${peer_ms[ugrep]}" '
        BEGIN { split("grep rg ugrep", names, " "); t[1] = g; t[2] = r; t[3] = u; ahead = ""
            for (i = 1; i <= 3; i++) if (t[i] + 0 > 0 && t[i] + 0 < tm * 1000) ahead = ahead " " names[i] " " t[i]
            if (ahead != "") printf "  %s: tarvik %.1f ms,%s ms", label, tm * 1000, ahead }')
    [[ -z $behind || ${behind: -1} == $'\n' ]] || behind+=$'\n'
    echo "$row"
done <<<"$cases"

echo
printf 'Start-up (presence test on a one-line file), median over the cases: native %.1f ms' \
    "$(summarise <<<"${native_starts%$'\n'}" | awk '{print $1 * 1000}')"
[[ -z $wine_exe ]] || printf ', Wine %.1f ms' "$(summarise <<<"${wine_starts%$'\n'}" | awk '{print $1 * 1000}')"
echo
if [[ -n $behind ]]; then
    printf 'Rows behind a peer:\n%s' "$behind"
else
    echo "No row behind a peer."
fi
if [[ -n $wrong ]]; then
    printf 'Wrong answers:\n%s' "$wrong"
    exit 1
fi
