#!/usr/bin/env bash
# tildario against the tools people use for the same jobs, on the same Spanish text, in one run:
# medians of hyperfine runs, their ratios, and peak memory (/usr/bin/time). Writes the table to
# docs/benchmarks.md.
#
#   bash bench/compare.sh [MEGABYTES]      (default 52.7, the size of the text the targets name)
#
# The text is made by bench/make_bench_text from the word frequency list that
# scripts/make-dictionary.sh downloads, the same bytes on every run; a copy with the acute
# accents stripped is the input of "tilde". Work files go to build/bench. Then a 2 GB text in
# /tmp (deleted afterwards) shows that the rewriting commands keep their memory flat.
set -euo pipefail
script=$(realpath "$0")
cd "$(dirname "$script")/.."
root=$PWD

megabytes=${1:-52.7}
work=$root/build/bench
tildario=$root/build/native/tildario
dictionary=$root/build/win64/diccionario.log
context_model=$root/build/win64/contexto.dat
ranks=$root/build/dictionary/ranks.txt
report=$root/docs/benchmarks.md

fail() { echo "compare: $*" >&2; exit 1; }

# The tools measured against, and the measuring tools, from Debian's packages.
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
missing=()
for p in hyperfine hunspell hunspell-es time coreutils sed; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake --preset native >/dev/null
cmake --build --preset native --target tildario_cli make_bench_text accents_bench >/dev/null
bash scripts/make-dictionary.sh "$dictionary" >&2
[ -r "$ranks" ] || fail "$ranks is missing (scripts/make-dictionary.sh makes it)"

mkdir -p "$work"
text=$work/texto.txt
plain=$work/texto-sin-tildes.txt
"$root/build/native/bench/make_bench_text" "$ranks" "$megabytes" > "$text"
"$root/build/native/bench/make_bench_text" "$ranks" "$megabytes" --sin-tildes > "$plain"
# hunspell takes about a second per megabyte: it reads the first 5 MB (whole lines), and so
# does tildario for the whole-process comparison.
sample=$work/muestra-sin-tildes.txt
head -c 5000000 "$plain" | sed '$d' > "$sample"

bytes() { stat -c %s "$1"; }
mb() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1e6 }'; }

# The texts are UTF-8; the tools read them in a UTF-8 locale, as on a user's system.
export LC_ALL=C.UTF-8

# median_seconds RUNS COMMAND: the median of hyperfine's runs, after a warm-up run.
median_seconds() {
  local runs=$1 command=$2 csv
  csv=$(mktemp)
  hyperfine --style none --warmup 1 --runs "$runs" --export-csv "$csv" "$command" >&2
  awk -F, 'NR == 2 { print $4 }' "$csv"
  rm -f "$csv"
}

# peak_kb COMMAND: the largest resident set, in kB, of one run.
peak_kb() {
  local out
  out=$(mktemp)
  /usr/bin/time -f %M -o "$out" bash -c "$1" >/dev/null
  tail -n 1 "$out"
  rm -f "$out"
}

declare -A seconds memory
measure() {  # measure NAME RUNS COMMAND
  seconds[$1]=$(median_seconds "$2" "$3")
  memory[$1]=$(peak_kb "$3")
}

measure palabras 10 "$tildario palabras $text"
measure wc 10 "wc -w $text"
measure mayusculas 10 "$tildario mayusculas $text"
measure sed 5 "sed 's/.*/\\U&/' $text"
measure tr 10 "tr a-z A-Z < $text"
measure tilde 10 "$tildario tilde -q --diccionario $dictionary $plain"
measure contexto 10 "$tildario tilde -q --contexto=$context_model --diccionario $dictionary $plain"
measure hunspell 3 "hunspell -d es_ES -l < $sample"
measure tilde_sample 10 "$tildario tilde -q --diccionario $dictionary $sample"
measure hunspell_start 10 "hunspell -d es_ES -l < /dev/null"
measure repeticion 10 "$tildario repeticion $text"
measure pipeline 5 "tr -cs '[:alpha:]' '\\n' < $text | sort | uniq -c | sort -rn"
measure carga 10 "$tildario tilde -q --diccionario $dictionary < /dev/null"

# The dictionary load alone, from memory: the median of Google Benchmark's repetitions.
index_load_ms=$(TILDARIO_DICTIONARY=$dictionary "$root/build/native/bench/accents_bench" --benchmark_filter='load_real_index$' \
            --benchmark_repetitions=10 --benchmark_report_aggregates_only=true 2>/dev/null |
          awk '/load_real_index_median/ { print $2 }')
load_ms=$(TILDARIO_DICTIONARY=$dictionary "$root/build/native/bench/accents_bench" --benchmark_filter='load_real$' \
            --benchmark_repetitions=10 --benchmark_report_aggregates_only=true 2>/dev/null |
          awk '/load_real_median/ { print $2 }')
context_load_ms=$(TILDARIO_CONTEXT_MODEL=$context_model "$root/build/native/bench/accents_bench" \
                    --benchmark_filter='load_context_model$' --benchmark_repetitions=10 \
                    --benchmark_report_aggregates_only=true 2>/dev/null |
                  awk '/load_context_model_median/ { print $2 }')

# The tray's private memory for its dictionary, under Wine as the tray loads it: from the ready
# index beside the file, and from the records alone (a copy without its index).
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target dictionary_memory >/dev/null
tray_memory() (
  # shellcheck source=../scripts/wine-env.sh
  source scripts/wine-env.sh
  trap tildario_cleanup EXIT
  use_wine win64 >/dev/null
  wine "$root/build/win64/app/dictionary_memory.exe" "$(winepath -w "$1")" | awk '{ print $3 }'
)
records_only=$(mktemp -d)
cp "$dictionary" "$records_only/diccionario.log"
tray_index_mb=$(tray_memory "$dictionary")
tray_records_mb=$(tray_memory "$records_only/diccionario.log")
rm -rf "$records_only"

# Flat memory on a text of 2 GB: the benchmark text again and again.
big=$(mktemp /tmp/tildario-2gb-XXXXXX.txt)
trap 'rm -f "$big"' EXIT
while [ "$(bytes "$big")" -lt 2000000000 ]; do cat "$plain" >> "$big"; done
big_mb=$(mb "$(bytes "$big")")
big_upper_kb=$(peak_kb "$tildario mayusculas $big")
big_tilde_kb=$(peak_kb "$tildario tilde -q --diccionario $dictionary $big")
big_context_kb=$(peak_kb "$tildario tilde -q --contexto=$context_model --diccionario $dictionary $big")
rm -f "$big"

text_mb=$(mb "$(bytes "$text")")
plain_mb=$(mb "$(bytes "$plain")")
sample_mb=$(mb "$(bytes "$sample")")

ms() { awk -v s="$1" 'BEGIN { printf "%.0f ms", s * 1000 }'; }
rate() { awk -v m="$1" -v s="$2" 'BEGIN { printf "%.1f MB/s", m / s }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f×", a / b }'; }
mem() { awk -v k="$1" 'BEGIN { printf "%.1f MB", k / 1024 }'; }
verdict() { awk -v v="$1" -v t="$2" 'BEGIN { print (v >= t ? "met" : "**not met**") }'; }

tilde_rate=$(awk -v m="$plain_mb" -v s="${seconds[tilde]}" 'BEGIN { print m / s }')
hunspell_rate=$(awk -v m="$sample_mb" -v s="${seconds[hunspell]}" 'BEGIN { print m / s }')
per_mb=$(awk -v a="$tilde_rate" -v b="$hunspell_rate" 'BEGIN { print a / b }')
# Restoration alone: the whole run less the run on no text (start, dictionary, hash check).
after_start() { awk -v m="$plain_mb" -v s="$1" -v c="${seconds[carga]}" 'BEGIN { print m / (s - c) }'; }
start_ratio=$(awk -v a="${seconds[carga]}" -v b="${seconds[hunspell_start]}" 'BEGIN { print a / b }')
sample_share=$(awk -v a="${seconds[tilde_sample]}" -v b="${seconds[hunspell]}" 'BEGIN { print 100 * a / b }')

cpu=$(lscpu | awk -F: '/Model name/ { gsub(/^ +/, "", $2); print $2; exit }')
cores=$(nproc)
ram=$(free -g | awk '/Mem:/ { print $2 " GB" }')
system=$(. /etc/os-release && echo "$PRETTY_NAME")
kernel=$(uname -r)
compiler=$(g++ --version | head -n 1)

# The notes below the measured part are written by hand; a new run keeps them.
marker='<!-- Notes: kept by bench/compare.sh -->'
notes=$(mktemp)
if [ -f "$report" ] && grep -qF "$marker" "$report"; then
  awk -v marker="$marker" '$0 == marker { keep = 1 } keep' "$report" > "$notes"
else
  echo "$marker" > "$notes"
fi

cat > "$report" <<EOF
# Benchmarks

\`tildario\` against the tools people use for the same jobs, measured in one run by

\`\`\`sh
bash bench/compare.sh $megabytes
\`\`\`

Machine: $cpu, $cores cores, $ram of memory; $system, kernel $kernel; $compiler, \`native\`
preset (Release). Tools: $(hyperfine --version), GNU coreutils $(wc --version | awk 'NR == 1 { print $NF }'),
GNU sed $(sed --version | awk 'NR == 1 { print $NF }'), Hunspell $(dpkg-query -W -f='${Version}' hunspell)
with Debian's \`hunspell-es\`. Locale C.UTF-8.

The text: $text_mb MB of Spanish made by \`bench/make_bench_text\` from the word frequency list of
\`@zxcvbn-ts/language-es-es\` (the one \`scripts/make-dictionary.sh\` downloads), words drawn as
often as in running text, in sentences and paragraphs; for \`tilde\` the same text with its
acute accents stripped ($plain_mb MB), corrected with the real dictionary
(\`build/win64/diccionario.log\`). Hunspell reads the first $sample_mb MB of that text; its speed
is compared as a whole process on those 5 MB, and per megabyte with the long text. Times are medians of hyperfine runs after a warm-up run, output to
/dev/null; memory is the peak resident set of one run (\`/usr/bin/time\`).

| Ours | Median | Against | Median | Ratio | Target | |
|---|---|---|---|---|---|---|
| \`tildario palabras\` | $(ms "${seconds[palabras]}") ($(rate "$text_mb" "${seconds[palabras]}")), $(mem "${memory[palabras]}") | \`wc -w\` | $(ms "${seconds[wc]}"), $(mem "${memory[wc]}") | $(ratio "${seconds[wc]}" "${seconds[palabras]}") faster | ≥ 2× (aim 4×) | $(verdict "$(awk -v a="${seconds[wc]}" -v b="${seconds[palabras]}" 'BEGIN { print a / b }')" 2) |
| \`tildario mayusculas\` | $(ms "${seconds[mayusculas]}") ($(rate "$text_mb" "${seconds[mayusculas]}")), $(mem "${memory[mayusculas]}") | \`sed 's/.*/\\U&/'\` | $(ms "${seconds[sed]}"), $(mem "${memory[sed]}") | $(ratio "${seconds[sed]}" "${seconds[mayusculas]}") faster | ≥ 20× | $(verdict "$(awk -v a="${seconds[sed]}" -v b="${seconds[mayusculas]}" 'BEGIN { print a / b }')" 20) |
| | | \`tr a-z A-Z\` (bytewise, wrong for á → Á) | $(ms "${seconds[tr]}"), $(mem "${memory[tr]}") | $(ratio "${seconds[mayusculas]}" "${seconds[tr]}") slower | within 3× | $(verdict 3 "$(awk -v a="${seconds[mayusculas]}" -v b="${seconds[tr]}" 'BEGIN { print a / b }')") |
| \`tildario tilde\` on no text (start-up: the dictionary from its index, hash check included) | $(ms "${seconds[carga]}"), $(mem "${memory[carga]}") | \`hunspell -d es_ES -l\` on no text | $(ms "${seconds[hunspell_start]}"), $(mem "${memory[hunspell_start]}") | $(awk -v r="$start_ratio" 'BEGIN { printf "%.2f of its time", r }') | ≤ 0.5 | $(verdict 0.5 "$start_ratio") |
| \`tildario tilde\`, whole process on $sample_mb MB | $(ms "${seconds[tilde_sample]}"), $(mem "${memory[tilde_sample]}") | \`hunspell -d es_ES -l\`, the same $sample_mb MB | $(ms "${seconds[hunspell]}"), $(mem "${memory[hunspell]}") | $(awk -v r="$sample_share" 'BEGIN { printf "%.2f %% of its time", r }') | ≤ 1 % | $(verdict 1 "$sample_share") |
| \`tildario tilde\`, whole process on $plain_mb MB | $(ms "${seconds[tilde]}") ($(rate "$plain_mb" "${seconds[tilde]}"); after start-up $(awk -v r="$(after_start "${seconds[tilde]}")" 'BEGIN { printf "%.0f MB/s", r }')), $(mem "${memory[tilde]}") | \`hunspell -d es_ES -l\`, per MB | $(rate "$sample_mb" "${seconds[hunspell]}") | $(awk -v r="$per_mb" 'BEGIN { printf "%.0f×", r }') faster per MB | ≥ 300 MB/s after start-up | $(verdict "$(after_start "${seconds[tilde]}")" 300) |
| \`tildario tilde --contexto\`, whole process on $plain_mb MB | $(ms "${seconds[contexto]}") ($(rate "$plain_mb" "${seconds[contexto]}"); after start-up $(awk -v r="$(after_start "${seconds[contexto]}")" 'BEGIN { printf "%.0f MB/s", r }')), $(mem "${memory[contexto]}") | \`tildario tilde\` | $(ms "${seconds[tilde]}") | $(ratio "${seconds[contexto]}" "${seconds[tilde]}") slower | ≥ 50 MB/s | $(verdict "$(awk -v m="$plain_mb" -v s="${seconds[contexto]}" 'BEGIN { print m / s }')" 50) |
| \`tildario repeticion\` | $(ms "${seconds[repeticion]}"), $(mem "${memory[repeticion]}") | \`tr -cs '[:alpha:]' '\\n' \\| sort \\| uniq -c \\| sort -rn\` | $(ms "${seconds[pipeline]}"), $(mem "${memory[pipeline]}") | $(ratio "${seconds[pipeline]}" "${seconds[repeticion]}") faster | faster | $(verdict "$(awk -v a="${seconds[pipeline]}" -v b="${seconds[repeticion]}" 'BEGIN { print a / b }')" 1) |
| dictionary load alone (\`accents_bench\`, \`load_real\`) | $load_ms ms | reading the $(mb "$(bytes "$dictionary")") MB file | | | ≤ 60 ms | $(verdict 60 "$load_ms") |
| context model load alone (\`accents_bench\`, \`load_context_model\`) | $context_load_ms ms | reading the $(mb "$(bytes "$context_model")") MB file | | | a few ms | |
| dictionary from its index (\`accents_bench\`, \`load_real_index\`: hash the file 256 records at a time, check the index as it is read), as the tray loads it | $index_load_ms ms | \`load_real\` | $load_ms ms | $(awk -v a="$index_load_ms" -v b="$load_ms" 'BEGIN { printf "%.2f of its time", a / b }') | ≤ 0.25 | $(verdict 0.25 "$(awk -v a="$index_load_ms" -v b="$load_ms" 'BEGIN { print a / b }')") |
| the tray's private memory for the dictionary, from its index (\`dictionary_memory.exe\` under Wine: committed private bytes before and after loading, mapped files aside) | $tray_index_mb MB | from the records alone | $tray_records_mb MB | | ≤ 14 MB | $(verdict 14 "$tray_index_mb") |

Memory on $big_mb MB of text (the stripped text again and again): \`tildario mayusculas\`
$(mem "$big_upper_kb"), \`tildario tilde\` $(mem "$big_tilde_kb") at its peak (the dictionary
included), with \`--contexto\` $(mem "$big_context_kb"). The rewriting commands read and write blocks of 256 kB; the reports hold the whole text.

Measured on $(date -u +%Y-%m-%d).

EOF
cat "$notes" >> "$report"
rm -f "$notes"
cat "$report"
