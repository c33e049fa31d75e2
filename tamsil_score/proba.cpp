// Markov and Bayes coding probabilities (see proba.h).
//
// The sums below are taken in a fixed order: the printed values depend on
// the exact floating-point results.
#include "proba.h"

#include <cmath>

#include "codage.h"

namespace {

// Conditional table of a chain of order k - 1: cond[w] = log10 of the
// probability of the last letter of w given its first k - 1 letters, and
// init[g] = log10 of the probability of the prefix g.
void sProbaCond(int k, const int *counts, double *cond, double *init) {
  const int n = Pow4(k);
  long long total = 0;
  for (int w = 0; w < n; ++w) total += counts[w];
  for (int g = 0; g < n / 4; ++g) {
    const int *group = counts + 4 * g;
    const long long s = static_cast<long long>(group[0]) + group[1] + group[2] + group[3];
    init[g] = std::log10(static_cast<double>(s) / static_cast<double>(total));
    for (int j = 0; j < 4; ++j)
      cond[4 * g + j] = std::log10(static_cast<double>(group[j]) / static_cast<double>(s));
  }
}

}  // namespace

void ProbaCond(MarkovMatrix *mat) {
  for (int p = 0; p < 3; ++p) {
    sProbaCond(mat->codingLen, mat->occurences[p], mat->probaCond[p], mat->probaInit[p]);
    sProbaCond(mat->codingLen, mat->negOccurences[p], mat->negProbaCond[p], mat->negProbaInit[p]);
  }
  sProbaCond(mat->nonCodingLen, mat->nonCodingOccurences, mat->nonCodingProbaCond,
             mat->nonCodingProbaInit);
}

// One pass over the word positions updates all seven sums; each sum still
// receives its terms in the order of the positions.
int ProbaMarkov(const char *seq, int positions, const MarkovMatrix *mat, double L[kHypotheses]) {
  const int k = mat->codingLen;
  const int kn = mat->nonCodingLen;

  const int prefix = Codage(seq, k - 1);
  for (int p = 0; p < 3; ++p) {
    L[p] = mat->probaInit[p][prefix];
    L[3 + p] = mat->negProbaInit[p][prefix];
  }
  L[6] = mat->nonCodingProbaInit[Codage(seq, kn - 1)];

  int c = 0;
  int cn = 0;
  for (int i = 0; i < positions; ++i) {
    if (i == 0) {
      c = Codage(seq, k);
      cn = Codage(seq, kn);
    } else {
      c = SuiteCodage(seq + i, c, k);
      cn = SuiteCodage(seq + i, cn, kn);
    }
    const int phase = i % 3;
    for (int p = 0; p < 3; ++p) {
      int q = phase + p;
      if (q >= 3) q -= 3;
      L[p] += mat->probaCond[q][c];
      L[3 + p] += mat->negProbaCond[q][c];
    }
    L[6] += mat->nonCodingProbaCond[cn];
  }
  return 1;
}

void ProbaBayes(const double L[kHypotheses], double prior, double P[kHypotheses]) {
  const double a = std::log10(prior / 6.0);
  const double b = std::log10(1.0 - prior);
  for (int f = 0; f < 6; ++f) {
    double s = 0.0;
    for (int g = 0; g < 3; ++g) {
      s += std::pow(10.0, L[g] - L[f]);
      s += std::pow(10.0, L[3 + g] - L[f]);
    }
    s += std::pow(10.0, ((b + L[6]) - L[f]) - a);
    P[f] = 1.0 / s;
  }
  double s = 0.0;
  for (int g = 0; g < 3; ++g) {
    s += std::pow(10.0, ((a + L[g]) - L[6]) - b);
    s += std::pow(10.0, ((a + L[3 + g]) - L[6]) - b);
  }
  P[6] = 1.0 / (s + 1.0);
}
