#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "qvxPattern.h"

namespace {

LetterMask Bits(const char* letters)
{
    LetterMask mask = 0;
    for (; *letters != '\0'; ++letters) mask |= 1u << (*letters - 'A');
    return mask;
}

Pattern MakePattern(const std::string& text, int maxMismatch = 0)
{
    Pattern pattern{};
    pattern.text = text;
    pattern.maxMismatch = maxMismatch;
    return pattern;
}

// Patterns read from the given file content, as "text/mismatches" items.
std::vector<std::string> ReadAll(const std::string& content)
{
    std::FILE* stream = std::tmpfile();
    std::fwrite(content.data(), 1, content.size(), stream);
    std::rewind(stream);
    std::vector<std::string> read;
    while (Pattern* pattern = ReadPattern(stream)) {
        read.push_back(pattern->text + "/" + std::to_string(pattern->maxMismatch));
        FreePattern(pattern);
    }
    std::fclose(stream);
    return read;
}

TEST(PatternSyntax, AcceptsAndRejectsTheDocumentedForms)
{
    const char* accepted[] = {"A", "A#", "[AB]#", "!A#", "!!A", "A##", "![DE]#", "G[DE]S#[GIV]!HP![DE]#",
                              "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "!#"};
    for (const char* text : accepted) EXPECT_EQ(CheckPatternSyntax(MakePattern(text)), 1) << text;

    const char* rejected[] = {"[]", "[A", "A]", "[!A]", "[A#]", "#A", "[#A]", "!", "A!", "!]", "[A[B]]",
                              "a", "Ab", "A1", "A-B", "A.", "[a]", "A]]", "[AB"};
    for (const char* text : rejected) EXPECT_EQ(CheckPatternSyntax(MakePattern(text)), 0) << text;
}

TEST(PatternSymbols, BoundariesAndCounts)
{
    EXPECT_EQ(SymbolEnd("A"), 0u);
    EXPECT_EQ(SymbolEnd("A#B"), 1u);
    EXPECT_EQ(SymbolEnd("A##"), 1u);  // one '#' is absorbed
    EXPECT_EQ(SymbolEnd("[DE]#G"), 4u);
    EXPECT_EQ(SymbolEnd("!![DE]G"), 5u);
    EXPECT_EQ(SymbolEnd("[DE"), std::string_view::npos);
    EXPECT_EQ(SymbolEnd(""), std::string_view::npos);

    EXPECT_EQ(CountSymbols("G[DE]S#[GIV]!HP![DE]#"), 7);
    EXPECT_EQ(CountSymbols("A##"), 2);
    EXPECT_EQ(CountSymbols("A###"), 2);
    EXPECT_EQ(CountSymbols("AB[C"), 0);
    EXPECT_EQ(CountSymbols(""), 0);
}

TEST(PatternCompile, HelpExampleInTheProteinAlphabet)
{
    Pattern pattern = MakePattern("G[DE]S#[GIV]!HP![DE]#", 1);
    ASSERT_EQ(CompilePattern(pattern, ALPHABET_PROTEIN), 7);
    EXPECT_EQ(pattern.size, 7);
    EXPECT_EQ(pattern.status, 1);
    const LetterMask expected[] = {
        Bits("G"),
        Bits("BDEZ"),
        Bits("S") | STRICT_BIT,
        Bits("GIV"),
        ~Bits("H") & LETTER_BITS,
        Bits("P"),
        (~Bits("BDEZ") & LETTER_BITS) | STRICT_BIT,
    };
    for (int j = 0; j < 7; ++j) EXPECT_EQ(pattern.masks[j], expected[j]) << "position " << j + 1;
}

TEST(PatternCompile, ComplementsStrictMarksAndAlphabets)
{
    Pattern doubled = MakePattern("!!A");
    Pattern plain = MakePattern("A");
    ASSERT_EQ(CompilePattern(doubled, ALPHABET_PLAIN), 1);
    ASSERT_EQ(CompilePattern(plain, ALPHABET_PLAIN), 1);
    EXPECT_EQ(doubled.masks, plain.masks);

    Pattern twoHashes = MakePattern("A##");
    ASSERT_EQ(CompilePattern(twoHashes, ALPHABET_PLAIN), 2);
    EXPECT_EQ(twoHashes.masks[0], Bits("A") | STRICT_BIT);
    EXPECT_EQ(twoHashes.masks[1], STRICT_BIT);  // strict and empty: never agrees

    Pattern iupac = MakePattern("R!Y");
    ASSERT_EQ(CompilePattern(iupac, ALPHABET_NUCLEOTIDE), 2);
    EXPECT_EQ(iupac.masks[0], Bits("ABDGHKMNRSVW"));
    EXPECT_EQ(iupac.masks[1], ~Bits("BCDHKMNSTUVWY") & LETTER_BITS);
    ASSERT_EQ(CompilePattern(iupac, ALPHABET_PLAIN), 2);
    EXPECT_EQ(iupac.masks[0], Bits("R"));

    Pattern empty = MakePattern("");
    EXPECT_EQ(CompilePattern(empty, ALPHABET_PLAIN), 0);
    EXPECT_EQ(empty.size, 0);
}

TEST(PatternFile, LinesCommentsAndCounts)
{
    const std::string content =
        "/ a comment line with ABC 1\n"
        "\n"
        "  \t \n"
        "123 4\n"
        "A\vC\fG\t2 anything after the count\n"
        "G[DE]S#[GIV]!HP![DE]#  1\n"
        "TTT -3\n"
        "CAT\t+1\r\n"
        "GGG 99999999999\n";
    const std::vector<std::string> expected = {"ACG/2", "G[DE]S#[GIV]!HP![DE]#/1", "TTT/-3", "CAT/1",
                                               "GGG/2147483647"};
    EXPECT_EQ(ReadAll(content), expected);
}

TEST(PatternFile, TheListEndsSilently)
{
    // A line without a space or tab, a line whose count is missing, and a
    // line starting with a space each end the list; later lines are not used.
    EXPECT_EQ(ReadAll("AAA 1\nCCC\nGGG 1\n"), std::vector<std::string>{"AAA/1"});
    EXPECT_EQ(ReadAll("AAA 1\nCCC x\nGGG 1\n"), std::vector<std::string>{"AAA/1"});
    EXPECT_EQ(ReadAll("AAA 1\nCCC \nGGG 1\n"), std::vector<std::string>{"AAA/1"});
    EXPECT_EQ(ReadAll(" ABC 1\nGGG 1\n"), std::vector<std::string>{});
    EXPECT_EQ(ReadAll(""), std::vector<std::string>{});
    // The last line needs no line feed.
    EXPECT_EQ(ReadAll("AAA 1\nCCC 0"), (std::vector<std::string>{"AAA/1", "CCC/0"}));
}

TEST(PatternFile, LongLinesAreReadWhole)
{
    std::string text;
    for (int k = 0; k < 5000; ++k) text += "[AC]G"[k % 5];
    const std::vector<std::string> read = ReadAll("/" + std::string(3000, 'x') + "\n" + text + " 7\nT 0\n");
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0], text + "/7");
    EXPECT_EQ(read[1], "T/0");
}

TEST(PatternRecord, NewAndFree)
{
    Pattern* pattern = NewPattern();
    ASSERT_NE(pattern, nullptr);
    EXPECT_EQ(pattern->size, 0);
    EXPECT_EQ(pattern->alphabetSize, 26);
    EXPECT_EQ(pattern->status, 1);
    EXPECT_EQ(pattern->matchPos, -1);
    EXPECT_EQ(pattern->matchMismatch, -1);
    EXPECT_TRUE(pattern->text.empty());
    FreePattern(pattern);
    FreePattern(nullptr);
}

} // namespace
