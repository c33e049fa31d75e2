#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "qvxAlphabet.h"

namespace {

bool Agree(int kind, char patternLetter, char sequenceLetter)
{
    return (PatternAlphabet(kind)[patternLetter - 'A'] & SequenceAlphabet(kind)[sequenceLetter - 'A'] &
            LETTER_BITS) != 0;
}

// Residues each letter stands for; two letters agree when they share one.
std::set<char> NucleotideBases(char letter)
{
    static const std::map<char, std::string> bases = {
        {'A', "A"},   {'C', "C"},   {'G', "G"},   {'T', "T"},   {'U', "T"},   {'R', "AG"},
        {'Y', "CT"},  {'S', "CG"},  {'W', "AT"},  {'K', "GT"},  {'M', "AC"},  {'B', "CGT"},
        {'D', "AGT"}, {'H', "ACT"}, {'V', "ACG"}, {'N', "ACGT"}, {'X', "ACGT"}};
    auto found = bases.find(letter);
    if (found == bases.end()) return {};
    return {found->second.begin(), found->second.end()};
}

std::set<char> AminoAcids(char letter)
{
    const std::string none = "BJOUXZ";
    if (letter == 'B') return {'D', 'N'};
    if (letter == 'Z') return {'E', 'Q'};
    if (letter == 'X') {
        std::set<char> all;
        for (char c = 'A'; c <= 'Z'; ++c) {
            if (none.find(c) == std::string::npos) all.insert(c);
        }
        return all;
    }
    if (none.find(letter) != std::string::npos) return {};
    return {letter};
}

bool Share(const std::set<char>& a, const std::set<char>& b)
{
    for (char c : a) {
        if (b.count(c) != 0) return true;
    }
    return false;
}

TEST(Alphabet, EveryPairAgreesExactlyWhenTheLettersShareAResidue)
{
    for (char p = 'A'; p <= 'Z'; ++p) {
        for (char s = 'A'; s <= 'Z'; ++s) {
            EXPECT_EQ(Agree(ALPHABET_PLAIN, p, s), p == s) << p << s;
            EXPECT_EQ(Agree(ALPHABET_NUCLEOTIDE, p, s), Share(NucleotideBases(p), NucleotideBases(s))) << p << s;
            EXPECT_EQ(Agree(ALPHABET_PROTEIN, p, s), Share(AminoAcids(p), AminoAcids(s))) << p << s;
        }
    }
}

TEST(Alphabet, DocumentedAgreements)
{
    for (char s : std::string("AGRNX")) EXPECT_TRUE(Agree(ALPHABET_NUCLEOTIDE, 'R', s)) << s;
    for (char s : std::string("CTY")) EXPECT_FALSE(Agree(ALPHABET_NUCLEOTIDE, 'R', s)) << s;
    for (char s : std::string("EFIJLOPQZ")) EXPECT_FALSE(Agree(ALPHABET_NUCLEOTIDE, 'N', s)) << s;
    EXPECT_TRUE(Agree(ALPHABET_PROTEIN, 'D', 'D'));
    EXPECT_TRUE(Agree(ALPHABET_PROTEIN, 'D', 'B'));
    EXPECT_FALSE(Agree(ALPHABET_PROTEIN, 'D', 'N'));
    for (char s = 'A'; s <= 'Z'; ++s) {
        EXPECT_EQ(Agree(ALPHABET_PROTEIN, 'X', s), std::string("JOU").find(s) == std::string::npos) << s;
    }
    // The sequence side of the nucleotide kind holds only A, C, G and T.
    for (LetterMask mask : SequenceAlphabet(ALPHABET_NUCLEOTIDE)) {
        EXPECT_EQ(mask & ~((1u << 0) | (1u << 2) | (1u << 6) | (1u << 19)), 0u);
    }
}

TEST(Alphabet, EncodeSequence)
{
    const std::string residues = "ACgT*-5NX";
    std::vector<LetterMask> codes(3, 77);
    EncodeSequence(residues.data(), static_cast<int>(residues.size()), codes, ALPHABET_NUCLEOTIDE);
    ASSERT_EQ(codes.size(), residues.size() + 1);
    const LetterMask a = 1u << 0, c = 1u << 2, g = 1u << 6, t = 1u << 19;
    const std::vector<LetterMask> expected = {a, c, 0, t, 0, 0, 0, a | c | g | t, a | c | g | t, END_OF_CODES};
    EXPECT_EQ(codes, expected);

    EncodeSequence("", 0, codes, ALPHABET_PLAIN);
    EXPECT_EQ(codes, std::vector<LetterMask>{END_OF_CODES});
    EXPECT_EQ(ResidueCode('Q', ALPHABET_PLAIN), 1u << 16);
    EXPECT_EQ(ResidueCode('q', ALPHABET_PLAIN), 0u);
    EXPECT_EQ(ResidueCode('\xC9', ALPHABET_PROTEIN), 0u);
}

} // namespace
