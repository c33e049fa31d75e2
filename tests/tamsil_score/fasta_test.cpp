// FASTA reader and writer: records, headers, line ends, positions, output.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fasta.h"

namespace {

struct Record {
  std::string name, comment, seq;
};

FILE *StreamOf(const std::string &text) {
  FILE *f = std::tmpfile();
  std::fwrite(text.data(), 1, text.size(), f);
  std::rewind(f);
  return f;
}

std::vector<Record> ReadAll(const std::string &text, std::vector<long> *offsets = nullptr) {
  FILE *f = StreamOf(text);
  RewindFastaDB(f);
  FastaSequence *seq = NewFastaSequence();
  std::vector<Record> out;
  while (ReadFastaSequence(f, seq)) {
    EXPECT_EQ(seq->ok, 1);
    EXPECT_EQ(seq->seq[seq->length], '\0');
    out.push_back({seq->name, seq->comment, std::string(seq->seq, seq->length)});
    if (offsets) offsets->push_back(seq->offset);
  }
  FreeFastaSequence(seq);
  std::fclose(f);
  return out;
}

std::string Written(const FastaSequence *seq, int width) {
  FILE *f = std::tmpfile();
  WriteFastaSequence(f, seq, width);
  std::string out(static_cast<size_t>(std::ftell(f)), '\0');
  std::rewind(f);
  EXPECT_EQ(std::fread(&out[0], 1, out.size(), f), out.size());
  std::fclose(f);
  return out;
}

class FastaTest : public ::testing::Test {
 protected:
  void SetUp() override { SetFastaTexts(kFastaTextsTamsil); }
  void TearDown() override { SetFastaTexts(kFastaTextsTamsil); }
};

TEST_F(FastaTest, NewRecordIsEmpty) {
  FastaSequence *seq = NewFastaSequence();
  ASSERT_NE(seq, nullptr);
  EXPECT_EQ(seq->ok, 1);
  EXPECT_EQ(seq->length, 0);
  EXPECT_EQ(seq->offset, -1);
  EXPECT_EQ(seq->bufsize, 1024);
  EXPECT_STREQ(seq->name, "");
  EXPECT_STREQ(seq->comment, "");
  EXPECT_EQ(FreeFastaSequence(seq), nullptr);
  EXPECT_EQ(FreeFastaSequence(nullptr), nullptr);
}

TEST_F(FastaTest, RecordsAcrossEmptyLinesHeadersAndMissingFinalLineFeed) {
  const auto recs = ReadAll("\n\n>a first one\nAC\n\nGT\n\n>b\n>c  x y \nacg*1 N\nTT");
  ASSERT_EQ(recs.size(), 3u);
  EXPECT_EQ(recs[0].name, "a");
  EXPECT_EQ(recs[0].comment, "first one");
  EXPECT_EQ(recs[0].seq, "ACGT");
  EXPECT_EQ(recs[1].name, "b");
  EXPECT_EQ(recs[1].comment, "");
  EXPECT_EQ(recs[1].seq, "");
  EXPECT_EQ(recs[2].name, "c");
  EXPECT_EQ(recs[2].comment, " x y ");
  EXPECT_EQ(recs[2].seq, "acg*1 NTT");  // residues kept as read
}

TEST_F(FastaTest, InputWithoutHeaderGivesNoRecord) {
  EXPECT_TRUE(ReadAll("ACGT\n>a\nAC\n").empty());
  EXPECT_TRUE(ReadAll("").empty());
  EXPECT_TRUE(ReadAll("\n\n\n").empty());
}

TEST_F(FastaTest, CarriageReturnsEndLines) {
  const auto recs = ReadAll(">a c1\r\nAC\r\n\r\nGT\r\n>b\r\nT\r\n");
  ASSERT_EQ(recs.size(), 2u);
  EXPECT_EQ(recs[0].name, "a");
  EXPECT_EQ(recs[0].comment, "c1");
  EXPECT_EQ(recs[0].seq, "ACGT");
  EXPECT_EQ(recs[1].name, "b");
  EXPECT_EQ(recs[1].comment, "");
  EXPECT_EQ(recs[1].seq, "T");
}

TEST_F(FastaTest, LongLinesAreReadWhole) {
  const std::string longName(100, 'n');
  const std::string longComment(2000, 'c');
  const std::string residues(5000, 'G');
  const auto recs = ReadAll(">" + longName + " " + longComment + "\n" + residues + "\nAA\n");
  ASSERT_EQ(recs.size(), 1u);
  EXPECT_EQ(recs[0].name, longName.substr(0, 63));             // within the first 64 bytes
  EXPECT_EQ(recs[0].comment, std::string(512 - 102, 'c'));     // within the first 512 bytes
  EXPECT_EQ(recs[0].seq, residues + "AA");                     // the header never spills
}

TEST_F(FastaTest, HeaderSplitting) {
  struct Case {
    const char *line, *name, *comment;
  };
  const Case cases[] = {
      {">seq1 some text", "seq1", "some text"},
      {"> seq1 x", "seq1", "seq1 x"},
      {">seq1", "seq1", ""},
      {">", "<no Name>", ""},
      {">\tseq2\tb c", "seq2", "seq2\tb c"},
  };
  for (const Case &c : cases) {
    EXPECT_STREQ(GetFastaName(c.line), c.name) << c.line;
    EXPECT_STREQ(GetFastaComment(c.line), c.comment) << c.line;
  }
  // A name beginning past the 64th byte is not seen.
  const std::string late = ">" + std::string(70, ' ') + "x";
  EXPECT_STREQ(GetFastaName(late.c_str()), "<no Name>");

  SetFastaTexts(kFastaTextsQvx);
  EXPECT_STREQ(GetFastaComment(">seq1"), "<no comment>");
  EXPECT_STREQ(GetFastaComment(">seq1 a"), "a");
}

TEST_F(FastaTest, SequenceGrowsBeyondInitialBuffer) {
  std::string text = ">big\n";
  std::string expected;
  for (int i = 0; i < 400; ++i) {
    const std::string line(60, "ACGT"[i % 4]);
    text += line + "\n";
    expected += line;
  }
  FILE *f = StreamOf(text);
  RewindFastaDB(f);
  FastaSequence *seq = NewFastaSequence();
  ASSERT_EQ(ReadFastaSequence(f, seq), 1);
  EXPECT_EQ(seq->ok, 1);
  EXPECT_EQ(std::string(seq->seq, seq->length), expected);
  EXPECT_GT(seq->bufsize, seq->length);
  EXPECT_EQ(ReadFastaSequence(f, seq), 0);
  FreeFastaSequence(seq);
  std::fclose(f);
}

TEST_F(FastaTest, OffsetsLeadBackToEveryRecord) {
  const std::string text = ">r1 one\r\nACG\r\n\r\n>r2\nTT\nGG\n\n\n>r3 three\nC";
  std::vector<long> offsets;
  const auto recs = ReadAll(text, &offsets);
  ASSERT_EQ(recs.size(), 3u);
  for (size_t i = 0; i < offsets.size(); ++i) EXPECT_EQ(text[static_cast<size_t>(offsets[i])], '>');

  FILE *f = StreamOf(text);
  FastaSequence *seq = NewFastaSequence();
  for (size_t i = recs.size(); i-- > 0;) {  // in reverse order
    seq->offset = offsets[i];
    ASSERT_EQ(GetFastaSequence(f, seq), 1);
    EXPECT_EQ(seq->ok, 1);
    EXPECT_EQ(seq->name, recs[i].name);
    EXPECT_EQ(seq->comment, recs[i].comment);
    EXPECT_EQ(std::string(seq->seq, seq->length), recs[i].seq);
    EXPECT_EQ(seq->offset, offsets[i]);
  }
  seq->offset = 3;  // not a header position
  EXPECT_EQ(GetFastaSequence(f, seq), 0);
  EXPECT_EQ(seq->ok, 0);
  FreeFastaSequence(seq);
  std::fclose(f);
}

TEST_F(FastaTest, RewindForgetsPushedBackHeader) {
  FILE *f = StreamOf(">a\nAC\n>b\nGT\n");
  RewindFastaDB(f);
  FastaSequence *seq = NewFastaSequence();
  ASSERT_EQ(ReadFastaSequence(f, seq), 1);  // pushes ">b" back
  EXPECT_STREQ(seq->name, "a");
  RewindFastaDB(f);
  ASSERT_EQ(ReadFastaSequence(f, seq), 1);
  EXPECT_STREQ(seq->name, "a");
  EXPECT_EQ(seq->offset, 0);
  ASSERT_EQ(ReadFastaSequence(f, seq), 1);
  EXPECT_STREQ(seq->name, "b");
  EXPECT_EQ(std::string(seq->seq), "GT");
  EXPECT_EQ(ReadFastaSequence(f, seq), 0);
  FreeFastaSequence(seq);
  std::fclose(f);
}

TEST_F(FastaTest, WritingWrapsResiduesAtWidth) {
  FastaSequence *seq = NewFastaSequence();
  EXPECT_EQ(Written(seq, 50), ">no_name \n");  // never read: header line only
  SetFastaTexts(kFastaTextsQvx);
  EXPECT_EQ(Written(seq, 50), "><no name> <no comment>\n");
  SetFastaTexts(kFastaTextsTamsil);

  FILE *f = StreamOf(">s1 a comment\nACGTACGTAC\n");
  RewindFastaDB(f);
  ASSERT_EQ(ReadFastaSequence(f, seq), 1);
  std::fclose(f);
  EXPECT_EQ(Written(seq, 5), ">s1 a comment\nACGTA\nCGTAC\n");  // no empty last line
  EXPECT_EQ(Written(seq, 4), ">s1 a comment\nACGT\nACGT\nAC\n");
  EXPECT_EQ(Written(seq, 50), ">s1 a comment\nACGTACGTAC\n");
  EXPECT_EQ(std::string(seq->seq), "ACGTACGTAC");  // record unchanged
  seq->comment[0] = '\0';
  seq->length = 0;
  EXPECT_EQ(Written(seq, 3), ">s1 \n");
  FreeFastaSequence(seq);
}

}  // namespace
