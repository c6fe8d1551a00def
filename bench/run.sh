#!/usr/bin/env bash
# File-search benchmark: times the native tarvik against grep -F -m1 / grep -Fi -m1 on generated
# files (page cache warm) and prints the median wall time, the ratio to grep and the peak
# resident memory of each.
# Usage: bash bench/run.sh [runs]   (default 5). Data goes to $TARVIK_BENCH_DIR (default
# /tmp/tarvik-bench) and is deleted at the end unless TARVIK_BENCH_KEEP=1.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-5}
dir=${TARVIK_BENCH_DIR:-/tmp/tarvik-bench}
gib=1073741824

cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
timer=$PWD/build/bench/run_timed

mkdir -p "$dir"
[[ ${TARVIK_BENCH_KEEP:-0} == 1 ]] || trap 'rm -rf "$dir"' EXIT
# tarvik reads files from its own directory.
cp build/bench/tarvik "$dir/tarvik"
for kind in log long; do
    [[ -f $dir/$kind.txt ]] || build/bench/make_data "$kind" "$gib" "$dir/$kind.txt"
done
head -n 1 "$dir/log.txt" >"$dir/tiny.txt"
# Fresh data still being written back would slow the tool's own fsync of its result file.
sync
cat "$dir"/*.txt >/dev/null

# Median of the first field of the lines on stdin, and the largest second field.
summarise() { sort -g | awk '{t[NR] = $1; if ($2 > m) m = $2} END {printf "%s %s", t[int((NR + 1) / 2)], m}'; }

# One row: label, file, compare string, "exact" or "ignore", expected exit status (0 found, 1 not).
row() {
    local label=$1 file=$2 compare=$3 mode=$4 expected=$5
    local tarvik_args=("$dir/tarvik" "/f:$file" "/c:\"$compare\"" /s:0) grep_args=(grep -F -m1 -- "$compare" "$dir/$file")
    if [[ $mode == exact ]]; then
        tarvik_args+=(/m)
    else
        grep_args=(grep -Fi -m1 -- "$compare" "$dir/$file")
    fi
    local t="" g="" c=""
    for ((i = 0; i < runs; i++)); do
        t+=$("$timer" "${tarvik_args[@]}")$'\n'
        g+=$("$timer" "${grep_args[@]}")$'\n'
        c+=$(LC_ALL=C "$timer" "${grep_args[@]}")$'\n'
    done
    for results in "$t" "$g" "$c"; do
        if grep -qv " $expected\$" <<<"${results%$'\n'}"; then
            echo "unexpected exit status in $label: ${results//$'\n'/; }" >&2
            exit 1
        fi
    done
    read -r tm tk <<<"$(summarise <<<"${t%$'\n'}")"
    read -r gm gk <<<"$(summarise <<<"${g%$'\n'}")"
    read -r cm _ <<<"$(summarise <<<"${c%$'\n'}")"
    awk -v label="$label" -v tm="$tm" -v gm="$gm" -v cm="$cm" -v tk="$tk" -v gk="$gk" 'BEGIN {
        printf "| %-47s | %9.1f | %7.1f | %5.2f | %9.1f | %5.2f | %10.1f | %8.1f |\n",
            label, tm * 1000, gm * 1000, tm / gm, cm * 1000, tm / cm, tk / 1024, gk / 1024 }'
}

echo "$(nproc) cores, $(uname -m), grep $(grep --version | head -n 1 | awk '{print $NF}'), locale ${LC_ALL:-${LANG:-C}}; medians of $runs runs"
echo
echo "| case                                            | tarvik ms | grep ms | ratio | grep C ms | ratio | tarvik MiB | grep MiB |"
echo "|-------------------------------------------------|----------:|--------:|------:|----------:|------:|-----------:|---------:|"
row "1 GiB log, match on the last line, /M" log.txt "Disk quota exceeded" exact 0
row "1 GiB log, match on the last line, any case" log.txt "disk QUOTA exceeded" ignore 0
row "1 GiB log, no match, /M" log.txt "Disk quota exceeded on backup" exact 1
row "1 GiB log, no match, any case" log.txt "disk QUOTA exceeded on backup" ignore 1
row "1 GiB of 20,000-char lines, last line, /M" long.txt "Disk quota exceeded" exact 0
row "1 GiB of 20,000-char lines, last line, any case" long.txt "disk QUOTA exceeded" ignore 0
row "1 GiB log, match on the first line, /M" log.txt "service started" exact 0
row "1 GiB log, match on the first line, any case" log.txt "SERVICE started" ignore 0
row "one-line file, /M" tiny.txt "service started" exact 0
