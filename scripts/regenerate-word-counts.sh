#!/usr/bin/env bash
# Regenerates data/word-counts.tsv.gz, the counts of every word form in Spanish running text,
# and data/context-counts.tsv.gz, the counts of the words around the words whose accent
# depends on the sentence, that scripts/make-dictionary.sh reads, from the Spanish
# documentation in Debian packages. Run by hand when the sources change; the build itself only
# reads the committed tables.
#
#   bash scripts/regenerate-word-counts.sh
#
# The packages are fetched with apt-get and unpacked into build/corpus (nothing is installed
# system-wide, so their dependencies, such as GIMP or yelp, are not needed). Besides the
# committed table (the "build" part of the corpus), it leaves in build/corpus what
# scripts/measure-dictionary.sh judges and tunes with: the running text of the held-out
# documents, and counts and text of the build part split once more (fit and tune).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
corpus=$root/build/corpus
files=$corpus/root

packages=(libreoffice-help-es gimp-help-es gimp-help-common freedombox-doc-es debian-handbook gnome-user-docs
          ubuntu-packaging-guide-html-es lilypond-doc-html-es)

fail() { echo "regenerate-word-counts: $*" >&2; exit 1; }

rm -rf "$corpus/debs" "$files"
mkdir -p "$corpus/debs" "$files" "$corpus/lists"
echo "regenerate-word-counts: fetching ${packages[*]}"
(cd "$corpus/debs" && apt-get download "${packages[@]}" >/dev/null 2>&1) \
  || { apt-get update -q >/dev/null && (cd "$corpus/debs" && apt-get download "${packages[@]}" >/dev/null); } \
  || fail "apt-get cannot fetch ${packages[*]}"
for deb in "$corpus/debs"/*.deb; do dpkg-deb -x "$deb" "$files"; done
for deb in "$corpus/debs"/*.deb; do dpkg-deb -f "$deb" Package Version | paste -sd' '; done > "$corpus/versions.txt"

[ -f build/native/build.ninja ] || cmake --preset native >/dev/null
cmake --build --preset native --target count_corpus >/dev/null

# One list of documents per source, paths relative to $files, in a fixed order. Whole-manual
# pages that repeat the single pages (FreedomBox's Manual, LilyPond's big pages) are left out,
# and so are indexes and search pages.
list() {
  local name=$1; shift
  (cd "$files" && find "$@" -type f | LC_ALL=C sort) > "$corpus/lists/$name.txt"
  [ -s "$corpus/lists/$name.txt" ] || fail "no documents for $name"
  sources+=(--source "$name=$corpus/lists/$name.txt")
}
sources=()
list libreoffice usr/share/libreoffice/help/es -name '*.html' ! -name noscript.html
list gimp usr/share/gimp/2.0/help/es -name '*.html'
list freedombox usr/share/freedombox/manual/es -name '*.part.html' ! -name Manual.part.html \
     ! -name freedombox-manual.part.html
list gnome usr/share/help/es -name '*.page'
list debian-handbook usr/share/doc/debian-handbook/html/es-ES -name '*.html'
list ubuntu-packaging-guide usr/share/doc/ubuntu-packaging-guide-html-es -name '*.html' ! -name search.html \
     ! -name genindex.html
list lilypond usr/share/doc/lilypond/html -name '*.es.html' ! -name '*-big-page.es.html'

tool=build/native/tools/count_corpus
"$tool" --part build --root "$files" --counts "$corpus/word-counts.tsv" --context "$corpus/context-counts.tsv" "${sources[@]}"
"$tool" --part held-out --root "$files" --text "$corpus/held-out.txt" "${sources[@]}" >/dev/null
"$tool" --part fit --root "$files" --counts "$corpus/fit-counts.tsv" --context "$corpus/fit-context.tsv" "${sources[@]}" \
    >/dev/null
"$tool" --part tune --root "$files" --text "$corpus/tune.txt" "${sources[@]}" >/dev/null

mkdir -p data
gzip -n -9 < "$corpus/word-counts.tsv" > data/word-counts.tsv.gz
gzip -n -9 < "$corpus/context-counts.tsv" > data/context-counts.tsv.gz
echo "regenerate-word-counts: data/word-counts.tsv.gz: $(($(wc -l < "$corpus/word-counts.tsv") - 1)) word forms;" \
     "data/context-counts.tsv.gz: $(($(wc -l < "$corpus/context-counts.tsv") - 1)) counts; from:"
sed 's/^/  /' "$corpus/versions.txt"
