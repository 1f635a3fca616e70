#!/usr/bin/env bash
# The user's way in: on the X display, click the program's icon in the "Wine System Tray"
# window, check that the menu opened, save a screenshot of it, click "&Quitar" and check that
# the program ended with exit code 0.
# Usage: tray_click_test.sh path/to/Tildario.exe screenshot.png
set -euo pipefail

exe=$1
screenshot=$2
: "${DISPLAY:?an X display is needed}"

fail() { echo "FAIL: $*" >&2; exit 1; }

# shellcheck source=../../scripts/tray.sh
source "$(dirname "$0")/../../scripts/tray.sh"

wine "$exe" &
program=$!
trap 'kill $program 2>/dev/null || true' EXIT

dialog_exists() { xwininfo -root -tree | grep -q '"Texto traducido desde clipboard"'; }

wait_for 300 dialog_exists || fail "the program's dialog did not appear"
wait_for 100 tray_visible || fail "no Wine System Tray window with an icon"
# Let Wine finish the start-up's focus changes before clicking.
sleep 0.5

click_tray_icon
wait_for 50 menu_open || fail "clicking the icon opened no menu"
menu=$(menu_window)
eval "$(xdotool getwindowgeometry --shell "$menu")"
echo "menu window $menu at ${X},${Y}, ${WIDTH}x${HEIGHT}"
[ "$HEIGHT" -gt 200 ] || fail "the menu is only $HEIGHT pixels high"
/usr/bin/import -window root "$screenshot"
echo "screenshot: $screenshot"

# "&Quitar" is the last entry.
xdotool mousemove $((X + 30)) $((Y + HEIGHT - 10)) click 1
wait_for_exit "$program" || fail "the program still runs after \"&Quitar\""
trap - EXIT
status=0
wait "$program" || status=$?
[ "$status" -eq 0 ] || fail "exit code $status"
echo "PASS: the icon opened the menu and \"&Quitar\" ended the program with exit code 0"
