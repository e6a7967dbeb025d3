#!/usr/bin/env bash
# Checks the compiled help file as a CHM reader sees it: every file of the help project is in it
# with the table of contents and the index, and its pages quote every text of the library's string
# table, so that no message, button or tip goes unexplained.
#   tests/packaging/HelpFile.sh OmbrelDesktopTheBat.chm docs/help/OmbrelDesktopTheBat.hhp \
#     resources/StringTable.inc
set -euo pipefail
chm=$1 project=$2 strings=$3
pages=$(mktemp -d /tmp/ombrel-help.XXXXXX)
trap 'rm -rf "$pages"' EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

listing=$(enum_chmLib "$chm")
files=$(sed -n '/^\[FILES\]/,/^\[/{/^\[/d;p}' "$project" | tr -d '\r' | grep -v '^$')
for file in toc.hhc index.hhk $files; do
  grep -qE "[[:space:]]/$file\$" <<<"$listing" || fail "the help file lacks $file"
done

extract_chmLib "$chm" "$pages" >/dev/null
# The pages' text without their markup, as one line with single spaces.
text=$(cat "$pages"/*.html | tr '\r\n\t' '   ' | sed 's/<[^>]*>/ /g' | tr -s ' ')
checked=0
while IFS= read -r quoted; do
  # A text of the table may have line breaks (\r\n); each of its lines is quoted.
  while IFS= read -r line; do
    grep -qF -- "$line" <<<"$text" || fail "no page quotes \"$line\""
    checked=$((checked + 1))
  done < <(sed 's/\\r\\n/\n/g' <<<"$quoted")
done < <(sed -n 's/^PLUGIN_STRING([0-9]*, *[A-Za-z]*, *"\(.*\)")$/\1/p' "$strings")
[ "$checked" -gt 0 ] || fail "no text read from $strings"

echo "help file: $(wc -w <<<"$files") project files, $checked texts of the string table"
if [ "$failures" -gt 0 ]; then echo "0 passed, 1 failed"; exit 1; fi
echo "1 passed, 0 failed"
