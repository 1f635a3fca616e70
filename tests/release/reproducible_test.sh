#!/usr/bin/env bash
# Builds the release files a second time from the same sources in a clean build folder and
# compares them byte for byte with the first build's: the zip and the installer.
# Usage: reproducible_test.sh SOURCE_DIR FIRST_BUILD_DIR VERSION ARCH SECOND_BUILD_DIR
# (ARCH: win64 or win32, the build's preset)
set -euo pipefail
source_dir=$1 first=$2 version=$3 arch=$4 second=$5

fail() { echo "FAIL: $*" >&2; exit 1; }

names=("Tildario-$version-$arch.zip" "Tildario-$version-$arch-setup.exe")
for name in "${names[@]}"; do
  [ -f "$first/release/$name" ] || fail "$first/release/$name is missing: cmake --build --preset $arch --target release"
done

rm -rf "$second"
mkdir -p "$second"
# The dictionary is an input here, made apart by scripts/make-dictionary.sh.
cp "$first/diccionario.log" "$first/diccionario.idx" "$first/diccionario-NOTICE.txt" "$second/"
(cd "$source_dir" && cmake --preset "$arch" -B "$second" > "$second/configure.log") \
  || fail "configuring $second failed (see $second/configure.log)"
cmake --build "$second" --target release > "$second/build.log" \
  || fail "building the release in $second failed (see $second/build.log)"

status=0
for name in "${names[@]}"; do
  if cmp "$first/release/$name" "$second/release/$name"; then
    echo "same bytes: $name ($(stat -c %s "$first/release/$name") bytes)"
  else
    status=1
  fi
done
[ $status -eq 0 ] || fail "the second build differs (kept in $second)"
rm -rf "$second"
echo "PASS: two builds of the same sources give the same release files"
