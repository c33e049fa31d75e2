// Suppression of repeated results and the four strength ratings.
#include <gtest/gtest.h>

#include <random>

#include "compute_reference.h"
#include "trevaneClassify.h"

namespace {

RESelement result(const char* status, int startFS, int endFS, const char* left, const char* right)
{
    RESelement e{};
    e.status = status;
    e.startFS = startFS;
    e.endFS = endFS;
    e.labelCdsL = left;
    e.labelCdsR = right;
    return e;
}

RES resultList(const std::vector<RESelement>& elements)
{
    RES res;
    res.n = elements;
    res.n.push_back(RESelement{});
    res.nb = static_cast<int>(elements.size());
    return res;
}

// Indices of the suppressed results.
std::vector<int> suppressed(RES res)
{
    filterResults(res);
    std::vector<int> out;
    for (int k = 0; k < res.nb; k++) {
        if (res.n[k].startFS == 0 && res.n[k].endFS == 0) out.push_back(k);
    }
    return out;
}

const RESelement other1 = result("OVERLAPPING", 5000, 5100, "X", "Y");
const RESelement other2 = result("OVERLAPPING", 6000, 6100, "Y", "X");

} // namespace

TEST(FilterResults, SuppressesTheShorterRepeatOfAnEarlierResult)
{
    struct Case {
        const char* name;
        std::vector<RESelement> results;
        std::vector<int> expected;
    };
    const std::vector<Case> cases = {
        {"same sides, shorter second",
         {result("COMPENSATED", 100, 150, "A", "B"), result("COMPENSATED", 200, 230, "A", "B"), other1,
          other2},
         {1}},
        {"same sides, longer second",
         {result("COMPENSATED", 200, 230, "A", "B"), result("COMPENSATED", 100, 150, "A", "B"), other1,
          other2},
         {}},
        {"equal lengths",
         {result("COMPENSATED", 100, 150, "A", "B"), result("COMPENSATED", 200, 250, "A", "B"), other1,
          other2},
         {}},
        {"crossed sides",
         {result("OVERLAPPING", 100, 150, "A", "B"), result("OVERLAPPING", 200, 230, "B", "A"), other1,
          other2},
         {1}},
        {"different kinds about the same CDSs",
         {result("OVERLAPPING", 100, 150, "A", "B"), result("COMPENSATED", 200, 230, "A", "B"), other1,
          other2},
         {}},
        {"one side differs",
         {result("OVERLAPPING", 100, 150, "A", "B"), result("OVERLAPPING", 200, 230, "A", "C"), other1,
          other2},
         {}},
        {"an ONLYPCOD never meets a frame change",
         {result("ONLYPCOD", 100, 150, "A", "B"), result("OVERLAPPING", 200, 230, "A", "B"), other1,
          other2},
         {}},
        {"a first member whose start is 0 suppresses nothing",
         {result("COMPENSATED", 0, 150, "A", "B"), result("COMPENSATED", 200, 230, "A", "B"), other1,
          other2},
         {}},
        {"ONLYPCOD: same sides and same start",
         {result("ONLYPCOD", 100, 300, "A", "B"), result("ONLYPCOD", 100, 200, "A", "B"), other1, other2},
         {1}},
        {"ONLYPCOD: same sides, other start",
         {result("ONLYPCOD", 100, 300, "A", "B"), result("ONLYPCOD", 120, 300, "A", "B"), other1, other2},
         {}},
        {"ONLYPCOD: both sides empty, other start",
         {result("ONLYPCOD", 100, 300, "NULL", "NULL"), result("ONLYPCOD", 120, 300, "NULL", "NULL"),
          other1, other2},
         {1}},
        {"ONLYPCOD: crossed sides are other CDSs",
         {result("ONLYPCOD", 100, 300, "A", "B"), result("ONLYPCOD", 100, 300, "B", "A"), other1, other2},
         {}},
        {"three results are not filtered",
         {result("COMPENSATED", 100, 150, "A", "B"), result("COMPENSATED", 200, 230, "A", "B"),
          result("COMPENSATED", 300, 310, "A", "B")},
         {}},
        {"four results: only the pair (0, 1)",
         {result("COMPENSATED", 100, 150, "A", "B"), result("COMPENSATED", 200, 230, "A", "B"),
          result("COMPENSATED", 300, 310, "A", "B"), result("COMPENSATED", 400, 405, "A", "B")},
         {1}},
        {"the last two results are never suppressed",
         {result("COMPENSATED", 100, 150, "A", "B"), other1, other2,
          result("COMPENSATED", 300, 310, "A", "B"), result("COMPENSATED", 400, 405, "A", "B"),
          result("COMPENSATED", 500, 501, "A", "B")},
         {3}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(suppressed(resultList(c.results)), c.expected) << c.name;
    }
}

TEST(FilterResultsProperty, MarksWhatThePairwiseComparisonMarks)
{
    std::mt19937 rng(99);
    const char* kinds[] = {"ONLYPCOD", "COMPENSATED", "OVERLAPPING", "BADSTART"};
    const char* labels[] = {"A", "B", "C", "NULL"};
    for (int round = 0; round < 5000; round++) {
        std::vector<RESelement> elements;
        const int count = static_cast<int>(rng() % 14);
        for (int k = 0; k < count; k++) {
            const int start = static_cast<int>(rng() % 4) * 100;
            const int end = start + static_cast<int>(rng() % 5) * 10 - 10;
            elements.push_back(result(kinds[rng() % 4], start, end, labels[rng() % 4],
                                      labels[rng() % 4]));
        }
        RES fast = resultList(elements);
        RES plain = resultList(elements);
        filterResults(fast);
        reference::filterResults(plain);
        for (int k = 0; k < count; k++) {
            ASSERT_EQ(fast.n[k].startFS, plain.n[k].startFS) << "round " << round << " result " << k;
            ASSERT_EQ(fast.n[k].endFS, plain.n[k].endFS) << "round " << round << " result " << k;
        }
    }
}

namespace {

RESelement sides(int startFS, int endFS, int beginL, int endL, int beginR, int endR, int frameR = 1)
{
    RESelement e{};
    e.startFS = startFS;
    e.endFS = endFS;
    e.beginCdsL = beginL;
    e.endCdsL = endL;
    e.beginCdsR = beginR;
    e.endCdsR = endR;
    e.frameCdsR = frameR;
    return e;
}

std::string shown(const std::optional<std::string>& s) { return s ? *s : "none"; }

} // namespace

TEST(Ratings, Overlapping)
{
    struct Case {
        RESelement e;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {sides(350, 400, 100, 400, 340, 900), "none"},    // overlap 60
        {sides(350, 400, 100, 400, 339, 900), "WEAK"},    // 61
        {sides(350, 400, 100, 400, 280, 900), "WEAK"},    // 120
        {sides(350, 400, 100, 400, 279, 900), "MEDIUM"},  // 121
        {sides(350, 400, 100, 400, 220, 900), "MEDIUM"},  // 180
        {sides(350, 400, 100, 400, 219, 900), "STRONG"},  // 181
        {sides(350, 400, 300, 900, 100, 361), "WEAK"},    // right CDS first: 361 - 300
        {sides(350, 358, 100, 400, 219, 900), "none"},    // region of 9
        {sides(350, 359, 100, 400, 219, 900), "STRONG"},  // region of 10
        {sides(0, 400, 100, 400, 219, 900), "none"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shown(getOverlappingStatus(c.e)), c.expected)
            << c.e.startFS << "-" << c.e.endFS << " R " << c.e.beginCdsR << "-" << c.e.endCdsR;
    }
}

TEST(Ratings, Compensated)
{
    struct Case {
        int leftLength;
        int rightLength;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {80, 400, "none"},    // 20 %
        {81, 400, "WEAK"},    // 20.25 %
        {99, 400, "WEAK"},    // 24.75 %
        {100, 400, "MEDIUM"}, // 25 %
        {119, 400, "MEDIUM"}, // 29.75 %
        {120, 400, "STRONG"}, // 30 %
        {900, 400, "STRONG"},
        // 6800002 / 34000010 is exactly 20 %, but 34000010 in single
        // precision is 34000008, which makes it just above.
        {6800002, 34000010, "WEAK"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shown(getCompensatedStatus(sides(350, 400, 1, c.leftLength, 1, c.rightLength))),
                  c.expected)
            << c.leftLength << " of " << c.rightLength;
    }
    EXPECT_EQ(shown(getCompensatedStatus(sides(0, 400, 1, 900, 1, 400))), "none");
}

TEST(Ratings, Onlypcod)
{
    const std::vector<std::pair<int, const char*>> cases = {
        {1119, "none"}, {1120, "WEAK"}, {1179, "WEAK"}, {1180, "MEDIUM"},
        {1239, "MEDIUM"}, {1240, "STRONG"}, {1005, "none"},
    };
    for (const auto& [endFS, expected] : cases) {
        EXPECT_EQ(shown(getOnlypcodStatus(sides(1000, endFS, 0, 0, 0, 0), 0.5f)), expected) << endFS;
    }
    EXPECT_EQ(shown(getOnlypcodStatus(sides(0, 1240, 0, 0, 0, 0), 0.5f)), "none");
}

TEST(Ratings, Badstart)
{
    struct Case {
        RESelement e;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {sides(1000, 1000, 0, 0, 1120, 1500, 2), "none"},    // d 120
        {sides(1000, 1000, 0, 0, 1121, 1500, 2), "WEAK"},    // d 121
        {sides(1000, 1000, 0, 0, 1179, 1500, 2), "WEAK"},    // d 179
        {sides(1000, 1000, 0, 0, 1180, 1500, 2), "MEDIUM"},  // d 180
        {sides(1000, 1000, 0, 0, 1239, 1500, 2), "MEDIUM"},
        {sides(1000, 1000, 0, 0, 1240, 1500, 2), "STRONG"},
        {sides(1000, 1000, 0, 0, 300, 760, -1), "STRONG"},   // reverse: 1000 - 760
        {sides(1000, 1000, 0, 0, 300, 880, -1), "none"},     // reverse: 120
        {sides(1000, 1000, 500, 700, 0, 0, 0), "none"},      // no right CDS
        {sides(0, 1000, 0, 0, 300, -500, -1), "none"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shown(getBadstartStatus(c.e)), c.expected)
            << c.e.startFS << " R " << c.e.beginCdsR << "-" << c.e.endCdsR;
    }
}
