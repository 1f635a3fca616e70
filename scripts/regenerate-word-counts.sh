#!/usr/bin/env bash
# Regenerates data/word-counts.tsv.gz, the counts of every word form in Spanish running text
# (the documentation in Debian packages), and data/context-counts.tsv.gz, the counts of the
# words around the words whose accent, ñ or ü depends on the sentence (every kind of text),
# that scripts/make-dictionary.sh reads. Run by hand when the sources change; the build itself only
# reads the committed tables.
#
#   bash scripts/regenerate-word-counts.sh
#
# The packages are fetched with apt-get and unpacked into build/corpus (nothing is installed
# system-wide, so their dependencies, such as GIMP or yelp, are not needed). Besides the
# committed table (the "build" part of the corpus), it leaves in build/corpus what
# scripts/measure-dictionary.sh judges and tunes with: the running text of the held-out
# documents, and counts and text of the build part split once more (fit and tune).
#
# The corpus has four kinds of text: the documentation ("manuales", which alone makes the word
# counts); LibreOffice's program messages ("mensajes"), gettext catalogues of which only the
# Spanish .mo files are unpacked; Debian's Spanish package descriptions ("descripciones"), the
# archive's i18n/Translation-es file, fetched with apt's own helper and checked against the
# signed release file that apt already holds; and the interfaces of Firefox, Thunderbird and
# Chromium ("interfaz"): the Fluent and .properties files of the first two's language packs
# (.xpi archives, unpacked with unzip) and Chromium's Spanish locale pack. For each kind and part
# it writes the running text to build/corpus/text/<part>-<kind>.txt, and build/corpus/kinds.txt
# sums up the documents, paragraphs and words of each.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
corpus=$root/build/corpus
files=$corpus/root

packages=(libreoffice-help-es gimp-help-es gimp-help-common freedombox-doc-es debian-handbook gnome-user-docs
          ubuntu-packaging-guide-html-es lilypond-doc-html-es)
catalog_packages=(libreoffice-l10n-es firefox-esr-l10n-es-es thunderbird-l10n-es-es chromium-l10n)
kinds=(manuales mensajes descripciones interfaz)
parts=(build held-out fit tune)
libreoffice=usr/lib/libreoffice/program/resource/es/LC_MESSAGES
chromium=usr/lib/chromium/locales
descriptions=dists/bookworm/main/i18n

fail() { echo "regenerate-word-counts: $*" >&2; exit 1; }

rm -rf "$corpus/debs" "$corpus/i18n" "$files" "$corpus/lists" "$corpus/text"
mkdir -p "$corpus/debs" "$files" "$corpus/lists" "$corpus/text"
all_packages=("${packages[@]}" "${catalog_packages[@]}")
echo "regenerate-word-counts: fetching ${all_packages[*]}"
(cd "$corpus/debs" && apt-get download "${all_packages[@]}" >/dev/null 2>&1) \
  || { apt-get update -q >/dev/null && (cd "$corpus/debs" && apt-get download "${all_packages[@]}" >/dev/null); } \
  || fail "apt-get cannot fetch ${all_packages[*]}"
for deb in "$corpus/debs"/*.deb; do
  case $(dpkg-deb -f "$deb" Package) in
    libreoffice-l10n-*) catalogs="./$libreoffice/*.mo" ;;
    chromium-l10n) catalogs="./$chromium/es.pak ./$chromium/es.pak.info" ;;
    firefox-esr-l10n-* | thunderbird-l10n-*)
      dpkg-deb -x "$deb" "$files"
      for xpi in $(dpkg-deb -c "$deb" | awk '$6 ~ /\.xpi$/ { print $6 }'); do
        unzip -q -o "$files/$xpi" -d "$files/${xpi%.xpi}" || fail "cannot unpack $xpi"
      done
      continue ;;
    *) dpkg-deb -x "$deb" "$files"; continue ;;
  esac
  # shellcheck disable=SC2086 # the patterns, without spaces
  dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$files" --wildcards $catalogs || fail "no catalogues in $deb"
done
for deb in "$corpus/debs"/*.deb; do dpkg-deb -f "$deb" Package Version | paste -sd' '; done > "$corpus/versions.txt"

# Debian's Spanish package descriptions, from the mirror of apt's bookworm source, checked
# against the hash that the release file apt has already verified states for them.
# shellcheck disable=SC2016 # apt's fields, not the shell's
read -r base_uri packages_list version < <(apt-get indextargets --format '$(BASE_URI) $(FILENAME) $(VERSION)' \
    'Identifier: Packages' 'Codename: bookworm' 'Component: main' | head -1) || fail "apt knows no bookworm main"
release=${packages_list%%_main_binary-*}_InRelease
hash=$(awk '/^SHA256:/ { in_sums = 1; next } /^[^ ]/ { in_sums = 0 }
            in_sums && $3 == "main/i18n/Translation-es.bz2" { print $1 }' "$release")
[ -n "$hash" ] || fail "$release states no main/i18n/Translation-es.bz2"
mkdir -p "$corpus/i18n" "$files/$descriptions"
/usr/lib/apt/apt-helper download-file "${base_uri}main/i18n/Translation-es.bz2" "$corpus/i18n/Translation-es.bz2" \
    "SHA256:$hash" >/dev/null 2>&1 || fail "cannot fetch ${base_uri}main/i18n/Translation-es.bz2"
bzip2 -dc "$corpus/i18n/Translation-es.bz2" > "$files/$descriptions/Translation-es"
echo "Translation-es Debian $version (sha256 of Translation-es.bz2 $hash)" >> "$corpus/versions.txt"

[ -f build/native/build.ninja ] || cmake --preset native >/dev/null
cmake --build --preset native --target count_corpus >/dev/null

# One list of documents per source, paths relative to $files, in a fixed order, each source in
# one kind. Whole-manual pages that repeat the single pages (FreedomBox's Manual, LilyPond's big
# pages) are left out, and so are indexes and search pages.
declare -A sources
list() {
  local kind=$1 name=$2; shift 2
  (cd "$files" && find "$@" -type f | LC_ALL=C sort) > "$corpus/lists/$name.txt"
  [ -s "$corpus/lists/$name.txt" ] || fail "no documents for $name"
  sources[$kind]+=" --source $name=$corpus/lists/$name.txt"
}
list manuales libreoffice usr/share/libreoffice/help/es -name '*.html' ! -name noscript.html
list manuales gimp usr/share/gimp/2.0/help/es -name '*.html'
list manuales freedombox usr/share/freedombox/manual/es -name '*.part.html' ! -name Manual.part.html \
     ! -name freedombox-manual.part.html
list manuales gnome usr/share/help/es -name '*.page'
list manuales debian-handbook usr/share/doc/debian-handbook/html/es-ES -name '*.html'
list manuales ubuntu-packaging-guide usr/share/doc/ubuntu-packaging-guide-html-es -name '*.html' ! -name search.html \
     ! -name genindex.html
list manuales lilypond usr/share/doc/lilypond/html -name '*.es.html' ! -name '*-big-page.es.html'
list mensajes libreoffice-interface "$libreoffice" -name '*.mo'
list descripciones debian-descriptions "$descriptions" -name Translation-es
list interfaz firefox usr/lib/firefox-esr/browser/extensions/langpack-es-ES@firefox-esr.mozilla.org \
     \( -name '*.ftl' -o -name '*.properties' \)
list interfaz thunderbird usr/lib/thunderbird/extensions/langpack-es-ES@thunderbird.mozilla.org \
     \( -name '*.ftl' -o -name '*.properties' \)
list interfaz chromium "$chromium" -name es.pak

tool=build/native/tools/count_corpus
text=$corpus/text
log=$corpus/count.log
: > "$log"
count() {  # KIND PART [OPTION ...]: counts one kind's part and writes its text
  local kind=$1 part=$2; shift 2
  # shellcheck disable=SC2086 # the list of --source options, paths without spaces
  "$tool" --part "$part" --root "$files" --text "$text/$part-$kind.txt" "$@" ${sources[$kind]} \
    | sed "s/^count_corpus: /count_corpus: $kind /" | tee -a "$log"
}
count manuales build --counts "$corpus/word-counts.tsv"
count manuales held-out >/dev/null
count manuales fit --counts "$corpus/fit-counts.tsv" >/dev/null
count manuales tune >/dev/null
cp "$text/held-out-manuales.txt" "$corpus/held-out.txt"
cp "$text/tune-manuales.txt" "$corpus/tune.txt"
for kind in "${kinds[@]:1}"; do
  for part in "${parts[@]}"; do count "$kind" "$part" >/dev/null; done
done

# The context counts, from every kind: the words around each spelling, and around the words
# written only with ñ or ü whose plain letters are a word of hunspell-es as well (año, ano).
[ -s build/dictionary/forms.txt ] || bash scripts/make-dictionary.sh >/dev/null
all_sources="${sources[*]}"
# shellcheck disable=SC2086 # the lists of --source options, paths without spaces
for part in build fit; do
  name=context-counts
  [ "$part" = build ] || name=fit-context
  "$tool" --part "$part" --root "$files" --context "$corpus/$name.tsv" --plain-words build/dictionary/forms.txt \
    $all_sources >/dev/null
done

# kind, part, documents, paragraphs, words: the sums of the sources' lines of the log
# ("count_corpus: KIND SOURCE (PART): D documents (...), P paragraphs (...), W words").
{
  printf 'kind\tpart\tdocuments\tparagraphs\twords\n'
  for kind in "${kinds[@]}"; do
    for part in "${parts[@]}"; do
      awk -v kind="$kind" -v part="($part):" '$2 == kind && $4 == part { d += $5; p += $12; w += $19 }
        END { printf "%s\t%s\t%d\t%d\t%d\n", kind, substr(part, 2, length(part) - 3), d, p, w }' "$log"
    done
  done
} > "$corpus/kinds.txt"

mkdir -p data
gzip -n -9 < "$corpus/word-counts.tsv" > data/word-counts.tsv.gz
gzip -n -9 < "$corpus/context-counts.tsv" > data/context-counts.tsv.gz
echo "regenerate-word-counts: data/word-counts.tsv.gz: $(($(wc -l < "$corpus/word-counts.tsv") - 1)) word forms;" \
     "data/context-counts.tsv.gz: $(($(wc -l < "$corpus/context-counts.tsv") - 1)) counts; from:"
sed 's/^/  /' "$corpus/versions.txt"
echo "regenerate-word-counts: the running text of each kind and part in $text; in sum:"
column -t "$corpus/kinds.txt" | sed 's/^/  /'
