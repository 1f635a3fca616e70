#!/usr/bin/env bash
# Installs everything the build, the tests and the dictionary need on a Debian machine.
# Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev
  # XXH3, the dictionary's fingerprint: the header is used alone, by every build.
  libxxhash-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 xvfb xdotool x11-utils imagemagick
  hunspell-es hunspell-tools fonts-dejavu-core locales
  nsis zip unzip
  # The corpus of scripts/regenerate-word-counts.sh: the package descriptions come as bzip2.
  bzip2
  # The Debian package of the command line program: dependencies (dpkg-shlibdeps, file), checks
  # (lintian) and its manual page and completion as users meet them (man-db, bash-completion).
  dpkg-dev file lintian man-db bash-completion
  # The fuzz targets: clang, and its runtime with libFuzzer and the sanitizers.
  clang libclang-rt-dev
)

# The end-to-end tests also run under a Russian and a Japanese locale (Wine's ANSI code page
# follows the Unix locale).
test_locales=(ru_RU.UTF-8 ja_JP.UTF-8)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# Some x86-64 hosts run 64-bit programs only: the kernel refuses every i386 program ("Exec
# format error"), Wine's 32-bit loader included. Tried with the smallest i386 program there is
# (an ELF header, one program header and exit(0)) rather than guessed from the distribution.
host_runs_32_bit() {
  local probe status=0
  probe=$(mktemp)
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'`
        `'\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'`
        `'\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'`
        `'\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'`
        `'\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'`
        `'\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' > "$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  return $status
}
if [ "$(dpkg --print-architecture)" = amd64 ] && host_runs_32_bit; then
  packages+=(wine32:i386)
fi

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

if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
"${sudo_cmd[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
generate_locales
