#include "getElementFromString.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct FieldCase {
    const char* line;
    int element;
    std::optional<std::string> expected;
};

TEST(GetElementFromLine, FieldsOfTable)
{
    const std::optional<std::string> none;
    const FieldCase cases[] = {
        // separators are runs of blanks and tabs; the newline stays with the last field
        {"  lab\t10  20\n", 1, std::string("lab")},
        {"  lab\t10  20\n", 2, std::string("10")},
        {"  lab\t10  20\n", 3, std::string("20\n")},
        {"  lab\t10  20\n", 4, none},
        {"x y z\n", 3, std::string("z\n")},
        // a one-character last field without newline is still a field
        {"x y z", 3, std::string("z")},
        {"x y z", 4, none},
        // a newline alone after trailing blanks is no field
        {"x y \n", 3, none},
        {"x y \r\n", 3, none},
        {"x y\r\n", 2, std::string("y\r\n")},
        // a one-character field inside the line is returned
        {"a b c\n", 1, std::string("a")},
        {"a \r b\n", 2, std::string("\r")},
        // lines without fields
        {"\n", 1, none},
        {"", 1, none},
        {" \t \n", 1, none},
        {" \t ", 1, none},
        // element 0
        {"a b\n", 0, std::string("")},
        {"\n", 0, std::string("")},
        {"", 0, none},
        {"   ", 0, none},
        // carriage return is an ordinary character of a field
        {"ab\rcd ef", 1, std::string("ab\rcd")},
    };
    for (const FieldCase& c : cases) {
        EXPECT_EQ(getElementFromLine(c.line, c.element), c.expected)
            << "line \"" << c.line << "\" element " << c.element;
    }
}

TEST(GetElementFromLine, LongLineIsOneLine)
{
    std::string label(100000, 'A');
    std::string line = label + " 12 34\n";
    EXPECT_EQ(getElementFromLine(line, 1), label);
    EXPECT_EQ(getElementFromLine(line, 3), std::string("34\n"));
}

// Callers that read many columns split each line once; every field must be
// the one the tokenizer gives for that line and field number.
TEST(SplitLine, SameFieldsAsTheTokenizer)
{
    std::mt19937 random(12345);
    const std::string alphabet = " \t\r\na1.-";
    std::vector<std::string_view> fields;
    for (int n = 0; n < 20000; ++n) {
        std::string line(random() % 25, ' ');
        for (char& c : line) c = alphabet[random() % alphabet.size()];
        splitLine(line, fields);
        for (int k = 0; k <= 12; ++k) {
            const std::optional<std::string> expected = getElementFromLine(line, k);
            const std::optional<std::string_view> actual = fieldOf(fields, k);
            if (k == 0) {
                // element 0 is never a column
                EXPECT_FALSE(actual);
                continue;
            }
            ASSERT_EQ(actual.has_value(), expected.has_value()) << "line \"" << line << "\" " << k;
            if (expected) {
                EXPECT_EQ(std::string(*actual), *expected) << "line \"" << line << "\" " << k;
            }
        }
    }
}

TEST(ReadInteger, LeadingIntegerRule)
{
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"12\n", 12},   {"-3", -3},         {"+4", 4},     {"7.5", 7},
        {"1e3", 1},     {"abc", 0},         {"", 0},       {"12abc", 12},
        {"-", 0},       {"0012", 12},       {"0x10", 0},   {"\r\n", 0},
        {"\r5\n", 5},   {" \t-8", -8},
        {"2147483647", INT_MAX},            {"99999999999", INT_MAX},
        {"-2147483648", INT_MIN},           {"-99999999999", INT_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(readInteger(c.text), c.expected) << c.text;
}

} // namespace
