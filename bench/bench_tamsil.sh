#!/usr/bin/env bash
# tamsil_score on the genome-scale scenario: the retained CDSs of
# cds_coords.txt (about 5,000 sequences, 4.5 Mb) scored with a word-length
# 6/5 matrix trained on the same genome (coding words from the CDSs,
# non-coding words from the regions between them), matrix loading included.
#   bench/bench_tamsil.sh <bin dir> <data dir>
# Needs tamsil_train (bench/tamsil_train.cmake, built with -DSUITE_BENCH=ON).
# Prints the best wall time of three runs of each.
set -euo pipefail
bin=$1
data=$2
work="$data/tamsil"
mkdir -p "$work"

python3 - "$data/genome.fasta" "$data/cds_coords.txt" "$work" <<'PY'
import os
import sys

genome_path, coords_path, work = sys.argv[1:4]
with open(genome_path) as f:
    genome = "".join(line.strip() for line in f if not line.startswith(">"))
complement = str.maketrans("ACGTacgt", "TGCAtgca")
covered = bytearray(len(genome))
with open(coords_path) as coords, open(os.path.join(work, "cds.fasta"), "w") as out:
    for line in coords:
        label, frame, begin, end = line.split()
        begin, end = int(begin), int(end)
        seq = genome[begin - 1:end]
        if int(frame) < 0:
            seq = seq.translate(complement)[::-1]
        covered[begin - 1:end] = b"\x01" * (end - begin + 1)
        out.write(">%s %s %d %d\n" % (label, frame, begin, end))
        out.writelines(seq[i:i + 60] + "\n" for i in range(0, len(seq), 60))
with open(os.path.join(work, "noncoding.fasta"), "w") as out:
    start = None
    for pos in range(len(genome) + 1):
        inside = pos < len(genome) and not covered[pos]
        if inside and start is None:
            start = pos
        elif not inside and start is not None:
            out.write(">nc%d\n%s\n" % (start + 1, genome[start:pos]))
            start = None
PY

"$bin/tamsil_train" 6 5 "$work/cds.fasta" "$work/noncoding.fasta" "$work/Matrix6_5"

# best_time <tamsil_score arguments...> : best of three runs, in seconds
best_time() {
  local best=0 start elapsed
  for _ in 1 2 3; do
    start=$(date +%s%N)
    "$bin/tamsil_score" "$@" > /dev/null
    elapsed=$(( $(date +%s%N) - start ))
    if [ "$best" = 0 ] || [ "$elapsed" -lt "$best" ]; then best=$elapsed; fi
  done
  printf '%d.%03d' $(( best / 1000000000 )) $(( best / 1000000 % 1000 ))
}

count=$(grep -c '^>' "$work/cds.fasta")
letters=$(grep -v '^>' "$work/cds.fasta" | tr -d '\n' | wc -c)
frame1=$("$bin/tamsil_score" -m "$work/Matrix6_5" -t 50 "$work/cds.fasta" | wc -l)
echo "tamsil_score, $count CDSs ($letters nt), matrix 6/5:        $(best_time -m "$work/Matrix6_5" "$work/cds.fasta") s"
echo "tamsil_score, the same with -I -z:                        $(best_time -I -z -m "$work/Matrix6_5" "$work/cds.fasta") s"
echo "tamsil_score, the same with -o (FASTA output):            $(best_time -o -m "$work/Matrix6_5" "$work/cds.fasta") s"
echo "($frame1 of $count CDSs score P[frame1] >= 0.5)"
