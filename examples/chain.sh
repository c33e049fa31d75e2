#!/usr/bin/env bash
# The whole suite on one genome: from a precds list of candidate genes, a coding
# curve and a Markov matrix to the frameshift report and the scored CDSs.
#   examples/chain.sh <bin dir> <data dir> <output dir>
# <data dir> holds genome.fasta, curve.txt, precds_frame.txt,
# precds_strand.txt and the text Markov matrix Matrix (examples/data/ is one).
# Every file is written in <output dir> (created if needed), the inputs being
# copied there first so that the run is self-contained. Stops at the first
# step that fails.
set -euo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 <bin dir> <data dir> <output dir>" >&2
  exit 2
fi
bin=$(cd "$1" && pwd)
data=$(cd "$2" && pwd)
mkdir -p "$3"
out=$(cd "$3" && pwd)

fail() { echo "chain: $*" >&2; exit 1; }

for f in genome.fasta curve.txt precds_frame.txt precds_strand.txt Matrix; do
  [ -f "$data/$f" ] || fail "missing input $data/$f"
  cp "$data/$f" "$out/$f"
done
cd "$out"

# Filter thresholds (pelcor_restat, pelcor_filter_bis): the usual values.
RESTAT_ARGS=(0.965 0.22 0.75 195 60)        # PROBA_REAJUST PROBA_REAJUST_diff SURE L_PRO L_SUR
FILTER_ARGS=(0.1 0.4 150 60 0.1 0.3 0.5 0.8) # PROBA SURE L_PRO L_SUR SR_INCLU_SURE1 SR_INCLU_SURE2 SR_CHEV_PRO_SUR SR_TOT_PRO
GENE_MODEL_TAG=1

# 1. Start lists: every ATG of the direct strand, and every CAT of the direct
#    strand for the reverse strand (a reverse ATG read on the direct strand).
printf 'ATG 0\n' > start_direct.pat
printf 'CAT 0\n' > start_reverse.pat
"$bin/qvx" start_direct.pat genome.fasta > liste_start || fail "qvx (ATG) failed"
"$bin/qvx" start_reverse.pat genome.fasta > liste_start_ || fail "qvx (CAT) failed"

# 2. Candidate chain: seq list, readjusted starts, gene-model tag, filter.
"$bin/pelcor_score" precds_frame.txt > seq_list.txt || fail "pelcor_score failed"
"$bin/pelcor_restat" curve.txt seq_list.txt genome.fasta liste_start liste_start_ \
  "${RESTAT_ARGS[@]}" > restat_list.txt || fail "pelcor_restat failed"
awk -v tag="$GENE_MODEL_TAG" 'NF { print $0, tag }' restat_list.txt > tagged_list.txt
"$bin/pelcor_filter_bis" tagged_list.txt genome.fasta "${FILTER_ARGS[@]}" \
  > filtered_cds.txt 2> filter_stats.txt || fail "pelcor_filter_bis failed"

# 3. Start statistics of every candidate (reads liste_start and liste_start_
#    from the working directory): trevane's non-filtered CDS list.
"$bin/pelcor_stat" curve.txt precds_strand.txt genome.fasta > start_stats.txt \
  || fail "pelcor_stat failed"

# 4. Frameshifts: the header lines of the filtered CDS file are trevane's
#    filtered CDS list.
grep '^>' filtered_cds.txt > filtered_headers.txt || fail "no CDS retained"
"$bin/trevane" -c curve.txt -l start_stats.txt -f filtered_headers.txt -r \
  > trevane_raw.txt 2> trevane_raw.log || fail "trevane -r failed (see $out/trevane_raw.log)"
"$bin/trevane" -c curve.txt -l start_stats.txt -f filtered_headers.txt -o \
  > trevane.html 2> trevane_html.log || fail "trevane -o failed (see $out/trevane_html.log)"

# 5. Sequences of the retained CDSs from their chosen start to their stop
#    codon (direct: alternateStart..end, reverse: begin..alternateStart),
#    then their coding probabilities, the stop codon left out (-I).
awk '{ label = substr($1, 2)
       if ($10 == "D") print label, $9, $3, $4
       else            print label, $9, $2, $3 }' filtered_headers.txt > cds_coords.txt
"$bin/Dexolin" genome.fasta < cds_coords.txt > cds.fasta || fail "Dexolin failed"
TAMSIL_MATDIR="$out" "$bin/tamsil_score" -a -I -m Matrix cds.fasta > scores.txt \
  || fail "tamsil_score failed"
