#!/usr/bin/env bash
# qvx on the genome-scale scenario: 10 nucleotide patterns of 6 to 12
# positions with 1 mismatch (-a dna) on the 5 Mb genome, then 10 protein
# patterns (-a prot) on proteins.fasta.
#   bench/bench_qvx.sh <bin dir> <data dir>
# Prints the best wall time of three runs of each, and the hits found.
set -euo pipefail
bin=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/dna.pat" <<'PATTERNS'
/ 10 nucleotide motifs, 6 to 12 positions, 1 mismatch
TATAAT        1
TTGACA        1
AGGAGGT       1
GGATCCR       1
CAATTGCA      1
ATGAAACGC     1
YTAACCGTTR    1
GCGGCCGCAT    1
TGCATGCATGC   1
ATGCGTACGTAA  1
PATTERNS

cat > "$work/prot.pat" <<'PATTERNS'
/ 10 protein motifs
G[DE]S#[GIV]!HP![DE]#  1
GXGXXG                 1
C[AG]HX[LIVM]XC        1
[ST]GG[ST]             0
KRKR                   1
HXXXH                  0
[LIVMF]GEKMA           1
DEAD                   0
P[ST]P                 0
W[FY]G[DE]L            1
PATTERNS

# best_time <output file> <qvx arguments...> : best of three runs, in seconds
best_time() {
  local out=$1 best=0 start elapsed
  shift
  for _ in 1 2 3; do
    start=$(date +%s%N)
    "$bin/qvx" "$@" > "$out"
    elapsed=$(( $(date +%s%N) - start ))
    if [ "$best" = 0 ] || [ "$elapsed" -lt "$best" ]; then best=$elapsed; fi
  done
  printf '%d.%03d' $(( best / 1000000000 )) $(( best / 1000000 % 1000 ))
}

hits() { grep -c $'^\\[[0-9]*\\]\t[0-9]*\t[0-9]*\t[0-9]*\t' "$1" || true; }

genome="$data/genome.fasta"
proteins="$data/proteins.fasta"
t=$(best_time "$work/dna.out" -a dna "$work/dna.pat" "$genome")
echo "qvx -a dna, 10 patterns (1 mismatch), $(wc -c < "$genome") bytes: $t s ($(hits "$work/dna.out") hit lines)"
t=$(best_time "$work/dna-p.out" -a dna -p "$work/dna.pat" "$genome")
echo "qvx -a dna -p (no hit lines), same search:         $t s"
count=$(grep -c '^>' "$proteins")
t=$(best_time "$work/prot.out" -a prot -q 1 "$work/prot.pat" "$proteins")
echo "qvx -a prot -q 1, 10 patterns, $count proteins:    $t s ($(hits "$work/prot.out") hit lines)"
