#!/usr/bin/env bash
# Measures "Poner tilde" on real Spanish prose (the fortunes-es package): the texts lose their
# acute accents and are restored with dictionary 1 (every form that can change a result) and
# dictionary 2 (the frequency choice on top, as scripts/make-dictionary.sh makes it).
#
#   bash scripts/measure-dictionary.sh [--errors N]
set -euo pipefail
cd "$(dirname "$0")/.."

texts=(/usr/share/games/fortunes/es/*.fortunes)
[ -r "${texts[0]}" ] || { echo "measure-dictionary: install fortunes-es (scripts/install-deps.sh)" >&2; exit 1; }

bash scripts/make-dictionary.sh build/dictionary/diccionario-2.log
cmake --build --preset native --target make_dictionary measure_accents >/dev/null
build/native/tools/make_dictionary build/dictionary/forms.txt build/dictionary/diccionario-1.log >/dev/null

args=()
for t in "${texts[@]}"; do args+=(--text "$t"); done
build/native/tools/measure_accents "$@" "${args[@]}" build/dictionary/diccionario-1.log build/dictionary/diccionario-2.log
