# Sourced by the scripts that run Windows programs: a virtual display when there is none (or on
# CI), a quiet Wine with a ready prefix, and a wineserver kept alive so each start is quick.

export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winemenubuilder.exe=d;mscoree=d;mshtml=d}"

# Stops what this file started; a script that sets its own EXIT trap calls it from there.
tildario_cleanup() {
  if [ -n "${tildario_xvfb_pid:-}" ]; then
    wineserver -k 2>/dev/null || true
    kill "$tildario_xvfb_pid" 2>/dev/null || true
    tildario_xvfb_pid=
  fi
}

if [ -z "${DISPLAY:-}" ] || [ -n "${CI:-}" ]; then
  for n in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    tildario_xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    trap tildario_cleanup EXIT
    break
  done
fi

wineboot -i >/dev/null 2>&1 || true
wineserver -p >/dev/null 2>&1 || true
