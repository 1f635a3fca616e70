#!/usr/bin/env bash
# Installs what is missing, builds and runs the tests of one stage, or of all of them:
#
#   bash scripts/test.sh [core|windows|release|all]        (default: all, what CI runs)
#
#   core     the portable core natively: its unit, tool and command-line tests (a few minutes)
#   windows  both Windows builds (win64, win32): unit, command-line and end-to-end tests under
#            Wine on a virtual display, one architecture after the other
#   release  the release files of both builds and the Debian package (scripts/release.sh), and
#            their tests: the package is installed with dpkg, used and removed (needs root)
#   all      core, then the core again under the sanitizers and its fuzz targets, then windows
#            and release
#
# The 32-bit tests need Wine's 32-bit loader, which some x86-64 hosts cannot run (they run
# 64-bit programs only): there the script says so and runs only the 32-bit checks that need no
# Wine (its executables' headers and manifest, the byte-for-byte rebuild of its release).
set -euo pipefail
cd "$(dirname "$0")/.."

stage=${1:-all}
case $stage in
  core | windows | release | all) ;;
  *)
    echo "usage: bash scripts/test.sh [core|windows|release|all]" >&2
    exit 2
    ;;
esac

bash scripts/install-deps.sh

core() {
  cmake --preset native
  cmake --build --preset native
  bash scripts/make-dictionary.sh
  ctest --preset native
}

sanitizers_and_fuzzing() {
  # The same tests under AddressSanitizer and UndefinedBehaviorSanitizer: any report fails.
  cmake --preset native-asan
  cmake --build --preset native-asan
  ctest --preset native-asan
  # Every fuzz target for a minute from its seeds; any finding fails the run.
  bash fuzz/run.sh 60
}

windows_builds() {
  bash scripts/make-dictionary.sh
  for arch in win64 win32; do
    cmake --preset "$arch"
    cmake --build --preset "$arch"
  done
}

# windows_tests ARCH [CTEST OPTIONS...]: that build's tests under its own Wine.
windows_tests() {
  local arch=$1
  shift
  use_wine "$arch"
  # On a bare X server Wine waits up to two seconds for a window manager to withdraw every
  # closing message box; the test programs' windows skip the window manager.
  for exe in Tildario.exe unit_tests.exe e2e_tests.exe; do
    wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe\\X11 Driver" /v Managed /t REG_SZ /d N /f >/dev/null
  done
  ctest --preset "$arch" "$@"
}

# Both architectures' tests with these ctest options (a label filter), 32-bit where it can run.
both_architectures() {
  source scripts/wine-env.sh
  windows_tests win64 "$@"
  if host_runs_32_bit_wine; then
    windows_tests win32 "$@"
  else
    echo "32-bit Windows tests skipped: this host runs 64-bit programs only"
    # The checks that need no Wine are all release tests.
    [ "$stage" = windows ] || ctest --preset win32 -L nowine
  fi
}

case $stage in
  core) core ;;
  windows)
    windows_builds
    both_architectures -LE release
    ;;
  release)
    windows_builds
    bash scripts/release.sh
    both_architectures -L release
    ctest --preset native-package
    ;;
  all)
    core
    sanitizers_and_fuzzing
    windows_builds
    bash scripts/release.sh
    both_architectures
    ctest --preset native-package
    ;;
esac
