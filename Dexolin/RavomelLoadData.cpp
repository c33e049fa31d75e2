#include "RavomelLoadData.h"

#include <climits>

namespace dexolin {

namespace {

bool isSeparator(char c) { return c == ' ' || c == '\t'; }

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

} // namespace

bool readLine(std::FILE* in, std::string& line)
{
    line.clear();
    int c;
    while ((c = std::getc(in)) != EOF) {
        appendChar(line, static_cast<char>(c));
        if (c == '\n') return true;
    }
    if (line.empty()) return false;
    appendChar(line, '\n');
    return true;
}

bool nextField(const std::string& line, std::size_t& pos, FieldSpan& field)
{
    const std::size_t size = line.size();
    while (pos < size && isSeparator(line[pos])) ++pos;
    if (pos == size) return false;
    field.first = pos;
    while (pos < size && !isSeparator(line[pos])) ++pos;
    field.last = pos;
    while (pos < size && isSeparator(line[pos])) ++pos;
    if (pos < size) return true;
    for (std::size_t k = field.first; k < field.last; ++k) {
        if (!isLineEnd(line[k])) return true;
    }
    return false;
}

int readInteger(const std::string& line, const FieldSpan& field)
{
    std::size_t k = field.first;
    while (k < field.last && isBlank(line[k])) ++k;
    bool negative = false;
    if (k < field.last && (line[k] == '+' || line[k] == '-')) {
        negative = line[k] == '-';
        ++k;
    }
    const long long limit = static_cast<long long>(INT_MAX) + 1;
    long long value = 0;
    for (; k < field.last && line[k] >= '0' && line[k] <= '9'; ++k) {
        value = value * 10 + (line[k] - '0');
        if (value > limit) value = limit;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    return static_cast<int>(value);
}

CDS& loadDataFromLine(const std::string& line, CDS& cds)
{
    std::size_t pos = 0;
    FieldSpan field;
    cds.nbCds = 0;
    cds.label.clear();
    cds.strand = 0;
    if (nextField(line, pos, field)) {
        allocString(cds.label, static_cast<int>(field.last - field.first) + 1);
        cds.label.assign(line, field.first, field.last - field.first);
        if (nextField(line, pos, field)) cds.strand = readInteger(line, field);
    }

    orFail("\n erreur d'allocation memoire de la structure cds->pos\n", [&] {
        std::vector<POSITION>().swap(cds.pos);
        cds.pos.reserve(1);
    });
    FieldSpan begin;
    FieldSpan end;
    while (nextField(line, pos, begin) && nextField(line, pos, end)) {
        const POSITION segment{readInteger(line, begin), readInteger(line, end)};
        orFail("\n erreur de reallocation memoire de la structure cds->pos\n",
               [&] { cds.pos.push_back(segment); });
        ++cds.nbCds;
    }
    return cds;
}

} // namespace dexolin
