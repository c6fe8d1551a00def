#!/usr/bin/env bash
# Succeeds silently when this host can execute 32-bit x86 programs; otherwise prints why and fails.
# The installer asks for wine32 only where this succeeds, and the Wine session of the 32-bit build
# starts only where it does, so both decide alike. It needs nothing installed: it runs a 93-byte
# i386 program that ends with status 42 through the kernel alone (no libraries, no loader), since
# some x86-64 kernels are built or booted without 32-bit support. TARVIK_ASSUME_NO_32BIT=1 makes
# any host answer no.
set -euo pipefail

if [[ ${TARVIK_ASSUME_NO_32BIT:-} == 1 ]]; then
    echo "TARVIK_ASSUME_NO_32BIT=1: treating this host as one that cannot execute 32-bit programs"
    exit 1
fi

program=$(mktemp)
trap 'rm -f "$program"' EXIT
# ELF header (32-bit, little-endian, executable, i386, entry 0x8048054), one loadable segment of
# the whole file at 0x8048000, then: xor ebx,ebx; mov bl,42; xor eax,eax; inc eax; int 0x80 (exit).
printf '\x7fELF\x01\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x03\0\x01\0\0\0\x54\x80\x04\x08\x34\0\0\0'\
'\0\0\0\0\0\0\0\0\x34\0\x20\0\x01\0\0\0\0\0\0\0'\
'\x01\0\0\0\0\0\0\0\0\x80\x04\x08\0\x80\x04\x08\x5d\0\0\0\x5d\0\0\0\x05\0\0\0\0\x10\0\0'\
'\x31\xdb\xb3\x2a\x31\xc0\x40\xcd\x80' >"$program"
chmod +x "$program"
status=0
output=$("$program" 2>&1) || status=$?
if ((status != 42)); then
    echo "this host cannot execute 32-bit x86 programs (a minimal i386 program ended with status $status${output:+: ${output##*: }})"
    exit 1
fi
