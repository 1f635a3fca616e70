#!/usr/bin/env bash
# What Windows reads from the shipped programs before running a line of them, checked without
# Wine: the PE format of the build's architecture, the large-address flag, and, in a program that
# embeds a manifest, every processorArchitecture of it naming that same architecture (any other
# stops the program from starting: a side-by-side configuration error).
# Usage: executables_test.sh ARCH OBJDUMP EXE...   (ARCH: win64 or win32)
set -euo pipefail
arch=$1 objdump=$2
shift 2

fail() { echo "FAIL: $*" >&2; exit 1; }

case $arch in
  win64) format=pei-x86-64 manifest_arch=amd64 ;;
  win32) format=pei-i386 manifest_arch=x86 ;;
  *) fail "unknown architecture $arch" ;;
esac

for exe in "$@"; do
  name=$(basename "$exe")
  headers=$("$objdump" -p "$exe") || fail "$objdump cannot read $exe"
  grep -q "file format $format\$" <<< "$headers" || fail "$name is not $format: $(grep -m1 'file format' <<< "$headers")"
  grep -q 'large address aware' <<< "$headers" || fail "$name is not large-address-aware"

  # The manifest is stored as plain text in the resource section.
  found=$(grep -ao 'processorArchitecture="[^"]*"' "$exe" | sed 's/.*="\(.*\)"/\1/' | sort | uniq -c | sed 's/^ *//') || true
  if grep -aq '<assembly ' "$exe"; then
    [ "$found" = "2 $manifest_arch" ] || fail "$name's manifest names architectures: ${found:-none} (wanted 2 $manifest_arch)"
    echo "$name: $format, large-address-aware, manifest for $manifest_arch"
  else
    echo "$name: $format, large-address-aware"
  fi
done
echo "PASS: $# programs built for $arch"
