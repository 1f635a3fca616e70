# Sourced by the release tests: runs a copy of Tildario.exe that is not the build's own (an
# unpacked zip, an installed program) and checks "Poner tilde" on it. The caller sets
# tildario_probe and release_probe to the helper programs.

fail() { echo "FAIL: $*" >&2; exit 1; }

# shellcheck source=../../scripts/tray.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/tray.sh"

program=
# Starts the program at the Windows path $1, from another folder, and waits until it has
# loaded its dictionary (its tray icon comes after).
start_copy() {
  (cd / && exec wine "$1") &
  program=$!
  wine "$release_probe" wait-ready 60 || fail "$1 did not start: no dialog or tray icon"
}

stop_copy_on_exit() {
  if [ -n "$program" ] && kill -0 "$program" 2>/dev/null; then kill "$program" 2>/dev/null || true; fi
}

check_poner_tilde() {
  local text_file report restored
  text_file=$(mktemp)
  printf 'Mañana tambien vendra el autobus' > "$text_file"
  wine "$tildario_probe" set-clipboard "$(winepath -w "$text_file")" || fail "cannot set the clipboard"
  rm -f "$text_file"
  wine "$release_probe" command "Poner tilde" || fail "no Tildario dialog to send \"Poner tilde\" to"
  report=$(wine "$tildario_probe" report --dismiss 10) || fail "\"Poner tilde\" showed no report box"
  [[ $report == "Encontradas 3 palabras "* ]] || fail "report: $report"
  restored=$(wine "$tildario_probe" clipboard)
  [ "$restored" = "Mañana también vendrá el autobús" ] || fail "clipboard after \"Poner tilde\": $restored"
  echo "Poner tilde: $restored"
}

quit_copy() {
  local status=0
  wine "$release_probe" command "&Quitar" || fail "no Tildario dialog to send \"&Quitar\" to"
  wait_for_exit "$program" || fail "Tildario still runs after \"&Quitar\""
  wait "$program" || status=$?
  program=
  [ "$status" -eq 0 ] || fail "Tildario ended with exit code $status"
}
