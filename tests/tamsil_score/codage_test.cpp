// Nucleotide coding utilities: text operations, word codes, codons, frames,
// reverse-strand counts, messages and paths.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "codage.h"

namespace {

std::string Apply(std::string text, void (*op)(char *)) {
  op(&text[0]);
  return text;
}

TEST(CodageText, InPlaceOperations) {
  EXPECT_EQ(Apply("ACGTNUacgt-", Complement), "TGCANUacgt-");
  EXPECT_EQ(Apply("acgu-Un", RNAtoDNA), "acgu-Tn");
  std::string up = "acGt*n1";
  EXPECT_EQ(Upper(&up[0]), &up[0]);
  EXPECT_EQ(up, "ACGT*N1");
  std::string rev = "ACGTT";
  EXPECT_EQ(Reverse(&rev[0]), &rev[0]);
  EXPECT_EQ(rev, "TTGCA");
  std::string empty;
  EXPECT_EQ(std::string(Reverse(&empty[0])), "");
  EXPECT_EQ(Reverse(nullptr), nullptr);
}

TEST(CodageWords, LetterValuesAndPowers) {
  EXPECT_EQ(Valeur('A'), 0);
  EXPECT_EQ(Valeur('C'), 1);
  EXPECT_EQ(Valeur('G'), 2);
  EXPECT_EQ(Valeur('T'), 3);
  for (int c : {'N', 'a', 't', '\0', 'U', '*'}) EXPECT_EQ(Valeur(c), 0) << c;
  EXPECT_EQ(ValeurComplement(0), 3);
  EXPECT_EQ(ValeurComplement(1), 2);
  EXPECT_EQ(ValeurComplement(2), 1);
  EXPECT_EQ(ValeurComplement(3), 0);
  EXPECT_EQ(ValeurComplement(7), 0);
  EXPECT_EQ(ValeurComplement(-1), 0);
  int expected = 1;
  for (int n = 0; n <= 8; ++n, expected *= 4) EXPECT_EQ(Pow4(n), expected);
}

TEST(CodageWords, KnownCodes) {
  EXPECT_EQ(Codage("ACGT", 4), 27);
  EXPECT_EQ(CodageComplement(27, 4), 27);  // its own reverse complement
  EXPECT_EQ(Codage("AAC", 3), 1);
  EXPECT_EQ(CodageComplement(1, 3), Codage("GTT", 3));
  EXPECT_EQ(CodageComplement(1, 3), 47);
  EXPECT_EQ(Codage("TTTTTTTT", 8), 65535);
  EXPECT_EQ(Codage("ACGT", 0), 0);
  EXPECT_EQ(Codage("ACGT", -2), 0);
}

TEST(CodageWords, LettersPastTheEndCountAsA) {
  // Leftovers after the terminating NUL must never be read.
  const char buffer[] = {'A', 'C', '\0', 'G', 'G', 'G', 'G', 'G'};
  EXPECT_EQ(Codage(buffer, 6), Codage("ACAAAA", 6));
  EXPECT_EQ(Codage("", 7), 0);
}

TEST(CodageWords, RollingCodesMatchDirectCodes) {
  std::mt19937 rng(7);
  for (int k = 1; k <= 8; ++k) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += "ACGTN"[rng() % 5];
    int code = Codage(text.c_str(), k);
    for (size_t i = 1; i + k <= text.size(); ++i) {
      code = SuiteCodage(text.c_str() + i, code, k);
      ASSERT_EQ(code, Codage(text.c_str() + i, k)) << "k=" << k << " i=" << i;
    }
  }
}

TEST(CodageWords, ComplementCodeIsReverseComplementWord) {
  std::mt19937 rng(11);
  for (int k = 1; k <= 8; ++k) {
    for (int trial = 0; trial < 50; ++trial) {
      std::string word;
      for (int i = 0; i < k; ++i) word += "ACGT"[rng() % 4];
      std::string rc = word;
      Reverse(&rc[0]);
      Complement(&rc[0]);
      ASSERT_EQ(CodageComplement(Codage(word.c_str(), k), k), Codage(rc.c_str(), k)) << word;
    }
  }
}

TEST(CodageCodons, Examples) {
  const char *stops = "/TAA/TAG/TGA/";
  const char *seq = "ATGTAAGG";
  EXPECT_EQ(FindCodon(seq, 8, stops, 0, 7), 3);
  EXPECT_EQ(FindCodon(seq, 8, stops, 1, 7), -1);  // TGT, AAG
  EXPECT_EQ(FindCodon(seq, 8, stops, 2, 7), -1);  // GTA, AGG
  EXPECT_EQ(FindCodon(seq, 8, stops, 0, 4), -1);  // only ATG lies within 0 .. 4
  EXPECT_EQ(FindCodon(seq, 8, stops, -5, 100), 3);
  EXPECT_EQ(FindCodon(seq, 8, stops, 20, 30), -1);  // lowered to the last letter
  EXPECT_EQ(FindCodon("", 0, stops, 0, -1), -1);
  EXPECT_EQ(FindCodon("TAGTAA", 6, stops, 0, 5), 0);
  // Letters of neighbouring entries never match across a separator, but
  // any three-letter piece of the list does.
  EXPECT_EQ(FindCodon("AAT", 3, stops, 0, 2), -1);
  EXPECT_EQ(FindCodon("AA/", 3, stops, 0, 2), 0);
  EXPECT_EQ(FindCodon("TAA", 3, "TAA", 0, 2), 0);
  EXPECT_EQ(FindCodon("TAA", 3, "TA", 0, 2), -1);
}

// The plain scan: each codon looked for in the list text with strstr.
int PlainFindCodon(const char *seq, int n, const char *list, int from, int to) {
  const int last = n - 1;
  int start = from < 0 ? 0 : from;
  if (start > last) start = last;
  int end = to < start ? start : to;
  if (end > last) end = last;
  const int count = (end - start + 1) / 3;
  for (int i = 0; i < count; ++i) {
    const int pos = start + 3 * i;
    const char codon[4] = {seq[pos], seq[pos + 1], seq[pos + 2], '\0'};
    if (std::strstr(list, codon)) return pos;
  }
  return -1;
}

TEST(CodageCodons, SameAsPlainScanOnRandomInputs) {
  std::mt19937 rng(3);
  const char letters[] = "ACGT/N";
  for (int trial = 0; trial < 4000; ++trial) {
    const int n = static_cast<int>(rng() % 40);
    std::string seq, list;
    for (int i = 0; i < n; ++i) seq += letters[rng() % 4];
    const int listLen = static_cast<int>(rng() % 25);
    for (int i = 0; i < listLen; ++i) list += letters[rng() % 6];
    const int from = static_cast<int>(rng() % 50) - 5;
    const int to = static_cast<int>(rng() % 50) - 5;
    ASSERT_EQ(FindCodon(seq.c_str(), n, list.c_str(), from, to),
              PlainFindCodon(seq.c_str(), n, list.c_str(), from, to))
        << seq << " " << list << " " << from << " " << to;
  }
}

TEST(CodageFrames, InternalFrameByLengthModuloThree) {
  for (int n : {0, 3, 99, 1, 4, 100, 2, 5, 101}) {
    EXPECT_EQ(InternalFrame(0, 1, n), 0);
    EXPECT_EQ(InternalFrame(1, 1, n), 2);
    EXPECT_EQ(InternalFrame(2, 1, n), 1);
  }
  const int reverse[3][3] = {{0, 1, 2}, {2, 0, 1}, {1, 2, 0}};
  for (int n = 0; n < 12; ++n)
    for (int i = 0; i < 3; ++i) EXPECT_EQ(InternalFrame(i, 0, n), reverse[n % 3][i]) << n << " " << i;
}

TEST(CodageCounts, ReverseCountsComeFromReverseComplementInMatchingPhase) {
  static int occ[3][kMaxWords];
  static int neg[3][kMaxWords];
  for (int k = 1; k <= 8; ++k) {
    for (int p = 0; p < 3; ++p)
      for (int w = 0; w < Pow4(k); ++w) occ[p][w] = 1000000 * (p + 1) + w;
    ComputeNegOccurences(neg, occ, k);
    for (int p = 0; p < 3; ++p) {
      const int q = (3 - ((k + p) % 3)) % 3;
      for (int w = 0; w < Pow4(k); ++w)
        ASSERT_EQ(neg[p][w], occ[q][CodageComplement(w, k)]) << k << " " << p << " " << w;
    }
  }
  // Word length 3: phase 0 reads phase 0, phase 1 reads phase 2, phase 2 reads phase 1.
  ComputeNegOccurences(neg, occ, 3);
  const int aac = Codage("AAC", 3);
  const int gtt = Codage("GTT", 3);
  EXPECT_EQ(neg[0][aac], occ[0][gtt]);
  EXPECT_EQ(neg[1][aac], occ[2][gtt]);
  EXPECT_EQ(neg[2][aac], occ[1][gtt]);
}

TEST(CodageFiles, MatrixPathUsesEnvironment) {
  unsetenv("TAMSIL_MATDIR");
  EXPECT_STREQ(MatrixPathName("Matrix"), "Matrix");
  setenv("TAMSIL_MATDIR", "/data", 1);
  EXPECT_STREQ(MatrixPathName("Matrix"), "/data/Matrix");
  EXPECT_STREQ(MatrixPathName("/abs/M"), "/data//abs/M");
  const std::string longName(3000, 'm');
  EXPECT_EQ(std::string(MatrixPathName(longName.c_str())), "/data/" + longName);
  unsetenv("TAMSIL_MATDIR");
}

TEST(CodageFiles, OpenFailuresAreReported) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(OpenFile("/nonexistent/dir/M", "rb"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "*Error* [0] cant open file /nonexistent/dir/M in mode rb\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(AssignToStdin("/nonexistent/dir/seq"), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "*Error* [0] cant open file /nonexistent/dir/seq to read\n");
}

TEST(CodageMessages, ErreurReturnsZeroOrExits) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(Erreur("just a note", 0), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "*Error* [0] just a note\n");
  EXPECT_EXIT(Erreur("Not enough memory", 10), testing::ExitedWithCode(10),
              "\\*Error\\* \\[10\\] Not enough memory");
}

}  // namespace
