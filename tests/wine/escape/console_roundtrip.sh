#!/usr/bin/env bash
# Values through Tarvik.exe and back into batch scripts, with cmd in a console as on Windows: it
# reads batch files, and so the result files, in the console's code page (437 in en_US, 932 in
# ja_JP), not in the ANSI one. Each line of the cases file is "EXPECT SOURCE VALUE":
#   EXPECT  exact: the caller gets the variable holding exactly the value;
#           safe: the value does not fit the console's code page, the caller gets the variable
#           holding something, and nothing else happens;
#           refused: the run ends in the general failure and writes no result file;
#   SOURCE  typed (in the batch file that starts Tarvik.exe), or a line of a file in utf8, ansi or
#           utf16; "@NNN" after it runs "chcp NNN" before Tarvik.exe and before the caller's
#           "call". Wine's cmd goes on reading batch files in the OEM code page: the result file is
#           then read in another code page than the one the console reports.
# No case may print anything else or create a file. Callers with delayed expansion off check
# every value; with it on, those without "!" (Wine's cmd mishandles "!" under delayed expansion;
# the batch oracle of the unit tests covers that branch).
# Usage: console_roundtrip.sh WINE_WRAPPER TARVIK_EXE CASES_FILE CONSOLE_CODE_PAGE ANSI_CODE_PAGE
#        GENERAL_FAILURE_GOLDEN_FILE
set -euo pipefail
wine=$1
tool=$2
console=CP$4
ansi=CP$5
general_failure=$(<"$6")
expects=() sources=() chcps=() values=()
while IFS= read -r line; do
    expects+=("${line%% *}")
    line=${line#* }
    source=${line%% *}
    sources+=("${source%@*}")
    chcps+=("$([[ $source == *@* ]] && echo "${source#*@}" || true)")
    values+=("${line#* }")
done <"$3"
"$wine" --available || exit

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Batch files are written in the console's code page with CR LF.
batch() { sed 's/$/\r/' | iconv -f UTF-8 -t "$console" >"$1"; }

# Runs a batch file in a console until it ends. A Tarvik.exe that reports a failure waits in its
# message box, so it is ended once its error file is there.
in_console() {
    "$wine" wineconsole cmd /c "$1" &
    local pid=$! deadline=$((SECONDS + 240)) report
    while kill -0 "$pid" 2>/dev/null; do
        for report in c*/error.txt; do
            [[ -f $report && ! -f $report.seen ]] || continue
            touch "$report.seen"
            sleep 1
            "$wine" taskkill /f /im Tarvik.exe >/dev/null 2>&1 || true
        done
        if ((SECONDS > deadline)); then
            echo "$1 did not end within 240 s"
            kill "$pid"
            return 1
        fi
        sleep 0.2
    done
    wait "$pid" || true
}

# Runs the command that writes a case's batch lines, between a "chcp" to the case's code page and
# one back to the console's own.
chcp_around() {
    local i=$1
    shift
    [[ -z ${chcps[i]} ]] || echo "@chcp ${chcps[i]} >nul"
    "$@"
    [[ -z ${chcps[i]} ]] || echo "@chcp ${console#CP} >nul"
}

# One folder per case, each with its own Tarvik.exe and so its own error file.
for i in "${!values[@]}"; do
    mkdir "c$i"
    cp "$tool" "c$i/Tarvik.exe"
    line="Q7Z${values[i]}"$'\r\n'
    case ${sources[i]} in
        typed) switch="/t:\"Q7Z${values[i]}\"" ;;
        utf8) printf '%s' "$line" >"c$i/in.txt" ;;
        ansi) printf '%s' "$line" | iconv -f UTF-8 -t "$ansi" >"c$i/in.txt" ;;
        utf16) { printf '\xFF\xFE' && printf '%s' "$line" | iconv -f UTF-8 -t UTF-16LE; } >"c$i/in.txt" ;;
    esac
    [[ ${sources[i]} == typed ]] || switch=/f:in.txt
    chcp_around "$i" printf '@cd c%s\n@Tarvik.exe %s /c:"Q7Z" /e:TARVIKVALUE /o:v.cmd\n@cd ..\n' "$i" "$switch"
done | batch make.bat
# Wine shows what a program gives OutputDebugString among its warnings.
TARVIK_WINEDEBUG=warn+seh in_console make.bat 2>debug.txt

failed=0
written=()
refused=0
for i in "${!values[@]}"; do
    report=$([[ -f c$i/error.txt ]] && tr -d '\r' <"c$i/error.txt" || true)
    if [[ ${expects[i]} == refused ]]; then
        if [[ $report != "$general_failure" || -f c$i/v.cmd ]]; then
            echo "== case $i (${values[i]}): expected the general failure, got [$report]"
            failed=1
        fi
        ((++refused))
    elif [[ -n $report || ! -f c$i/v.cmd ]]; then
        echo "== case $i (${values[i]}): expected a result file, got the report [$report]"
        failed=1
    else
        written+=("$i")
    fi
done

# The reason of each refusal reaches the developer, though the user sees only the fixed message.
reason="OutputDebugStringA \"Tarvik: result line has no encoding every reader keeps apart"
if (($(grep -a -c -F "$reason" debug.txt) != refused)); then
    echo "== expected $refused refusals to give their reason, got:"
    grep -a 'OutputDebugString' debug.txt || true
    failed=1
fi

# Writes a caller with the given setlocal option for the cases whose indexes follow, runs it in
# the console and compares all it printed with what the values alone would give.
check_caller() {
    local option=$1 i value before after actual expected
    shift
    {
        echo "@echo off"
        echo "setlocal $option"
        for i in "$@"; do
            echo "set TARVIKVALUE="
            echo "echo BEGIN$i"
            chcp_around "$i" echo "call c$i\\v.cmd"
            echo "echo END$i"
            echo "set TARVIKVALUE"
        done
    } | batch caller.bat
    echo "@call caller.bat >out.txt 2>errors.txt" | batch run.bat
    rm -f out.txt errors.txt
    before=$(ls -A)
    in_console run.bat
    after=$(ls -A | grep -v -x -e out.txt -e errors.txt)
    mapfile -t actual < <(tr -d '\r' <out.txt)
    expected=()
    for i in "$@"; do
        # A value that does not fit the code page comes back as other characters: any will do.
        value='*'
        [[ ${expects[i]} == exact ]] && value=$(printf '%s' "${values[i]}" | iconv -f UTF-8 -t "$console")
        expected+=("BEGIN$i" "END$i" "TARVIKVALUE=$value")
    done
    for i in "${!expected[@]}"; do
        [[ ${expected[i]} == 'TARVIKVALUE=*' && ${actual[i]:-} == TARVIKVALUE=* ]] && continue
        [[ ${actual[i]:-} == "${expected[i]}" ]] && continue
        printf '== %s: expected [%s], got [%s] (line %s of out.txt)\n' "$option" "${expected[i]}" \
            "${actual[i]:-}" $((i + 1)) | iconv -f "$console" -t UTF-8 -c
        failed=1
    done
    if ((${#actual[@]} != ${#expected[@]})); then
        echo "== $option: expected ${#expected[@]} lines, got ${#actual[@]}:"
        cat -A out.txt
        failed=1
    fi
    if [[ -s errors.txt ]]; then
        echo "== $option: cmd reported errors:"
        cat errors.txt
        failed=1
    fi
    if [[ $before != "$after" ]]; then
        echo "== $option: files appeared or vanished:"
        diff <(echo "$before") <(echo "$after") || true
        failed=1
    fi
}

without_bang=()
for i in "${written[@]}"; do [[ ${values[i]} == *'!'* ]] || without_bang+=("$i"); done
check_caller DisableDelayedExpansion "${written[@]}"
check_caller EnableDelayedExpansion "${without_bang[@]}"
if ((failed == 0)); then
    echo "${#values[@]} cases in console code page ${console#CP}: ${#written[@]} values written," \
        "read back with delayed expansion off, ${#without_bang[@]} also with it on"
fi
exit "$failed"
