#!/usr/bin/env bash
# Runs the whole suite on the example genome (examples/data/) and says briefly
# what each step made; prints trevane's raw report in full.
#   examples/demo.sh <bin dir>          (make demo: examples/demo.sh build/bin)
# The files are written in $DEMO_OUT, or in a new temporary directory.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 <bin dir>" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
out=${DEMO_OUT:-$(mktemp -d "${TMPDIR:-/tmp}/trevane-demo.XXXXXX")}

"$here/chain.sh" "$1" "$here/data" "$out"
cd "$out"

# hits <start list>: number of hit lines (five fields) in a start list
hits() { awk -F '\t' '/^\[1\]/ && NF == 5' "$1" | wc -l; }
# moved <list>: rows whose alternateStart differs from the candidate's own
# start (columns 2 to 4: begin alternateStart end, column 7: frame)
moved() { awk '($7 > 0 && $3 != $2) || ($7 <= 0 && $3 != $4)' "$1" | wc -l; }
lines() { wc -l < "$1" | tr -d ' '; }
stat() { sed -n "s/^$1 *: *//p" filter_stats.txt; }

genome_size=$(grep -v '^>' genome.fasta | tr -d '\n' | wc -c)
echo "Example genome: $genome_size nt, $(lines precds_frame.txt) candidate genes; files in $out"
echo
echo "1. qvx: start codons on the genome"
echo "   liste_start   $(hits liste_start) ATG (direct-strand starts)"
echo "   liste_start_  $(hits liste_start_) CAT (reverse-strand starts, read on the direct strand)"
echo "2. candidate chain"
echo "   pelcor_score       seq_list.txt      $(lines seq_list.txt) candidates, stop codons removed"
echo "   pelcor_restat      restat_list.txt   $(lines restat_list.txt) candidates, $(moved restat_list.txt) with a start moved downstream"
echo "   awk (tag column)   tagged_list.txt   gene-model tag $(awk 'NR == 1 { print $NF }' tagged_list.txt) appended"
echo "   pelcor_filter_bis  filtered_cds.txt  $(stat total) CDSs retained ($(stat sures) sure, $(stat proba) probable)"
echo "3. pelcor_stat        start_stats.txt   $(lines start_stats.txt) candidates, $(moved start_stats.txt) with a start moved downstream"
echo "4. trevane -c curve.txt -l start_stats.txt -f filtered_headers.txt ($(lines filtered_headers.txt) header lines)"
echo "   raw report, trevane_raw.txt ($(lines trevane_raw.txt) results; position, strength, kind, length,"
echo "   then the right and the left CDS: label begin end frame):"
sed 's/^/     /' trevane_raw.txt
echo "   HTML page: $out/trevane.html"
echo "5. sequences and coding probabilities of the retained CDSs"
echo "   Dexolin       cds.fasta   $(grep -c '^>' cds.fasta) sequences, $(grep -v '^>' cds.fasta | tr -d '\n' | wc -c) nt"
echo "   tamsil_score  scores.txt  $(lines scores.txt) scored, $(awk '$2 >= 0.5' scores.txt | wc -l) with P[frame1] >= 0.5; the lowest P[frame1]:"
sort -k2,2n scores.txt | head -n 3 | sed 's/^/     /'
