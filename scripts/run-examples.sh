#!/usr/bin/env bash
# Builds the native tool and runs the three worked examples of its usage window, each in a fresh
# temporary directory, printing the command line, the exit status and every file the run wrote,
# and checking them against the table the tests run. Also builds what cmake --install puts into
# place, so that the README's install command works after this one.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh native
cmake --preset native >/dev/null
cmake --build --preset native --target show_worked_examples installed_files >/dev/null
build/native/show_worked_examples
