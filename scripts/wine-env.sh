# Sourced by the scripts that run Windows programs: a virtual display when there is none (or on
# CI), and `use_wine ARCH`, which makes `wine` on PATH the loader of that architecture with a
# ready prefix of its own and a wineserver kept alive so each start is quick.

export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winemenubuilder.exe=d;mscoree=d;mshtml=d}"

tildario_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Stops what this file started; a script that sets its own EXIT trap calls it from there.
tildario_cleanup() {
  if [ -n "${tildario_wine_shims:-}" ]; then wineserver -k 2>/dev/null || true; fi
  if [ -n "${tildario_xvfb_pid:-}" ]; then
    kill "$tildario_xvfb_pid" 2>/dev/null || true
    tildario_xvfb_pid=
  fi
}

# True when this host runs Wine's 32-bit loader. Some x86-64 hosts run 64-bit programs only:
# there the kernel refuses every i386 program ("Exec format error"), or wine32 is not installed.
host_runs_32_bit_wine() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# use_wine win64|win32: Wine for that architecture until the next call. /usr/bin/wine takes the
# 32-bit loader whenever one is installed, whatever the program, so `wine` (and `wine-stable`,
# which winepath and wineboot call) come first on PATH as the chosen loader. Each architecture
# has its own prefix under build/; the previous one's processes end first, since two live Wine
# desktops mean two tray windows and one shared X clipboard.
use_wine() {
  local arch=$1 loader
  case $arch in
    win64) loader=/usr/lib/wine/wine64 ;;
    win32) loader=/usr/lib/wine/wine ;;
    *) echo "use_wine: win64 or win32, not $arch" >&2; return 2 ;;
  esac
  if [ -n "${tildario_wine_shims:-}" ]; then wineserver -k 2>/dev/null || true; fi

  local shims=$tildario_root/build/wine-bin/$arch
  mkdir -p "$shims"
  for name in wine wine-stable; do
    printf '#!/bin/sh\nexec %s "$@"\n' "$loader" > "$shims/$name"
    chmod +x "$shims/$name"
  done
  export PATH="$shims:${PATH#"${tildario_wine_shims:-}:"}"
  tildario_wine_shims=$shims
  export WINELOADER=$loader
  export WINEPREFIX=$tildario_root/build/wine-prefix-$arch
  [ "$arch" = win32 ] && export WINEARCH=win32 || unset WINEARCH

  wineboot -i >/dev/null 2>&1 || true
  wineserver -p >/dev/null 2>&1 || true
}

# winepath starts a wineserver, whose desktop needs the display: it is set before any Wine call.
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
