#include "getElementFromString.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

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

} // namespace
