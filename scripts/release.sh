#!/usr/bin/env bash
# Makes the five release files, both Windows builds' portable zip and installer and the Debian
# package of the command line program, and gathers them with one SHA256SUMS in build/release:
#   Tildario-<version>-win64.zip, Tildario-<version>-win64-setup.exe   (Windows 10 and 11)
#   Tildario-<version>-win32.zip, Tildario-<version>-win32-setup.exe   (32-bit Windows)
#   tildario_<version>_amd64.deb                                       (Debian, Ubuntu)
# Needs no Wine: the files are tried by the release tests (scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/make-dictionary.sh

version=$(sed -n 's/^project(Tildario VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "release: no version in CMakeLists.txt" >&2; exit 1; }

names=()
for arch in win64 win32; do
  cmake --preset "$arch" >/dev/null
  cmake --build --preset "$arch" --target release
  names+=("Tildario-$version-$arch.zip" "Tildario-$version-$arch-setup.exe")
done

cmake --preset native >/dev/null
cmake --build --preset native --target deb
deb=tildario_${version}_$(dpkg --print-architecture).deb

rm -rf build/release
mkdir -p build/release
for name in "${names[@]}"; do
  arch=${name#Tildario-"$version"-}
  arch=${arch%%[.-]*}
  cp -p "build/$arch/release/$name" build/release/
done
cp -p "build/native/package/$deb" build/release/
names+=("$deb")
(cd build/release && sha256sum "${names[@]}" > SHA256SUMS)
echo "release: build/release holds ${names[*]} and SHA256SUMS"
