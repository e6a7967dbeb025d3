#!/usr/bin/env bash
# Starts the library in the stand-in host on a Wine that reports Windows NT 4.0: the real version
# check refuses it with message 128, reads nothing of the host, and the library still initialises.
# Runs in a prefix of scripts/wine-run:
#   scripts/wine-run tests/wine/OldWindows.sh path/to/standin_host.exe
set -euo pipefail
"$WINE" reg add 'HKCU\Software\Wine' /v Version /d nt40 /f >/dev/null
output=$("$WINE" "$1" | tr -d '\r')
fail() { echo "FAILED: $*"; echo "$output"; exit 1; }
grep -qF '"text":"Your Windows version is too low!"' <<<"$output" || fail "no message 128"
[ "$(grep -c '"messageBox"' <<<"$output")" -eq 1 ] || fail "other messages than 128"
grep -qF '"status":0' <<<"$output" || fail "the library did not initialise"
! grep -qF '"method":"CreateRegistrar"' <<<"$output" || fail "the library registered itself"
echo "1 passed, 0 failed"
