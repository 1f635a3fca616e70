#!/usr/bin/env bash
# Makes the accent dictionary the program reads, and its ready index (diccionario.idx, the
# dictionary's lookup tables as the programs map them), from Debian's hunspell-es word forms, the word
# counts of Spanish documentation in data/word-counts.tsv.gz (scripts/regenerate-word-counts.sh
# makes them) and the ranked word lists of the npm package @zxcvbn-ts/language-es-es (pinned
# below); and beside it contexto.dat, the context model of "tildario tilde --contexto", from
# the context counts in data/context-counts.tsv.gz.
#
#   bash scripts/make-dictionary.sh [OUTPUT]
#
# Without OUTPUT the files are made in build/win64 and copied to build/win32, beside each
# Windows build's Tildario.exe as the release ships them, and to build/native, beside the
# command line program built there.
#
# Work files go to build/dictionary. Nothing is redone when OUTPUT is newer than all its inputs.
# Without the npm registry (and no earlier download), it stops with an error rather than write
# a dictionary without the frequency choice.
set -euo pipefail
script=$(realpath "$0")
cd "$(dirname "$script")/.."
root=$PWD

output=${1:-build/win64/diccionario.log}
copies=()
[ $# -gt 0 ] || copies=(build/win32 build/native)
case $output in /*) ;; *) output=$root/$output ;; esac
notice=${output%.*}-NOTICE.txt
index=${output%.*}.idx
model=$(dirname "$output")/contexto.dat

frequency_package=@zxcvbn-ts/language-es-es
frequency_version=4.1.2
settings=$root/scripts/dictionary-settings.sh
source "$settings"
counts=$root/data/word-counts.tsv.gz
context_counts=$root/data/context-counts.tsv.gz
dic=/usr/share/hunspell/es_ES.dic
aff=/usr/share/hunspell/es_ES.aff
work=$root/build/dictionary
package_dir=$work/npm/node_modules/$frequency_package
tool=$root/build/native/tools/make_dictionary
model_tool=$root/build/native/tools/make_context_model
index_tool=$root/build/native/tools/make_dictionary_index

fail() { echo "make-dictionary: $*" >&2; exit 1; }

# The made files, copied unchanged (times too) into each folder of copies; a copy with the same
# time and size is already this one, and 60 MB are not written again on every run.
copy_made_files() {
  local dir file copy
  for dir in ${copies[@]+"${copies[@]}"}; do
    mkdir -p "$dir"
    for file in "$output" "$index" "$notice" "$model"; do
      copy=$dir/$(basename "$file")
      if [ -f "$copy" ] && [ "$(stat -c %Y.%s "$copy")" = "$(stat -c %Y.%s "$file")" ]; then continue; fi
      cp -p "$file" "$copy"
    done
  done
}

for f in "$dic" "$aff" "$counts" "$context_counts"; do [ -r "$f" ] || fail "$f is missing (Debian package hunspell-es)"; done
command -v unmunch >/dev/null || fail "unmunch is missing (Debian package hunspell-tools)"
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  fail "node and npm are needed for the word frequencies"
fi

mkdir -p "$work" "$(dirname "$output")"

# The tool, built natively (a no-op when it is up to date).
[ -f build/native/build.ninja ] || cmake --preset native >/dev/null
cmake --build --preset native --target make_dictionary make_context_model make_dictionary_index >/dev/null

installed_version() {
  node -e 'try { console.log(require(process.argv[1] + "/package.json").version) } catch (e) {}' "$package_dir"
}
if [ "$(installed_version)" != "$frequency_version" ]; then
  echo "make-dictionary: installing $frequency_package@$frequency_version from the npm registry"
  rm -rf "$work/npm"
  mkdir -p "$work/npm"
  echo '{ "private": true }' > "$work/npm/package.json"
  npm install --prefix "$work/npm" --no-audit --no-fund --ignore-scripts --loglevel=error \
      "$frequency_package@$frequency_version" >&2 \
    || fail "cannot install $frequency_package@$frequency_version with npm (no registry?); the dictionary needs its word frequencies"
  [ "$(installed_version)" = "$frequency_version" ] || fail "npm did not install $frequency_package@$frequency_version"
fi

if [ -f "$output" ] && [ -f "$notice" ] && [ -f "$model" ]; then
  up_to_date=1
  for input in "$script" "$settings" "$tool" "$model_tool" "$dic" "$aff" "$counts" "$context_counts" "$package_dir/package.json"; do
    [ "$output" -nt "$input" ] && [ "$model" -nt "$input" ] || up_to_date=0
  done
  if [ $up_to_date = 1 ]; then
    echo "make-dictionary: $output is up to date"
    # The index is remade alone when its tool changed.
    [ "$index" -nt "$output" ] && [ "$index" -nt "$index_tool" ] || "$index_tool" "$output" "$index"
    copy_made_files
    exit 0
  fi
fi

# Every form hunspell-es accepts. unmunch does not apply the affixes that an affix itself
# carries (abdicación/S from abdicar), and prints those forms with their flags (and a stray
# '|'): a second pass over them as a word list of their own expands them too.
unmunch "$dic" "$aff" 2>/dev/null > "$work/unmunched.txt"
grep -v / "$work/unmunched.txt" > "$work/forms.txt" || true
grep / "$work/unmunched.txt" | sed 's/|*$//' | LC_ALL=C sort -u > "$work/continued.txt" || true
{ wc -l < "$work/continued.txt"; cat "$work/continued.txt"; } > "$work/continued.dic"
unmunch "$work/continued.dic" "$aff" 2>/dev/null | grep -v / >> "$work/forms.txt" || true
[ "$(wc -l < "$work/forms.txt")" -gt 500000 ] || fail "unmunch gave too few forms from $dic"

# The ranked lists, commonest word first: subtitles and Wikipedia.
node -e '
  const lists = require(process.argv[1]).dictionary;
  const words = lists["commonWords-es-es"], wikipedia = lists["wikipedia-es-es"];
  if (!Array.isArray(words) || words.length < 10000 || !Array.isArray(wikipedia) || wikipedia.length < 10000)
    process.exit(1);
  require("fs").writeFileSync(process.argv[2], words.join("\n") + "\n");
  require("fs").writeFileSync(process.argv[3], wikipedia.join("\n") + "\n");
' "$package_dir" "$work/ranks.txt" "$work/wikipedia.txt" || fail "no commonWords or wikipedia list in $frequency_package"
gzip -dc "$counts" > "$work/word-counts.tsv"

"$tool" --counts "$work/word-counts.tsv" --ranks "$work/ranks.txt" --ranks "$work/wikipedia.txt" "${dictionary_choice[@]}" \
    --choices "$work/choices.txt" "$work/forms.txt" "$output"
"$index_tool" "$output" "$index"
gzip -dc "$context_counts" > "$work/context-counts.tsv"
"$model_tool" --forms "$work/forms.txt" --mark-words "$work/ranks.txt" --mark-words "$work/wikipedia.txt" \
    --word-counts "$work/word-counts.tsv" "${context_choice[@]}" "$work/context-counts.tsv" "$model"

cat > "$notice" <<NOTICE
diccionario.log: accent dictionary for Tildario, diccionario.idx: its lookup tables, and
contexto.dat: its context model, all made by scripts/make-dictionary.sh.

Word forms: Debian package hunspell-es $(dpkg-query -W -f='${Version}' hunspell-es 2>/dev/null || echo "(version unknown)")
(es_ES.dic and es_ES.aff, expanded with unmunch): the Spanish dictionary of the RLA-ES
project by Santiago Bosio, as LibreOffice distributes it, under GPL-3+, LGPL-3+ or
MPL-1.1+ at your choice: https://www.gnu.org/licenses/gpl-3.0.html,
https://www.gnu.org/licenses/lgpl-3.0.html, https://www.mozilla.org/MPL/1.1/ (on Debian also
/usr/share/doc/hunspell-es/copyright).

Word counts of Spanish running text (data/word-counts.tsv.gz and data/context-counts.tsv.gz
in Tildario's sources; every word form counted as written, and for the words whose accent
depends on the sentence the words next to them) in these Debian packages and files: the
documentation (the first seven) for the word forms, all of them (documentation, LibreOffice's
messages, Debian's package descriptions, and the interfaces of Firefox, Thunderbird and
Chromium) for the context model:
$(sed -n '/^| [a-z-]* | `/{s/`//g; s/^| [a-z-]* | \([^|]*\) | \([^|]*\) |.*/- \1: \2/p}' "$root/data/README.md")

Word frequencies: $frequency_package $frequency_version (the commonWords and wikipedia lists),
MIT licence. The commonWords list is under the Open Data Commons Attribution License
(ODC-BY); the wikipedia list ranks the words of the Spanish Wikipedia, whose text is by
Wikipedia's contributors under CC BY-SA. The package's notice:

$(cat "$package_dir/NOTICE.md")
NOTICE

copy_made_files
