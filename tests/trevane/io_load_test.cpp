// Loaders of curve files and CDS lists, and the numeric field readers.
#include "trevaneLoadFromFile.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "getElementFromString.h"

namespace {

std::string writeFile(const std::string& name, const std::string& content)
{
    const std::string path = testing::TempDir() + "io_load_" + name;
    std::ofstream out(path, std::ios::binary);
    out << content;
    return path;
}

PK loadCurveText(const std::string& content)
{
    const std::vector<std::string> names = {"unused", writeFile("curve", content)};
    return loadCurveFile(names, 1);
}

TEST(NumericFields, FloatingRuleStoredAsSingle)
{
    EXPECT_EQ(readDecimal("0.5\n"), 0.5f);
    EXPECT_EQ(readDecimal("-0.25"), -0.25f);
    EXPECT_EQ(readDecimal("1e-3"), static_cast<float>(1e-3));
    EXPECT_EQ(readDecimal("7"), 7.0f);
    EXPECT_EQ(readDecimal("abc"), 0.0f);
    EXPECT_EQ(readDecimal(".75x"), 0.75f);
    // the single-precision value nearest to one sixth
    EXPECT_EQ(readDecimal("0.16666667"), 1.0f / 6.0f);
    // out of the single-precision range: infinite, not undefined
    EXPECT_EQ(readDecimal("1e300"), HUGE_VALF);
    EXPECT_EQ(readDecimal("-1e300"), -HUGE_VALF);
}

// Decimal fields are read as strtod reads them, then stored in single precision.
TEST(NumericFields, DecimalsAsStrtodReadsThem)
{
    const auto reference = [](const std::string& text) {
        const double value = std::strtod(text.c_str(), nullptr);
        if (value > FLT_MAX) return HUGE_VALF;
        if (value < -FLT_MAX) return -HUGE_VALF;
        return static_cast<float>(value);
    };
    const auto same = [](float a, float b) {
        return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
    };
    std::mt19937 random(2024);
    const auto digits = [&random](int most) {
        std::string text(random() % (most + 1), '0');
        for (char& c : text) c = static_cast<char>('0' + random() % 10);
        return text;
    };
    const char* const signs[] = {"", "", "-", "+"};
    const char* const tails[] = {"", "\n", "\r\n", "x", "e", "e+", ".", "abc"};
    for (int n = 0; n < 100000; ++n) {
        // [sign] digits [. digits] [exponent] [tail]: long mantissas and
        // exponents near the limits test the rounding
        std::string text = signs[random() % 4] + digits(random() % 3 == 0 ? 30 : 8);
        if (random() % 2) text += "." + digits(random() % 3 == 0 ? 30 : 8);
        if (random() % 3 == 0) {
            text += (random() % 2) ? "e" : "E";
            text += signs[random() % 4];
            text += std::to_string(random() % 420);
        }
        text += tails[random() % 8];
        ASSERT_TRUE(same(readDecimal(text), reference(text))) << text;
    }
    for (const char* text : {"0x1p3", "-0x10", "inf", "-infinity", "nan", " 5", "\v2.5", ".", "-.",
                             "-.5", "1e-400", "1e-310", "3.4028235e38", "3.4028236e38", "1e39",
                             "0.16666667", "007.5", "00x1"}) {
        EXPECT_TRUE(same(readDecimal(text), reference(text))) << text;
    }
}

TEST(CurveLoader, ColumnsAndCount)
{
    const PK pk = loadCurveText("1 0.1 0.2 0.3 0.4 0.5 0.6\n"
                                "13\t0.7  0.8 0.9 1 0 0.5 0.99\n"
                                "25 0.125 0.25 0.375 0.5 0.625 0.75\n");
    ASSERT_EQ(pk.nb, 2);
    // one spare element after the last row
    EXPECT_EQ(pk.n.size(), 4u);
    EXPECT_EQ(pk.n[0].posNuc, 1);
    EXPECT_EQ(pk.n[1].posNuc, 13);
    EXPECT_EQ(pk.n[2].posNuc, 25);
    const float row1[6] = {0.7f, 0.8f, 0.9f, 1.0f, 0.0f, 0.5f};
    for (int f = 0; f < 6; ++f) EXPECT_EQ(pk.n[1].probaCodage[f], row1[f]) << f;
    EXPECT_EQ(pk.n[2].probaCodage[5], 0.75f);
}

TEST(CurveLoader, LastLineWithoutNewlineIsLoaded)
{
    PK pk = loadCurveText("1 0 0 0 0 0 0\n13 0 0 0 0 0 0\n25 0 0 0 0 0 0.5");
    ASSERT_EQ(pk.nb, 2);
    EXPECT_EQ(pk.n[2].posNuc, 25);
    EXPECT_EQ(pk.n[2].probaCodage[5], 0.5f);

    pk = loadCurveText("7 0.1 0.2 0.3 0.4 0.5 6");
    ASSERT_EQ(pk.nb, 0);
    EXPECT_EQ(pk.n[0].posNuc, 7);
    // a one-character last field without newline is read
    EXPECT_EQ(pk.n[0].probaCodage[5], 6.0f);
}

TEST(CurveLoader, BlankMissingAndCarriageReturn)
{
    const PK pk = loadCurveText("1 0.5 0.5 0.5 0.5 0.5 0.5\r\n"
                                "\n"
                                "25 0.25 0.25\n"
                                "37 x 0.5 0.5 0.5 0.5 0.5\n");
    ASSERT_EQ(pk.nb, 3);
    EXPECT_EQ(pk.n[0].probaCodage[5], 0.5f);
    // a blank line is a record of zeros
    EXPECT_EQ(pk.n[1].posNuc, 0);
    for (float p : pk.n[1].probaCodage) EXPECT_EQ(p, 0.0f);
    // missing columns stay zero
    EXPECT_EQ(pk.n[2].posNuc, 25);
    EXPECT_EQ(pk.n[2].probaCodage[1], 0.25f);
    EXPECT_EQ(pk.n[2].probaCodage[2], 0.0f);
    // a non-numeric field reads as 0
    EXPECT_EQ(pk.n[3].probaCodage[0], 0.0f);
    EXPECT_EQ(pk.n[3].probaCodage[1], 0.5f);
}

TEST(CurveLoader, LongLineIsOneRecord)
{
    const std::string padding(5000, ' ');
    const PK pk = loadCurveText("1" + padding + "0.5 0.5 0.5 0.5 0.5 0.25" + padding + "\n" +
                                "13 0 0 0 0 0 0 " + std::string(3000, '9') + "\n");
    ASSERT_EQ(pk.nb, 1);
    EXPECT_EQ(pk.n[0].probaCodage[5], 0.25f);
    EXPECT_EQ(pk.n[1].posNuc, 13);
}

TEST(CurveLoader, ManyRows)
{
    std::string text;
    for (int k = 0; k < 20000; ++k) text += std::to_string(1 + 12 * k) + " 0.1 0.2 0.3 0.4 0.5 0.6\n";
    const PK pk = loadCurveText(text);
    ASSERT_EQ(pk.nb, 19999);
    EXPECT_EQ(pk.n[19999].posNuc, 1 + 12 * 19999);
}

TEST(CdsLoader, ElevenColumns)
{
    const CDS cds = loadCdsFile(writeFile("cds", ">cds_1 100 130 400 301 271 0.75 0.5 -2 Reverse 4\n"
                                                 "cds_2 500 500 800 301 301 0.5 0.25 3 Direct 7\n"));
    ASSERT_EQ(cds.nb, 1);
    EXPECT_EQ(cds.n.size(), 3u);
    const CDSelement& a = cds.n[0];
    EXPECT_EQ(a.label, ">cds_1");
    EXPECT_EQ(a.begin, 100);
    EXPECT_EQ(a.alternateStart, 130);
    EXPECT_EQ(a.end, 400);
    EXPECT_EQ(a.selvigoLength, 301);
    EXPECT_EQ(a.leftmostLength, 271);
    EXPECT_EQ(a.selvigoCodingProba, 0.75f);
    EXPECT_EQ(a.leftmostCodingProba, 0.5f);
    EXPECT_EQ(a.frame, -2);
    EXPECT_EQ(a.strand, 'R');
    EXPECT_EQ(a.geneModelNumber, 4);
    EXPECT_EQ(cds.n[1].strand, 'D');
    EXPECT_EQ(cds.n[1].geneModelNumber, 7);
}

TEST(CdsLoader, SequenceLinesAreRecordsLabelledByTheLine)
{
    const std::string letters(60, 'A');
    const CDS cds = loadCdsFile(writeFile("cds_seq", "cds_1 100 100 400 301 301 0.7 0.7 1 Direct 1\n" +
                                                         letters + "\n" + letters));
    ASSERT_EQ(cds.nb, 2);
    // the newline belongs to the last field
    EXPECT_EQ(cds.n[1].label, letters + "\n");
    EXPECT_EQ(cds.n[1].begin, 0);
    EXPECT_EQ(cds.n[1].end, 0);
    EXPECT_EQ(cds.n[1].frame, 0);
    EXPECT_EQ(cds.n[1].strand, '\0');
    // the last line has no newline, so neither has its label
    EXPECT_EQ(cds.n[2].label, letters);
}

TEST(CdsLoader, LongLabelIsKeptWhole)
{
    const std::string label(1000, 'L');
    const CDS cds = loadCdsFile(writeFile("cds_long", label + " 1 1 90 90 90 0.5 0.5 1 D 1\n"));
    ASSERT_EQ(cds.nb, 0);
    EXPECT_EQ(cds.n[0].label, label);
    EXPECT_EQ(cds.n[0].geneModelNumber, 1);
}

TEST(CdsBeforeFilterLoader, ColumnsOneToSevenAndEleven)
{
    const CDSBEFOREFILTER cds = loadCdsBeforeFilterFile(
        writeFile("cdsbf", "c1 10 40 300 0.5 0.25 -1\n"
                           "c2 20 20 200 0.125 0.75 2 99 98 97 5\n"));
    ASSERT_EQ(cds.nb, 1);
    EXPECT_EQ(cds.n.size(), 3u);
    const CDSBEFOREFILTERelement& a = cds.n[0];
    EXPECT_EQ(a.label, "c1");
    EXPECT_EQ(a.begin, 10);
    EXPECT_EQ(a.alternateStart, 40);
    EXPECT_EQ(a.end, 300);
    EXPECT_EQ(a.selvigoCodingProba, 0.5f);
    EXPECT_EQ(a.leftmostCodingProba, 0.25f);
    EXPECT_EQ(a.frame, -1);
    // seven columns: no gene-model number
    EXPECT_EQ(a.geneModelNumber, 0);
    EXPECT_EQ(cds.n[1].frame, 2);
    EXPECT_EQ(cds.n[1].geneModelNumber, 5);
}

TEST(OpenFile, UnreadableAndEmptyFilesEndTheRun)
{
    const std::string missing = testing::TempDir() + "io_load_no_such_file";
    EXPECT_EXIT(openFile(missing), testing::ExitedWithCode(1),
                "^Can't open file : " + missing + "/n$");
    EXPECT_EXIT(openFile(testing::TempDir()), testing::ExitedWithCode(1), "^Can't open file : ");
    const std::string empty = writeFile("empty", "");
    EXPECT_EXIT(loadCdsFile(empty), testing::ExitedWithCode(1),
                "^The file you try to open is empty \n$");
}

TEST(Dumps, PkAndCdsLines)
{
    PK pk = loadCurveText("13 0.5 0.25 0 1 0.75 0.125\n");
    testing::internal::CaptureStderr();
    printPk(pk);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "pk->nb:0|pk->n[0].posNuc=13|pk->n[0].pCod[1]=0.500000|pk->n[0].pCod[2]=0.250000|"
              "pk->n[0].pCod[3]=0.000000|pk->n[0].pCod[-1]=1.000000|pk->n[0].pCod[-2]=0.750000|"
              "pk->n[0].pCod[-3]=0.125000|\n");

    const CDS cds = loadCdsFile(writeFile("cds_dump", "a 1 2 3 4 5 0.5 0.25 -3 R 6\nb 7\n"));
    testing::internal::CaptureStderr();
    printCds(cds);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "cds->nb:1|cds->n[0].label:a|cds->n[0].begin:1|cds->n[0].alternateStart:2|"
              "cds->n[0].end:3|cds->n[0].selvigoCodingProba:0.500000|"
              "cds->n[0].leftmostCodingProba:0.250000|cds->n[0].frame:-3|"
              "cds->n[0].geneModelNumber:6|\n"
              "cds->nb:1|cds->n[1].label:b|cds->n[1].begin:7|cds->n[1].alternateStart:0|"
              "cds->n[1].end:0|cds->n[1].selvigoCodingProba:0.000000|"
              "cds->n[1].leftmostCodingProba:0.000000|cds->n[1].frame:0|"
              "cds->n[1].geneModelNumber:0|\n");
}

} // namespace
