#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; installs nothing already there.
# Usage: scripts/install-deps.sh native|all
set -euo pipefail

native=(cmake make g++ libgtest-dev unicode-data)
# Both Windows builds; Wine for both; fonts that make Wine draw the usage window as Windows does
# (Liberation Sans has Arial's metrics; fonts-wine brings Marlett for the caption buttons).
windows=(g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
    wine wine32 wine64 fonts-liberation fonts-wine xvfb xauth xdotool icoutils imagemagick zip locales)
extra=(clang libclang-rt-14-dev clang-format git time)

wanted=("${native[@]}")
if [[ ${1:-native} == all ]]; then
    wanted+=("${windows[@]}" "${extra[@]}")
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
fi

missing=()
for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# One Windows test runs in Japanese (code page 932), which Wine takes from the locale.
if [[ ${1:-native} == all ]] && ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
