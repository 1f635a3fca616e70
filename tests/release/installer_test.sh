#!/usr/bin/env bash
# The installer in a Wine prefix of its own, as a user without administrator rights runs it:
# a silent install into the default folder, its files, shortcuts and uninstall entry, the
# installed program's version and one command; then the silent uninstaller, which leaves a
# running Tildario alone and, once it has quit, removes everything the installer made.
# Usage: installer_test.sh SETUP_EXE VERSION TILDARIO_EXE TILDARIO_PROBE RELEASE_PROBE SCRATCH_DIR
set -euo pipefail
setup=$1 version=$2 exe=$3 tildario_probe=$4 release_probe=$5 scratch=$6
: "${DISPLAY:?an X display is needed}"
export LC_ALL=C.UTF-8
source "$(dirname "$0")/run_copy.sh"

[ -f "$setup" ] || fail "$setup is missing: cmake --build --preset <win64 or win32> --target release"

export WINEPREFIX="$scratch/prefix"
export WINEDEBUG="${WINEDEBUG:--all}"
# No menu entries or file associations on the host from the installer's shortcuts.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
rm -rf "$scratch"
mkdir -p "$scratch"
trap 'stop_copy_on_exit; wineserver -k 2>/dev/null || true; rm -rf "$scratch"' EXIT
wineboot -i >/dev/null 2>&1
# Every process of the prefix has ended (wineboot's too) when its wineserver has.
settle() { timeout 60 wineserver -w || fail "processes of the scratch prefix still run after 60 s"; }
settle
# Every file but Wine's own system folder, where Wine keeps adding device and font caches by
# itself (windows/inf/*.pnf ...) and which a per-user installer has no business in.
files_of_prefix() { (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -print | LC_ALL=C sort); }
files_before=$(files_of_prefix)

windows_variable() { wine cmd /c echo "%$1%" | tr -d '\r'; }
local_app_data=$(windows_variable LOCALAPPDATA)
programs="$(windows_variable APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs"
install_dir="$local_app_data\\Programs\\Tildario"
installed_exe="$install_dir\\Tildario.exe"
uninstaller="$install_dir\\Desinstalar.exe"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tildario'
unix() { winepath -u "$1"; }

status=0
wine "$(winepath -w "$setup")" /S || status=$?
[ $status -eq 0 ] || fail "the silent install ended with exit code $status"

expected='Desinstalar.exe
LEEME.txt
LICENSE
Tildario.exe
diccionario-NOTICE.txt
diccionario.idx
diccionario.log'
installed=$(ls -A "$(unix "$install_dir")" | LC_ALL=C sort)
[ "$installed" = "$expected" ] || fail "installed into $install_dir: $(echo $installed)"
cmp -s "$(unix "$installed_exe")" "$exe" || fail "the installed Tildario.exe is not this build's"

lower() { tr '[:upper:]' '[:lower:]'; }
for shortcut in "$programs\\Tildario.lnk" "$programs\\StartUp\\Tildario.lnk"; do
  target=$(wine "$release_probe" shortcut "$shortcut") || fail "no shortcut $shortcut"
  [ "$(lower <<< "$target")" = "$(lower <<< "$installed_exe")" ] || fail "$shortcut starts $target"
done

entry=$(wine reg query "$key" | tr -d '\r') || fail "no uninstall entry $key"
value() { sed -n "s/^    $1    REG_[A-Z]*    //p" <<< "$entry"; }
check_value() { [ "$(value "$1")" = "$2" ] || fail "$1 in $key is \"$(value "$1")\", not \"$2\""; }
check_value DisplayName Tildario
check_value DisplayVersion "$version"
check_value Publisher "Tildario project"
check_value DisplayIcon "$installed_exe,0"
check_value InstallLocation "$install_dir"
check_value UninstallString "\"$uninstaller\""
check_value QuietUninstallString "\"$uninstaller\" /S"
size_kb=$(( $(value EstimatedSize) ))
dictionary_kb=$(( $(stat -c %s "$(unix "$install_dir\\diccionario.log")") / 1024 ))
[ "$size_kb" -ge "$dictionary_kb" ] || fail "EstimatedSize $size_kb KB is less than the dictionary's $dictionary_kb KB"

versions=$(wine "$release_probe" version "$installed_exe" | tr -d '\r')
[ "$versions" = "$version $version" ] || fail "the installed Tildario.exe has file and product version $versions, not $version"

start_copy "$installed_exe"
check_poner_tilde

# The uninstaller stops nothing it did not start: while Tildario runs it gives up.
# _?= runs it in place, so that wine waits for it and gives its exit code.
status=0
wine "$uninstaller" /S "_?=$install_dir" || status=$?
[ $status -ne 0 ] || fail "the uninstaller succeeded while Tildario was running"
kill -0 "$program" 2>/dev/null || fail "the uninstaller ended the running Tildario"
[ -f "$(unix "$installed_exe")" ] || fail "the uninstaller removed Tildario.exe while it was running"

quit_copy

# The uninstaller copies itself to the temporary folder and returns at once; the copy does the
# work and removes the original.
wine "$uninstaller" /S
settle
[ ! -e "$(unix "$install_dir")" ] || fail "$install_dir is still there: $(ls -A "$(unix "$install_dir")")"
for shortcut in "$programs\\Tildario.lnk" "$programs\\StartUp\\Tildario.lnk"; do
  [ ! -e "$(unix "$shortcut")" ] || fail "$shortcut is still there"
done
! wine reg query "$key" >/dev/null 2>&1 || fail "$key is still there"

left=$(diff <(echo "$files_before") <(files_of_prefix) | grep '^>' || true)
[ -z "$left" ] || fail "the install and uninstall left these behind:
$left"
echo "PASS: installed into $install_dir, ran, uninstalled without a trace"
