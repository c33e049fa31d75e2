// Record layouts, formatted scanning and genome FASTA reading of the candidate tools.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "pelcorFiles.h"
#include "pelcorFormats.h"
#include "pelcorScan.h"

namespace {

std::string SeqLine(long begin, long end, int frame) {
  std::string out;
  append_seq_line(out, begin, end, frame);
  return out;
}

std::string WriteTemp(const std::string& name, const std::string& content) {
  std::string path = testing::TempDir() + name;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(content.data(), 1, content.size(), f);
  std::fclose(f);
  return path;
}

TEST(SeqList, FixedWidthWithSignAndLongValues) {
  EXPECT_EQ(SeqLine(100, 396, 2), ">seq 0000000100 0000000396 2\n");
  EXPECT_EQ(SeqLine(7, -3, 0), ">seq 0000000007 -000000003 0\n");
  EXPECT_EQ(SeqLine(12345678901L, 1, -1), ">seq 12345678901 0000000001 -1\n");
}

TEST(Rows, StatAndReadjustedRowsPrintSixDecimals) {
  std::string out;
  append_stat_row(out, "x>y", 120, 180, 413, 0.5f, 0.0625f, 3);
  EXPECT_EQ(out, "x>y 120 180 413 0.500000 0.062500 3\n");
  out.clear();
  append_restat_row(out, -5, 0, 12, 1.0f, 0.125f, -2);
  EXPECT_EQ(out, ">seq -5 0 12 1.000000 0.125000 -2\n");
}

TEST(Rows, LabelsOfAnyLengthAreWrittenWhole) {
  const std::string label = ">" + std::string(1000, 'L');
  std::string out;
  append_stat_row(out, label, 1, 1, 2, 0.0f, 0.0f, 1);
  EXPECT_EQ(out, label + " 1 1 2 0.000000 0.000000 1\n");
  out.clear();
  FilteredHeader header{1, 2, 3, 4, 5, 0.25f, 0.75f, -3, 'R', '7'};
  append_filtered_header(out, std::string(600, 'p'), 12345, header);
  EXPECT_EQ(out, ">" + std::string(600, 'p') + "12345 1 2 3 4 5 0.250000 0.750000 -3 R 7\n");
}

TEST(FilteredFile, HeaderNumberHasFourDigits) {
  std::string out;
  append_filtered_header(out, "genome", 7, FilteredHeader{120, 180, 416, 297, 237, 0.5f, 0.9f, 3, 'D', '1'});
  EXPECT_EQ(out, ">genome0007 120 180 416 297 237 0.500000 0.900000 3 D 1\n");
}

TEST(FilteredFile, SequenceLinesOfSixtyLetters) {
  const std::string genome = std::string(59, 'A') + "CG" + "T";
  struct Case { long from, to; bool reverse; std::string expected; };
  const Case cases[] = {
      {1, 60, false, std::string(59, 'A') + "C\n"},
      {1, 61, false, std::string(59, 'A') + "C\nG\n"},
      {2, 62, true, "ACG" + std::string(57, 'T') + "\nT\n"},
      {5, 4, false, ""},
  };
  for (const Case& c : cases) {
    std::string out;
    append_sequence_lines(out, genome, c.from, c.to, c.reverse);
    EXPECT_EQ(out, c.expected) << c.from << ".." << c.to;
  }
}

TEST(FilteredFile, ReverseComplementIsUpperCaseWithN) {
  const std::string genome = "aCgTnR";
  std::string out;
  append_sequence_lines(out, genome, 1, 4, true);
  EXPECT_EQ(out, "ACGT\n");
  out.clear();
  append_sequence_lines(out, genome, 1, 6, true);
  EXPECT_EQ(out, "NNACGT\n");
  out.clear();
  append_sequence_lines(out, genome, 1, 6, false);
  EXPECT_EQ(out, "aCgTnR\n");
}

TEST(FilteredFile, PositionsOutsideTheGenomePrintN) {
  std::string out;
  append_sequence_lines(out, "ACGT", -1, 6, false);
  EXPECT_EQ(out, "NNACGTNN\n");
  out.clear();
  append_sequence_lines(out, "ACGT", 3, 5, true);
  EXPECT_EQ(out, "NAC\n");
}

TEST(FilteredFile, LabelPrefix) {
  const std::pair<std::string, std::string> cases[] = {
      {"/data/run.1/genome.fna", "genome"}, {"genome", "genome"}, {"../genome", ""},
      {"/data/genome.fna", "genome"},       {"a.b.fna", "a.b"},   {"dir/.fna", ""},
      {"dir/", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(label_prefix(c.first), c.second) << c.first;
}

TEST(GenomeFasta, FirstRecordOnlyWithoutLineEnds) {
  EXPECT_EQ(genome_sequence(">g one\nACGT\nacg\n>second\nTTTT\n"), "ACGTacg");
  EXPECT_EQ(genome_sequence(">g\r\nAC\r\nGT\r\n"), "ACGT");
  EXPECT_EQ(genome_sequence(">g\nA\rC\n"), "A\rC");    // a CR inside a line stays
  EXPECT_EQ(genome_sequence(">g\nAC GT\n"), "AC GT");  // blanks are not filtered
  EXPECT_EQ(genome_sequence(">only a header line\n"), "");
  EXPECT_EQ(genome_sequence(">no newline"), "");
  EXPECT_EQ(genome_sequence("ACGT\nACGT"), "ACGT");    // the first line is skipped whatever it holds
}

TEST(GenomeFasta, GetsizeCountsTheGenomeRecord) {
  EXPECT_EQ(fasta_getsize(WriteTemp("two.fna", ">a\nACGTA\nCC\r\n>b\nGGGG\n")), 7);
  EXPECT_EQ(fasta_getsize(WriteTemp("one_line.fna", ">a\n")), 0);
  EXPECT_EQ(fasta_getsize(testing::TempDir() + "does_not_exist.fna"), -1);
  std::string genome;
  EXPECT_TRUE(load_genome_sequence(WriteTemp("g.fna", ">a\nAC\nGT"), genome));
  EXPECT_EQ(genome, "ACGT");
  EXPECT_FALSE(load_genome_sequence(testing::TempDir() + "does_not_exist.fna", genome));
}

TEST(Scanner, NumbersTokensAndLiterals) {
  const std::string text = "  tok1\t-0000042 +7 0.5e1\n  " + std::string(400, 'z') + " >seq 1";
  TextScanner sc = make_scanner(text);
  std::string token;
  long number = 0;
  int small = 0;
  float real = 0.0f;
  ASSERT_TRUE(scan_token(sc, token));
  EXPECT_EQ(token, "tok1");
  ASSERT_EQ(scan_long(sc, number), SCAN_READ);
  EXPECT_EQ(number, -42);
  ASSERT_EQ(scan_int(sc, small), SCAN_READ);
  EXPECT_EQ(small, 7);
  ASSERT_TRUE(scan_float(sc, real));
  EXPECT_EQ(real, 5.0f);
  ASSERT_TRUE(scan_token(sc, token));
  EXPECT_EQ(token.size(), 400u);
  EXPECT_FALSE(scan_literal(sc, ">seq"));  // no white space is skipped before a literal
  skip_space(sc);
  EXPECT_TRUE(scan_literal(sc, ">seq"));
  ASSERT_EQ(scan_long(sc, number), SCAN_READ);
  EXPECT_EQ(number, 1);
  EXPECT_FALSE(scan_token(sc, token));
  EXPECT_EQ(scan_long(sc, number), SCAN_NONE);
}

TEST(Scanner, MissingAndOversizedNumbers) {
  struct Case { std::string text; ScanNumber longResult; ScanNumber intResult; };
  const Case cases[] = {
      {"abc", SCAN_NONE, SCAN_NONE},
      {"-", SCAN_NONE, SCAN_NONE},
      {"", SCAN_NONE, SCAN_NONE},
      {"12x", SCAN_READ, SCAN_READ},
      {"3000000000", SCAN_READ, SCAN_OUT_OF_RANGE},
      {"1000000000000000001", SCAN_OUT_OF_RANGE, SCAN_OUT_OF_RANGE},
      {"99999999999999999999999", SCAN_OUT_OF_RANGE, SCAN_OUT_OF_RANGE},
  };
  for (const Case& c : cases) {
    long l = 0;
    int i = 0;
    TextScanner a = make_scanner(c.text);
    TextScanner b = make_scanner(c.text);
    EXPECT_EQ(scan_long(a, l), c.longResult) << c.text;
    EXPECT_EQ(scan_int(b, i), c.intResult) << c.text;
  }
}

TEST(Arguments, DefaultStaysForNonNumbers) {
  float real = 0.22f;
  int whole = 195;
  parse_float_argument("abc", real);
  parse_int_argument("abc", whole);
  EXPECT_EQ(real, 0.22f);
  EXPECT_EQ(whole, 195);
  parse_float_argument("0.5x", real);
  parse_int_argument(" 12abc", whole);
  EXPECT_EQ(real, 0.5f);
  EXPECT_EQ(whole, 12);
  parse_int_argument("1.9", whole);
  EXPECT_EQ(whole, 1);
}

}  // namespace
