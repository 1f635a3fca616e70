#!/usr/bin/env bash
# The manual page and the bash completion against the program's own lists: the commands and
# options of "tildario --help" (the command table) are exactly the ones the page describes and
# the completion offers, and the completion gives what bash would show a user at each Tab.
# Usage: manual_test.sh TILDARIO MANUAL COMPLETION
#   MANUAL      the page (roff, gzip or not), rendered with man -l
#   COMPLETION  the completion file to source, or "installed": loaded by bash-completion on
#               demand, as an interactive shell does
set -euo pipefail
tildario=$(realpath "$(command -v "$1")") manual=$(realpath "$2") completion=$3
[ "$completion" = installed ] || completion=$(realpath "$completion")

fail() { echo "FAIL: $*" >&2; exit 1; }
same() { # same WHAT EXPECTED ACTUAL: two lists, equal
  [ "$2" = "$3" ] || fail "$1: expected [${2//$'\n'/ }], got [${3//$'\n'/ }]"
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

help=$("$tildario" --help) || fail "$tildario --help failed"
# The first word of each line of the help's "Órdenes:" and "Opciones:" blocks.
help_block() { awk -v title="$1" '$0 == title { on = 1; next } on && /^$/ { exit } on && /^  [^ ]/ { print $1 }' <<<"$help"; }
mapfile -t commands < <(help_block 'Órdenes:')
mapfile -t options < <(help_block 'Opciones:' | sed 's/\[.*//')
[ ${#commands[@]} -ge 9 ] || fail "too few commands in tildario --help: ${commands[*]}"
[ ${#options[@]} -ge 5 ] || fail "too few options in tildario --help: ${options[*]}"
lines() { printf '%s\n' "$@"; }

# --- The manual page, rendered as man shows it.
page=$(LC_ALL=C.UTF-8 MANWIDTH=100 man --warnings -l "$manual" 2>"$scratch/warnings") || fail "man cannot render $manual"
[ ! -s "$scratch/warnings" ] || fail "man warns about $manual: $(cat "$scratch/warnings")"
# The terms of a section: its lines indented once (7 spaces), which are the .TP items.
section_terms() { awk -v title="$1" '$0 == title { on = 1; next } on && /^[^ ]/ { exit } on && /^       [^ ]/' <<<"$page"; }
same "the commands of the manual's ÓRDENES" "$(lines "${commands[@]}")" "$(section_terms 'ÓRDENES' | awk '{ print $1 }')"
page_options=$(section_terms 'OPCIONES' | grep -o -- '-\{1,2\}[a-z]\+' | sort -u)
# -h is --help's short form, which the help leaves out.
same "the options of the manual's OPCIONES" "$(lines "${options[@]}" -h | sort -u)" "$page_options"
for heading in NOMBRE SINOPSIS DESCRIPCIÓN 'ESTADO DE SALIDA' FICHEROS EJEMPLOS; do
  grep -qx "$heading" <<<"$page" || fail "the manual has no $heading section"
done
grep -q 'parallel' <<<"$(awk '$0 == "EJEMPLOS" { on = 1 } on' <<<"$page")" || fail "the examples have no GNU parallel"
for status in 0 1 2; do
  grep -qx "       $status .*" <<<"$(awk '$0 == "ESTADO DE SALIDA" { on = 1; next } on && /^[^ ]/ { exit } on' <<<"$page")" \
    || fail "the manual does not explain exit status $status"
done

# --- The completion, called as bash calls it on Tab, in a folder of known files.
mkdir "$scratch/files"
cd "$scratch/files"
touch 'nota uno.txt' notas.txt diccionario-propio.log -- -raro.txt
mkdir capitulos

if [ "$completion" = installed ]; then
  completion_setup='source /usr/share/bash-completion/bash_completion
    __load_completion tildario || fail "bash-completion finds no completion for tildario"'
else
  # shellcheck disable=SC2016 # expanded by the eval below
  completion_setup='source "$completion"'
fi
results=$(
  # As in an interactive shell, where completions run.
  set +euo pipefail
  eval "$completion_setup"
  spec=$(complete -p tildario) || fail "no completion registered for tildario"
  function=$(sed -n 's/.* -F \([^ ]*\) .*/\1/p' <<<"$spec")
  [ -n "$function" ] || fail "the completion is not a function: $spec"
  # One line per case: the words typed (the last being the word under the cursor, as bash
  # splits them: "--contexto=x" is "--contexto" "=" "x"), then what the completion offers,
  # sorted, separated by "|".
  for line in 'tildario|' 'tildario|ti' 'tildario|-' 'tildario|--' 'tildario|-q|m' 'tildario|tilde|--'         \
              'tildario|tilde|' 'tildario|tilde|nota' 'tildario|--diccionario|' 'tildario|--diccionario|dic'   \
              'tildario|--diccionario|x.log|' 'tildario|tilde|--contexto|=' 'tildario|tilde|--contexto|=|no'   \
              'tildario|--diccionario|=|x.log|vo' 'tildario|--|' 'tildario|tilde|--|-' 'tildario|tilde|-q|cap'; do
    IFS='|' read -r -a COMP_WORDS <<<"$line"
    [[ $line == *'|' ]] && COMP_WORDS+=('')
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE="${COMP_WORDS[*]}"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    "$function" tildario "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    echo "$line => $(printf '%s\n' ${COMPREPLY[@]+"${COMPREPLY[@]}"} | LC_ALL=C sort | paste -sd'|')"
  done
) || exit 1

declare -A offers
while IFS= read -r result; do offers[${result%% => *}]=${result#* => }; done <<<"$results"
offered() { # offered LINE: what the completion offered for that line
  [[ -v offers[$1] ]] || fail "no result for $1"
  echo "${offers[$1]}"
}
sorted() { printf '%s\n' "$@" | LC_ALL=C sort | paste -sd'|'; }
files=$(sorted -raro.txt capitulos diccionario-propio.log 'nota uno.txt' notas.txt)
long_options=$(lines "${options[@]}" | grep -- '^--' | LC_ALL=C sort | paste -sd'|')

same 'tildario <Tab>: every command' "$(sorted "${commands[@]}")" "$(offered 'tildario|')"
same 'tildario ti<Tab>' tilde "$(offered 'tildario|ti')"
same 'tildario -<Tab>: every option' "$(sorted "${options[@]}")" "$(offered 'tildario|-')"
same 'tildario --<Tab>' "$long_options" "$(offered 'tildario|--')"
same 'tildario -q m<Tab>' "$(lines "${commands[@]}" | grep '^m' | LC_ALL=C sort | paste -sd'|')" "$(offered 'tildario|-q|m')"
same 'tildario tilde --<Tab>' "$long_options" "$(offered 'tildario|tilde|--')"
same 'tildario tilde <Tab>: the files' "$files" "$(offered 'tildario|tilde|')"
same 'tildario tilde nota<Tab>' "$(sorted 'nota uno.txt' notas.txt)" "$(offered 'tildario|tilde|nota')"
same 'tildario --diccionario <Tab>' "$files" "$(offered 'tildario|--diccionario|')"
same 'tildario --diccionario dic<Tab>' diccionario-propio.log "$(offered 'tildario|--diccionario|dic')"
same 'tildario --diccionario x.log <Tab>' "$(sorted "${commands[@]}")" "$(offered 'tildario|--diccionario|x.log|')"
same 'tildario tilde --contexto=<Tab>' "$files" "$(offered 'tildario|tilde|--contexto|=')"
same 'tildario tilde --contexto=no<Tab>' "$(sorted 'nota uno.txt' notas.txt)" "$(offered 'tildario|tilde|--contexto|=|no')"
same 'tildario --diccionario=x.log vo<Tab>' vocales "$(offered 'tildario|--diccionario|=|x.log|vo')"
same 'tildario -- <Tab>' "$(sorted "${commands[@]}")" "$(offered 'tildario|--|')"
same 'tildario tilde -- -<Tab>' -raro.txt "$(offered 'tildario|tilde|--|-')"
same 'tildario tilde -q cap<Tab>' capitulos "$(offered 'tildario|tilde|-q|cap')"

echo "PASS: the manual and the completion list the ${#commands[@]} commands and ${#options[@]} options of tildario --help"
