#!/usr/bin/env bash
# Installs what is missing, builds the presets and runs every test: the portable core natively,
# under the sanitizers and its fuzz targets; then both Windows builds (win64, win32) with their
# release files (build/release, scripts/release.sh), and each build's unit, end-to-end and
# release tests under Wine on a virtual display, one architecture after the other.
#
# The 32-bit tests need Wine's 32-bit loader, which some x86-64 hosts cannot run (they run
# 64-bit programs only): there the script says so and runs only the 32-bit checks that need no
# Wine (its executables' headers and manifest, the byte-for-byte rebuild of its release).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake --preset native
cmake --build --preset native
bash scripts/make-dictionary.sh
ctest --preset native
# The same tests again under AddressSanitizer and UndefinedBehaviorSanitizer: any report fails.
cmake --preset native-asan
cmake --build --preset native-asan
ctest --preset native-asan
# Every fuzz target for a minute from its seeds; any finding fails the run.
bash fuzz/run.sh 60

for arch in win64 win32; do
  cmake --preset "$arch"
  cmake --build --preset "$arch"
done
bash scripts/release.sh

source scripts/wine-env.sh
windows_tests() {
  use_wine "$1"
  # On a bare X server Wine waits up to two seconds for a window manager to withdraw every
  # closing message box; the test programs' windows skip the window manager.
  for exe in Tildario.exe unit_tests.exe e2e_tests.exe; do
    wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe\\X11 Driver" /v Managed /t REG_SZ /d N /f >/dev/null
  done
  ctest --preset "$1"
}

windows_tests win64
if host_runs_32_bit_wine; then
  windows_tests win32
else
  echo "32-bit Windows tests skipped: this host runs 64-bit programs only"
  ctest --preset win32 -L nowine
fi
