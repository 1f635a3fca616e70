#!/usr/bin/env bash
# Installs everything the build, the tests and the dictionary need on a Debian machine.
# Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686 wine wine32:i386 xvfb xdotool x11-utils imagemagick
  hunspell-es hunspell-tools fonts-dejavu-core locales
  nsis zip unzip
  # The fuzz targets: clang, and its runtime with libFuzzer and the sanitizers.
  clang libclang-rt-dev
)

# The end-to-end tests also run under a Russian and a Japanese locale (Wine's ANSI code page
# follows the Unix locale).
test_locales=(ru_RU.UTF-8 ja_JP.UTF-8)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

generate_locales() {
  local wanted=() l
  for l in "${test_locales[@]}"; do
    locale -a 2>/dev/null | grep -qix "${l/UTF-8/utf8}" || wanted+=("$l")
  done
  [ ${#wanted[@]} -eq 0 ] && return 0
  for l in "${wanted[@]}"; do
    "${sudo_cmd[@]}" sed -i "s/^# *\($l UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${sudo_cmd[@]}" locale-gen >/dev/null
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
# The machines ship their own Node.js and npm, which Debian's packages conflict with.
command -v npm >/dev/null 2>&1 || missing+=(nodejs npm)
if [ ${#missing[@]} -eq 0 ]; then
  generate_locales
  exit 0
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
"${sudo_cmd[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
generate_locales
