#!/usr/bin/env bash
# Makes the Debian package a second time from the same sources in a clean build folder and
# compares it byte for byte with the first build's.
# Usage: reproducible_test.sh SOURCE_DIR FIRST_DEB SECOND_BUILD_DIR
set -euo pipefail
source_dir=$1 first=$2 second=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

[ -f "$first" ] || fail "$first is missing: cmake --build --preset native --target deb"
rm -rf "$second"
mkdir -p "$second"
(cd "$source_dir" && cmake --preset native -B "$second" > "$second/configure.log") \
  || fail "configuring $second failed (see $second/configure.log)"
cmake --build "$second" --target deb > "$second/build.log" \
  || fail "making the package in $second failed (see $second/build.log)"

name=$(basename "$first")
cmp "$first" "$second/package/$name" || fail "the second package differs (kept in $second; diffoscope compares them)"
echo "same bytes: $name ($(stat -c %s "$first") bytes)"
rm -rf "$second"
echo "PASS: two builds of the same sources give the same package"
