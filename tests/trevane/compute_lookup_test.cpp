// CDS neighbourhood lookups and map scans: worked examples, then the indexed
// lookups against plain scans on random lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

#include "compute_fixtures.h"
#include "trevaneCompute.h"
#include "trevaneLookup.h"
#include "trevanePlainScans.h"

namespace {

std::string describe(const cdsRes& r)
{
    return r.label + " " + std::to_string(r.begin) + "-" + std::to_string(r.end) + " " +
           std::to_string(r.frame);
}

// Frame +1 CDSs A and C with a frame +2 CDS listed between them, and a last
// element that the scans only ever see as a successor.
CDS threeCds()
{
    return makeCds({{"A", 100, 400, 1}, {"B", 450, 700, 2}, {"C", 600, 900, 1}, {"Z", 5000, 5100, 3}});
}

} // namespace

TEST(CdsLookup, FindsTheCdsAroundAPosition)
{
    const CDS cds = threeCds();
    const CdsIndex index = indexCds(cds);
    EXPECT_EQ(describe(lookForCdsL(index, 0, 500)), "A 100-400 1");
    EXPECT_EQ(describe(lookForCdsR(index, 0, 500)), "C 600-900 1");
    EXPECT_EQ(describe(getCdsInfo(index, 500, 0)), "NULL 0-0 0");
    // Inside C: C on both sides.
    EXPECT_EQ(describe(getCdsInfo(index, 700, 0)), "C 600-900 1");
    EXPECT_EQ(describe(lookForCdsL(index, 0, 700)), "C 600-900 1");
    EXPECT_EQ(describe(lookForCdsR(index, 0, 700)), "C 600-900 1");
    // Before all / after all: each side still returns a CDS.
    EXPECT_EQ(describe(lookForCdsL(index, 0, 50)), "A 100-400 1");
    EXPECT_EQ(describe(lookForCdsR(index, 0, 950)), "C 600-900 1");
    // The end coordinate is outside the CDS.
    EXPECT_EQ(describe(getCdsInfo(index, 400, 0)), "NULL 0-0 0");
    EXPECT_EQ(describe(getCdsInfo(index, 399, 0)), "A 100-400 1");
}

TEST(CdsLookup, TheLastAndFirstElementsAreOnlyNeighbours)
{
    const CDS cds = threeCds();
    const CdsIndex index = indexCds(cds);
    // Z (frame +3) is the last element: never found by getCdsInfo.
    EXPECT_EQ(describe(getCdsInfo(index, 5050, 2)), "NULL 0-0 0");
    EXPECT_EQ(checkCds(index, 2, 5050), -1);
    // A is element 0: never the answer of lookForCdsR.
    EXPECT_EQ(describe(lookForCdsR(index, 0, 405)), "C 600-900 1");
    const CDS two = makeCds({{"A", 100, 400, 1}, {"C", 600, 900, 1}});
    const CdsIndex twoIndex = indexCds(two);
    EXPECT_EQ(describe(lookForCdsR(twoIndex, 0, 300)), "NULL 0-0 0");
    EXPECT_EQ(describe(getCdsInfo(twoIndex, 700, 0)), "NULL 0-0 0");
}

TEST(CdsLookup, EmptyAndSingleElementListsFindNothing)
{
    for (const CDS& cds : {makeCds({}), makeCds({{"A", 100, 400, 1}})}) {
        const CdsIndex index = indexCds(cds);
        EXPECT_EQ(describe(getCdsInfo(index, 200, 0)), "NULL 0-0 0");
        EXPECT_EQ(checkCds(index, 0, 200), -1);
        EXPECT_EQ(describe(lookForCdsL(index, 0, 200)), "NULL 0-0 0");
        EXPECT_EQ(describe(lookForCdsR(index, 0, 200)), "NULL 0-0 0");
    }
}

TEST(CdsLookup, CheckCdsAcceptsGapsClosedByALaterCds)
{
    const CDS cds = threeCds();
    const CdsIndex index = indexCds(cds);
    EXPECT_EQ(checkCds(index, 0, 50), -1);    // before the frame's first CDS
    EXPECT_EQ(checkCds(index, 0, 200), 100);  // inside A
    EXPECT_EQ(checkCds(index, 0, 500), 100);  // gap A..C, closed by C
    EXPECT_EQ(checkCds(index, 0, 400), -1);   // A's end: passed over, and C begins after it
    EXPECT_EQ(checkCds(index, 0, 950), 600);  // gap after C: Z, listed next, begins after p
    // After B, the search for the next +2 CDS stops on the last element, Z,
    // whose frame is +3 but which ends after p.
    EXPECT_EQ(checkCds(index, 1, 800), 450);
}

TEST(MapScans, FindTheFirstFlaggedPositionInTheScanDirection)
{
    const BK bk = booleanAffectation(
        makeCandidates({{"a", 50, 60, 1}, {"b", 80, 90, 1}, {"c", 70, 75, -1}}), 200);
    const BkRuns runs = indexBk(bk);
    EXPECT_EQ(checkCdsInFrame(runs, 0, 10, 100), 50);
    EXPECT_EQ(checkCdsInFrame(runs, 0, 49, 100), 50);
    EXPECT_EQ(checkCdsInFrame(runs, 0, 50, 100), 51);  // scan starts after i
    EXPECT_EQ(checkCdsInFrame(runs, 0, 60, 79), 0);
    EXPECT_EQ(checkCdsInFrame(runs, 0, 60, 80), 80);
    EXPECT_EQ(checkCdsInFrameMinus(runs, 0, 100, 10), 90);
    EXPECT_EQ(checkCdsInFrameMinus(runs, 0, 79, 10), 80);  // starts one above i
    EXPECT_EQ(checkCdsInFrameMinus(runs, 0, 78, 61), 0);
    // Frames are tried in order 0..5: frame +1's hit wins over a nearer -1 hit.
    EXPECT_EQ(checkCdsInAllFrame(runs, 65, 100), 80);
    EXPECT_EQ(checkCdsInAllMinusFrame(runs, 85, 10), 86);
    EXPECT_EQ(checkCdsInAllFrame(runs, 90, 200), 0);
    // Beyond the map nothing is flagged.
    EXPECT_EQ(checkCdsInFrame(runs, 0, 150, 100000), 0);
    EXPECT_EQ(checkCdsInFrameMinus(runs, 3, 100000, -5000), 75);
}

TEST(MapScans, AMapOfIntMaxPositionsIsIndexedToItsLastPosition)
{
    // The largest map a curve can ask for: positions 1 to INT_MAX (2 GB).
    BK bk;
    bk.nb = INT_MAX - 1;
    bk.n.assign(static_cast<std::size_t>(INT_MAX), BKelement{0});
    bk.n[0] = 1;  // frame +1 at position 1, INT_MAX - 1 and INT_MAX
    bk.n[static_cast<std::size_t>(INT_MAX) - 2] = 1;
    bk.n[static_cast<std::size_t>(INT_MAX) - 1] = 1;
    const BkRuns runs = indexBk(bk);
    ASSERT_EQ(runs.frame[0].size(), 2u);
    EXPECT_EQ(runs.frame[0][1].first, INT_MAX - 1);
    EXPECT_EQ(runs.frame[0][1].last, INT_MAX);
    EXPECT_EQ(checkCdsInFrame(runs, 0, 1, INT_MAX), INT_MAX - 1);
    EXPECT_EQ(checkCdsInFrameMinus(runs, 0, INT_MAX - 1, 2), INT_MAX);
}

TEST(OtherFrame, ReadsPositionPlusTwoOnTheDirectStrandAndPOnTheReverse)
{
    // Rows every 10 nt; frames +2 and -2 code from row 1 on.
    std::vector<PKelement> rows;
    for (int p = 10; p <= 100; p += 10) rows.push_back(row(p, {0, 0.5f, 0, 0, 0.5f, 0}));
    const PK pk = makeCurve(rows);
    const BK at22 = booleanAffectation(makeCandidates({{"d", 22, 30, 2}, {"r", 20, 20, -2}}), 100);
    EXPECT_EQ(checkOtherFrame(at22, pk, 0, 20, 1, 5, 0.5f), 1);   // flag at 22; mean equal counts
    EXPECT_EQ(checkOtherFrame(at22, pk, 0, 20, 1, 5, 0.51f), -1);
    EXPECT_EQ(checkOtherFrame(at22, pk, 0, 21, 1, 5, 0.5f), 1);
    EXPECT_EQ(checkOtherFrame(at22, pk, 0, 19, 1, 5, 0.5f), -1);  // 21 is not flagged
    EXPECT_EQ(checkOtherFrame(at22, pk, 1, 20, 1, 5, 0.5f), -1);  // its own frame is skipped
    EXPECT_EQ(checkOtherFrame(at22, pk, 3, 20, 1, 5, 0.5f), 4);
    EXPECT_EQ(checkOtherFrame(at22, pk, 3, 22, 1, 5, 0.5f), -1);
    EXPECT_EQ(checkOtherFrame(at22, pk, 2, 20, 1, 5, 0.5f), 1);
}

// ---------------------------------------------------------------- properties

namespace {

// Random filtered list: mostly begin-ordered, with nested, touching and
// equal-bounded CDSs, frames outside the six, sometimes reversed bounds, no
// order at all, or records of zeros between the CDSs.
CDS randomCds(std::mt19937& rng, bool ordered)
{
    const int count = std::uniform_int_distribution<int>(0, 14)(rng);
    std::uniform_int_distribution<int> pos(1, 300);
    std::uniform_int_distribution<int> len(0, 120);
    std::uniform_int_distribution<int> frameDraw(0, 13);
    const int frames[] = {1, 2, 3, -1, -2, -3, 1, 1, -1, -1, 2, 0, 4, 1};
    std::vector<CdsSpec> specs;
    for (int k = 0; k < count; k++) {
        const int begin = pos(rng);
        int end = begin + len(rng);
        if (rng() % 15 == 0) end = begin - len(rng) % 20;
        specs.push_back({"c" + std::to_string(k), begin, end, frames[frameDraw(rng)]});
    }
    if (ordered) {
        std::stable_sort(specs.begin(), specs.end(),
                         [](const CdsSpec& a, const CdsSpec& b) { return a.begin < b.begin; });
    }
    if (rng() % 3 == 0) {
        // The sequence lines of a filtered CDS file load as records of zeros.
        for (std::size_t k = specs.size(); k-- > 0;) {
            if (rng() % 2 == 0) specs.insert(specs.begin() + static_cast<long>(k) + 1, {"ACGT", 0, 0, 0});
        }
    }
    return makeCds(specs);
}

::testing::AssertionResult same(const cdsRes& a, const cdsRes& b)
{
    if (a.label == b.label && a.begin == b.begin && a.end == b.end && a.frame == b.frame) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << describe(a) << " instead of " << describe(b);
}

} // namespace

TEST(LookupProperty, IndexedLookupsReturnWhatTheScansReturn)
{
    std::mt19937 rng(20240501);
    for (int round = 0; round < 2000; round++) {
        const CDS cds = randomCds(rng, round % 4 != 0);
        const CdsIndex index = indexCds(cds);
        for (int p = -2; p <= 440; p += 1 + static_cast<int>(rng() % 3)) {
            for (int frame = 0; frame <= 6; frame++) {
#define WHERE "round " << round << " p " << p << " frame " << frame
                ASSERT_TRUE(same(getCdsInfo(index, p, frame), scanGetCdsInfo(cds, p, frame)))
                    << WHERE;
                ASSERT_EQ(checkCds(index, frame, p), scanCheckCds(cds, frame, p)) << WHERE;
                ASSERT_TRUE(same(lookForCdsL(index, frame, p), scanLookForCdsL(cds, frame, p)))
                    << WHERE;
                ASSERT_TRUE(same(lookForCdsR(index, frame, p), scanLookForCdsR(cds, frame, p)))
                    << WHERE;
#undef WHERE
            }
        }
    }
}

TEST(LookupProperty, IndexedMapScansReturnWhatTheScansReturn)
{
    std::mt19937 rng(77);
    for (int round = 0; round < 400; round++) {
        std::vector<CdsSpec> specs;
        const int count = static_cast<int>(rng() % 10);
        for (int k = 0; k < count; k++) {
            const int begin = static_cast<int>(rng() % 260) - 20;
            specs.push_back({"x", begin, begin + static_cast<int>(rng() % 40),
                             static_cast<int>(rng() % 7) - 3});
        }
        const int last = static_cast<int>(rng() % 240);
        const BK bk = booleanAffectation(makeCandidates(specs), last);
        const BkRuns runs = indexBk(bk);
        for (int trial = 0; trial < 300; trial++) {
            const int i = static_cast<int>(rng() % 300) - 30;
            const int end = i + static_cast<int>(rng() % 120) - 20;
            const int frame = static_cast<int>(rng() % 6);
            SCOPED_TRACE("round " + std::to_string(round) + " i " + std::to_string(i) + " end " +
                         std::to_string(end));
            ASSERT_EQ(checkCdsInFrame(runs, frame, i, end),
                      scanCheckCdsInFrame(bk, frame, i, end));
            ASSERT_EQ(checkCdsInFrameMinus(runs, frame, i, end),
                      scanCheckCdsInFrameMinus(bk, frame, i, end));
            ASSERT_EQ(checkCdsInAllFrame(runs, i, end), scanCheckCdsInAllFrame(bk, i, end));
            ASSERT_EQ(checkCdsInAllMinusFrame(runs, i, end),
                      scanCheckCdsInAllMinusFrame(bk, i, end));
        }
    }
}
