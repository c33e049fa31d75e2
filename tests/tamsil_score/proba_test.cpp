// Markov likelihoods and Bayes posteriors.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "proba.h"

namespace {

std::unique_ptr<MarkovMatrix> ReadyMatrix(int k, int kn, unsigned seed) {
  std::unique_ptr<MarkovMatrix> mat(new MarkovMatrix());
  mat->codingLen = k;
  mat->nonCodingLen = kn;
  mat->codingWords = Pow4(k);
  mat->nonCodingWords = Pow4(kn);
  std::mt19937 rng(seed);
  for (int p = 0; p < 3; ++p)
    for (int w = 0; w < mat->codingWords; ++w) mat->occurences[p][w] = static_cast<int>(rng() % 1000) + 1;
  for (int w = 0; w < mat->nonCodingWords; ++w) mat->nonCodingOccurences[w] = static_cast<int>(rng() % 1000) + 1;
  ComputeNegOccurences(mat->negOccurences, mat->occurences, k);
  ProbaCond(mat.get());
  return mat;
}

// The likelihoods computed phase by phase, every word coded from scratch.
void PlainProbaMarkov(const std::string &x, int m, const MarkovMatrix &mat, double L[7]) {
  const int k = mat.codingLen, kn = mat.nonCodingLen;
  const std::string padded = x + std::string(16, 'A');
  for (int p = 0; p < 3; ++p) {
    int c = Codage(padded.c_str(), k - 1);
    L[p] = mat.probaInit[p][c];
    L[3 + p] = mat.negProbaInit[p][c];
    for (int i = 0; i < m; ++i) {
      c = Codage(padded.c_str() + i, k);
      L[p] += mat.probaCond[(p + i) % 3][c];
      L[3 + p] += mat.negProbaCond[(p + i) % 3][c];
    }
  }
  int c = Codage(padded.c_str(), kn - 1);
  L[6] = mat.nonCodingProbaInit[c];
  for (int i = 0; i < m; ++i) L[6] += mat.nonCodingProbaCond[Codage(padded.c_str() + i, kn)];
}

TEST(ProbaCondTables, LogProbabilitiesOfPrefixesAndLastLetters) {
  std::unique_ptr<MarkovMatrix> mat(new MarkovMatrix());
  mat->codingLen = 2;
  mat->nonCodingLen = 1;
  for (int p = 0; p < 3; ++p)
    for (int w = 0; w < 16; ++w) mat->occurences[p][w] = w < 4 ? 1 : 2;  // prefix A: 4, others: 8 each
  const int counts[4] = {1, 1, 2, 4};
  std::memcpy(mat->nonCodingOccurences, counts, sizeof counts);
  ComputeNegOccurences(mat->negOccurences, mat->occurences, 2);
  ProbaCond(mat.get());
  EXPECT_DOUBLE_EQ(mat->probaInit[1][0], std::log10(4.0 / 28.0));
  EXPECT_DOUBLE_EQ(mat->probaInit[1][3], std::log10(8.0 / 28.0));
  EXPECT_DOUBLE_EQ(mat->probaCond[2][5], std::log10(0.25));
  EXPECT_EQ(mat->nonCodingProbaInit[0], 0.0);  // word length 1: log10(1)
  EXPECT_DOUBLE_EQ(mat->nonCodingProbaCond[3], std::log10(0.5));
  EXPECT_DOUBLE_EQ(mat->nonCodingProbaCond[0], std::log10(0.125));
}

TEST(ProbaMarkovLikelihoods, SameAsPhaseByPhaseComputation) {
  std::mt19937 rng(99);
  for (int trial = 0; trial < 120; ++trial) {
    const int k = 1 + static_cast<int>(rng() % 8);
    const int kn = 1 + static_cast<int>(rng() % 8);
    const auto mat = ReadyMatrix(k, kn, rng());
    const int n = static_cast<int>(rng() % 200);
    std::string x;
    for (int i = 0; i < n; ++i) x += "ACGTN"[rng() % 5];
    const int m = n - std::max(k, kn) + 1;  // may be 0 or negative: short sequences
    double L[7], expected[7];
    EXPECT_EQ(ProbaMarkov(x.c_str(), m, mat.get(), L), 1);
    PlainProbaMarkov(x, m, *mat, expected);
    for (int h = 0; h < 7; ++h) ASSERT_EQ(L[h], expected[h]) << "k=" << k << " kn=" << kn << " n=" << n;
  }
}

TEST(ProbaMarkovLikelihoods, WordLengthOneHasNoPrefixTerm) {
  const auto mat = ReadyMatrix(1, 1, 4);
  double L[7];
  ProbaMarkov("", 0, mat.get(), L);
  for (double v : L) EXPECT_EQ(v, 0.0);
}

TEST(ProbaBayesPosteriors, EqualLikelihoodsGiveThePriors) {
  for (double value : {0.0, -12.5, -4000.0}) {
    const double L[7] = {value, value, value, value, value, value, value};
    double P[7];
    ProbaBayes(L, 0.8, P);
    for (int f = 0; f < 6; ++f) EXPECT_NEAR(P[f], 0.8 / 6.0, 1e-12);
    EXPECT_NEAR(P[6], 0.2, 1e-12);
  }
}

TEST(ProbaBayesPosteriors, MatchClosedFormAndSumToOne) {
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> like(-30.0, -10.0);
  for (int trial = 0; trial < 200; ++trial) {
    double L[7], P[7];
    for (double &v : L) v = like(rng);
    const double prior = 0.01 + 0.98 * (rng() % 1000) / 1000.0;
    ProbaBayes(L, prior, P);
    double z = (1.0 - prior) * std::pow(10.0, L[6]);
    for (int f = 0; f < 6; ++f) z += prior / 6.0 * std::pow(10.0, L[f]);
    double sum = 0.0;
    for (int f = 0; f < 6; ++f) {
      EXPECT_NEAR(P[f], prior / 6.0 * std::pow(10.0, L[f]) / z, 1e-9);
      sum += P[f];
    }
    EXPECT_NEAR(P[6], (1.0 - prior) * std::pow(10.0, L[6]) / z, 1e-9);
    EXPECT_NEAR(sum + P[6], 1.0, 1e-9);
  }
}

TEST(ProbaBayesPosteriors, FarApartLikelihoodsGiveExactlyZeroAndOne) {
  const double L[7] = {-500.0, -1500.0, -1500.0, -1500.0, -1500.0, -1500.0, -1500.0};
  double P[7];
  ProbaBayes(L, 0.8, P);
  EXPECT_EQ(P[0], 1.0);
  for (int h = 1; h < 7; ++h) EXPECT_EQ(P[h], 0.0) << h;
}

TEST(ProbaBayesPosteriors, LongSequenceStaysFinite) {
  // A strongly phased coding model scores a long in-frame sequence far below
  // the double range; the posteriors are still exactly 1 and 0.
  std::unique_ptr<MarkovMatrix> mat(new MarkovMatrix());
  mat->codingLen = 3;
  mat->nonCodingLen = 3;
  mat->codingWords = mat->nonCodingWords = 64;
  for (int p = 0; p < 3; ++p)
    for (int w = 0; w < 64; ++w) mat->occurences[p][w] = 1;
  mat->occurences[0][Codage("ACG", 3)] = 1000000;
  mat->occurences[1][Codage("CGA", 3)] = 1000000;
  mat->occurences[2][Codage("GAC", 3)] = 1000000;
  for (int w = 0; w < 64; ++w) mat->nonCodingOccurences[w] = 100;
  ComputeNegOccurences(mat->negOccurences, mat->occurences, 3);
  ProbaCond(mat.get());
  std::string x;
  for (int i = 0; i < 100000; ++i) x += "ACG";
  double L[7], P[7];
  ProbaMarkov(x.c_str(), static_cast<int>(x.size()) - 3 + 1, mat.get(), L);
  EXPECT_LT(L[6], -1000.0);
  EXPECT_EQ(std::pow(10.0, L[6]), 0.0);  // such a likelihood itself underflows
  ProbaBayes(L, 0.8, P);
  EXPECT_EQ(P[0], 1.0);
  for (int h = 1; h < 7; ++h) EXPECT_EQ(P[h], 0.0) << h;
}

}  // namespace
