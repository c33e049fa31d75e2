// tamsil_train: writes a Markov matrix for tamsil_score from training sequences.
//   tamsil_train [-a] codingLen nonCodingLen coding.fasta noncoding.fasta matrix
// Coding words are counted by phase (word start position mod 3) in every
// record of coding.fasta; non-coding words in every record of noncoding.fasta.
// -a writes the text form, otherwise the binary form.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "codage.h"
#include "fasta.h"
#include "matrix.h"

namespace {

bool sCount(const char *path, int k, MarkovMatrix *mat, bool coding) {
  FILE *stream = std::fopen(path, "r");
  if (!stream) {
    std::fprintf(stderr, "tamsil_train: cannot read %s\n", path);
    return false;
  }
  FastaSequence *seq = NewFastaSequence();
  while (seq && ReadFastaSequence(stream, seq)) {
    if (!seq->ok) continue;
    Upper(seq->seq);
    RNAtoDNA(seq->seq);
    for (int i = 0; i + k <= seq->length; ++i) {
      const int code = Codage(seq->seq + i, k);
      if (coding)
        ++mat->occurences[i % 3][code];
      else
        ++mat->nonCodingOccurences[code];
    }
  }
  FreeFastaSequence(seq);
  std::fclose(stream);
  return true;
}

}  // namespace

int main(int argc, char **argv) {
  int arg = 1;
  int ascii = 0;
  if (arg < argc && std::strcmp(argv[arg], "-a") == 0) {
    ascii = 1;
    ++arg;
  }
  if (argc - arg != 5) {
    std::fprintf(stderr, "usage: tamsil_train [-a] codingLen nonCodingLen coding.fasta noncoding.fasta matrix\n");
    return 1;
  }
  const int k = std::atoi(argv[arg]);
  const int kn = std::atoi(argv[arg + 1]);
  if (k < 1 || k > 8 || kn < 1 || kn > 8) {
    std::fprintf(stderr, "tamsil_train: word lengths must lie in 1 .. 8\n");
    return 1;
  }
  MarkovMatrix *mat = new (std::nothrow) MarkovMatrix();
  if (!mat) return 1;
  std::strcpy(mat->version, kMatrixVersion);
  mat->codingLen = k;
  mat->nonCodingLen = kn;
  mat->codingWords = Pow4(k);
  mat->nonCodingWords = Pow4(kn);
  int status = 1;
  if (sCount(argv[arg + 2], k, mat, true) && sCount(argv[arg + 3], kn, mat, false)) {
    FILE *out = std::fopen(argv[arg + 4], ascii ? "w" : "wb");
    if (out) {
      const int written = WriteMatrix(mat, ascii, out);
      if (std::fclose(out) == 0 && written) status = 0;
    }
    if (status != 0) std::fprintf(stderr, "tamsil_train: cannot write %s\n", argv[arg + 4]);
  }
  delete mat;
  return status;
}
