// Coding-block map and curve measures.
#include <gtest/gtest.h>

#include <random>

#include "compute_fixtures.h"
#include "trevaneCompute.h"

TEST(FrameNumbering, ConvertsTheSixFramesAndFoldsOthersOntoMinusThree)
{
    const int frames[] = {1, 2, 3, -1, -2, -3};
    for (int f = 0; f < 6; f++) {
        EXPECT_EQ(frame2c(frames[f]), f);
        EXPECT_EQ(c2frame(f), frames[f]);
    }
    EXPECT_EQ(frame2c(0), 5);
    EXPECT_EQ(frame2c(4), 5);
    EXPECT_EQ(c2frame(6), -3);
    EXPECT_EQ(c2frame(-1), -3);
}

TEST(CodingBlockMap, FlagsEachCandidateInItsFrameOnly)
{
    const BK bk = booleanAffectation(makeCandidates({{"a", 100, 102, -2}}), 1000);
    ASSERT_EQ(bk.nb, 1000);
    ASSERT_EQ(bk.n.size(), 1001u);  // positions 1 .. 1001
    for (int q = 1; q <= 1001; q++) {
        for (int f = 0; f < 6; f++) {
            const int expected = (f == 4 && q >= 100 && q <= 102) ? 1 : 0;
            ASSERT_EQ(bkFlag(bk, q, f), expected) << "position " << q << " frame " << f;
        }
    }
}

TEST(CodingBlockMap, OutOfRangeFramesCountAsMinusThreeAndOverlapsAccumulate)
{
    const BK bk = booleanAffectation(
        makeCandidates({{"zero", 10, 10, 0}, {"four", 20, 20, 4}, {"a", 30, 40, 1}, {"b", 35, 50, 1},
                        {"c", 38, 38, 3}}),
        100);
    EXPECT_EQ(bkFlag(bk, 10, 5), 1);
    EXPECT_EQ(bkFlag(bk, 20, 5), 1);
    EXPECT_EQ(bkFlag(bk, 45, 0), 1);
    EXPECT_EQ(bk.n[37], 0b101);  // position 38: frames +1 and +3
}

TEST(CodingBlockMap, PositionsOutsideTheMapAreSkippedAndReadAsZero)
{
    const BK bk = booleanAffectation(
        makeCandidates({{"low", -50, 3, 1}, {"high", 99, 5000, 2}, {"away", 7000, 8000, 3}}), 100);
    ASSERT_EQ(bk.n.size(), 101u);
    EXPECT_EQ(bkFlag(bk, 1, 0), 1);
    EXPECT_EQ(bkFlag(bk, 3, 0), 1);
    EXPECT_EQ(bkFlag(bk, 4, 0), 0);
    EXPECT_EQ(bkFlag(bk, 101, 1), 1);  // P + 1 is still in the map
    EXPECT_EQ(bkFlag(bk, 102, 1), 0);
    EXPECT_EQ(bkFlag(bk, 0, 0), 0);
    EXPECT_EQ(bkFlag(bk, -7, 0), 0);
    EXPECT_EQ(bkFlag(bk, 7500, 2), 0);

    const BK none = booleanAffectation(makeCandidates({{"a", 1, 10, 1}}), -1);
    EXPECT_TRUE(none.n.empty());
    EXPECT_EQ(bkFlag(none, 1, 0), 0);
}

// The map marks merged stretches; it must equal marking every position of
// every candidate one by one, however the candidates overlap or nest.
TEST(CodingBlockMap, SameFlagsAsMarkingEveryCandidatePosition)
{
    std::mt19937 random(2024);
    const int frames[] = {1, 2, 3, -1, -2, -3, 0, 7};
    for (int trial = 0; trial < 300; trial++) {
        const int last = static_cast<int>(random() % 400);
        std::vector<CdsSpec> specs;
        for (int k = static_cast<int>(random() % 30); k > 0; k--) {
            const int begin = static_cast<int>(random() % 500) - 50;
            const int end = begin + static_cast<int>(random() % 200) - 20;
            specs.push_back({"c", begin, end, frames[random() % 8]});
        }
        const BK bk = booleanAffectation(makeCandidates(specs), last);
        std::vector<BKelement> expected(static_cast<std::size_t>(last + 1), 0);
        for (const CdsSpec& s : specs) {
            for (int q = s.begin; q <= s.end; q++) {
                if (q >= 1 && q <= last + 1) expected[q - 1] |= static_cast<BKelement>(1u << frame2c(s.frame));
            }
        }
        ASSERT_EQ(bk.n, expected) << "trial " << trial;
    }
}

TEST(WindowedMean, DirectWindowsSkipTheLastThreeRows)
{
    std::vector<PKelement> rows;
    for (int k = 0; k < 10; k++) rows.push_back(row(10 * (k + 1), {1.0f + k, 0, 0, 1.0f + k}));
    const PK pk = makeCurve(rows);
    EXPECT_EQ(computeMean(pk, 0, 7, 1000), 0.0f);
    EXPECT_EQ(computeMean(pk, 0, 8, 1000), 0.0f);
    EXPECT_EQ(computeMean(pk, 0, 9, 1000), 0.0f);
    EXPECT_EQ(computeMean(pk, 0, 0, 1000), 4.0f);  // rows 0..6: (1+..+7)/7
    EXPECT_EQ(computeMean(pk, 0, 6, 1000), 7.0f);  // row 6 alone
    EXPECT_EQ(computeMean(pk, 3, 9, 1000), 5.5f);  // rows 9 down to 0
    // Both bounds inclusive: 10 + 20 reaches the row at 30, not the one at 40.
    EXPECT_EQ(computeMean(pk, 0, 0, 20), 2.0f);
    EXPECT_EQ(computeMean(pk, 3, 3, 20), 3.0f);  // rows at 40, 30, 20
    EXPECT_EQ(computeMean(pk, 1, 0, 1000), 0.0f);
}

TEST(WindowedMean, SumsAndDividesInSinglePrecision)
{
    // In single precision the mean of 0.1, 0.1 and 0.55 is exactly 0.25,
    // while the exact mean lies just above it.
    const PK pk = makeCurve({row(10, {0.1f}), row(20, {0.1f}), row(30, {0.55f}), row(40), row(50),
                             row(60), row(70)});
    EXPECT_EQ(computeMean(pk, 0, 0, 20), 0.25f);
}

TEST(CodingStretch, EndsOnTheFirstRowBelowAThirdOfTheThreshold)
{
    // 0.16666667 (the float nearest 1/6) is above 0.5 / 3 in double precision.
    const float sixth = 1.0f / 6.0f;
    const PK pk = makeCurve({row(10, {0.1f, 0, 0, 0.1f}), row(20, {sixth, 0, 0, sixth}),
                             row(30, {0.9f, 0, 0, 0.9f}), row(40, {0.16f, 0, 0, 0.16f}),
                             row(50, {0.9f, 0, 0, 0.9f})});
    EXPECT_EQ(checkProbabilityCodagePlus(pk, 0, 1, 0.5f), 40);
    EXPECT_EQ(checkProbabilityCodagePlus(pk, 0, 0, 0.5f), 10);  // row itself below
    EXPECT_EQ(checkProbabilityCodagePlus(pk, 0, 4, 0.5f), 50);  // stops on the last row
    EXPECT_EQ(checkProbabilityCodageMinus(pk, 3, 2, 0.5f), 10);
    EXPECT_EQ(checkProbabilityCodageMinus(pk, 3, 4, 0.5f), 40);
    EXPECT_EQ(checkProbabilityCodageMinus(pk, 3, 1, 0.01f), 10);  // stops on row 0

    // 0.3f / 3 in double is slightly above 0.1f, although 0.3f / 3 in float is not.
    const PK tenth = makeCurve({row(10, {0.5f}), row(20, {0.1f}), row(30, {0.5f})});
    EXPECT_EQ(checkProbabilityCodagePlus(tenth, 0, 0, 0.3f), 20);
}

TEST(CurveWalks, StopAtTheTargetPositionOrTheCurveEnd)
{
    const PK pk = makeCurve({row(10), row(20), row(30), row(40)});
    EXPECT_EQ(walkOnTheChromosome(pk, 0, 25), 2);
    EXPECT_EQ(walkOnTheChromosome(pk, 0, 30), 2);
    EXPECT_EQ(walkOnTheChromosome(pk, 3, 10), 3);
    EXPECT_EQ(walkOnTheChromosome(pk, 1, 1000), 3);
    EXPECT_EQ(walkOnTheChromosomeMinus(pk, 3, 25), 1);
    EXPECT_EQ(walkOnTheChromosomeMinus(pk, 3, 30), 1);
    EXPECT_EQ(walkOnTheChromosomeMinus(pk, 3, 10), -1);
    EXPECT_EQ(walkOnTheChromosomeMinus(pk, 3, 5), -1);
}
