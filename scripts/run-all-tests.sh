#!/usr/bin/env bash
# Builds every preset and runs every test: the native build, then the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh all

cmake --preset native
cmake --build --preset native
ctest --preset native

# The Windows executables, their unit tests and the end-to-end driver under Wine and Xvfb.
cmake --preset windows
cmake --build --preset windows
ctest --preset windows

# The native tests again under AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz
# target for a bounded time.
cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize
bash fuzz/run.sh
