#!/usr/bin/env bash
# Measures "Poner tilde" on the held-out part of the documentation corpus (documents that the
# word counts in data/ never saw): the texts lose their acute accents and are restored with
# three dictionaries, and every word is compared with the original.
#   1. every form of the word list that can change a result;
#   2. the subtitle ranks alone deciding (the dictionary before the word counts);
#   3. the shipped dictionary, as scripts/make-dictionary.sh makes it.
# The shipped dictionary is measured once more with the context model (tildario tilde
# --contexto), with the words the model changed. With --tune it instead tries the choice
# settings of make_dictionary on the build part split once more: counts from its "fit"
# documents, text from its "tune" documents; --tune-context does the same for the settings of
# make_context_model, with the dictionary of the fit counts.
#
#   bash scripts/measure-dictionary.sh [--errors N]
#   bash scripts/measure-dictionary.sh --tune
#   bash scripts/measure-dictionary.sh --tune-context
#
# Needs build/corpus from scripts/regenerate-word-counts.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
work=build/dictionary
corpus=build/corpus
tools=build/native/tools

for f in "$corpus/held-out.txt" "$corpus/tune.txt" "$corpus/fit-counts.tsv" "$corpus/fit-context.tsv"; do
  [ -r "$f" ] || { echo "measure-dictionary: no $f (run scripts/regenerate-word-counts.sh)" >&2; exit 1; }
done

bash scripts/make-dictionary.sh "$work/diccionario-3.log" >/dev/null
cmake --build --preset native --target make_dictionary make_context_model measure_accents >/dev/null
source scripts/dictionary-settings.sh

if [ "${1:-}" = --tune-context ]; then
  "$tools/make_dictionary" --counts "$corpus/fit-counts.tsv" --ranks "$work/ranks.txt" --ranks "$work/wikipedia.txt" \
      "${dictionary_choice[@]}" "$work/forms.txt" "$work/diccionario-tune.log" >/dev/null
  echo "dictionary alone: $("$tools/measure_accents" --text "$corpus/tune.txt" "$work/diccionario-tune.log" \
      | tail -1 | sed 's/.*entries; //')"
  for features in -1,+1 -1,+1,-2 -1,+1,-2,+2; do
    for smoothing in 0.1 0.2 0.5 1; do
      for accent_threshold in 2 3 4 5 6; do
        for plain_threshold in 0 1 2 3 4; do
          settings=(--features "$features" --smoothing "$smoothing" --accent-threshold "$accent_threshold"
                    --plain-threshold "$plain_threshold")
          "$tools/make_context_model" --forms "$work/forms.txt" "${settings[@]}" "$corpus/fit-context.tsv" \
              "$work/contexto-tune.dat" >/dev/null
          echo "${settings[*]}: $("$tools/measure_accents" --context "$work/contexto-tune.dat" --text "$corpus/tune.txt" \
              "$work/diccionario-tune.log" | tail -1 | sed 's/.*entries; //')"
        done
      done
    done
  done
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
"$tools/measure_accents" "$@" --context "$work/contexto.dat" --changes 80 --text "$corpus/held-out.txt" \
    "$work/diccionario-3.log"
