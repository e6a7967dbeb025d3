#!/usr/bin/env bash
# Registers and removes the built library with Wine's regsvr32, as an installer does, and checks
# that the host's plug-in list gains the library's entry and loses it again, keeping the other
# plug-in with its data. Runs in a prefix of scripts/wine-run:
#   scripts/wine-run tests/wine/SelfRegistration.sh path/to/OmbrelDesktopTheBat.dll
set -euo pipefail
dll=$("$WINE" winepath -w "$1" 2>/dev/null)
data="$WINEPREFIX/drive_c/TheBat"
list="$data/TBPlugin.INI"

fail() { echo "FAILED: $*"; echo "--- TBPlugin.INI:"; cat "$list"; exit 1; }
has() { tr -d '\r' <"$list" | grep -qxF -- "$1"; }

mkdir -p "$data"
"$WINE" reg add 'HKCU\Software\RIT\The Bat!' /v Version /d 2.0.4.8 /f >/dev/null
"$WINE" reg add 'HKCU\Software\RIT\The Bat!' /v 'Working Directory' /d 'C:\TheBat' /f >/dev/null
# Known to the indexer already: registering needs no indexer then.
"$WINE" reg add 'HKCU\Software\Ombrel\Ombrel Desktop\Components\{E6895E72-8741-44B3-900E-01ED98D1A6D3}' \
  /f >/dev/null
printf '[Plugins]\r\nCount=1\r\nPlugin #1=C:\\Other\\Spam.dll\r\n[Plugin Data]\r\nPlugin #1=spam\r\n' \
  >"$list"

"$WINE" regsvr32 /s "$dll" || fail "regsvr32 exited with $?"
has "Count=2" || fail "registering did not count the library"
has "Plugin #2=$dll" || fail "registering did not list $dll"
"$WINE" regsvr32 /s "$dll" || fail "a second regsvr32 exited with $?"
has "Count=2" || fail "registering twice listed the library twice"

"$WINE" regsvr32 /s /u "$dll" || fail "regsvr32 /u exited with $?"
has "Count=1" || fail "removal did not lower the count"
has "Plugin #1=C:\\Other\\Spam.dll" || fail "removal lost the other plug-in"
tr -d '\r' <"$list" | grep -A2 -xF '[Plugin Data]' | grep -qxF 'Plugin #1=spam' ||
  fail "removal lost the other plug-in's data"
echo "1 passed, 0 failed"
