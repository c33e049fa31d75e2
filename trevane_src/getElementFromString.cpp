#include "getElementFromString.h"

#include "memoryAllocation.h"

namespace {

bool isSeparator(char c) { return c == ' ' || c == '\t'; }

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
