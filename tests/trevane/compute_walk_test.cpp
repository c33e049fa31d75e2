// The frameshift walk: planted cases of each kind, then the indexed walk
// against the plain one on random inputs.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

#include "compute_fixtures.h"
#include "compute_reference.h"
#include "trevaneCompute.h"

namespace {

std::vector<std::string> describe(const RES& res)
{
    std::vector<std::string> lines;
    for (int k = 0; k < res.nb; k++) {
        const RESelement& e = res.n[k];
        lines.push_back(std::to_string(e.frameFS) + " " + e.status + " " +
                        std::to_string(e.startFS) + "-" + std::to_string(e.endFS) + " " +
                        e.labelCdsL + "/" + e.labelCdsR);
    }
    return lines;
}

struct Scenario {
    const char* name;
    std::vector<CdsSpec> filtered;
    std::vector<CdsSpec> candidates;
    std::vector<Signal> signals;
    std::vector<std::string> expected;
    float ftgm = 0.5f;
};

// Rows every 10 nt up to 2000, a window of one row, a step of one row.
std::vector<std::string> run(const Scenario& s)
{
    const PK pk = makeSignalCurve(2000, 10, s.signals);
    const CDSBEFOREFILTER candidates = makeCandidates(s.candidates);
    const BK bk = booleanAffectation(candidates, pk.n[pk.nb].posNuc);
    return describe(determineFrameShift(pk, bk, candidates, makeCds(s.filtered), 1, 1, s.ftgm));
}

const CdsSpec Z{"Z", 5000, 5100, 3};  // closes the lists: the last element is never scanned

} // namespace

TEST(FrameshiftWalk, PlantedCases)
{
    const std::vector<Scenario> scenarios = {
        {"staggered CDSs overlap; each frame sees the other",
         {{"A", 100, 400, 1}, {"B", 300, 900, 2}, Z},
         {{"A", 100, 400, 1}, {"B", 300, 900, 2}},
         {{0, 100, 400}, {1, 350, 900}},
         {"0 OVERLAPPING 350-400 A/B", "1 OVERLAPPING 350-400 B/A"}},
        {"a CDS within the other is compensated",
         {{"A", 100, 900, 1}, {"B", 300, 600, 2}, Z},
         {{"A", 100, 900, 1}, {"B", 300, 600, 2}},
         {{0, 100, 900}, {1, 350, 600}},
         {"0 COMPENSATED 350-600 A/B", "1 COMPENSATED 350-600 B/A"}},
        {"CDSs with the same begin are compensated",
         {{"A", 100, 400, 1}, {"B", 100, 900, 2}, Z},
         {{"A", 100, 400, 1}, {"B", 100, 900, 2}},
         {{0, 100, 400}, {1, 350, 900}},
         {"0 COMPENSATED 350-400 A/B", "1 COMPENSATED 350-400 B/A"}},
        {"direct strand: candidate flag at p + 1 and other-frame flag at p + 2",
         {{"A", 100, 400, 1}, {"B", 300, 900, 2}, Z},
         {{"A'", 100, 351, 1}, {"B'", 352, 900, 2}},
         {{0, 100, 400}, {1, 350, 900}},
         {"0 OVERLAPPING 350-400 A/B"}},
        {"direct strand: a row on the candidate's end goes to the stretch test",
         {{"A", 100, 400, 1}, {"B", 300, 900, 2}, Z},
         {{"A'", 100, 350, 1}, {"B'", 352, 900, 2}},
         {{0, 100, 400}, {1, 350, 900}},
         {}},
        {"direct strand: no other-frame flag at p + 2, found one row later",
         {{"A", 100, 400, 1}, {"B", 300, 900, 2}, Z},
         {{"A'", 100, 400, 1}, {"B'", 353, 900, 2}},
         {{0, 100, 400}, {1, 350, 900}},
         {"0 OVERLAPPING 360-400 A/B", "1 OVERLAPPING 370-400 B/A"}},
        {"no retained CDS of the frame at p: empty left side, the walk steps on",
         {{"A", 100, 300, 1}, {"B", 200, 900, 2}, {"C", 600, 700, 1}, Z},
         {{"A''", 100, 370, 1}, {"B", 200, 900, 2}},
         {{0, 100, 370}, {1, 350, 900}},
         {"0 OVERLAPPING 350-0 NULL/B", "0 OVERLAPPING 360-0 NULL/B", "1 OVERLAPPING 350-0 B/NULL"}},
        {"reverse strand: flags at p, start at the larger begin, jump below the left CDS",
         {{"A", 100, 400, -1}, {"B", 300, 900, -2}, Z},
         {{"A", 100, 400, -1}, {"B", 300, 900, -2}},
         {{3, 100, 400}, {4, 300, 350}, {3, 20, 40}},
         {"3 OVERLAPPING 300-350 A/B", "3 ONLYPCOD 10-40 A/NULL", "3 ONLYPCOD 10-20 A/NULL",
          "4 OVERLAPPING 300-350 B/A"}},
        {"reverse strand: a left CDS beginning below the first row ends the frame",
         {{"A", 5, 400, -1}, {"B", 300, 900, -2}, Z},
         {{"A", 100, 400, -1}, {"B", 300, 900, -2}},
         {{3, 100, 400}, {4, 300, 350}, {3, 20, 40}},
         {"3 OVERLAPPING 300-350 A/B", "4 OVERLAPPING 300-350 B/A"}},
        {"direct coding stretch without candidates, left CDS is the frame's first",
         {{"X", 2000, 2300, 1}, {"Y", 3000, 3300, 1}, Z},
         {{"X", 2000, 2300, 1}, {"Y", 3000, 3300, 1}},
         {{0, 1000, 1040}},
         {"0 ONLYPCOD 1000-1050 X/NULL", "0 ONLYPCOD 1020-1050 X/NULL",
          "0 ONLYPCOD 1040-1050 X/NULL"}},
        {"a candidate of another frame in the stretch records nothing",
         {{"X", 2000, 2300, 1}, {"Y", 3000, 3300, 1}, Z},
         {{"X", 2000, 2300, 1}, {"Y", 3000, 3300, 1}, {"W", 1045, 1046, 3}},
         {{0, 1000, 1040}},
         {}},
        {"reverse coding stretch: start below end, empty records on both sides",
         {{"X", 2000, 2300, 1}, {"Y", 3000, 3300, 1}, Z},
         {},
         {{3, 1000, 1040}},
         {"3 ONLYPCOD 990-1040 NULL/NULL", "3 ONLYPCOD 990-1020 NULL/NULL",
          "3 ONLYPCOD 990-1000 NULL/NULL"}},
        {"an empty filtered list still records coding stretches",
         {},
         {{"A", 100, 400, 1}, {"B", 300, 900, 2}},
         {{0, 100, 400}, {1, 350, 900}, {0, 1000, 1020}},
         {"0 ONLYPCOD 1000-1030 NULL/NULL", "0 ONLYPCOD 1020-1030 NULL/NULL"}},
        {"reverse bad start: a candidate in the stretch, the midpoint on a CDS end",
         {{"L", 500, 795, -1}, {"W", 1100, 1200, 2}},
         {{"C", 600, 900, -1}},
         {{3, 600, 1000}},
         {"3 BADSTART 1000-1000 L/NULL"}},
        {"a mean equal to the threshold is not coding",
         {{"X", 2000, 2300, 1}, {"Y", 3000, 3300, 1}, Z},
         {},
         {{0, 1000, 1040, 0.5f}},
         {}},
        {"a mean just above the threshold is coding",
         {{"X", 2000, 2300, 1}, {"Y", 3000, 3300, 1}, Z},
         {},
         {{0, 1000, 1040, 0.5f}},
         {"0 ONLYPCOD 1000-1050 X/NULL", "0 ONLYPCOD 1020-1050 X/NULL",
          "0 ONLYPCOD 1040-1050 X/NULL"},
         0.49999997f},
        {"the other frame's mean may equal the threshold",
         {{"A", 100, 400, 1}, {"B", 300, 900, 2}, Z},
         {{"A", 100, 400, 1}, {"B", 300, 900, 2}},
         {{0, 100, 400}, {1, 350, 900, 0.5f}},
         {"0 OVERLAPPING 350-400 A/B"}},
    };
    for (const Scenario& s : scenarios) {
        EXPECT_EQ(run(s), s.expected) << s.name;
    }
}

TEST(FrameshiftWalk, ResultsKeepASpareElementAfterTheLast)
{
    const PK pk = makeSignalCurve(2000, 10, {{0, 1000, 1040}});
    const CDSBEFOREFILTER none = makeCandidates({});
    const RES res =
        determineFrameShift(pk, booleanAffectation(none, 2000), none, makeCds({}), 1, 1, 0.5f);
    ASSERT_EQ(res.nb, 3);
    ASSERT_EQ(res.n.size(), 4u);
    EXPECT_EQ(res.n[3].startFS, -1);
    EXPECT_EQ(res.n[3].beginCdsL, -1);
}

TEST(FrameshiftWalk, EmptyCurveGivesNoResult)
{
    const PK pk = makeCurve({});
    const CDSBEFOREFILTER none = makeCandidates({});
    const RES res =
        determineFrameShift(pk, booleanAffectation(none, -1), none, makeCds({}), 30, 2, 0.5f);
    EXPECT_EQ(res.nb, 0);
}

// ---------------------------------------------------------------- property

namespace {

struct RandomCase {
    PK pk;
    CDSBEFOREFILTER candidates;
    CDS filtered;
    int lastPosition;
    int fw;
    int fstep;
    float ftgm;
};

// A genome of some hundred rows with genes in random frames: each gene
// raises its frame's probability, candidates cover most of them (sometimes
// shifted), the filtered list keeps some, in begin order or not.
RandomCase randomCase(std::mt19937& rng)
{
    auto draw = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const float levels[] = {0.0f, 0.1f, 1.0f / 6.0f, 0.2f, 0.5f, 0.6f, 0.9f, 1.0f};
    const int frames[] = {1, 2, 3, -1, -2, -3, 0};
    RandomCase c;
    const int rows = draw(0, 160);
    const int spacing = draw(3, 15);
    std::vector<PKelement> curve;
    for (int k = 0; k < rows; k++) {
        PKelement e = row(spacing * (k + 1));
        for (float& p : e.probaCodage) p = draw(0, 5) == 0 ? levels[draw(0, 7)] : 0.0f;
        curve.push_back(e);
    }
    const int length = spacing * (rows + 1);
    std::vector<CdsSpec> cand;
    std::vector<CdsSpec> kept;
    const int genes = draw(0, 12);
    for (int g = 0; g < genes; g++) {
        const int begin = draw(-20, length);
        const int end = begin + draw(0, length / 3 + 1);
        const int frame = frames[draw(0, 6)];
        const float value = levels[draw(3, 7)];
        for (PKelement& e : curve) {
            if (e.posNuc >= begin && e.posNuc <= end) e.probaCodage[frame2c(frame)] = value;
        }
        const std::string label = "g" + std::to_string(g);
        if (draw(0, 5) != 0) cand.push_back({label, begin + draw(-10, 10), end + draw(-10, 10), frame});
        if (draw(0, 2) != 0) kept.push_back({label, begin, end, frame});
    }
    if (draw(0, 4) != 0) {
        std::stable_sort(kept.begin(), kept.end(),
                         [](const CdsSpec& a, const CdsSpec& b) { return a.begin < b.begin; });
    }
    if (draw(0, 3) == 0) {
        // Sequence lines of the filtered file: records of zeros after each CDS.
        std::vector<CdsSpec> withLines;
        for (const CdsSpec& s : kept) {
            withLines.push_back(s);
            withLines.push_back({"ACGT", 0, 0, 0});
        }
        kept = withLines;
    }
    if (draw(0, 8) == 0) std::reverse(curve.begin(), curve.end());  // unsorted curve
    c.pk = makeCurve(curve);
    c.candidates = makeCandidates(cand);
    c.filtered = makeCds(kept);
    c.lastPosition = rows == 0 ? -1 : std::max(curve.front().posNuc, curve.back().posNuc) + draw(-30, 5);
    c.fw = draw(1, 40);
    c.fstep = draw(1, 3);
    const float thresholds[] = {0.5f, 0.3f, 0.45f, 0.2f};
    c.ftgm = thresholds[draw(0, 3)];
    return c;
}

} // namespace

TEST(FrameshiftWalkProperty, IndexedWalkGivesThePlainWalksResults)
{
    std::mt19937 rng(424242);
    int withResults = 0;
    for (int round = 0; round < 3000; round++) {
        const RandomCase c = randomCase(rng);
        const BK bk = booleanAffectation(c.candidates, c.lastPosition);
        const RES fast = determineFrameShift(c.pk, bk, c.candidates, c.filtered, c.fw, c.fstep, c.ftgm);
        const RES plain = reference::determineFrameShift(c.pk, bk, c.filtered, c.fw, c.fstep, c.ftgm);
        ASSERT_EQ(describe(fast), describe(plain)) << "round " << round;
        for (int k = 0; k < fast.nb; k++) {
            const RESelement& a = fast.n[k];
            const RESelement& b = plain.n[k];
            ASSERT_EQ(std::make_tuple(a.frameCdsL, a.beginCdsL, a.endCdsL, a.frameCdsR, a.beginCdsR,
                                      a.endCdsR),
                      std::make_tuple(b.frameCdsL, b.beginCdsL, b.endCdsL, b.frameCdsR, b.beginCdsR,
                                      b.endCdsR))
                << "round " << round << " result " << k;
        }
        if (fast.nb > 0) withResults++;
    }
    // The generator must exercise the walk, not only empty curves.
    EXPECT_GT(withResults, 1000);
}
