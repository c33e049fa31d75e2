#!/usr/bin/env python3
"""Independent model of tamsil_score's scoring, written from the file formats
and formulas, to cross-check the program on random matrices and sequences.

Usage: reference.py <tamsil_score binary> [rounds]
Each round writes a random text matrix and FASTA file, runs the program with
a random set of options, and compares its standard output byte for byte with
the model's.
"""
import math
import os
import random
import subprocess
import sys
import tempfile

VAL = {"A": 0, "C": 1, "G": 2, "T": 3}


def code(word):
    c = 0
    for ch in word:
        c = c * 4 + VAL.get(ch, 0)
    return c


def revcomp_code(c, k):
    r = 0
    for _ in range(k):
        r = r * 4 + (3 - c % 4)
        c //= 4
    return r


def log_tables(counts, k):
    n = 4 ** k
    total = sum(counts[:n])
    cond, init = [0.0] * n, [0.0] * (n // 4)
    for g in range(n // 4):
        s = counts[4 * g] + counts[4 * g + 1] + counts[4 * g + 2] + counts[4 * g + 3]
        init[g] = math.log10(float(s) / float(total))
        for j in range(4):
            cond[4 * g + j] = math.log10(float(counts[4 * g + j]) / float(s))
    return cond, init


def model(occ, nonc, k, kn):
    occ = [[max(v, 1) for v in t] for t in occ]
    neg = []
    for p in range(3):
        q = (3 - ((k + p) % 3)) % 3
        neg.append([occ[q][revcomp_code(w, k)] for w in range(4 ** k)])
    nonc = [max(v, 1) for v in nonc]
    return ([log_tables(t, k) for t in occ], [log_tables(t, k) for t in neg],
            log_tables(nonc, kn))


def likelihoods(x, m, tabs, k, kn):
    direct, reverse, nonc = tabs
    pad = x + "A" * 16  # letters past the end count as A
    L = [0.0] * 7
    for p in range(3):
        c = code(pad[:k - 1])
        L[p] = direct[p][1][c]
        L[3 + p] = reverse[p][1][c]
        for i in range(m):
            c = code(pad[i:i + k])
            q = (p + i) % 3
            L[p] += direct[q][0][c]
            L[3 + p] += reverse[q][0][c]
    L[6] = nonc[1][code(pad[:kn - 1])]
    for i in range(m):
        L[6] += nonc[0][code(pad[i:i + kn])]
    return L


def pw(x):
    try:
        return math.pow(10.0, x)
    except OverflowError:
        return math.inf


def posteriors(L, prior):
    a = math.log10(prior / 6.0)
    b = math.log10(1.0 - prior)
    P = [0.0] * 7
    for f in range(6):
        s = 0.0
        for g in range(3):
            s += pw(L[g] - L[f])
            s += pw(L[3 + g] - L[f])
        s += pw(((b + L[6]) - L[f]) - a)
        P[f] = 1.0 / s
    s = 0.0
    for g in range(3):
        s += pw(((a + L[g]) - L[6]) - b)
        s += pw(((a + L[3 + g]) - L[6]) - b)
    P[6] = 1.0 / (s + 1.0)
    return P


def has_stop(x, stops, frame):
    return any(x[i:i + 3] in stops for i in range(frame, len(x) - 2, 3))


def internal_frame(i, direct, n):
    if direct:
        return (3 - i) % 3
    return (3 - ((((n + 1) % 3) - i + 5) % 3)) % 3


def expected_output(records, tabs, k, kn, opts):
    out = []
    stops = opts["stops"]
    rev = stops[::-1].translate(str.maketrans("ACGT", "TGCA"))
    for name, comment, seq in records:
        x = seq.upper().replace("U", "T")
        if opts["ignore"] and len(x) > 3:
            x = x[:-3]
        n = len(x)
        P = posteriors(likelihoods(x, n - max(k, kn) + 1, tabs, k, kn), opts["prior"] / 100.0)
        if opts["z"]:
            for f in range(3):
                if has_stop(x, stops, f):
                    P[f] = -1.0
            for f in range(3):
                if has_stop(x, rev, f):
                    P[3 + f] = -1.0
        if not (opts["lower"] / 100.0 <= P[0] <= opts["upper"] / 100.0):
            continue
        cols = [P[internal_frame(i, 1, n)] for i in range(3)]
        cols += [P[3 + internal_frame(i, 0, n)] for i in range(3)] + [P[6]]
        text = " | " + " ".join("%6.3f" % v for v in cols)
        if not opts["fasta"]:
            out.append("%s %s\n" % (name, text[3:]))
        else:
            head = comment[:max(0, 511 - len(text))] + text
            out.append(">%s %s\n" % (name or "no_name", head))
            out.extend(x[i:i + 50] + "\n" for i in range(0, n, 50))
    return "".join(out)


def one_round(binary, rng, work):
    k, kn = rng.randint(1, 5), rng.randint(1, 5)
    high = rng.choice([3, 50, 5000])
    occ = [[rng.randint(0, high) for _ in range(4 ** k)] for _ in range(3)]
    nonc = [rng.randint(0, high) for _ in range(4 ** kn)]
    with open(os.path.join(work, "M"), "w") as f:
        f.write("v1.2 %d %d %d %d\n" % (k, kn, 4 ** k, 4 ** kn))
        for w in range(4 ** k):
            f.write("".join("%d\t" % occ[p][w] for p in range(3)) + "\n")
        for w in range(4 ** kn):
            f.write("%d\n" % nonc[w])
    records = []
    for r in range(rng.randint(1, 12)):
        n = rng.choice([0, 1, 2, 3, 4, 5, 7, 10, 30, 100, 1000, 3000])
        seq = "".join(rng.choice("ACGTacgtUN") for _ in range(n))
        records.append(("s%d" % r, rng.choice(["", "some comment", "x" * 600]), seq))
    with open(os.path.join(work, "seqs.fa"), "w") as f:
        for name, comment, seq in records:
            f.write(">%s%s\n" % (name, " " + comment if comment else ""))
            for i in range(0, len(seq), 61):
                f.write(seq[i:i + 61] + "\n")
    lower = rng.choice([0, 0, 10, 50])
    opts = {"prior": rng.choice([80, 1, 50, 99]), "lower": lower,
            "upper": rng.choice([100, 100, max(lower, 90)]), "ignore": rng.random() < 0.5,
            "z": rng.random() < 0.5, "fasta": rng.random() < 0.3,
            "stops": rng.choice(["/TAA/TAG/TGA/", "/TTT/", "/ACGT/"])}
    args = [binary, "-a", "-m", "M", "-p", str(opts["prior"]), "-t", str(opts["lower"]),
            "-T", str(opts["upper"]), "-S", opts["stops"]]
    args += (["-I"] if opts["ignore"] else []) + (["-z"] if opts["z"] else [])
    args += (["-o"] if opts["fasta"] else []) + ["seqs.fa"]
    proc = subprocess.run(args, cwd=work, capture_output=True)
    expected = expected_output(records, model(occ, nonc, k, kn), k, kn, opts)
    if proc.returncode != 0 or proc.stdout.decode() != expected:
        sys.stdout.write("mismatch with %s\n--- expected\n%s--- actual\n%s%s\n" %
                         (" ".join(args[1:]), expected, proc.stdout.decode(), proc.stderr.decode()))
        return False
    return True


def main():
    binary = os.path.abspath(sys.argv[1])
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 40
    rng = random.Random(20240611)
    with tempfile.TemporaryDirectory() as work:
        for _ in range(rounds):
            if not one_round(binary, rng, work):
                return 1
    print("%d rounds agree" % rounds)
    return 0


if __name__ == "__main__":
    sys.exit(main())
