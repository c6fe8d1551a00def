#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; installs nothing already there.
# Usage: scripts/install-deps.sh native|all
set -euo pipefail
cd "$(dirname "$0")/.."

native=(cmake make g++ libgtest-dev unicode-data)
# Both Windows builds; Wine for both; fonts that make Wine draw the usage window as Windows does
# (Liberation Sans has Arial's metrics; fonts-wine brings Marlett for the caption buttons).
windows=(g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
    wine wine64 fonts-liberation fonts-wine xvfb xauth xdotool icoutils imagemagick zip unzip locales)
extra=(clang libclang-rt-14-dev clang-format git time)
# The schema validator of the CI workflow (tests/ci/), pinned, from the npm registry: into the build
# folder rather than the system, and without running any install script of a package.
tools=build/tools
validator=(@action-validator/cli@0.6.0 @action-validator/core@0.6.0)

wanted=("${native[@]}")
if [[ ${1:-native} == all ]]; then
    wanted+=("${windows[@]}" "${extra[@]}")
    # Debian's npm brings Node.js along; a Node.js from elsewhere brings its own npm.
    command -v npm >/dev/null || wanted+=(nodejs npm)
    # The 32-bit Wine loader is of use only where the kernel runs 32-bit programs; elsewhere its
    # i386 packages could only make the update or the install fail. The test command asks the same.
    if reason=$(bash cmake/runs-32bit.sh); then
        wanted+=(wine32)
        dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    else
        echo "Not installing wine32: $reason"
    fi
fi

missing=()
for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done

# Waits for another apt or dpkg run to finish instead of failing at once.
apt=(apt-get -o DPkg::Lock::Timeout=600)
install() {
    DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y -q --no-install-recommends "$@"
}

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    # A mirror in the middle of a sync fails an index now and then; try again, and if one index
    # stays broken, go on: the packages may still be installable from the rest.
    for attempt in 1 2 3; do
        "${apt[@]}" update -q && break
        echo "apt-get update failed (attempt $attempt of 3)" >&2
        if ((attempt < 3)); then sleep $((attempt * 10)); fi
    done
    if ! install "${missing[@]}"; then
        # Without the i386 index wine32 cannot be had; the 32-bit Wine tests then show as skipped.
        [[ " ${missing[*]} " == *" wine32 "* ]] || exit 1
        echo "Installing without wine32: its 32-bit Wine tests will be skipped" >&2
        mapfile -t missing < <(printf '%s\n' "${missing[@]}" | grep -vx wine32)
        install "${missing[@]}"
    fi
fi

if [[ ${1:-native} == all ]]; then
    for package in "${validator[@]}"; do
        if ! grep -qs "\"version\": \"${package##*@}\"" "$tools/node_modules/${package%@*}/package.json"; then
            echo "Installing into $tools: ${validator[*]}"
            timeout 600 npm install --prefix "$tools" --no-save --no-package-lock --ignore-scripts \
                --no-audit --no-fund --no-update-notifier --loglevel=error "${validator[@]}"
            break
        fi
    done
fi

# One Windows test runs in Japanese (code page 932), which Wine takes from the locale.
if [[ ${1:-native} == all ]] && ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
