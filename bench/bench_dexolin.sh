#!/usr/bin/env bash
# Dexolin on the genome-scale scenario: the genome loaded alone (empty
# standard input), then the sequences of every CDS of cds_coords.txt.
#   bench/bench_dexolin.sh <bin dir> <data dir>
# Prints the best wall time of three runs of each.
set -euo pipefail
bin=$1
data=$2
genome="$data/genome.fasta"
coords="$data/cds_coords.txt"

# best_time <stdin file> : best of three runs, in seconds
best_time() {
  local best=0 start elapsed
  for _ in 1 2 3; do
    start=$(date +%s%N)
    "$bin/Dexolin" "$genome" < "$1" > /dev/null
    elapsed=$(( $(date +%s%N) - start ))
    if [ "$best" = 0 ] || [ "$elapsed" -lt "$best" ]; then best=$elapsed; fi
  done
  printf '%d.%03d' $(( best / 1000000000 )) $(( best / 1000000 % 1000 ))
}

size=$(wc -c < "$genome")
count=$(wc -l < "$coords")
letters=$("$bin/Dexolin" "$genome" < "$coords" | grep -v '^>' | tr -d '\n' | wc -c)
echo "Dexolin, genome of $size bytes loaded alone:        $(best_time /dev/null) s"
echo "Dexolin, $count CDS lines ($letters letters written): $(best_time "$coords") s"
