#!/usr/bin/env bash
# Measures "Poner tilde" on the held-out part of the corpus (documents that neither the word
# counts nor the context counts in data/ saw): the texts lose their marks and are restored,
# and every word is compared with the original.
#
#   bash scripts/measure-dictionary.sh [--errors N]    the tables of docs/dictionary.md and docs/context.md
#   bash scripts/measure-dictionary.sh --tune          settings of make_dictionary
#   bash scripts/measure-dictionary.sh --tune-context  settings of make_context_model
#
# Without an option it measures, on the documentation's held-out text, three dictionaries:
#   1. every form of the word list that can change a result;
#   2. the subtitle ranks alone deciding (the dictionary before the word counts);
#   3. the shipped dictionary, as scripts/make-dictionary.sh makes it;
# and then, for each kind of text (manuales, mensajes, descripciones, interfaz), the shipped
# dictionary alone and with the context model (tildario tilde --contexto): once with the acute
# accents stripped, once with every mark stripped (acute, ñ, ü). Each line gives the word
# accuracy, the words wrong, the recall of the marks and the words given a wrong mark.
#
# --tune and --tune-context choose settings on the build part split once more: counts from its
# "fit" documents, text from its "tune" documents, never the held-out part.
#
# Needs build/corpus from scripts/regenerate-word-counts.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
work=build/dictionary
corpus=build/corpus
tools=build/native/tools
kinds=(manuales mensajes descripciones interfaz)

tune_texts=("${kinds[@]/#/$corpus/text/tune-}")
for f in "$corpus/held-out.txt" "$corpus/tune.txt" "$corpus/fit-counts.tsv" "$corpus/fit-context.tsv" \
         "${tune_texts[@]/%/.txt}"; do
  [ -r "$f" ] || { echo "measure-dictionary: no $f (run scripts/regenerate-word-counts.sh)" >&2; exit 1; }
done

bash scripts/make-dictionary.sh "$work/diccionario-3.log" >/dev/null
cmake --build --preset native --target make_dictionary make_context_model measure_accents >/dev/null
source scripts/dictionary-settings.sh

# measure TEXT DICTIONARY MODEL [OPTION ...]: "wrong accents-alone accents-model words-alone words-model"
measure() {
  local text=$1 dictionary=$2 model=$3
  shift 3
  "$tools/measure_accents" "$@" --context "$model" --text "$text" "$dictionary" | tail -2 |
    sed -E 's/.*\(([0-9]+) wrong\).*, ([0-9]+) words given a wrong accent.*/\1 \2/' | paste -sd' '
}

if [ "${1:-}" = --tune-context ]; then
  # The rule, precision first: the fewest wrong marks beyond the dictionary alone's on the kind
  # where the model adds most of them (each kind's tune text, with the acute accents stripped and
  # with all marks: a wrong mark damages text that was right, a missed one leaves it as
  # written); among settings equal in that, the fewest words wrong over every kind. Prints every
  # setting, then the chosen one.
  "$tools/make_dictionary" --counts "$corpus/fit-counts.tsv" --ranks "$work/ranks.txt" --ranks "$work/wikipedia.txt" \
      "${dictionary_choice[@]}" "$work/forms.txt" "$work/diccionario-tune.log" >/dev/null
  best="" best_worst="" best_wrong=""
  for smoothing in 0.1 0.5; do
    for accent_threshold in 3 4 5 6 7 8; do
      for plain_threshold in 1 2 3 4; do
        settings=(--smoothing "$smoothing" --accent-threshold "$accent_threshold" --plain-threshold "$plain_threshold")
        "$tools/make_context_model" --forms "$work/forms.txt" --mark-words "$work/ranks.txt" \
            --mark-words "$work/wikipedia.txt" --word-counts "$corpus/fit-counts.tsv" "${settings[@]}" "${context_marks[@]}" \
            "$corpus/fit-context.tsv" "$work/contexto-tune.dat" \
            >/dev/null
        wrong=0 marks_alone=0 marks_with=0 worst="" line=""
        for kind in "${kinds[@]}"; do
          for marks in "" --all-marks; do
            # shellcheck disable=SC2086 # no option, or one
            read -r alone alone_marks with with_marks <<<"$(measure "$corpus/text/tune-$kind.txt" \
                "$work/diccionario-tune.log" "$work/contexto-tune.dat" $marks)"
            wrong=$((wrong + with)) marks_alone=$((marks_alone + alone_marks)) marks_with=$((marks_with + with_marks))
            added=$((with_marks - alone_marks))
            if [ -z "$worst" ] || [ "$added" -gt "$worst" ]; then worst=$added; fi
            line+=" $kind${marks:+ all}: $with/$with_marks ($alone/$alone_marks)"
          done
        done
        excess=$((marks_with - marks_alone))
        echo "${settings[*]}: at most $worst wrong marks beyond the dictionary's on a kind ($excess in all)," \
          "$wrong words wrong;$line"
        if [ -z "$best" ] || [ "$worst" -lt "$best_worst" ] ||
          { [ "$worst" -eq "$best_worst" ] && [ "$wrong" -lt "$best_wrong" ]; }; then
          best="${settings[*]}" best_worst=$worst best_wrong=$wrong
        fi
      done
    done
  done
  echo "chosen: $best"
  exit 0
fi

if [ "${1:-}" = --tune ]; then
  for margin in 2 3 5 8; do
    for rank_weight in 0.3 1 3; do
      for smoothing in 0 0.5 2; do
        for plain_margin in 2 5; do
          settings=(--margin "$margin" --rank-weight "$rank_weight" --smoothing "$smoothing" --plain-margin "$plain_margin")
          "$tools/make_dictionary" --counts "$corpus/fit-counts.tsv" --ranks "$work/ranks.txt" \
              --ranks "$work/wikipedia.txt" "${settings[@]}" "$work/forms.txt" "$work/diccionario-tune.log" >/dev/null
          echo "${settings[*]}: $("$tools/measure_accents" --text "$corpus/tune.txt" "$work/diccionario-tune.log" \
              | tail -1 | sed 's/.*entries; //')"
        done
      done
    done
  done
  exit 0
fi

"$tools/make_dictionary" "$work/forms.txt" "$work/diccionario-1.log" >/dev/null
"$tools/make_dictionary" --ranks "$work/ranks.txt" --margin 5 "$work/forms.txt" "$work/diccionario-2.log" >/dev/null
"$tools/measure_accents" "$@" --text "$corpus/held-out.txt" \
    "$work/diccionario-1.log" "$work/diccionario-2.log" "$work/diccionario-3.log"
echo
printf '%-14s %-10s %-12s %s\n' kind stripped "" "word accuracy (words wrong), recall of the marks, words given a wrong mark"
for kind in "${kinds[@]}"; do
  for marks in "" --all-marks; do
    # shellcheck disable=SC2086 # no option, or one
    "$tools/measure_accents" "$@" $marks --context "$work/contexto.dat" --text "$corpus/text/held-out-$kind.txt" \
        "$work/diccionario-3.log" | grep -E '^[^ ].*entries; ' |
      sed -E 's/.*entries; word accuracy //; s/ accent recall / /; s/ words given a wrong accent.*//' |
      while read -r line; do
        printf '%-14s %-10s %-12s %s\n' "$kind" "$([ -n "$marks" ] && echo "all marks" || echo acute)" "$([ "${first:-}" ] && echo --contexto || echo dictionary)" "$line"
        first=1
      done
  done
done
