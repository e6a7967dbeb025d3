#!/usr/bin/env bash
# Checks that the installer carries the library's version record: the same file and product
# versions in the fixed part of both files' records.
#   tests/packaging/VersionRecord.sh OmbrelDesktopTheBat-Setup.exe OmbrelDesktopTheBat.dll
set -euo pipefail

# The file and product versions of the first fixed version record (signature FEEF04BD) of a file.
versions() {
  local offset
  offset=$(LC_ALL=C grep -obUaP '\xbd\x04\xef\xfe' "$1" | head -1 | cut -d: -f1)
  [ -n "$offset" ] || { echo "none"; return; }
  od -An -tu2 -j $((offset + 8)) -N 16 "$1" |
    awk '{ printf "file %s.%s.%s.%s, product %s.%s.%s.%s\n", $2, $1, $4, $3, $6, $5, $8, $7 }'
}

installer=$(versions "$1")
library=$(versions "$2")
echo "installer: $installer; library: $library"
if [ "$library" = none ] || [ "$installer" != "$library" ]; then
  echo "0 passed, 1 failed"
  exit 1
fi
echo "1 passed, 0 failed"
