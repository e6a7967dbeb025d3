#!/usr/bin/env bash
# Installs the plug-in silently with its installer: first without the mail client, then without
# the indexer, both of which it refuses, then into a prefix where the mail client and the stand-in
# indexer are installed. Checks
# the files, the host's plug-in list, the library's COM registration and the entry in the user's
# installed programs, presses Help in the installed library's settings dialog, and uninstalls
# silently: nothing of it may be left. Runs in a prefix of scripts/wine-run:
#   scripts/wine-run tests/packaging/Installer.sh SETUP.exe OmbrelDesktopTheBat.dll \
#     standin_host.exe standin_indexer.dll
set -euo pipefail
installer=$1 built=$2 host=$3 indexer=$4
data="$WINEPREFIX/drive_c/TheBat"
list="$data/TBPlugin.INI"
opened="$WINEPREFIX/drive_c/help-opened.txt"
case "$installer" in
  *-x64.exe) uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\OmbrelDesktopTheBat-x64' ;;
  *) uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\OmbrelDesktopTheBat' ;;
esac
appid='HKCR\AppID\{e6895e72-8741-44b3-900e-01ed98d1a6d3}'
appid_by_name='HKCR\AppID\OmbrelDesktopTheBat.DLL'
indexer_classes=('HKCR\CLSID\{AC129136-EB1C-4FFF-B0A2-6D6761BE4138}'
  'HKCR\CLSID\{579822B3-44CD-4786-83E0-AE32BCB9E6B1}')

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
has() { tr -d '\r' <"$list" | grep -qxF -- "$1"; }
key_exists() { "$WINE" reg query "$1" >/dev/null 2>&1; }
# A string value of the registry, without Wine's line ends.
value() { "$WINE" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_SZ *//p"; }
default_value() { "$WINE" reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p'; }
unix_path() { "$WINE" winepath -u "$1" 2>/dev/null; }
# Runs a Windows program, waiting for it and for every program it started.
run() { timeout 300 "$WINE" "$@"; local status=$?; timeout 120 "$WINESERVER" -w; return $status; }

# A silent install that must be refused: it ends by itself within a minute, with the given status,
# and leaves nothing of the library behind.
refused() {
  local expected=$1 why=$2 status=0
  timeout 60 "$WINE" "$installer" /S || status=$?
  timeout 120 "$WINESERVER" -w
  [ "$status" -eq "$expected" ] || fail "the install $why exited with $status, not $expected"
  for left in "$WINEPREFIX"/drive_c/Program\ Files*/Ombrel; do
    [ ! -e "$left" ] || fail "the install $why left $left"
  done
  key_exists "$uninstall_key" && fail "the install $why left its installed-programs entry"
  key_exists "$appid" && fail "the install $why registered the library"
  [ ! -e "$list" ] || has "Count=1" || fail "the install $why changed the plug-in list"
}

# Without the mail client the installer refuses.
refused 4 "without The Bat!"

# The mail client, with another plug-in in its list.
mkdir -p "$data"
"$WINE" reg add 'HKCU\Software\RIT\The Bat!' /v Version /d 2.0.4.8 /f >/dev/null
"$WINE" reg add 'HKCU\Software\RIT\The Bat!' /v 'Working Directory' /d 'C:\TheBat' /f >/dev/null
printf '[Plugins]\r\nCount=1\r\nPlugin #1=C:\\Other\\Spam.dll\r\n[Plugin Data]\r\nPlugin #1=spam\r\n' \
  >"$list"
# Without the indexer it refuses too: the library could not register itself with it.
refused 5 "without Ombrel Desktop"
# The indexer as an in-process server, found through the registry.
mkdir -p "$WINEPREFIX/drive_c/Indexer"
cp "$indexer" "$WINEPREFIX/drive_c/Indexer/standin_indexer.dll"
for class in "${indexer_classes[@]}"; do
  "$WINE" reg add "$class\\InprocServer32" /ve /d 'C:\Indexer\standin_indexer.dll' /f >/dev/null
  "$WINE" reg add "$class\\InprocServer32" /v ThreadingModel /d Both /f >/dev/null
done
# Help files open with a recorder of the path the shell was asked to open.
"$WINE" reg add 'HKCR\.chm' /ve /d OmbrelHelpRecorder /f >/dev/null
"$WINE" reg add 'HKCR\OmbrelHelpRecorder\shell\open\command' /ve \
  /d 'C:\windows\system32\cmd.exe /c echo %1>C:\help-opened.txt' /f >/dev/null

run "$installer" /S || fail "the silent install exited with $?"

directory=$(value "$uninstall_key" InstallLocation)
[ -n "$directory" ] || fail "no installed-programs entry with its folder"
case "$directory" in
  'C:\Program Files'*'\Ombrel\Ombrel Desktop The Bat') ;;
  *) fail "installed into \"$directory\"" ;;
esac
library="$directory\\OmbrelDesktopTheBat.dll"
[ "$(value "$uninstall_key" UninstallString)" = "\"$directory\\Uninstall.exe\"" ] ||
  fail "the installed-programs entry does not name the uninstaller"
[ -n "$(value "$uninstall_key" DisplayName)" ] || fail "the installed-programs entry has no name"
folder=$(unix_path "$directory")
for file in OmbrelDesktopTheBat.dll OmbrelDesktopTheBat.chm Uninstall.exe; do
  [ -f "$folder/$file" ] || fail "$file was not installed"
done
cmp -s "$built" "$folder/OmbrelDesktopTheBat.dll" || fail "the installed library is not the built one"
has "Count=2" || fail "the plug-in list does not count the library"
has "Plugin #2=$library" || fail "the plug-in list does not hold $library"
[ "$(default_value "$appid")" = OmbrelDesktopTheBat ] || fail "the library's AppID is not registered"
[ "$(value "$appid_by_name" AppID)" = '{e6895e72-8741-44b3-900e-01ed98d1a6d3}' ] ||
  fail "the library's module name does not lead to its AppID"

run "$host" --press-help "$library" || fail "pressing Help in the installed library's dialog failed"
shown=$(tr -d '\r"' <"$opened" 2>/dev/null | sed 's/ *$//')
[ "$shown" = "$directory\\OmbrelDesktopTheBat.chm" ] ||
  fail "Help opened \"$shown\", not the installed help file"

run "$(unix_path "$directory\\Uninstall.exe")" /S || fail "the silent uninstall exited with $?"
[ ! -e "$folder" ] || fail "files are left: $(ls -A "$folder")"
[ ! -e "$(dirname "$folder")" ] || fail "the publisher's folder is left"
key_exists "$uninstall_key" && fail "the installed-programs entry is left"
has "Count=1" || fail "uninstalling did not take the library from the plug-in list"
has "Plugin #1=C:\\Other\\Spam.dll" || fail "uninstalling lost the other plug-in"
key_exists "$appid" && fail "the library's AppID is left"
key_exists "$appid_by_name" && fail "the library's module name is left under AppID"

if [ "$failures" -gt 0 ]; then echo "0 passed, 1 failed"; exit 1; fi
echo "1 passed, 0 failed"
