#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qvxMatcher.h"

namespace {

Pattern Compiled(const std::string& text, int maxMismatch, int kind)
{
    Pattern pattern{};
    pattern.text = text;
    pattern.maxMismatch = maxMismatch;
    pattern.status = 1;
    pattern.matchPos = -1;
    pattern.matchMismatch = -1;
    EXPECT_GT(CompilePattern(pattern, kind), 0) << text;
    return pattern;
}

std::vector<LetterMask> Codes(const std::string& residues, int kind)
{
    std::vector<LetterMask> codes;
    EncodeSequence(residues.data(), static_cast<int>(residues.size()), codes, kind);
    return codes;
}

struct Occurrence {
    int start;
    int mismatches;
    int status;
    bool operator==(const Occurrence& other) const
    {
        return start == other.start && mismatches == other.mismatches && status == other.status;
    }
};

std::vector<Occurrence> gSeen;

int Record(Pattern& pattern, SearchContext&)
{
    gSeen.push_back({pattern.matchPos, pattern.matchMismatch, pattern.status});
    return 1;
}

// Occurrences reported by ScanPattern, as the action sees them.
std::vector<Occurrence> Scan(const std::string& text, int maxMismatch, const std::string& residues,
                             int kind = ALPHABET_PLAIN)
{
    Pattern pattern = Compiled(text, maxMismatch, kind);
    HitMap hits(residues.size() + 1, 0);
    SearchContext context{1, &hits};
    gSeen.clear();
    const int count = ScanPattern(Codes(residues, kind), pattern, Record, context);
    EXPECT_EQ(count, static_cast<int>(gSeen.size()));
    // Once the search is over, no occurrence is being reported.
    EXPECT_EQ(pattern.status, 0);
    EXPECT_EQ(pattern.matchPos, -1);
    EXPECT_EQ(pattern.matchMismatch, -1);
    return gSeen;
}

TEST(ScanPattern, WindowsAndOverlaps)
{
    EXPECT_EQ(Scan("ACA", 0, "ACACA"), (std::vector<Occurrence>{{0, 0, 1}, {2, 0, 1}}));
    EXPECT_EQ(Scan("ACA", 0, "AC"), std::vector<Occurrence>{});
    EXPECT_EQ(Scan("ACA", 0, ""), std::vector<Occurrence>{});
    EXPECT_EQ(Scan("ACA", 0, "ACA"), (std::vector<Occurrence>{{0, 0, 1}}));
    EXPECT_EQ(Scan("AAA", 5, "CC"), std::vector<Occurrence>{});  // shorter than the pattern
    EXPECT_EQ(Scan("AAA", 5, "CCC"), (std::vector<Occurrence>{{0, 3, 1}}));
}

TEST(ScanPattern, MismatchesAndStrictPositions)
{
    // One mismatch allowed: only at non-strict positions.
    EXPECT_EQ(Scan("AC#G", 1, "AGG"), std::vector<Occurrence>{});
    EXPECT_EQ(Scan("AC#G", 1, "ACT"), (std::vector<Occurrence>{{0, 1, 1}}));
    EXPECT_EQ(Scan("AC#G", 1, "TCT"), std::vector<Occurrence>{});
    // A negative count allows no mismatch, like 0.
    EXPECT_EQ(Scan("ACG", -2, "ACGACT"), (std::vector<Occurrence>{{0, 0, 1}}));
    // Residues coded 0 (lower case, other characters) agree with nothing.
    EXPECT_EQ(Scan("ACG", 1, "aCGAC*"), (std::vector<Occurrence>{{0, 1, 1}, {3, 1, 1}}));
    EXPECT_EQ(Scan("!A", 0, "a5"), std::vector<Occurrence>{});
    // A strict empty position never agrees.
    EXPECT_EQ(Scan("A##", 3, "AAAA"), std::vector<Occurrence>{});
}

TEST(ScanPattern, HelpExampleInTheProteinAlphabet)
{
    const std::string text = "G[DE]S#[GIV]!HP![DE]#";
    EXPECT_EQ(Scan(text, 1, "GDSAAPA", ALPHABET_PROTEIN), (std::vector<Occurrence>{{0, 1, 1}}));
    EXPECT_EQ(Scan(text, 1, "GDSAAPD", ALPHABET_PROTEIN), std::vector<Occurrence>{});
    EXPECT_EQ(Scan(text, 1, "GBSGHPA", ALPHABET_PROTEIN), (std::vector<Occurrence>{{0, 1, 1}}));

    Pattern pattern = Compiled(text, 1, ALPHABET_PROTEIN);
    std::string fragment = "GDSAAPA";
    EXPECT_EQ(MarkMismatches(fragment, pattern, ALPHABET_PROTEIN), 1);
    EXPECT_EQ(fragment, "GDSaAPA");
}

TEST(SearchPattern, PatternsShareTheHitMap)
{
    Pattern first = Compiled("ACA", 0, ALPHABET_PLAIN);
    Pattern second = Compiled("AC", 0, ALPHABET_PLAIN);
    const std::vector<LetterMask> codes = Codes("ACACA", ALPHABET_PLAIN);
    HitMap hits(6, 0);
    EXPECT_EQ(SearchPattern(codes, first, hits, 1u << 0), 2);
    EXPECT_EQ(SearchPattern(codes, second, hits, 1u << 1), 2);
    EXPECT_EQ(hits, (HitMap{3, 0, 3, 0, 0, 0}));
}

TEST(MarkMismatches, CaseAndOtherCharacters)
{
    struct Case {
        const char* pattern;
        int kind;
        const char* fragment;
        const char* marked;
        int count;
    };
    const Case cases[] = {
        {"ACGT", ALPHABET_PLAIN, "AcGA", "ACGa", 1},
        {"ACGT", ALPHABET_PLAIN, "a*g-", "A*G-", 0},  // other characters are not counted
        {"RRNN", ALPHABET_NUCLEOTIDE, "agxe", "AGXe", 1},
        {"!A[BC]#", ALPHABET_PLAIN, "ab", "aB", 1},
        {"A##", ALPHABET_PLAIN, "AA", "Aa", 1},
    };
    for (const Case& c : cases) {
        Pattern pattern = Compiled(c.pattern, 0, c.kind);
        std::string fragment = c.fragment;
        EXPECT_EQ(MarkMismatches(fragment, pattern, c.kind), c.count) << c.pattern << " " << c.fragment;
        EXPECT_EQ(fragment, c.marked) << c.pattern << " " << c.fragment;
    }
}

} // namespace
