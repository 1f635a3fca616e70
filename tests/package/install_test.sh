#!/usr/bin/env bash
# The Debian package as a user gets it: installed with dpkg, tildario run from PATH with no
# options on a sentence, its manual page found by man and its completion loaded by
# bash-completion, then removed, leaving nothing behind. Whatever happens, the package is
# removed before the test ends, so no later test meets it installed. Needs root.
# Usage: install_test.sh DEB VERSION MANUAL_TEST
set -euo pipefail
deb=$(realpath "$1") version=$2 manual_test=$(realpath "$3")
package=tildario

fail() { echo "FAIL: $*" >&2; exit 1; }
installed() { [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" = installed ]; }

[ "$(id -u)" -eq 0 ] || fail "installing a package needs root"
[ -f "$deb" ] || fail "$deb is missing: cmake --build --preset native --target deb"
if dpkg-query -W "$package" >/dev/null 2>&1; then
  fail "$package is already installed; this test installs and removes its own (dpkg --purge $package)"
fi

scratch=$(mktemp -d)
cleanup() {
  if dpkg-query -W "$package" >/dev/null 2>&1; then
    dpkg --purge "$package" >/dev/null || echo "FAIL: could not remove $package" >&2
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# Every path the package holds, and which of them were there before it (/usr, /usr/bin ...).
paths=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\./|/|; s|/$||' | grep -v '^/*$')
existing_before=$(while read -r path; do [ ! -e "$path" ] || echo "$path"; done <<<"$paths")

echo "--- dpkg -i $(basename "$deb")"
dpkg -i "$deb" || fail "dpkg -i failed"
installed || fail "$package is not installed after dpkg -i"
[ "$(dpkg-query -W -f='${Version}' "$package")" = "$version" ] || fail "the installed version is not $version"

echo "--- tildario from PATH, in an empty folder, with no options"
mkdir "$scratch/home"
cd "$scratch/home"
user() { env -i HOME="$scratch/home" PATH=/usr/local/bin:/usr/bin:/bin LC_ALL=C.UTF-8 "$@"; }
[ "$(user bash -c 'command -v tildario')" = /usr/bin/tildario ] || fail "tildario is not /usr/bin/tildario on PATH"
run() { # run EXPECTED_OUTPUT INPUT ARGUMENTS...: tildario's standard output, and nothing on standard error
  local expected=$1 input=$2 output
  shift 2
  output=$(printf '%s\n' "$input" | user tildario "$@" 2>"$scratch/errors") || fail "tildario $* failed: $(cat "$scratch/errors")"
  [ "$output" = "$expected" ] || fail "tildario $*: expected «$expected», got «$output»"
  [ ! -s "$scratch/errors" ] || fail "tildario $* wrote on standard error: $(cat "$scratch/errors")"
  echo "tildario $*: $output"
}
run "Mañana también vendrá el autobús" "Mañana tambien vendra el autobus" tilde -q
# The context model, also found beside the dictionary in /usr/share/tildario.
run "¿Qué es? no está marcada" "¿Que es? no esta marcada" tilde -q --contexto
run "tildario $version" "" --version
report=$(echo "Mañana tambien vendra el autobus" | user tildario tilde 2>&1 >/dev/null)
grep -q "Encontradas 3 palabras" <<<"$report" || fail "tildario tilde reports: $report"

echo "--- man tildario"
for locale in C C.UTF-8 es_ES.UTF-8 ru_RU.UTF-8; do
  page=$(user env LC_ALL="$locale" LANG="$locale" man -w tildario 2>/dev/null) || fail "man -w tildario finds nothing under LC_ALL=$locale"
  [ "$page" = /usr/share/man/man1/tildario.1.gz ] || fail "man -w tildario under LC_ALL=$locale: $page"
done
page=$(user env MANWIDTH=80 man tildario) || fail "man tildario failed"
head -8 <<<"$page"
grep -Eq "^ +tildario +- +pone +las +tildes" <<<"$page" || fail "man tildario shows no NOMBRE line"

echo "--- the page and the completion as installed"
user bash "$manual_test" tildario /usr/share/man/man1/tildario.1.gz installed

echo "--- dpkg -r (and dpkg --purge, were anything kept)"
dpkg -r "$package" >/dev/null || fail "dpkg -r failed"
if dpkg-query -W "$package" >/dev/null 2>&1; then dpkg --purge "$package" >/dev/null || fail "dpkg --purge failed"; fi
! dpkg-query -W "$package" >/dev/null 2>&1 || fail "dpkg still knows $package: $(dpkg -s "$package" 2>&1 | grep Status)"
left=$(while read -r path; do
  [ ! -e "$path" ] && [ ! -L "$path" ] && continue
  grep -qxF -- "$path" <<<"$existing_before" || echo "$path"
done <<<"$paths")
[ -z "$left" ] || fail "left after removal: $left"
for file in /var/lib/dpkg/info/"$package".* /var/lib/dpkg/info/"$package":*; do
  [ ! -e "$file" ] || fail "left in dpkg's database: $file"
done
! user man -w tildario >/dev/null 2>&1 || fail "man still finds tildario"
! user bash -c 'command -v tildario' >/dev/null || fail "tildario is still on PATH"
# shellcheck disable=SC2016
! user bash -c 'source /usr/share/bash-completion/bash_completion; __load_completion tildario; complete -p tildario' >/dev/null 2>&1 \
  || fail "bash-completion still completes tildario"

echo "PASS: installed, used from PATH, its manual page and completion, removed without a trace"
