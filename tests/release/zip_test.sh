#!/usr/bin/env bash
# The portable zip as a user gets it: unpacked into a folder whose path has spaces and Spanish
# letters, Tildario.exe started from there restores the accents of a sentence with the shipped
# dictionary, quits with exit code 0 and leaves its folder as it found it.
# Usage: zip_test.sh ZIP TILDARIO_EXE DICTIONARY TILDARIO_PROBE RELEASE_PROBE SCRATCH_DIR
set -euo pipefail
zip=$1 exe=$2 dictionary=$3 tildario_probe=$4 release_probe=$5 scratch=$6
: "${DISPLAY:?an X display is needed}"
export LC_ALL=C.UTF-8
source "$(dirname "$0")/run_copy.sh"

[ -f "$zip" ] || fail "$zip is missing: cmake --build --preset <win64 or win32> --target release"

expected='LEEME.txt
LICENSE
Tildario.exe
diccionario-NOTICE.txt
diccionario.idx
diccionario.log'
entries=$(unzip -Z1 "$zip")
[ "$entries" = "$expected" ] || fail "the zip holds, in this order: $(echo $entries)"

folder="$scratch/Programas portátiles/Tildario de Begoña"
rm -rf "$scratch"
mkdir -p "$folder"
trap 'stop_copy_on_exit; rm -rf "$scratch"' EXIT
unzip -q "$zip" -d "$folder"
cmp -s "$folder/Tildario.exe" "$exe" || fail "the zip's Tildario.exe is not this build's"
cmp -s "$folder/diccionario.log" "$dictionary" || fail "the zip's diccionario.log is not this build's"
cmp -s "$folder/diccionario.idx" "${dictionary%.log}.idx" || fail "the zip's diccionario.idx is not this build's"

# Notepad: UTF-8 with a byte order mark and CRLF line ends.
[ "$(head -c 3 "$folder/LEEME.txt" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "LEEME.txt has no UTF-8 byte order mark"
for text in LEEME.txt LICENSE diccionario-NOTICE.txt; do
  ! grep -q $'[^\r]$' "$folder/$text" || fail "$text has lines without CRLF"
done

snapshot() { (cd "$folder" && find . -printf '%p %s %T@\n' | LC_ALL=C sort && sha256sum ./*); }
before=$(snapshot)

start_copy "$(winepath -w "$folder/Tildario.exe")"
check_poner_tilde
quit_copy

[ "$(snapshot)" = "$before" ] || fail "the program changed its folder"
echo "PASS: the unpacked zip runs from \"$folder\" and writes nothing"
