// tamsil_score: scores CDS sequences in the six reading frames and against
// the non-coding model with a Markov matrix and Bayes' rule.
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "codage.h"
#include "fasta.h"
#include "matrix.h"
#include "proba.h"

namespace {

const char kVersion[] = "v1.2";
const char kDefaultMatrix[] = "Matrix";
const char kDefaultStops[] = "/TAA/TAG/TGA/";
const int kDefaultPrior = 80;
const int kLineWidth = 50;
const size_t kCommentRoom = 511;

struct Settings {
  int ascii = 0;
  int ignoreLast = 0;
  std::string matrixName = kDefaultMatrix;
  int fastaOutput = 0;
  int prior = kDefaultPrior;
  std::string stops = kDefaultStops;
  int lower = 0;
  int upper = 100;
  int verbose = 0;
  int stopsToMinusOne = 0;
};

void sHelp() {
  const char *sep = "------------------------------------------\t\n";
  const char *blank = "\t\t\t\t\t\t\n";
  std::fputs(sep, stdout);
  std::printf(" Tamsil Version %s\n", kVersion);
  std::fputs(sep, stdout);
  std::fputs("synopsis :\t\t\t\t\t\n", stdout);
  std::fputs("  Markov/Bayes based gene prediction\t\t\n", stdout);
  std::fputs("  * detection phase - score CDS's *\t\t\n", stdout);
  std::fputs(blank, stdout);
  std::fputs("usage: tamsil_score [options] fastafile\t\n", stdout);
  std::fputs(sep, stdout);
  std::fputs("options: \t\t\t\t\t\n", stdout);
  std::fputs(blank, stdout);
  std::fputs("-a : read matrix in [A]scii format\t\t\n", stdout);
  std::fputs("        default: read in binary format \t\n", stdout);
  std::fputs(blank, stdout);
  std::fputs("-h : this [H]elp\t\t\t\t\n", stdout);
  std::fputs(blank, stdout);
  std::fputs("-I : [I]gnore last codon of each sequence\t\n", stdout);
  std::fputs("        default: off \t\t\t\t\n", stdout);
  std::fputs(blank, stdout);
  std::fputs("-m name : [M]atrix filename\t\t\t\n", stdout);
  std::printf("        default: -m %s\n", kDefaultMatrix);
  std::fputs(blank, stdout);
  std::fputs("-o : [O]utput sequence data too (fasta format) \n", stdout);
  std::fputs("        default: off (short output) \t\t\n", stdout);
  std::fputs(blank, stdout);
  std::fputs("-p nn : use nn % as prior coding probability  \n", stdout);
  std::printf("        default: -p %d\n", kDefaultPrior);
  std::fputs(blank, stdout);
  std::fputs("-S string : use string as [S]tops \t\t\n", stdout);
  std::fputs("        string has the form \"/XYZ/.../XYZ/\"  \n", stdout);
  std::printf("        default: -S %s\n", kDefaultStops);
  std::fputs("        note: this is only useful with \t\n", stdout);
  std::fputs("              the -z option\t\t\t\n", stdout);
  std::fputs(blank, stdout);
  std::fputs("-t nn : lower [T]hreshold - output only\t\n", stdout);
  std::fputs("        if P[frame1] >= nn % \t                \n", stdout);
  std::fputs("        default: -t 0\t\t \t\t\n", stdout);
  std::fputs("        note: may be combined with -T \t\t\n", stdout);
  std::fputs(blank, stdout);
  std::fputs("-T nn : upper [T]hreshold - output only\t\n", stdout);
  std::fputs("        if P[frame1] <= nn % \t                \n", stdout);
  std::fputs("        default: -T 100\t \t\t\n", stdout);
  std::fputs("        note: may be combined with -t \t\t\n", stdout);
  std::fputs(blank, stdout);
  std::fputs("-v : set [V]erbose mode\t\t\t\n", stdout);
  std::fputs(blank, stdout);
  std::fputs("-z : force proba to -1 if stop codon\t\t\n", stdout);
  std::fputs("        default: off \t\t\t\t\n", stdout);
  std::fputs(blank, stdout);
  std::fputs(sep, stdout);
  std::fputs(" seqfile : file containing CDS sequences\t\n", stdout);
  std::fputs("             in Fasta format\t\t\t\n", stdout);
  std::fputs(sep, stdout);
}

void sUsage() {
  std::fputs("usage: tamsil_curve [options] seqfile\t\n", stderr);
  std::fputs("type \"tamsil_curve -h\" for help\t\n", stderr);
}

// Reads a decimal integer as "%d" does (leading white space, optional sign,
// at least one digit, anything after ignored); values past the int range
// are held at its bounds, so that the range checks reject them.
bool sScanNumber(const char *text, int *value) {
  char *end = nullptr;
  const long number = std::strtol(text, &end, 10);
  if (end == text) return false;
  *value = static_cast<int>(std::min<long>(std::max<long>(number, INT_MIN), INT_MAX));
  return true;
}

int sCheckSettings(const Settings &set) {
  int errors = 0;
  if (set.prior < 1 || set.prior > 99) {
    Erreur("invalid prior value", 0);
    ++errors;
  }
  if (set.lower < 0 || set.lower > 100) {
    Erreur("invalid lower threshold (-o) value", 0);
    ++errors;
  }
  if (set.upper < 0 || set.upper > 100) {
    Erreur("invalid upper threshold (-O) value", 0);
    ++errors;
  }
  if (set.upper < set.lower) {
    Erreur("incoherent lower/upper threshold (-o -O) values", 0);
    ++errors;
  }
  return errors;
}

// " | " then the seven posteriors in output order.
std::string sLineText(const double P[kHypotheses], int length) {
  double columns[kHypotheses];
  for (int i = 0; i < 3; ++i) {
    columns[i] = P[InternalFrame(i, 1, length)];
    columns[3 + i] = P[3 + InternalFrame(i, 0, length)];
  }
  columns[6] = P[6];
  std::string text = " | ";
  char value[64];
  for (int c = 0; c < kHypotheses; ++c) {
    std::snprintf(value, sizeof value, c < kHypotheses - 1 ? "%6.3f " : "%6.3f", columns[c]);
    text += value;
  }
  return text;
}

void sScoreSequence(FastaSequence *seq, const MarkovMatrix *mat, const Settings &set,
                    const std::string &revStops, double lower, double upper) {
  if (set.verbose) std::fprintf(stderr, "%s [%ld b]\n", seq->name, static_cast<long>(seq->length));
  Upper(seq->seq);
  RNAtoDNA(seq->seq);
  if (set.ignoreLast && seq->length > 3) {
    seq->length -= 3;
    seq->seq[seq->length] = '\0';
  }
  const int n = seq->length;

  double L[kHypotheses];
  double P[kHypotheses];
  ProbaMarkov(seq->seq, n - std::max(mat->codingLen, mat->nonCodingLen) + 1, mat, L);
  ProbaBayes(L, set.prior / 100.0, P);

  if (set.stopsToMinusOne) {
    for (int f = 0; f < 3; ++f)
      if (FindCodon(seq->seq, n, set.stops.c_str(), f, n - 1) >= 0) P[f] = -1.0;
    for (int f = 0; f < 3; ++f)
      if (FindCodon(seq->seq, n, revStops.c_str(), f, n - 1) >= 0) P[3 + f] = -1.0;
  }

  if (!(lower <= P[0] && P[0] <= upper)) return;

  const std::string text = sLineText(P, n);
  if (!set.fastaOutput) {
    std::printf("%s %s\n", seq->name, text.c_str() + 3);
    return;
  }
  const size_t room = kCommentRoom > text.size() ? kCommentRoom - text.size() : 0;
  if (std::strlen(seq->comment) > room) seq->comment[room] = '\0';
  std::strncat(seq->comment, text.c_str(), sizeof seq->comment - 1 - std::strlen(seq->comment));
  WriteFastaSequence(stdout, seq, kLineWidth);
}

}  // namespace

int main(int argc, char **argv) {
  MarkovMatrix *mat = new (std::nothrow) MarkovMatrix();
  if (!mat) Erreur("Not enough memory", 10);
  SetFastaTexts(kFastaTextsTamsil);

  Settings set;
  int errors = 0;
  int opt;
  while ((opt = getopt(argc, argv, "ahIm:op:S:t:T:vz")) != -1) {
    switch (opt) {
      case 'a': set.ascii = 1; break;
      case 'h':
        sHelp();
        delete mat;
        return 0;
      case 'I': set.ignoreLast = 1; break;
      case 'm': set.matrixName = optarg; break;
      case 'o': set.fastaOutput = 1; break;
      case 'p': if (!sScanNumber(optarg, &set.prior)) ++errors; break;
      case 'S': set.stops = optarg; break;
      case 't': if (!sScanNumber(optarg, &set.lower)) ++errors; break;
      case 'T': if (!sScanNumber(optarg, &set.upper)) ++errors; break;
      case 'v': set.verbose = 1; break;
      case 'z': set.stopsToMinusOne = 1; break;
      default: ++errors; break;
    }
  }

  const int operands = argc - optind;
  if (operands > 1)
    ++errors;
  else if (operands == 1 && !AssignToStdin(argv[optind]))
    ++errors;

  errors += sCheckSettings(set);

  FILE *matrixFile = OpenFile(MatrixPathName(set.matrixName.c_str()), set.ascii ? "r" : "rb");
  if (!matrixFile) ++errors;

  if (errors) {
    sUsage();
    if (matrixFile) std::fclose(matrixFile);
    delete mat;
    return 1;
  }

  // Stops as read on the direct strand when they lie on the reverse one.
  std::string revStops = set.stops;
  Reverse(&revStops[0]);
  Complement(&revStops[0]);

  if (!ReadMatrix(mat, set.ascii, matrixFile)) {
    std::fclose(matrixFile);
    delete mat;
    return 3;
  }
  std::fclose(matrixFile);
  ProbaCond(mat);

  const double lower = set.lower / 100.0;
  const double upper = set.upper / 100.0;

  FastaSequence *seq = NewFastaSequence();
  if (!seq) {
    delete mat;
    Erreur("Not enough memory", 10);
  }
  while (ReadFastaSequence(stdin, seq)) {
    if (!seq->ok) {
      const std::string message = std::string("invalid sequence ") + seq->name;
      Erreur(message.c_str(), 0);
      continue;
    }
    sScoreSequence(seq, mat, set, revStops, lower, upper);
  }

  FreeFastaSequence(seq);
  delete mat;
  // Scores that could not be written (a full disk) are a failure, not a run.
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    Erreur("cannot write the scores on standard output", 0);
    return 1;
  }
  return 0;
}
