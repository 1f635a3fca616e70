# Sourced by the scripts that drive Tildario on an X display as a user would: finding Wine's
# system tray window and the program's pop-up menu.

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
  local tries=$1; shift
  for _ in $(seq "$tries"); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# The top-left corner "X Y" of the "Wine System Tray" window, once it is on screen.
tray_corner() {
  local id
  id=$(xwininfo -root -tree | awk '/"Wine System Tray"/ { print $1; exit }')
  [ -n "$id" ] && xwininfo -id "$id" | grep -q IsViewable || return 1
  xwininfo -root -tree | awk '/"Wine System Tray"/ { print $NF; exit }' | tr '+' ' '
}
tray_visible() { tray_corner >/dev/null; }

# Clicks the first icon slot of the tray (icons sit in 20-pixel slots; ours is the only one).
click_tray_icon() {
  local tray_x tray_y
  read -r tray_x tray_y < <(tray_corner)
  xdotool mousemove $((tray_x + 10)) $((tray_y + 10)) click 1
}

# The pop-up menu: the program's visible X window without a name (its boxes have titles).
menu_window() {
  local id
  for id in $(xdotool search --onlyvisible --class 'tildario.exe' 2>/dev/null); do
    [ -z "$(xdotool getwindowname "$id" 2>/dev/null)" ] && { echo "$id"; return 0; }
  done
  return 1
}
menu_open() { [ -n "$(menu_window)" ]; }

# Waits up to 20 s for process $1 to end; fails when it still runs.
wait_for_exit() {
  local pid=$1
  for _ in $(seq 200); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}
