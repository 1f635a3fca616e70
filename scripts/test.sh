#!/usr/bin/env bash
# Installs what is missing, builds the presets and runs every test: the portable core natively,
# under the sanitizers and its fuzz targets, then the unit tests and the end-to-end tests of the
# real program under Wine on a virtual display, and the release files (portable zip, installer,
# SHA256SUMS in build/win32/release) made from this build and tried as a user gets them.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake --preset native
cmake --build --preset native
bash scripts/make-dictionary.sh build/win32/diccionario.log
ctest --preset native
# The same tests again under AddressSanitizer and UndefinedBehaviorSanitizer: any report fails.
cmake --preset native-asan
cmake --build --preset native-asan
ctest --preset native-asan
# Every fuzz target for a minute from its seeds; any finding fails the run.
bash fuzz/run.sh 60

# The tests get a Wine prefix of their own, apart from the user's.
export WINEPREFIX="${WINEPREFIX:-$PWD/build/wine-prefix}"
source scripts/wine-env.sh
# On a bare X server Wine waits up to two seconds for a window manager to withdraw every
# closing message box; the test programs' windows skip the window manager.
for exe in Tildario.exe unit_tests.exe e2e_tests.exe; do
  wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe\\X11 Driver" /v Managed /t REG_SZ /d N /f >/dev/null
done
cmake --preset win32
cmake --build --preset win32
cmake --build --preset win32 --target release
ctest --preset win32
