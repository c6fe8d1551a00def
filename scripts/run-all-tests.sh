#!/usr/bin/env bash
# Builds every preset and runs every test: the native build, the Windows builds under Wine, the
# native tests under sanitizers, then the fuzzers.
#
# The 32-bit Windows product is always built and checked without running it (PE32 i386, GUI
# subsystem, imports, version, icons); its tests run under Wine where the host can execute 32-bit
# programs, and show as skipped, with the reason, where it cannot. The 64-bit build runs the same
# Windows suite on every x86-64 host. TARVIK_ASSUME_NO_32BIT=1 makes a host that can run 32-bit
# programs behave as one that cannot.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh all
bash scripts/check-format.sh

# Each workflow configures, builds and tests its preset; the Windows ones also write their ZIP.
cmake --workflow --preset native
cmake --workflow --preset windows
cmake --workflow --preset windows-x64
if ! reason=$(bash cmake/wine/session.sh probe /usr/lib/wine/wine); then
    echo "The 32-bit Windows executables were checked but not run: $reason"
fi
# The native tests again under AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz
# target for a bounded time.
cmake --workflow --preset sanitize
bash fuzz/run.sh
