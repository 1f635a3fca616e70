#!/usr/bin/env bash
# Installs what is missing, builds both presets and runs every test: the portable core natively,
# then the unit tests and the end-to-end tests of the real program under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake --preset native
cmake --build --preset native
bash scripts/make-dictionary.sh build/win32/diccionario.log
ctest --preset native

source scripts/wine-env.sh
cmake --preset win32
cmake --build --preset win32
ctest --preset win32
