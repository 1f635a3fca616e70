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

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
  local tries=$1; shift
  for _ in $(seq "$tries"); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

wine "$exe" &
program=$!
trap 'kill $program 2>/dev/null || true' EXIT

tray_position() {
  # "Wine System Tray": ("explorer.exe" "explorer.exe")  160x20+3+22  +3+22
  xwininfo -root -tree | awk '/"Wine System Tray"/ { print $NF; exit }' | grep -q . || return 1
  local id
  id=$(xwininfo -root -tree | awk '/"Wine System Tray"/ { print $1; exit }')
  xwininfo -id "$id" | grep -q "IsViewable" || return 1
  xwininfo -root -tree | awk '/"Wine System Tray"/ { print $NF; exit }'
}
dialog_exists() { xwininfo -root -tree | grep -q '"Texto traducido desde clipboard"'; }
menu_window() { xdotool search --onlyvisible --class 'tildario.exe' 2>/dev/null | head -n 1; }
menu_open() { [ -n "$(menu_window)" ]; }

wait_for 300 dialog_exists || fail "the program's dialog did not appear"
wait_for 100 tray_position >/dev/null || fail "no Wine System Tray window with an icon"
# The Wine System Tray keeps icons in 20-pixel slots; ours is the only one.
read -r tray_x tray_y < <(tray_position | tr '+' ' ')
# Let Wine finish the start-up's focus changes before clicking.
sleep 0.5

xdotool mousemove $((tray_x + 10)) $((tray_y + 10)) click 1
wait_for 50 menu_open || fail "clicking the icon opened no menu"
menu=$(menu_window)
eval "$(xdotool getwindowgeometry --shell "$menu")"
echo "menu window $menu at ${X},${Y}, ${WIDTH}x${HEIGHT}"
[ "$HEIGHT" -gt 200 ] || fail "the menu is only $HEIGHT pixels high"
/usr/bin/import -window root "$screenshot"
echo "screenshot: $screenshot"

# "&Quitar" is the last entry.
xdotool mousemove $((X + 30)) $((Y + HEIGHT - 10)) click 1
for _ in $(seq 200); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$program" 2>/dev/null && fail "the program still runs after \"&Quitar\""
trap - EXIT
status=0
wait "$program" || status=$?
[ "$status" -eq 0 ] || fail "exit code $status"
echo "PASS: the icon opened the menu and \"&Quitar\" ended the program with exit code 0"
