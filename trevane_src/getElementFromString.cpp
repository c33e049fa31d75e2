#include "getElementFromString.h"

#include <climits>

#include "memoryAllocation.h"

namespace {

bool isSeparator(char c) { return c == ' ' || c == '\t'; }

bool isWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool onlyLineEnds(const std::string& text, std::size_t from, std::size_t to)
{
    for (std::size_t k = from; k < to; ++k) {
        if (text[k] != '\n' && text[k] != '\r') return false;
    }
    return true;
}

} // namespace

std::optional<std::string> getElementFromLine(const std::string& line, int element)
{
    const std::size_t size = line.size();
    std::size_t pos = 0;
    while (pos < size && isSeparator(line[pos])) ++pos;
    if (element <= 0) {
        if (pos == size) return std::nullopt;
        return std::string();
    }

    std::size_t first = pos;
    std::size_t last = pos;
    for (int counter = 0; counter < element; ++counter) {
        if (pos == size) return std::nullopt;  // fewer fields than `element`
        first = pos;
        while (pos < size && !isSeparator(line[pos])) ++pos;
        last = pos;
        while (pos < size && isSeparator(line[pos])) ++pos;
    }
    if (pos == size && onlyLineEnds(line, first, last)) return std::nullopt;

    std::string field;
    allocString(field, static_cast<int>(last - first) + 1);
    field.assign(line, first, last - first);
    return field;
}

void splitLine(const std::string& line, std::vector<std::string_view>& fields)
{
    fields.clear();
    const std::size_t size = line.size();
    std::size_t pos = 0;
    while (pos < size) {
        while (pos < size && isSeparator(line[pos])) ++pos;
        if (pos == size) break;
        const std::size_t first = pos;
        while (pos < size && !isSeparator(line[pos])) ++pos;
        fields.emplace_back(line.data() + first, pos - first);
    }
}

std::optional<std::string_view> fieldOf(const std::vector<std::string_view>& fields, int element)
{
    if (element < 1 || static_cast<std::size_t>(element) > fields.size()) return std::nullopt;
    const std::string_view field = fields[static_cast<std::size_t>(element) - 1];
    // the last field is missing when it holds nothing but line-end characters
    if (static_cast<std::size_t>(element) == fields.size() &&
        field.find_first_not_of("\r\n") == std::string_view::npos) {
        return std::nullopt;
    }
    return field;
}

int readInteger(std::string_view text)
{
    std::size_t k = 0;
    while (k < text.size() && isWhiteSpace(text[k])) ++k;
    bool negative = false;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) {
        negative = text[k] == '-';
        ++k;
    }
    const long long limit = static_cast<long long>(INT_MAX) + 1;
    long long value = 0;
    for (; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k) {
        value = value * 10 + (text[k] - '0');
        if (value > limit) value = limit;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    return static_cast<int>(value);
}
