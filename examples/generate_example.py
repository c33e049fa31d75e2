#!/usr/bin/env python3
"""Example data for the suite: a small synthetic bacterial genome whose genes,
coding curve and CDS lists hold planted frameshifts, with everything the
suite reads from outside (standard library only).

Writes into examples/data/ (or --out DIR):

  genome.fasta        the genome, one record, 60 letters per line
  curve.txt           coding curve: a row every 12 nt from position 49,
                      position, the six frame probabilities (+1 +2 +3 -1 -2 -3)
                      and non-coding
  precds_frame.txt    candidate genes, "label begin end frame" (pelcor_score)
  precds_strand.txt   the same candidates, ">label begin end D|R" (pelcor_stat)
  Matrix              Markov matrix of tamsil_score, text form, word length 5,
                      trained on the planted genes
  cds_list.txt        non-filtered candidate list (trevane -l)
  cds_filtered.txt    filtered CDS file, header line + sequence lines (trevane -f)

The first five files are the inputs of the whole chain (examples/chain.sh);
the two CDS lists are written straight from the layout, for trevane alone:

  trevane -c curve.txt -l cds_list.txt -f cds_filtered.txt -r

The layout (LAYOUT below) places ordinary genes and, on both strands, genes
whose coding signal passes into another frame: staggered CDS pairs (reported
as OVERLAPPING), a CDS nested in a CDS of another frame (COMPENSATED), and
coding stretches that no candidate covers (ONLYPCOD); and genes whose open
reading frame begins upstream of their real start codon, where the curve
starts coding (the candidate's first ATG is not the best start). Every
candidate is an open reading frame of the genome. The output depends only on
the parameters below and --seed.
"""

import argparse
import os
import random
import re

GENOME_SIZE = 30000
CURVE_FIRST_ROW = 49      # position of the first curve row (the pelcor tools
                          # give its values to positions 0 to 48 as well)
CURVE_STEP = 12           # nucleotides between two curve rows
SIGNAL_OVERLAP = 36       # where a gene changes frame, both frames code this far
MATRIX_WORD = 5           # word length of the Markov matrix

# The planted layout. Coordinates are 1-based and inclusive; a CDS is
# (begin, end) with its stop codon, and its frame follows from its start:
# on the direct strand from `begin`, on the reverse strand from `end`.
#   gene         an ordinary gene: one candidate, retained
#   overlapping  a gene read in two frames: CDS 1, then CDS 2 beginning
#                inside CDS 1 in another frame (the curve changes frame
#                where they overlap)
#   nested       a CDS inside a longer CDS of another frame, both coding
#   late         a gene whose ORF begins upstream of its real start codon,
#                given after the ORF; the curve codes from that start only,
#                so pelcor_stat and pelcor_restat move the start downstream
#   stretch      coding signal in one frame that no candidate covers
# Each entry: (kind, strand, coordinates...); a stretch: (kind, strand,
# first, last, frame).
LAYOUT = [
    ("gene", +1, (301, 1200)),
    ("overlapping", +1, (1501, 2400), (2201, 3400)),     # overlap 199: STRONG
    ("gene", -1, (3700, 4599)),
    ("nested", +1, (4801, 6300), (5402, 5800)),          # 399 of 1500 nt
    ("stretch", +1, 6700, 7060, 2),                      # 361 nt: STRONG
    ("late", +1, (7501, 8700), 7921),                    # start 420 nt downstream
    ("overlapping", -1, (9001, 10200), (10101, 11300)),  # overlap 99: WEAK
    ("gene", +1, (11701, 12600)),
    ("nested", -1, (13001, 14500), (13503, 13832)),      # 330 of 1500 nt
    ("late", -1, (15001, 16200), 15780),                 # start 420 nt downstream
    ("stretch", -1, 16600, 16860, -2),                   # 261 nt: STRONG
    ("overlapping", +1, (17101, 18000), (17852, 19102)), # overlap 148: MEDIUM
    ("late", +1, (19501, 20700), 19951),                 # start 450 nt downstream
    ("gene", -1, (21001, 22200)),
    ("overlapping", -1, (22500, 23399), (23201, 24601)), # overlap 198: STRONG
    ("gene", +1, (25001, 26401)),
    ("stretch", +1, 26800, 27000, 1),                    # 201 nt: MEDIUM
    ("late", -1, (27301, 28500), 28047),                 # start 453 nt downstream
]

# Candidates that are not retained: the longest other ORFs (at least 150 nt,
# none near a coding stretch), this many per planted CDS.
SPURIOUS_PER_GENE = 1

STOPS = ("TAA", "TAG", "TGA")
COMPLEMENT = str.maketrans("ACGT", "TGCA")
# Gene bodies hold no ATG in their own frame: a planted ORF's only in-frame
# start codons are the planted ones.
SENSE = [a + b + c for a in "ACGT" for b in "ACGT" for c in "ACGT"
         if a + b + c not in STOPS and a + b + c != "ATG"]


def revcomp(seq):
    return seq.translate(COMPLEMENT)[::-1]


def frame_of(strand, begin, end):
    """Reading frame of a CDS: +1..+3 from its begin, -1..-3 from its end."""
    if strand > 0:
        return (begin - 1) % 3 + 1
    return -((GENOME_SIZE - end) % 3) - 1


def frame_index(frame):
    """Curve column of a frame: +1 +2 +3 -1 -2 -3 -> 0..5."""
    return frame - 1 if frame > 0 else 2 - frame


class Cds:
    """A planted ORF, begin..end with its stop codon; `start` is the first
    base (in reading direction) of its real start codon."""

    def __init__(self, strand, begin, end, start=None):
        assert (end - begin + 1) % 3 == 0, (begin, end)
        self.strand, self.begin, self.end = strand, begin, end
        self.frame = frame_of(strand, begin, end)
        if start is None:
            start = begin if strand > 0 else end
        assert begin <= start <= end and (start - begin if strand > 0 else end - start) % 3 == 0
        self.start = start
        self.label = None


def plan(layout):
    """CDSs of the layout (retained, in begin order), the CDSs of each entry
    (strand, parts), the coding stretches (frame, first, last) and the coding
    signals, (frame, first, last) on the curve."""
    cdss, groups, stretches, signals = [], [], [], []
    for entry in layout:
        kind, strand = entry[0], entry[1]
        if kind == "stretch":
            stretches.append((entry[4], entry[2], entry[3]))
            signals.append((entry[4], entry[2], entry[3]))
            continue
        if kind == "late":
            parts = [Cds(strand, *entry[2], start=entry[3])]
        else:
            parts = [Cds(strand, *bounds) for bounds in entry[2:]]
        cdss.extend(parts)
        groups.append((strand, parts))
        if kind in ("gene", "late"):
            cds = parts[0]
            first, last = (cds.start, cds.end) if strand > 0 else (cds.begin, cds.start)
            signals.append((cds.frame, first, last))
        elif kind == "nested":
            outer, inner = parts
            assert outer.begin < inner.begin and inner.end < outer.end
            assert outer.frame != inner.frame
            signals.append((outer.frame, outer.begin, outer.end))
            signals.append((inner.frame, inner.begin, inner.end))
        else:
            first, second = parts
            assert first.frame != second.frame
            assert first.begin < second.begin < first.end < second.end
            # The gene's signal leaves the frame of the CDS read first (the
            # upstream one on its strand) in the middle of the overlap.
            upstream, downstream = (first, second) if strand > 0 else (second, first)
            middle = (second.begin + first.end) // 2
            if strand > 0:
                signals.append((upstream.frame, upstream.begin, middle + SIGNAL_OVERLAP))
                signals.append((downstream.frame, middle - SIGNAL_OVERLAP, downstream.end))
            else:
                signals.append((upstream.frame, middle - SIGNAL_OVERLAP, upstream.end))
                signals.append((downstream.frame, downstream.begin, middle + SIGNAL_OVERLAP))
    cdss.sort(key=lambda c: (c.begin, c.end))
    for number, cds in enumerate(cdss, 1):
        cds.label = "cds%03d" % number
    return cdss, groups, stretches, signals


# ---------------------------------------------------------------------------
# Genome

def open_frames(total, fixed, protected, rng, weights):
    """Text of `total` letters holding the `fixed` letters, in which every
    codon starting at a position of `protected` is a sense codon other than
    ATG; None when no such text was found. A codon that no codon of another
    frame overlaps is drawn with the codon bias; the other letters are chosen
    left to right, a codon being checked when its last letter is chosen."""
    seq = [None] * total
    for pos, letter in fixed.items():
        seq[pos] = letter
    codon_starts = sorted(protected)
    for c in codon_starts:
        if not protected & {c - 2, c - 1, c + 1, c + 2} and seq[c:c + 3] == [None] * 3:
            seq[c:c + 3] = rng.choices(SENSE, weights=weights)[0]
    order = ["A", "C", "G", "T"]
    for x in range(total):
        if seq[x] is not None:
            continue
        rng.shuffle(order)
        for letter in order:
            seq[x] = letter
            if all("".join(seq[c:c + 3]) in SENSE for c in (x - 2, x - 1, x)
                   if c in protected and None not in seq[c:c + 3]):
                break
        else:
            return None
    text = "".join(seq)
    return text if all(text[c:c + 3] in SENSE for c in codon_starts) else None


def entry_text(strand, parts, rng, weights):
    """Genome span and reading-direction text of one layout entry: each CDS
    an open reading frame (its start codons, sense codons, a stop codon)
    preceded by a stop codon in its frame, so that the ORF begins where
    planted; where two CDSs share positions both frames stay open."""
    if strand > 0:
        lo, hi = min(c.begin for c in parts) - 3, max(c.end for c in parts)
        offset = {id(c): (c.begin - lo, c.start - lo) for c in parts}
    else:
        lo, hi = min(c.begin for c in parts), max(c.end for c in parts) + 3
        offset = {id(c): (hi - c.end, hi - c.start) for c in parts}
    for _ in range(100):
        codons, protected = {}, set()
        for c in parts:
            first, start = offset[id(c)]
            last = first + c.end - c.begin - 2      # the stop codon
            codons.update({first - 3: rng.choice(STOPS), first: "ATG", start: "ATG",
                           last: rng.choice(STOPS)})
            protected |= set(range(first + 3, last, 3)) - {start}
        fixed = {}
        for pos, codon in codons.items():
            for k, letter in enumerate(codon):
                assert fixed.setdefault(pos + k, letter) == letter, "planted codons collide"
        text = open_frames(hi - lo + 1, fixed, protected, rng, weights)
        if text is not None:
            return lo, hi, text
    raise RuntimeError("no sequence fits the entry at %d" % lo)


def pseudogene(length, rng, weights):
    """Coding-like text without a start codon, broken by a stop every 27 codons."""
    return "".join(rng.choice(STOPS) if k % 27 == 13 else rng.choices(SENSE, weights=weights)[0]
                   for k in range(length // 3))


def build_genome(groups, stretches, rng):
    """Non-coding background, each layout entry written as open reading
    frames on its strand, and a pseudogene in the frame of each coding
    stretch."""
    weights = [0.3 + 1.4 * rng.random() for _ in SENSE]    # a fixed codon bias
    genome = rng.choices("ACGT", weights=(30, 20, 20, 30), k=GENOME_SIZE)
    for strand, parts in groups:
        lo, hi, text = entry_text(strand, parts, rng, weights)
        genome[lo - 1:hi] = text if strand > 0 else revcomp(text)
    for frame, first, last in stretches:
        if frame > 0:
            lo = next(p for p in range(first, first + 3) if frame_of(1, p, p) == frame)
            text = pseudogene(last - lo + 1, rng, weights)
            genome[lo - 1:lo - 1 + len(text)] = text
        else:
            hi = next(p for p in range(last, last - 3, -1) if frame_of(-1, p, p) == frame)
            text = revcomp(pseudogene(hi - first + 1, rng, weights))
            genome[hi - len(text):hi] = text
    return "".join(genome)


# ---------------------------------------------------------------------------
# Candidates

def find_orfs(genome):
    """Every maximal ORF on both strands, (begin, end, strand) with its stop
    codon: from the first ATG after the previous in-frame stop codon."""
    size = len(genome)
    orfs = []
    for strand, text in ((1, genome), (-1, revcomp(genome))):
        for phase in range(3):
            start = None
            for k in range(phase, size - 2, 3):
                codon = text[k:k + 3]
                if codon in STOPS:
                    if start is not None:
                        lo, hi = start + 1, k + 3
                        orfs.append((lo, hi, 1) if strand > 0 else (size - hi + 1, size - lo + 1, -1))
                    start = None
                elif codon == "ATG" and start is None:
                    start = k
    return orfs


def candidate_list(genome, cdss, stretches):
    """The planted ORFs and the longest other ORFs, as (begin, end, strand,
    start) in increasing begin order."""
    orfs = find_orfs(genome)
    planted = {(c.begin, c.end, c.strand): c.start for c in cdss}
    missing = set(planted) - set(orfs)
    assert not missing, "planted CDS that is not an ORF: %s" % sorted(missing)
    others = [o for o in orfs if o not in planted and o[1] - o[0] + 1 >= 150
              and not any(first - 40 <= o[1] and o[0] <= last + 40 for _, first, last in stretches)]
    others.sort(key=lambda o: (o[1] - o[0], o[0]), reverse=True)
    others = others[:len(cdss) * SPURIOUS_PER_GENE]
    return sorted([o + (planted[o],) for o in planted] +
                  [o + (o[0] if o[2] > 0 else o[1],) for o in others])


# ---------------------------------------------------------------------------
# Curve, matrix and files

def curve_rows(signals, rng):
    """Rows of the curve: high probability in a frame wherever it codes."""
    rows = []
    for pos in range(CURVE_FIRST_ROW, GENOME_SIZE + 1, CURVE_STEP):
        values = [rng.uniform(0.0, 0.12) for _ in range(6)]
        for frame, first, last in signals:
            if first <= pos <= last:
                values[frame_index(frame)] = rng.uniform(0.78, 0.98)
        rows.append((pos, values))
    return rows


def write_matrix(path, genome, cdss, k):
    """Markov matrix in text form: coding words counted by phase in each
    planted CDS from its real start, non-coding words outside every CDS."""
    code = {"A": 0, "C": 1, "G": 2, "T": 3}

    def count(seq, tables, phased):
        for i in range(len(seq) - k + 1):
            word = 0
            for letter in seq[i:i + k]:
                word = word * 4 + code[letter]
            tables[i % 3 if phased else 0][word] += 1

    coding = [[0] * 4 ** k for _ in range(3)]
    noncoding = [[0] * 4 ** k]
    covered = bytearray(len(genome))
    for c in cdss:
        covered[c.begin - 1:c.end] = b"\x01" * (c.end - c.begin + 1)
        count(genome[c.start - 1:c.end] if c.strand > 0 else revcomp(genome[c.begin - 1:c.start]),
              coding, True)
    for m in re.finditer(b"\x00+", bytes(covered)):
        count(genome[m.start():m.end()], noncoding, False)
    with open(path, "w") as out:
        out.write("v1.2 %d %d %d %d\n" % (k, k, 4 ** k, 4 ** k))
        out.writelines("%d\t%d\t%d\t\n" % (coding[0][w], coding[1][w], coding[2][w])
                       for w in range(4 ** k))
        out.writelines("%d\n" % n for n in noncoding[0])


def wrap(seq, width=60):
    return "".join(seq[k:k + width] + "\n" for k in range(0, len(seq), width))


def write_outputs(out_dir, genome, rows, cdss, candidates):
    os.makedirs(out_dir, exist_ok=True)
    with open(os.path.join(out_dir, "genome.fasta"), "w") as out:
        out.write(">genome synthetic example genome, %d nt\n" % len(genome))
        out.write(wrap(genome))
    with open(os.path.join(out_dir, "curve.txt"), "w") as out:
        for pos, values in rows:
            out.write("%d\t%s\t%.4f\n" % (pos, "\t".join("%.4f" % v for v in values),
                                          1.0 - max(values)))
    with open(os.path.join(out_dir, "cds_list.txt"), "w") as out, \
            open(os.path.join(out_dir, "precds_frame.txt"), "w") as by_frame, \
            open(os.path.join(out_dir, "precds_strand.txt"), "w") as by_strand:
        for number, (begin, end, strand, start) in enumerate(candidates, 1):
            frame = frame_of(strand, begin, end)
            out.write(">orf%04d %d %d %d %f %f %d\n" % (number, begin, start, end,
                                                         0.9, 0.9, frame))
            by_frame.write("orf%04d %d %d %d\n" % (number, begin, end, frame))
            by_strand.write(">orf%04d %d %d %s\n" % (number, begin, end, "D" if strand > 0 else "R"))
    with open(os.path.join(out_dir, "cds_filtered.txt"), "w") as out:
        for c in cdss:
            length = c.end - c.begin + 1
            from_start = c.end - c.start + 1 if c.strand > 0 else c.start - c.begin + 1
            out.write(">%s %d %d %d %d %d %f %f %d %s 1\n" % (
                c.label, c.begin, c.start, c.end, *((length, from_start) if c.strand > 0
                                                    else (from_start, length)),
                0.9, 0.9, c.frame, "D" if c.strand > 0 else "R"))
            seq = genome[c.begin - 1:c.end - 3] if c.strand > 0 else revcomp(genome[c.begin + 2:c.end])
            out.write(wrap(seq))
    write_matrix(os.path.join(out_dir, "Matrix"), genome, cdss, MATRIX_WORD)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    here = os.path.dirname(os.path.abspath(__file__))
    ap.add_argument("--out", default=os.path.join(here, "data"))
    ap.add_argument("--seed", type=int, default=2004)
    args = ap.parse_args()
    rng = random.Random(args.seed)
    cdss, groups, stretches, signals = plan(LAYOUT)
    genome = build_genome(groups, stretches, rng)
    candidates = candidate_list(genome, cdss, stretches)
    rows = curve_rows(signals, rng)
    write_outputs(args.out, genome, rows, cdss, candidates)
    print("example: %d nt, %d curve rows, %d candidates, %d retained CDSs -> %s"
          % (len(genome), len(rows), len(candidates), len(cdss), args.out))


if __name__ == "__main__":
    main()
