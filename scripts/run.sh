#!/usr/bin/env bash
# Installs what is missing, builds the 64-bit Windows program and its accent dictionary
# (build/win64/diccionario.log) and starts it under Wine's 64-bit loader, which every x86-64
# host runs (some run no 32-bit programs at all).
#
# With a display, the program simply starts: its icon appears in the notification area (under a
# bare X server, in the "Wine System Tray" window) and runs until "&Quitar".
# Without one (no DISPLAY, or CI set) it starts on a virtual display and shows the main job
# working: it puts a Spanish sentence without its accents on the clipboard, clicks the tray
# icon, chooses "Poner tilde", prints the report box's text and the corrected clipboard, saves a
# screenshot (build/win64/run.png) and quits through the menu.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

demo=
if [ -z "${DISPLAY:-}" ] || [ -n "${CI:-}" ]; then demo=1; fi
# shellcheck source=wine-env.sh
source scripts/wine-env.sh

cmake --preset win64 >/dev/null
cmake --build --preset win64
bash scripts/make-dictionary.sh
use_wine win64

exe=build/win64/Tildario.exe
if [ -f build/win64/diccionario.log ]; then
  echo "Accent dictionary: build/win64/diccionario.log"
else
  echo "No build/win64/diccionario.log yet: \"Poner tilde\" runs with an empty dictionary."
fi

if [ -z "$demo" ]; then
  echo "Starting Tildario: click its icon in the notification area; \"&Quitar\" ends it."
  exec wine "$exe"
fi

probe=build/win64/tests/e2e/tildario_probe.exe
screenshot=build/win64/run.png

# shellcheck source=tray.sh
source scripts/tray.sh

# Clicks the tray icon, then moves down the menu to the command number $1 (0 = the first of the
# ten commands; the keys skip the separators) and presses Enter.
choose() {
  click_tray_icon
  wait_for 50 menu_open || { echo "The menu did not open." >&2; return 1; }
  xdotool key --delay 50 $(printf 'Down %.0s' $(seq 0 "$1")) Return
}

text_file=$(mktemp)
printf 'Mañana tambien vendra el autobus despues de la cancion.' > "$text_file"
echo "Clipboard text: $(tr -d '\r' < "$text_file")"
wine "$probe" set-clipboard "$(winepath -w "$text_file")"
rm -f "$text_file"

wine "$exe" &
program=$!
trap 'kill $program 2>/dev/null || true; tildario_cleanup' EXIT
wait_for 300 tray_visible || { echo "The tray icon did not appear." >&2; exit 1; }
sleep 0.5

echo 'Choosing "Poner tilde" from the tray menu...'
choose 8
report=$(wine "$probe" report 10) || { echo "No report box appeared." >&2; exit 1; }
echo "Tildario reported:"
printf '%s\n' "$report" | sed 's/^/  /'
/usr/bin/import -window root "$screenshot"
echo "Screenshot: $screenshot"
wine "$probe" report --dismiss 1 >/dev/null || true
echo "Clipboard now: $(wine "$probe" clipboard)"

echo 'Choosing "&Quitar"...'
choose 9
if ! wait_for_exit "$program"; then
  echo "Tildario did not end after \"&Quitar\"." >&2
  exit 1
fi
status=0
wait "$program" || status=$?
echo "Tildario ended with exit code $status."
exit "$status"
