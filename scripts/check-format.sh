#!/usr/bin/env bash
# Fails when a tracked C++ file is not as clang-format (with .clang-format) writes it, naming each.
# The generated case table is left as its generator writes it.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(git ls-files '*.cpp' '*.hpp' '*.h')
if ! clang-format --dry-run --Werror "${files[@]}"; then
    echo "Off-format files above; run: git ls-files '*.cpp' '*.hpp' '*.h' | xargs clang-format -i" >&2
    exit 1
fi
echo "format: ${#files[@]} files as clang-format writes them"
