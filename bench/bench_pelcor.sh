#!/usr/bin/env bash
# The candidate chain on the genome-scale scenario: pelcor_score on the
# precds list, pelcor_restat on its seq list (curve 1, both start lists,
# default thresholds), then pelcor_filter_bis on the readjusted-start list
# with a gene-model tag column appended; pelcor_stat is timed on its own.
#   bench/bench_pelcor.sh <bin dir> <data dir>
# Prints the best wall time of three runs of each program and the chain total.
set -euo pipefail
bin=$(cd "$1" && pwd)
data=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# best_ns <output file> <command...> : best wall time of three runs, in nanoseconds
best_ns() {
  local out=$1 best=0 start elapsed
  shift
  for _ in 1 2 3; do
    start=$(date +%s%N)
    "$@" > "$out"
    elapsed=$(( $(date +%s%N) - start ))
    if [ "$best" = 0 ] || [ "$elapsed" -lt "$best" ]; then best=$elapsed; fi
  done
  echo "$best"
}
seconds() { printf '%d.%03d' $(( $1 / 1000000000 )) $(( $1 / 1000000 % 1000 )); }

score=$(best_ns "$work/seq.txt" "$bin/pelcor_score" "$data/precds_frame.txt")
restat=$(best_ns "$work/restat.txt" "$bin/pelcor_restat" "$data/curve1.txt" "$work/seq.txt" \
  "$data/genome.fasta" "$data/liste_start" "$data/liste_start_" 0.965 0.22 0.75 195 60)
sed 's/$/ 1/' "$work/restat.txt" > "$work/tagged.txt"
filter=$(best_ns "$work/filtered.txt" "$bin/pelcor_filter_bis" "$work/tagged.txt" \
  "$data/genome.fasta" 0.1 0.4 150 60 0.1 0.3 0.5 0.8 2> "$work/filter_stats.txt")
stat=$(cd "$data" && best_ns "$work/stat.txt" "$bin/pelcor_stat" curve1.txt precds_strand.txt genome.fasta)

line() { printf '%-64s %s s\n' "$1" "$(seconds "$2")"; }
line "pelcor_score, $(wc -l < "$work/seq.txt") candidates:" "$score"
line "pelcor_restat, $(wc -l < "$work/restat.txt") rows written:" "$restat"
line "pelcor_filter_bis, $(grep -c '^>' "$work/filtered.txt" || true) genes retained:" "$filter"
line "chain total (pelcor_score + pelcor_restat + pelcor_filter_bis):" $(( score + restat + filter ))
line "pelcor_stat, $(wc -l < "$work/stat.txt") rows written:" "$stat"
