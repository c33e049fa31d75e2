#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "qvxBitMatcher.h"

namespace {

// Random valid pattern text over `letters`: letters, sets, complements and
// strict marks.
std::string RandomPattern(std::mt19937& random, const std::string& letters, int symbols)
{
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    std::string text;
    for (int s = 0; s < symbols; ++s) {
        const int bangs = pick(8) == 0 ? 1 + pick(2) : 0;
        text.append(bangs, '!');
        if (pick(4) == 0) {
            text += '[';
            const int size = 1 + pick(3);
            for (int k = 0; k < size; ++k) text += letters[pick(static_cast<int>(letters.size()))];
            text += ']';
        } else {
            text += letters[pick(static_cast<int>(letters.size()))];
        }
        if (pick(6) == 0) text += '#';
        if (s > 0 && pick(40) == 0) text += '#';  // a strict empty position of its own
    }
    return text;
}

std::string RandomResidues(std::mt19937& random, const std::string& residues, int length)
{
    std::string text;
    for (int k = 0; k < length; ++k) text += residues[random() % residues.size()];
    return text;
}

// A window that agrees with the pattern, then `changes` random residues
// replaced: occurrences near the mismatch limit, for patterns of any length.
std::string NearInstance(std::mt19937& random, const Pattern& pattern, int kind, const std::string& residues,
                         int changes)
{
    std::string text;
    for (LetterMask mask : pattern.masks) {
        std::string agreeing;
        for (char c : residues) {
            if ((ResidueCode(c, kind) & mask & LETTER_BITS) != 0) agreeing += c;
        }
        const std::string& from = agreeing.empty() ? residues : agreeing;
        text += from[random() % from.size()];
    }
    for (int k = 0; k < changes; ++k) text[random() % text.size()] = residues[random() % residues.size()];
    return text;
}

struct Alphabet {
    int kind;
    std::string patternLetters;
    std::string residues;  // mostly plain letters, some codes, lower case and others
};

// The bit-parallel search must mark exactly the starts of the window scan.
TEST(SearchPatternBits, SameHitsAsTheWindowScan)
{
    const Alphabet alphabets[] = {
        {ALPHABET_NUCLEOTIDE, "ACGTRYNKMSWBDHVUX", "ACGTACGTACGTACGTNRYacgt*-X"},
        {ALPHABET_PROTEIN, "ACDEFGHIKLMNPQRSTVWYBZX", "ACDEFGHIKLMNPQRSTVWYBZXJOUacd*"},
        {ALPHABET_PLAIN, "ACGT", "ACGTACGTACGTacgt5"},
    };
    std::mt19937 random(20240611);
    long total = 0;
    for (int round = 0; round < 3000; ++round) {
        const Alphabet& alphabet = alphabets[round % 3];
        // Mostly short patterns; some wide ones that span several words.
        const int symbols = round % 10 == 0 ? 20 + static_cast<int>(random() % 100) : 1 + static_cast<int>(random() % 14);
        Pattern pattern{};
        pattern.text = RandomPattern(random, alphabet.patternLetters, symbols);
        const int draw = static_cast<int>(random() % 10);
        pattern.maxMismatch = draw < 7 ? draw - 1 : (draw == 7 ? symbols : (draw == 8 ? 1000000 : 40));
        ASSERT_EQ(CheckPatternSyntax(pattern), 1) << pattern.text;
        ASSERT_GT(CompilePattern(pattern, alphabet.kind), 0) << pattern.text;

        std::string residues = RandomResidues(random, alphabet.residues, static_cast<int>(random() % 400));
        if (round % 2 == 0) {
            // Up to a couple of changes past the limit (huge limits are taken modulo 8).
            const unsigned spread = static_cast<unsigned>(std::max(pattern.maxMismatch, 0) % 8 + 3);
            const int changes = static_cast<int>(random() % spread);
            const std::size_t at = residues.empty() ? 0 : random() % residues.size();
            residues.insert(at, NearInstance(random, pattern, alphabet.kind, alphabet.residues, changes));
        }
        const int length = static_cast<int>(residues.size());
        std::vector<LetterMask> codes;
        EncodeSequence(residues.data(), length, codes, alphabet.kind);

        HitMap expected(length + 1, 0);
        HitMap actual(length + 1, 0);
        const int plain = SearchPattern(codes, pattern, expected, 1u << 3);
        const BitMatcher matcher = NewBitMatcher(pattern, alphabet.kind);
        const int fast = SearchPatternBits(matcher, residues.data(), length, actual, 1u << 3);
        ASSERT_EQ(fast, plain) << pattern.text << " " << pattern.maxMismatch << " " << residues;
        ASSERT_EQ(actual, expected) << pattern.text << " " << pattern.maxMismatch << " " << residues;
        total += plain;
    }
    EXPECT_GT(total, 1000);  // the draws produce plenty of occurrences to compare
}

TEST(SearchPatternBits, WordLayout)
{
    struct Case {
        int positions;
        int maxMismatch;
        int fieldBits;
        int words;
    };
    const Case cases[] = {
        {12, 1, 2, 1}, {32, 1, 2, 1}, {33, 1, 2, 2}, {64, 0, 1, 1}, {65, 0, 1, 2},
        {10, 3, 3, 1}, {10, 4, 4, 1}, {5, 100, 4, 1}, {5, -4, 1, 1},
    };
    for (const Case& c : cases) {
        Pattern pattern{};
        pattern.text = std::string(static_cast<std::size_t>(c.positions), 'A');
        pattern.maxMismatch = c.maxMismatch;
        ASSERT_EQ(CompilePattern(pattern, ALPHABET_PLAIN), c.positions);
        const BitMatcher matcher = NewBitMatcher(pattern, ALPHABET_PLAIN);
        EXPECT_EQ(matcher.fieldBits, c.fieldBits) << c.positions << "/" << c.maxMismatch;
        EXPECT_EQ(matcher.words, c.words) << c.positions << "/" << c.maxMismatch;
    }
}

} // namespace
