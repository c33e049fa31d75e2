#include "RavomelLoadData.h"
#include "getElementFromString.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

// Lines read by readLine from a stream holding `content`.
std::vector<std::string> readAllLines(const std::string& content)
{
    std::FILE* file = std::tmpfile();
    std::fwrite(content.data(), 1, content.size(), file);
    std::rewind(file);
    std::vector<std::string> lines;
    std::string line;
    while (dexolin::readLine(file, line)) lines.push_back(line);
    std::fclose(file);
    return lines;
}

TEST(ReadLine, WholeLinesWithTheirNewline)
{
    const std::string longLabel(100000, 'x');
    const struct {
        std::string content;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a 1 2 3\n", {"a 1 2 3\n"}},
        {"a 1 2 3\nb 1 4 5\n", {"a 1 2 3\n", "b 1 4 5\n"}},
        // a last line without newline is given one
        {"a 1 2 3\nb 1 4 5", {"a 1 2 3\n", "b 1 4 5\n"}},
        {"\n\n", {"\n", "\n"}},
        {"a\r\n", {"a\r\n"}},
        // a long line is one line, never pieces
        {longLabel + " 1 2 3\nb", {longLabel + " 1 2 3\n", "b\n"}},
        // a NUL byte is an ordinary byte of the line
        {std::string("\0b\n", 3), {std::string("\0b\n", 3)}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readAllLines(c.content), c.lines) << "content of " << c.content.size() << " bytes";
    }
}

std::vector<std::pair<int, int>> segmentsOf(const dexolin::CDS& cds)
{
    std::vector<std::pair<int, int>> segments;
    for (int s = 0; s < cds.nbCds; ++s) segments.emplace_back(cds.pos[s].begin, cds.pos[s].end);
    return segments;
}

TEST(LoadDataFromLine, LabelFrameAndSegments)
{
    const struct {
        const char* line;
        const char* label;
        int strand;
        std::vector<std::pair<int, int>> segments;
    } cases[] = {
        {"lab 1 10 12\n", "lab", 1, {{10, 12}}},
        {"  lab\t-2  10\t 12  \n", "lab", -2, {{10, 12}}},
        {"j 1 1 3 7 9\n", "j", 1, {{1, 3}, {7, 9}}},
        {"j 1 1 3 7 9\r\n", "j", 1, {{1, 3}, {7, 9}}},
        // an unpaired last number is ignored
        {"j 1 1 3 7\n", "j", 1, {{1, 3}}},
        {"j 1 1\n", "j", 1, {}},
        // a non-numeric frame reads as 0
        {"k abc 4 5\n", "k", 0, {{4, 5}}},
        // a label alone keeps its newline, as the last field of the line
        {"lab\n", "lab\n", 0, {}},
    };
    for (const auto& c : cases) {
        dexolin::CDS cds;
        dexolin::loadDataFromLine(c.line, cds);
        EXPECT_EQ(cds.label, c.label) << c.line;
        EXPECT_EQ(cds.strand, c.strand) << c.line;
        EXPECT_EQ(segmentsOf(cds), c.segments) << c.line;
    }
}

TEST(LoadDataFromLine, RecordIsReplacedLineByLine)
{
    dexolin::CDS cds;
    dexolin::loadDataFromLine("first 1 1 2 3 4 5 6\n", cds);
    dexolin::loadDataFromLine("second -1 7 8\n", cds);
    EXPECT_EQ(cds.label, "second");
    EXPECT_EQ(cds.strand, -1);
    EXPECT_EQ(segmentsOf(cds), (std::vector<std::pair<int, int>>{{7, 8}}));
}

TEST(LoadDataFromLine, ManySegmentsOnOneLine)
{
    std::string line = "big 1";
    std::vector<std::pair<int, int>> expected;
    for (int s = 1; s <= 5000; ++s) {
        line += " " + std::to_string(10 * s) + " " + std::to_string(10 * s + 2);
        expected.emplace_back(10 * s, 10 * s + 2);
    }
    line += "\n";
    dexolin::CDS cds;
    dexolin::loadDataFromLine(line, cds);
    EXPECT_EQ(cds.label, "big");
    EXPECT_EQ(segmentsOf(cds), expected);
}

} // namespace
