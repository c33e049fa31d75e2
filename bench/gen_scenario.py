#!/usr/bin/env python3
"""Genome-scale benchmark scenario for the suite (standard library only).

Writes a synthetic bacterial genome with planted genes on both strands and
every input file the programs read, all derived from the same layout:

  genome.fasta                one record, 60 letters per line
  curve1.txt .. curve3.txt    coding curves, a row every 12 nt, 8 columns
  cds_list.txt                non-filtered candidate list (start-statistics rows)
  cds_filtered.txt            filtered CDS file (header line + sequence lines)
  precds_frame.txt            precds list, frame layout
  precds_strand.txt           precds list, strand-letter layout
  liste_start, liste_start_   start lists (motif-search report of ATG / CAT)
  cds_coords.txt              "<label> <frame> <begin> <end>" lines
  proteins.fasta              translations of the planted genes

Besides ordinary genes the layout plants frameshifted genes (one gene split
into two CDSs of different frames of the same strand, overlapping or nested)
and coding stretches that no candidate covers, so that the frameshift
detector has real work to report at genome scale.

The output depends only on --size and --seed.
"""

import argparse
import bisect
import os
import random
import re
import sys

CURVE_FIRST_ROW = 49      # position of the first curve row
CURVE_STEP = 12           # nucleotides between two curve rows
END_MARGIN = 400          # no gene this close to either end of the genome
SCALE_ONE = 10000         # curve values are held as integers of 1/10000

STOPS = ("TAA", "TAG", "TGA")
COMPLEMENT = str.maketrans("ACGTacgt", "TGCAtgca")

CODON_TABLE = {}
for _i, _a in enumerate("FFLLSSSSYY**CC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG"):
    CODON_TABLE["TCAG"[_i // 16] + "TCAG"[(_i // 4) % 4] + "TCAG"[_i % 4]] = _a
SENSE = sorted(c for c, a in CODON_TABLE.items() if a != "*")


def revcomp(seq):
    return seq.translate(COMPLEMENT)[::-1]


def translate(seq):
    return "".join(CODON_TABLE[seq[k:k + 3]] for k in range(0, len(seq) - 2, 3))


def direct_frame(begin):
    """Frame of a direct-strand CDS whose start codon begins at `begin`."""
    return (begin - 1) % 3 + 1


def reverse_frame(end, genome_size):
    """Frame of a reverse-strand CDS whose start codon begins (reading) at `end`."""
    return -((genome_size - end) % 3) - 1


def frame_index(frame):
    """Curve column of a frame: +1 +2 +3 -1 -2 -3 -> 0..5."""
    return frame - 1 if frame > 0 else 2 - frame


class Gene:
    """One planted coding region (1-based, inclusive, start and stop codons included)."""

    def __init__(self, lo, hi, strand, kind):
        self.lo, self.hi, self.strand, self.kind = lo, hi, strand, kind
        self.frame = 0
        self.candidate = None


# ---------------------------------------------------------------------------
# Sequence building blocks

class Builder:
    def __init__(self, rng):
        self.rng = rng
        # a mild, fixed codon bias, so that coding and non-coding text differ
        self.codon_weights = [0.5 + rng.random() for _ in SENSE]
        self.sense_no_atg = [c for c in SENSE if c != "ATG"]

    def intergenic(self, n):
        return "".join(self.rng.choices("ACGT", weights=(30, 20, 20, 30), k=n))

    def gene(self, length):
        """Direct-strand gene text: ATG, sense codons, a stop codon."""
        body = self.rng.choices(SENSE, weights=self.codon_weights, k=length // 3 - 2)
        return "ATG" + "".join(body) + self.rng.choice(STOPS)

    def pseudogene(self, length):
        """Coding-like text without a start codon, broken by stops every few dozen codons."""
        codons = []
        for k in range(length // 3):
            if k % 27 == 13:
                codons.append(self.rng.choice(STOPS))
            else:
                codons.append(self.rng.choice(self.sense_no_atg))
        return "".join(codons)

    def two_frames(self, total, fixed, protected):
        """Text of `total` letters with the given fixed letters, in which no
        codon starting at a position of `protected` reads as a stop codon.

        Letters are chosen left to right; a codon is checked when its last
        free letter is chosen (later fixed letters are taken into account).
        Two reading frames forbid at most three of the four letters at any
        position, so a choice always exists."""
        seq = [None] * total
        for pos, letter in fixed.items():
            seq[pos] = letter
        order = ["A", "C", "G", "T"]
        for x in range(total):
            if seq[x] is not None:
                continue
            self.rng.shuffle(order)
            for letter in order:
                seq[x] = letter
                if self._codons_ok(seq, x, protected):
                    break
            else:
                raise RuntimeError("no letter fits at %d" % x)
        return "".join(seq)

    @staticmethod
    def _codons_ok(seq, x, protected):
        for c in (x - 2, x - 1, x):
            if c not in protected:
                continue
            codon = seq[c:c + 3]
            if any(letter is None for letter in codon):
                continue  # a later free letter completes this codon
            if "".join(codon) in STOPS:
                return False
        return True


def gene_length(rng, low=300, high=3000):
    length = int(rng.lognormvariate(6.68, 0.48))
    length = min(max(length, low), high)
    return length - length % 3


# ---------------------------------------------------------------------------
# Genome layout

def build_genome(size, rng):
    """Returns the genome text, the planted genes and the coding stretches
    without a candidate (as Gene records of kind 'stretch')."""
    builder = Builder(rng)
    parts = [builder.intergenic(END_MARGIN)]
    cursor = END_MARGIN            # 0-based position of the next letter
    genes, stretches = [], []
    strand = 1
    wide_gap = False

    def place(text, members, construct_strand):
        """Append a direct-strand construct (reverse-complemented for the
        reverse strand); members are (rel_lo, rel_hi, kind), 0-based inclusive."""
        nonlocal cursor
        total = len(text)
        if construct_strand < 0:
            text = revcomp(text)
        parts.append(text)
        placed = []
        for rel_lo, rel_hi, kind in members:
            if construct_strand > 0:
                lo, hi = cursor + rel_lo + 1, cursor + rel_hi + 1
            else:
                lo, hi = cursor + total - rel_hi, cursor + total - rel_lo
            placed.append(Gene(lo, hi, construct_strand, kind))
        cursor += total
        return placed

    # Element kinds, left to right: ordinary genes; frameshifted genes as two
    # CDSs of one strand in different frames, overlapping by 72-330 nt or one
    # nested in the other (the curve is high in both frames where they
    # overlap); and pseudogene-like stretches with coding signal that no
    # candidate covers. At 5 Mb this gives about a hundred of each special kind.
    while True:
        draw = rng.random()
        if draw < 0.018:
            kind = "overlap"
        elif draw < 0.027:
            kind = "nested"
        elif draw < 0.037:
            kind = "stretch"
        else:
            kind = "single"
        if rng.random() > 0.75:
            strand = -strand

        gap = 15 + int(rng.expovariate(1 / 95.0))
        gap = min(gap, 700)
        if kind == "stretch" or wide_gap:
            gap = max(gap, 90)

        if kind == "single":
            length = gene_length(rng)
            text = builder.gene(length)
            members = [(0, length - 1, "single")]
        elif kind == "overlap":
            la = gene_length(rng, 600, 2400)
            overlap = rng.randrange(72, 331)
            shift = rng.choice((1, 2))
            ob = la - overlap
            ob -= (ob - shift) % 3
            lb = max(gene_length(rng, 300, 2400), la - ob + 240)
            lb -= lb % 3
            total = ob + lb
            fixed = _codon_letters({0: "ATG", la - 3: rng.choice(STOPS),
                                    ob: "ATG", ob + lb - 3: rng.choice(STOPS)})
            protected = set(range(3, la - 3, 3)) | set(range(ob + 3, ob + lb - 3, 3))
            text = builder.two_frames(total, fixed, protected)
            members = [(0, la - 1, "split-left"), (ob, ob + lb - 1, "split-right")]
        elif kind == "nested":
            la = gene_length(rng, 1500, 3000)
            lb = rng.randrange(max(360, la // 4), max(361, la * 6 // 10))
            lb -= lb % 3
            shift = rng.choice((1, 2))
            ob = rng.randrange(150, la - lb - 60)
            ob -= (ob - shift) % 3
            fixed = _codon_letters({0: "ATG", la - 3: rng.choice(STOPS),
                                    ob: "ATG", ob + lb - 3: rng.choice(STOPS)})
            protected = set(range(3, la - 3, 3)) | set(range(ob + 3, ob + lb - 3, 3))
            text = builder.two_frames(la, fixed, protected)
            members = [(0, la - 1, "split-outer"), (ob, ob + lb - 1, "split-inner")]
        else:
            length = rng.randrange(300, 721)
            length -= length % 3
            text = builder.pseudogene(length)
            members = [(0, length - 1, "stretch")]

        if cursor + gap + len(text) > size - END_MARGIN:
            break
        parts.append(builder.intergenic(gap))
        cursor += gap
        placed = place(text, members, strand)
        if kind == "stretch":
            stretches.extend(placed)
        else:
            genes.extend(placed)
        wide_gap = kind == "stretch"

    parts.append(builder.intergenic(size - cursor))
    genome = "".join(parts)
    assert len(genome) == size
    for g in genes + stretches:
        g.frame = direct_frame(g.lo) if g.strand > 0 else reverse_frame(g.hi, size)
    return genome, genes, stretches


def _codon_letters(codons):
    fixed = {}
    for pos, codon in codons.items():
        for k, letter in enumerate(codon):
            fixed[pos + k] = letter
    return fixed


# ---------------------------------------------------------------------------
# Open reading frames (the candidate genes)

def find_orfs(genome):
    """Every maximal ORF on both strands: (begin, end, strand), 1-based,
    stop codon included; a direct ORF starts at the first ATG after the
    previous in-frame stop, a reverse one at the last CAT before the next
    in-frame reverse stop."""
    size = len(genome)

    def positions(pattern):
        by_phase = ([], [], [])
        for m in re.finditer("(?=%s)" % pattern, genome):
            by_phase[m.start() % 3].append(m.start())
        return by_phase

    stops = positions("TAA|TAG|TGA")
    starts = positions("ATG")
    rstops = positions("TTA|CTA|TCA")
    rstarts = positions("CAT")
    orfs = []
    for phase in range(3):
        atg = starts[phase]
        previous = phase - 3
        for stop in stops[phase]:
            k = bisect.bisect_right(atg, previous)
            if k < len(atg) and atg[k] < stop:
                orfs.append((atg[k] + 1, stop + 3, 1))
            previous = stop
        cat = rstarts[phase]
        bounds = rstops[phase] + [size + phase]
        for stop, following in zip(bounds, bounds[1:]):
            k = bisect.bisect_left(cat, following) - 1
            if k >= 0 and cat[k] > stop:
                orfs.append((stop + 1, cat[k] + 3, -1))
    return orfs


def choose_candidates(genome, genes, stretches, spurious_per_gene=1.4):
    """Candidates = the ORF of every planted gene + the longest other ORFs,
    about spurious_per_gene of them per gene, none touching a stretch."""
    size = len(genome)
    by_stop = {}
    for g in genes:
        by_stop[(g.strand, g.hi if g.strand > 0 else g.lo)] = g
    blocked = sorted((s.lo - 40, s.hi + 40) for s in stretches)
    blocked_lo = [b[0] for b in blocked]

    def touches_stretch(begin, end):
        k = bisect.bisect_right(blocked_lo, end) - 1
        return k >= 0 and blocked[k][1] >= begin

    spurious = []
    for begin, end, strand in find_orfs(genome):
        key = (strand, end if strand > 0 else begin)
        gene = by_stop.get(key)
        if gene is not None:
            gene.candidate = (begin, end)
        elif end - begin + 1 >= 150 and not touches_stretch(begin, end):
            spurious.append((begin, end, strand))
    missing = [g for g in genes if g.candidate is None]
    if missing:
        raise RuntimeError("planted gene without its ORF at %d" % missing[0].lo)
    spurious.sort(key=lambda o: (o[1] - o[0], o[0]), reverse=True)
    spurious = spurious[:int(len(genes) * spurious_per_gene)]

    candidates = []
    for g in genes:
        candidates.append((g.candidate[0], g.candidate[1], g.strand, g))
    for begin, end, strand in spurious:
        candidates.append((begin, end, strand, None))
    candidates.sort(key=lambda c: (c[0], c[1]))
    return candidates


# ---------------------------------------------------------------------------
# Coding curves

def value_tables(rng):
    """Sorted 256-value tables (in 1/10000) for the three row states:
    0 non-coding, 1 the first codons of a gene (rising), 2 coding."""
    low = [rng.randrange(0, 1200) if rng.random() < 0.96 else rng.randrange(1200, 3500)
           for _ in range(256)]
    rising = [rng.randrange(4000, 9000) for _ in range(256)]
    high = [rng.randrange(7800, 9990) if rng.random() < 0.94 else rng.randrange(5500, 7800)
            for _ in range(256)]
    return [sorted(low), sorted(rising), sorted(high)]


def row_states(size, coding):
    """Per frame index, a bytearray of row states from the coding regions."""
    rows = (size - CURVE_FIRST_ROW) // CURVE_STEP + 1
    states = [bytearray(rows) for _ in range(6)]

    def mark(column, lo, hi, state):
        k0 = max(0, -(-(lo - CURVE_FIRST_ROW) // CURVE_STEP))
        k1 = min(rows - 1, (hi - CURVE_FIRST_ROW) // CURVE_STEP)
        if k1 >= k0:
            column[k0:k1 + 1] = bytes([state]) * (k1 - k0 + 1)

    for g in coding:
        column = states[frame_index(g.frame)]
        mark(column, g.lo, g.hi, 2)
        if g.kind != "stretch":
            if g.strand > 0:
                mark(column, g.lo, min(g.hi, g.lo + 59), 1)
            else:
                mark(column, max(g.lo, g.hi - 59), g.hi, 1)
    return rows, states


def curve_values(states, rng):
    """Curve 1: per frame index, a random table index (0..255) per row."""
    return [list(rng.randbytes(len(column))) for column in states]


def varied(indices, rng, spread):
    """A slight variation of a curve: every table index moved by at most `spread`."""
    out = []
    for column in indices:
        noise = rng.randbytes(len(column))
        width = 2 * spread + 1
        out.append([min(255, max(0, k + b % width - spread)) for k, b in zip(column, noise)])
    return out


def write_curve(path, rows, states, indices, tables):
    text = ["%.4f" % (v / SCALE_ONE) for v in range(SCALE_ONE + 1)]
    values = []
    for state_col, index_col in zip(states, indices):
        values.append([tables[s][k] for s, k in zip(state_col, index_col)])
    with open(path, "w") as out:
        lines = []
        for r in range(rows):
            row = [values[f][r] for f in range(6)]
            noncoding = SCALE_ONE - max(row)
            lines.append("%d\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n" % (
                CURVE_FIRST_ROW + r * CURVE_STEP,
                text[row[0]], text[row[1]], text[row[2]],
                text[row[3]], text[row[4]], text[row[5]], text[noncoding]))
            if len(lines) == 20000:
                out.write("".join(lines))
                lines = []
        out.write("".join(lines))
    return values


class CurveMeans:
    """Mean of curve 1 over a span of positions in one frame (row resolution)."""

    def __init__(self, values, rows):
        self.rows = rows
        self.prefix = []
        for column in values:
            acc, prefix = 0, [0]
            for v in column:
                acc += v
                prefix.append(acc)
            self.prefix.append(prefix)

    def mean(self, frame, lo, hi):
        k0 = max(0, -(-(lo - CURVE_FIRST_ROW) // CURVE_STEP))
        k1 = min(self.rows - 1, (hi - CURVE_FIRST_ROW) // CURVE_STEP)
        if k1 < k0:
            k1 = k0 = min(k0, self.rows - 1)
        prefix = self.prefix[frame_index(frame)]
        return (prefix[k1 + 1] - prefix[k0]) / (k1 - k0 + 1) / SCALE_ONE


# ---------------------------------------------------------------------------
# Candidate statistics and list files

def candidate_stats(begin, end, strand, gene, size, means):
    """(frame, alternateStart, orfMean, startMean) of a candidate, stop codon
    included in begin..end. The alternative start is the planted start codon
    when the ORF reaches further upstream and the gain is clear."""
    if strand > 0:
        frame = direct_frame(begin)
        orf_mean = means.mean(frame, begin, end - 3)
        alternate, start_mean = begin, orf_mean
        if gene is not None and gene.lo > begin:
            candidate_mean = means.mean(frame, gene.lo, end - 3)
            if candidate_mean - orf_mean > 0.09 and end - gene.lo + 1 > 149:
                alternate, start_mean = gene.lo, candidate_mean
    else:
        frame = reverse_frame(end, size)
        orf_mean = means.mean(frame, begin + 3, end)
        alternate, start_mean = end, orf_mean
        if gene is not None and gene.hi < end:
            candidate_mean = means.mean(frame, begin + 3, gene.hi)
            if candidate_mean - orf_mean > 0.09 and gene.hi - begin + 1 > 149:
                alternate, start_mean = gene.hi, candidate_mean
    return frame, alternate, orf_mean, start_mean


def write_candidate_lists(out_dir, candidates, size, means):
    with open(os.path.join(out_dir, "cds_list.txt"), "w") as listing, \
            open(os.path.join(out_dir, "precds_frame.txt"), "w") as by_frame, \
            open(os.path.join(out_dir, "precds_strand.txt"), "w") as by_strand:
        for number, (begin, end, strand, gene) in enumerate(candidates, 1):
            frame, alternate, orf_mean, start_mean = candidate_stats(
                begin, end, strand, gene, size, means)
            label = ">orf%05d" % number
            first, second = (orf_mean, start_mean) if strand > 0 else (start_mean, orf_mean)
            listing.write("%s %d %d %d %f %f %d\n" % (
                label, begin, alternate, end, first, second, frame))
            by_frame.write("%s %d %d %d\n" % (label[1:], begin, end, frame))
            by_strand.write("%s %d %d %s\n" % (label, begin, end, "D" if strand > 0 else "R"))


def wrap(seq, width=60):
    return "".join(seq[k:k + width] + "\n" for k in range(0, len(seq), width))


def write_retained(out_dir, genome, genes, size, means):
    """Filtered CDS file, Dexolin lines and proteins for the planted genes."""
    rows = []
    for g in genes:
        begin, end = g.candidate
        frame, alternate, orf_mean, start_mean = candidate_stats(
            begin, end, g.strand, g, size, means)
        left = alternate if g.strand > 0 else begin + 3
        rows.append([begin, alternate, end, frame, orf_mean, start_mean, left, g])
    rows.sort(key=lambda r: (r[0], r[2]))
    # keep the file in increasing begin order *and* in increasing order of the
    # leftmost coordinate from the alternative start: drop an alternative
    # start that would jump past the next gene
    for k in range(len(rows) - 2, -1, -1):
        if rows[k][6] > rows[k + 1][6]:
            row = rows[k]
            if row[7].strand > 0:
                row[1], row[5], row[6] = row[0], row[4], row[0]
    for k in range(len(rows) - 1):
        assert rows[k][0] <= rows[k + 1][0] and rows[k][6] <= rows[k + 1][6]

    with open(os.path.join(out_dir, "cds_filtered.txt"), "w") as filtered, \
            open(os.path.join(out_dir, "cds_coords.txt"), "w") as coords, \
            open(os.path.join(out_dir, "proteins.fasta"), "w") as proteins:
        for number, (begin, alternate, end, frame, orf_mean, start_mean, _, g) in \
                enumerate(rows, 1):
            label = "genome%04d" % number
            if g.strand > 0:
                filtered.write(">%s %d %d %d %d %d %f %f %d D 1\n" % (
                    label, begin, alternate, end, end - begin + 1, end - alternate + 1,
                    orf_mean, start_mean, frame))
                filtered.write(wrap(genome[begin - 1:end - 3]))
                coding = genome[g.lo - 1:g.hi]
            else:
                filtered.write(">%s %d %d %d %d %d %f %f %d R 1\n" % (
                    label, begin, alternate, end, alternate - begin + 1, end - begin + 1,
                    start_mean, orf_mean, frame))
                filtered.write(wrap(revcomp(genome[begin + 2:end])))
                coding = revcomp(genome[g.lo - 1:g.hi])
            coords.write("%s %d %d %d\n" % (label, frame, begin, end))
            proteins.write(">%s %d..%d %s %s\n" % (
                label, g.lo, g.hi, "D" if g.strand > 0 else "R", g.kind))
            proteins.write(wrap(translate(coding[:-3])))
    return rows


def write_start_list(path, genome, codon):
    """The report of the motif search for `codon` with no mismatch on the genome."""
    hits = [m.start() + 1 for m in re.finditer("(?=%s)" % codon, genome)]
    with open(path, "w") as out:
        out.write("1 patterns read\n")
        out.write("sequence: genome (%d aa)\n" % len(genome))
        lines, previous = [], None
        for pos in hits:
            delta = 0 if previous is None else pos - previous
            lines.append("[1]\t%d\t0\t%d\t%s\n" % (pos, delta, codon))
            previous = pos
        out.write("".join(lines))
        out.write("\ncpu time user: 0.090000 sys: 0.010000 tot: 0.100000\n\n")
        out.write(" --- summary ---\n")
        out.write(" # sequences scanned  : 1\n")
        out.write(" # sequences rejected : 0\n")
        out.write(" # sequences printed  : 1\n")
        out.write(" # residues  scanned  : %d\n\n" % len(genome))
        out.write("pat#\t#hits\t#seq\t<pattern>\n")
        out.write("[1]\t%d\t1\t%s\n\n" % (len(hits), codon))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--out", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "data"),
                        help="output directory (default bench/data)")
    parser.add_argument("--size", type=int, default=5000000,
                        help="genome length in nucleotides (default 5000000)")
    parser.add_argument("--seed", type=int, default=20040401, help="random seed")
    args = parser.parse_args(argv)
    if args.size < 20000:
        parser.error("--size must be at least 20000")
    os.makedirs(args.out, exist_ok=True)
    rng = random.Random(args.seed)

    genome, genes, stretches = build_genome(args.size, rng)
    with open(os.path.join(args.out, "genome.fasta"), "w") as out:
        out.write(">genome synthetic benchmark genome, %d bp\n" % args.size)
        out.write(wrap(genome))

    candidates = choose_candidates(genome, genes, stretches)

    tables = value_tables(rng)
    rows, states = row_states(args.size, genes + stretches)
    indices = curve_values(states, rng)
    values = write_curve(os.path.join(args.out, "curve1.txt"), rows, states, indices, tables)
    write_curve(os.path.join(args.out, "curve2.txt"), rows, states, varied(indices, rng, 6), tables)
    write_curve(os.path.join(args.out, "curve3.txt"), rows, states, varied(indices, rng, 12), tables)
    means = CurveMeans(values, rows)

    write_candidate_lists(args.out, candidates, args.size, means)
    write_retained(args.out, genome, genes, args.size, means)
    write_start_list(os.path.join(args.out, "liste_start"), genome, "ATG")
    write_start_list(os.path.join(args.out, "liste_start_"), genome, "CAT")

    kinds = {}
    for g in genes:
        kinds[g.kind] = kinds.get(g.kind, 0) + 1
    print("gen_scenario: %d nt, %d curve rows, %d candidates, %d retained CDSs "
          "(%d frameshift pairs overlapping, %d nested), %d coding stretches without candidate -> %s"
          % (args.size, rows, len(candidates), len(genes), kinds.get("split-left", 0),
             kinds.get("split-outer", 0), len(stretches), args.out), file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
