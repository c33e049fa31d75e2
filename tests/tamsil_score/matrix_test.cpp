// Matrix files: round trips of both forms, header and body rejections, the
// big-endian layout, free-format text, and zero counts raised to 1.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "matrix.h"

namespace {

std::unique_ptr<MarkovMatrix> NewMatrix() { return std::unique_ptr<MarkovMatrix>(new MarkovMatrix()); }

std::unique_ptr<MarkovMatrix> RandomMatrix(int k, int kn, unsigned seed, int high = 100000) {
  auto mat = NewMatrix();
  std::strcpy(mat->version, "v1.2");
  mat->codingLen = k;
  mat->nonCodingLen = kn;
  mat->codingWords = Pow4(k);
  mat->nonCodingWords = Pow4(kn);
  std::mt19937 rng(seed);
  for (int p = 0; p < 3; ++p)
    for (int w = 0; w < mat->codingWords; ++w) mat->occurences[p][w] = static_cast<int>(rng() % high) + 1;
  for (int w = 0; w < mat->nonCodingWords; ++w) mat->nonCodingOccurences[w] = static_cast<int>(rng() % high) + 1;
  return mat;
}

std::string Contents(FILE *f) {
  std::fflush(f);
  const long size = std::ftell(f);
  std::string out(static_cast<size_t>(size), '\0');
  std::rewind(f);
  if (size > 0) {
    EXPECT_EQ(std::fread(&out[0], 1, out.size(), f), out.size());
  }
  return out;
}

std::string WriteToText(const MarkovMatrix *mat, int ascii) {
  FILE *f = std::tmpfile();
  EXPECT_EQ(WriteMatrix(mat, ascii, f), 1);
  std::string out = Contents(f);
  std::fclose(f);
  return out;
}

// Reads `bytes` as a matrix file; returns ReadMatrix's result, and the
// message written on standard error in *message.
int ReadFrom(const std::string &bytes, int ascii, MarkovMatrix *mat, std::string *message = nullptr) {
  FILE *f = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::rewind(f);
  testing::internal::CaptureStderr();
  const int result = ReadMatrix(mat, ascii, f);
  const std::string err = testing::internal::GetCapturedStderr();
  if (message) *message = err;
  std::fclose(f);
  return result;
}

void ExpectSameCounts(const MarkovMatrix &a, const MarkovMatrix &b) {
  ASSERT_EQ(a.codingLen, b.codingLen);
  ASSERT_EQ(a.nonCodingLen, b.nonCodingLen);
  ASSERT_EQ(a.codingWords, b.codingWords);
  ASSERT_EQ(a.nonCodingWords, b.nonCodingWords);
  for (int p = 0; p < 3; ++p)
    for (int w = 0; w < a.codingWords; ++w) ASSERT_EQ(a.occurences[p][w], b.occurences[p][w]);
  for (int w = 0; w < a.nonCodingWords; ++w) ASSERT_EQ(a.nonCodingOccurences[w], b.nonCodingOccurences[w]);
}

std::string Word(uint32_t v) {
  const char bytes[4] = {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                         static_cast<char>(v)};
  return std::string(bytes, 4);
}

std::string BinaryHeader(const std::string &version, int k, int kn, int wc, int wn) {
  std::string block(16, '\0');
  block.replace(0, std::min<size_t>(version.size(), 16), version.substr(0, 16));
  return block + Word(static_cast<uint32_t>(k)) + Word(static_cast<uint32_t>(kn)) +
         Word(static_cast<uint32_t>(wc)) + Word(static_cast<uint32_t>(wn));
}

TEST(MatrixFiles, RoundTripBothFormsAllWordLengths) {
  for (int k = 1; k <= 8; ++k) {
    const int kn = 9 - k;
    const auto original = RandomMatrix(k, kn, static_cast<unsigned>(k));
    auto fromText = NewMatrix();
    auto fromBinary = NewMatrix();
    ASSERT_EQ(ReadFrom(WriteToText(original.get(), 1), 1, fromText.get()), 1) << k;
    ASSERT_EQ(ReadFrom(WriteToText(original.get(), 0), 0, fromBinary.get()), 1) << k;
    ExpectSameCounts(*original, *fromText);
    ExpectSameCounts(*fromText, *fromBinary);
    EXPECT_STREQ(fromText->version, "v1.2");
    EXPECT_STREQ(fromBinary->version, "v1.2");
  }
}

TEST(MatrixFiles, WrittenLayouts) {
  auto mat = RandomMatrix(1, 1, 5);
  for (int p = 0; p < 3; ++p)
    for (int w = 0; w < 4; ++w) mat->occurences[p][w] = 10 * p + w;
  for (int w = 0; w < 4; ++w) mat->nonCodingOccurences[w] = 100 + w;
  mat->occurences[2][3] = -2;
  EXPECT_EQ(WriteToText(mat.get(), 1),
            "v1.2 1 1 4 4\n0\t10\t20\t\n1\t11\t21\t\n2\t12\t22\t\n3\t13\t-2\t\n100\n101\n102\n103\n");
  std::string body;
  for (int p = 0; p < 3; ++p)
    for (int w = 0; w < 4; ++w) body += Word(static_cast<uint32_t>(mat->occurences[p][w]));
  for (int w = 0; w < 4; ++w) body += Word(static_cast<uint32_t>(100 + w));
  const std::string binary = WriteToText(mat.get(), 0);
  EXPECT_EQ(binary, BinaryHeader("v1.2", 1, 1, 4, 4) + body);
  EXPECT_EQ(binary.size(), 32u + 12 * 4 + 4 * 4);
}

TEST(MatrixFiles, TextReadsFreeFormat) {
  const auto original = RandomMatrix(2, 1, 9);
  std::string text = "  v1.2\n2\n1 16   4\n";
  for (int w = 0; w < 16; ++w)
    for (int p = 0; p < 3; ++p) text += std::to_string(original->occurences[p][w]) + (w % 3 ? " " : "\n\n");
  for (int w = 0; w < 4; ++w) text += "\t" + std::to_string(original->nonCodingOccurences[w]);
  auto read = NewMatrix();
  ASSERT_EQ(ReadFrom(text, 1, read.get()), 1);
  ExpectSameCounts(*original, *read);
}

TEST(MatrixFiles, TextHeaderRejections) {
  const char *headers[] = {
      "v1.2 6 5 4000 1024\n",   // wrong word count
      "v1.2 6 5 4096 1000\n",
      "v1.3 2 2 16 16\n",       // other version
      "v1.2x 2 2 16 16\n",      // longer one beginning with it
      "v1.20000000000000000000000000000000000 2 2 16 16\n",  // longer than the field
      "V1.2 2 2 16 16\n",
      "v1.2 0 2 1 16\n",        // lengths out of 1 .. 8
      "v1.2 2 9 16 262144\n",
      "v1.2 2 -1 16 0\n",
      "v1.2 2 2 16\n",          // fields missing
      "v1.2 2 x 16 16\n",
      "",
      "   \n",
  };
  for (const char *header : headers) {
    auto mat = NewMatrix();
    std::string message;
    std::string file = header;
    for (int i = 0; i < 200; ++i) file += "1\t";
    EXPECT_EQ(ReadFrom(file, 1, mat.get(), &message), 0) << header;
    EXPECT_EQ(message, "*Error* [0] Invalid ascii matrix header\n") << header;
  }
}

TEST(MatrixFiles, BinaryHeaderRejectionsAndTrustedLengths) {
  const std::string body(4 * (12 * 4096 + 1024), '\0');
  auto mat = NewMatrix();
  // Stored word counts are replaced by those of the lengths.
  ASSERT_EQ(ReadFrom(BinaryHeader("v1.2", 6, 5, 4000, 1024) + body, 0, mat.get()), 1);
  EXPECT_EQ(mat->codingWords, 4096);
  EXPECT_EQ(mat->nonCodingWords, 1024);

  struct Case {
    std::string file;
    const char *what;
  };
  const Case cases[] = {
      {BinaryHeader("v1.3", 6, 5, 4096, 1024) + body, "other version"},
      {BinaryHeader("v1.2x", 6, 5, 4096, 1024) + body, "longer version"},
      {BinaryHeader("v1.2", 0, 5, 4096, 1024) + body, "length 0"},
      {BinaryHeader("v1.2", 6, 9, 4096, 1024) + body, "length 9"},
      {BinaryHeader("v1.2", -3, 5, 4096, 1024) + body, "negative length"},
      {BinaryHeader("v1.2", 6, 5, 4096, 1024).substr(0, 30), "cut in the header"},
      {std::string("v1.2"), "cut in the version"},
      {std::string(), "empty"},
  };
  for (const Case &c : cases) {
    std::string message;
    EXPECT_EQ(ReadFrom(c.file, 0, mat.get(), &message), 0) << c.what;
    EXPECT_EQ(message, "*Error* [0] Invalid binary matrix header\n") << c.what;
  }
}

TEST(MatrixFiles, BodyRejections) {
  const auto original = RandomMatrix(3, 2, 13);
  const std::string binary = WriteToText(original.get(), 0);
  const std::string text = WriteToText(original.get(), 1);
  auto mat = NewMatrix();
  std::string message;

  EXPECT_EQ(ReadFrom(binary.substr(0, binary.size() - 1), 0, mat.get(), &message), 0);
  EXPECT_EQ(message, "*Error* [0] Invalid binary matrix body\n");
  EXPECT_EQ(ReadFrom(binary.substr(0, 40), 0, mat.get(), &message), 0);
  EXPECT_EQ(message, "*Error* [0] Invalid binary matrix body\n");
  // Bytes after the last count are ignored.
  EXPECT_EQ(ReadFrom(binary + "extra", 0, mat.get()), 1);

  const std::string texts[] = {
      text.substr(0, text.size() / 2),                        // cut short
      std::string(text).replace(text.find('\t', 30), 1, "\tx"),  // not a number in the coding counts
      text.substr(0, text.rfind('\n', text.size() - 2) + 1) + "z\n",  // nor in the non-coding ones
      text.substr(0, text.find('\n') + 1) + "99999999999\t",  // does not fit 32 bits
  };
  for (const std::string &t : texts) {
    EXPECT_EQ(ReadFrom(t, 1, mat.get(), &message), 0);
    EXPECT_EQ(message, "*Error* [0] Invalid ascii matrix body\n");
  }
  EXPECT_EQ(ReadFrom(text, 1, mat.get()), 1);
}

TEST(MatrixFiles, ZeroCountsReadAsOne) {
  for (int ascii = 0; ascii <= 1; ++ascii) {
    auto original = RandomMatrix(3, 2, 17);
    original->occurences[1][5] = 0;
    original->occurences[0][Codage("ACG", 3)] = 0;
    original->nonCodingOccurences[15] = 0;
    auto mat = NewMatrix();
    ASSERT_EQ(ReadFrom(WriteToText(original.get(), ascii), ascii, mat.get()), 1);
    EXPECT_EQ(mat->occurences[1][5], 1);
    EXPECT_EQ(mat->nonCodingOccurences[15], 1);
    // The reverse-strand table derived from the zero is raised as well
    // (ACG in phase 0 is CGT in phase 0 on the other strand for k = 3).
    EXPECT_EQ(mat->negOccurences[0][Codage("CGT", 3)], 1);
    for (int p = 0; p < 3; ++p)
      for (int w = 0; w < 64; ++w) {
        ASSERT_GE(mat->occurences[p][w], 1);
        ASSERT_GE(mat->negOccurences[p][w], 1);
      }
  }
}

TEST(MatrixFiles, WriterRefusesInconsistentLengths) {
  auto mat = RandomMatrix(3, 2, 1);
  mat->codingWords = 1 << 20;  // would read past the tables
  FILE *f = std::tmpfile();
  testing::internal::CaptureStderr();
  EXPECT_EQ(WriteMatrix(mat.get(), 0, f), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "*Error* [0] Invalid binary matrix header\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(WriteMatrix(mat.get(), 1, f), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "*Error* [0] Invalid ascii matrix header\n");
  std::fclose(f);
}

}  // namespace
