#!/usr/bin/env bash
# Two builds of one commit must give the same bytes. Cheaper than a second build: relinks each
# executable from the build's own objects into a second folder, seconds later, repacks the product
# ZIP and the test package from those, and compares every file; and checks that no path of the
# machine's folders is in what ships.
# Usage: reproducible.sh SOURCE_DIR BUILD_DIR LINK_DIR:EXE... -- MAKE_ZIP_ARGUMENT...
#            -- MAKE_TEST_ZIP_ARGUMENT...
set -euo pipefail
source_dir=$1
build_dir=$2
shift 2
second=$(mktemp -d)
trap 'rm -rf "$second"' EXIT

# A time stamp anywhere would change within two seconds (a ZIP entry's time has 2-second steps).
sleep 2
programs=() tests=()
while [[ $1 != -- ]]; do
    link_dir=${1%%:*}
    exe=${1#*:}
    name=$(basename "$exe")
    # The link command CMake runs, its output and import library sent to the second folder.
    command=$(tail -n1 "$link_dir/CMakeFiles/${name%.exe}.dir/link.txt" |
        sed -e "s| -o [^ ]*| -o $second/$name|" -e "s|--out-implib,[^ ]*|--out-implib,$second/lib.a|")
    (cd "$link_dir" && eval "$command")
    programs+=("$name")
    [[ $name == Tarvik.exe || $name == NORLAK.exe ]] || tests+=("$second/$name")
    shift
done
shift
zip_arguments=()
while [[ $1 != -- ]]; do
    zip_arguments+=("$1")
    shift
done
shift
export SOURCE_DATE_EPOCH=$(<"$build_dir/CMakeFiles/zip_epoch")
cmake "-DTARVIK=$second/Tarvik.exe" "-DNORLAK=$second/NORLAK.exe" -DOUT="$second" "${zip_arguments[@]}"
cmake "-DPROGRAMS=$(IFS='|' && echo "${tests[*]}")" -DOUT="$second" "$@"

failed=0
for file in "${programs[@]}" $(cd "$second" && ls -- *.zip) SHA256SUMS; do
    if cmp "$build_dir/$file" "$second/$file"; then
        echo "same bytes: $file ($(sha256sum <"$second/$file" | cut -c1-64))"
    else
        failed=1
    fi
    for folder in "$source_dir" "$build_dir"; do
        if grep -q -F "$folder" "$second/$file"; then
            echo "$file holds the path $folder"
            failed=1
        fi
    done
done
exit "$failed"
