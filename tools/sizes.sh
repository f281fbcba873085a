#!/usr/bin/env bash
# A table of the programs' executable sizes for both targets.
source "$(dirname "$0")/common.sh"
printf '%-12s %10s %10s\n' program i686 x86_64
for name in $(program_names); do
    a=$(stat -c %s "$BUILD/i686/bin/$name.exe" 2>/dev/null || echo -)
    b=$(stat -c %s "$BUILD/x86_64/bin/$name.exe" 2>/dev/null || echo -)
    printf '%-12s %10s %10s\n' "$name" "$a" "$b"
done
