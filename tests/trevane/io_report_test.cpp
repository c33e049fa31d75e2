// Raw and HTML report writers on hand-built result lists.
#include "trevaneReport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Side {
    const char* label;
    int begin;
    int end;
    int frame;
};

const Side none = {"NULL", 0, 0, 0};

RESelement result(const char* status, int startFS, int endFS, Side left, Side right)
{
    RESelement e{};
    e.status = status;
    e.startFS = startFS;
    e.endFS = endFS;
    e.labelCdsL = left.label;
    e.beginCdsL = left.begin;
    e.endCdsL = left.end;
    e.frameCdsL = left.frame;
    e.labelCdsR = right.label;
    e.beginCdsR = right.begin;
    e.endCdsR = right.end;
    e.frameCdsR = right.frame;
    return e;
}

// A result list as the walk leaves it: nb results and one spare element.
RES listOf(const std::vector<RESelement>& results)
{
    RES res;
    res.n = results;
    res.n.push_back(RESelement{});
    res.nb = static_cast<int>(results.size());
    return res;
}

// One result of every kind that gets a strength, and two that get none.
RES mixedList()
{
    return listOf({
        // overlap 400 - 300 = 100: WEAK
        result("OVERLAPPING", 350, 400, {"cdsA", 100, 400, 1}, {"cdsB", 300, 900, 2}),
        // left CDS 100 nt, right 400 nt: 25 percent, MEDIUM
        result("COMPENSATED", 500, 600, {"cdsC", 301, 400, 3}, {"cdsD", 201, 600, 1}),
        // right CDS on the direct strand 300 nt away: STRONG, length 301
        result("BADSTART", 1200, 1250, {"cdsE", 100, 1100, 2}, {"cdsF", 1500, 2000, 2}),
        // right CDS on the reverse strand 200 nt away: MEDIUM, length 201
        result("BADSTART", 1400, 1450, {"cdsH", 1500, 1800, -1}, {"cdsG", 700, 1200, -1}),
        // region of 121 nt: WEAK
        result("ONLYPCOD", 1000, 1120, none, {"cdsI", 2000, 2600, 1}),
        // region of 101 nt: no strength, not reported
        result("ONLYPCOD", 3000, 3100, {"cdsJ", 10, 20, 1}, {"cdsK", 4000, 4600, 1}),
        // no CDS on the right: no strength
        result("BADSTART", 5000, 5050, {"cdsL", 100, 400, 1}, none),
    });
}

std::string raw(RES res)
{
    testing::internal::CaptureStdout();
    EXPECT_EQ(printRawResult(res, 5.0f, 0.5f), 1);
    return testing::internal::GetCapturedStdout();
}

std::string web(RES res, float startPercentage)
{
    testing::internal::CaptureStdout();
    EXPECT_EQ(printWebResults(res, 30, 2, 0.5f, startPercentage), 1);
    return testing::internal::GetCapturedStdout();
}

std::string pageHead(const char* startPercentage)
{
    return std::string("<HTML><BODY BGCOLOR=\"#000000\" TEXT=\"#FFFFFF\">\n<CENTER>\n<TABLE BORDER=2>\n"
                       "<PRE>\n") +
           trevaneBlockLetters +
           "</PRE><BR><BR>----------------------------------<BR><|*.*.*.*.Trevane "
           "Start.*.*.*.*|><BR>Trevane is an Zorvan tool for <BR>detecting FrameShift "
           "<BR>coding by trevane-suite@users.noreply.example.org<BR>"
           "----------------------------------<BR><HR><BR><BR>"
           "----------------------------------<BR>With Parameters: <BR>\n\ttgm : "
           "0.500000<BR>\tw : 30<BR>\tstep : 2\n<BR>----------------------------------<BR>Bad "
           "Start Percentage : " +
           startPercentage +
           "<BR>\n"
           "<TR><TD>FrameShift Type</TD><TD>FrameShift Status</TD><TD>FrameShift "
           "Position</TD><TD>Length</TD><TD>CDS Left Label</TD><TD>CDS Left Start "
           "Position</TD><TD>CDS Left Length</TD><TD>CDS Left Frame</TD><TD>CDS Right "
           "Label</TD><TD>CDS Right Start Position</TD><TD>CDS Right Length</TD><TD>CDS Right "
           "Frame</TR>\n";
}

std::string pageTail(int rows)
{
    return "<BR><HR><BR>Number Of Results : " + std::to_string(rows) +
           "<BR><HR><BR><BR></TABLE></CENTER></BODY></HTML>";
}

TEST(BlockLetters, FiveLinesOfAt)
{
    const std::string letters = trevaneBlockLetters;
    int lines = 0;
    for (char c : letters) {
        if (c == '\n') ++lines;
        else EXPECT_TRUE(c == '@' || c == ' ');
    }
    EXPECT_EQ(lines, 5);
    EXPECT_EQ(letters.back(), '\n');
}

TEST(RawReport, OneLinePerRatedResult)
{
    EXPECT_EQ(raw(mixedList()),
              // other kinds: right CDS first
              "350 WEAK OVERLAPPING 51 cdsB 300 900 2 cdsA 100 400 1\n"
              "500 MEDIUM COMPENSATED 101 cdsD 201 600 1 cdsC 301 400 3\n"
              // bad starts: left CDS first
              "1200 STRONG BADSTART 301 cdsE 100 1100 2 cdsF 1500 2000 2\n"
              "1400 MEDIUM BADSTART 201 cdsH 1500 1800 -1 cdsG 700 1200 -1\n"
              "1000 WEAK ONLYPCOD 121 cdsI 2000 2600 1 NULL 0 0 0\n");
}

TEST(WebReport, PageWithOneRowPerRatedResult)
{
    EXPECT_EQ(web(mixedList(), 5.0f),
              pageHead("5.000000") +
                  "<TR><TD>OVERLAPPING</TD><TD>WEAK</TD><TD>350</TD><TD>51</TD><TD>cdsA</TD>"
                  "<TD>100</TD><TD>301</TD><TD>1</TD><TD>cdsB</TD><TD>300</TD><TD>601</TD>"
                  "<TD>2</TD></TR>\n"
                  "<TR><TD>COMPENSATED</TD><TD>MEDIUM</TD><TD>500</TD><TD>101</TD><TD>cdsC</TD>"
                  "<TD>301</TD><TD>100</TD><TD>3</TD><TD>cdsD</TD><TD>201</TD><TD>400</TD>"
                  "<TD>1</TD></TR>\n"
                  "<TR><TD>BADSTART</TD><TD>STRONG</TD><TD>1200</TD><TD>301</TD><TD>***</TD>"
                  "<TD>***</TD><TD>***</TD><TD>***</TD><TD>cdsF</TD><TD>1500</TD><TD>501</TD>"
                  "<TD>2</TD></TR>\n"
                  "<TR><TD>BADSTART</TD><TD>MEDIUM</TD><TD>1400</TD><TD>201</TD><TD>***</TD>"
                  "<TD>***</TD><TD>***</TD><TD>***</TD><TD>cdsG</TD><TD>700</TD><TD>501</TD>"
                  "<TD>-1</TD></TR>\n"
                  // the coding-signal row shows its own strength in a cell of its own
                  "<TR><TD>ONLYPCOD</TD><TD>WEAK</TD><TD>1000</TD><TD>121</TD><TD>NULL</TD>"
                  "<TD>0</TD><TD>1</TD><TD>0</TD><TD>cdsI</TD><TD>2000</TD><TD>601</TD>"
                  "<TD>1</TD></TR>\n" +
                  pageTail(5));
}

TEST(Reports, EmptyList)
{
    EXPECT_EQ(raw(listOf({})), "");
    EXPECT_EQ(web(listOf({}), 0.0f), pageHead("0.000000") + pageTail(0));
}

TEST(Reports, RepeatedResultsAreFilteredFirst)
{
    const Side left = {"cdsX", 301, 400, 1};
    const Side right = {"cdsY", 201, 600, 2};
    const std::vector<RESelement> pair = {
        result("COMPENSATED", 500, 550, left, right),
        result("COMPENSATED", 600, 630, left, right),
    };
    // two others follow: the pair is examined and the shorter second result is dropped
    std::vector<RESelement> results = pair;
    results.push_back(result("ONLYPCOD", 7000, 7010, {"a", 1, 2, 1}, {"b", 3, 4, 1}));
    results.push_back(result("ONLYPCOD", 8000, 8010, {"c", 1, 2, 1}, {"d", 3, 4, 1}));
    const std::string first = "500 MEDIUM COMPENSATED 51 cdsY 201 600 2 cdsX 301 400 1\n";
    const std::string second = "600 MEDIUM COMPENSATED 31 cdsY 201 600 2 cdsX 301 400 1\n";
    EXPECT_EQ(raw(listOf(results)), first);
    const std::string page = web(listOf(results), 5.0f);
    EXPECT_NE(page.find(">500<"), std::string::npos);
    EXPECT_EQ(page.find(">600<"), std::string::npos);
    EXPECT_NE(page.find("Number Of Results : 1<"), std::string::npos);
    // a list this short is not filtered
    EXPECT_EQ(raw(listOf(pair)), first + second);
}

// A report that cannot reach standard output ends the run with a failure,
// not with the status of a complete run.
TEST(Reports, WriteFailureIsNotSuccess)
{
    const auto writeTo = [](const char* path) {
        if (std::freopen(path, "w", stdout) == nullptr) std::exit(2);
        RES res = mixedList();
        printWebResults(res, 30, 2, 0.5f, 5.0f);
        std::exit(reportsWritten() ? 0 : 1);
    };
    EXPECT_EXIT(writeTo("/dev/full"), testing::ExitedWithCode(1),
                "^Error while writing the report on standard output\n$");
    const std::string file = testing::TempDir() + "io_report_page";
    EXPECT_EXIT(writeTo(file.c_str()), testing::ExitedWithCode(0), "^$");
}

} // namespace
