#include "trevaneLoadFromFile.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace {

[[noreturn]] void cannotOpen(const std::string& filename)
{
    std::fprintf(stderr, "Can't open file : %s/n", filename.c_str());
    std::exit(1);
}

// Reads the next line of any length, its newline kept when it has one. A last
// line without newline is a line too; false only at the end of the stream.
bool readLine(std::istream& stream, std::string& line)
{
    if (!std::getline(stream, line)) return false;
    if (!stream.eof()) line += '\n';
    return true;
}

// The stream must not have failed other than by reaching its end.
void checkReadable(const std::istream& stream, const std::string& filename)
{
    if (stream.bad()) cannotOpen(filename);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Stores field `column` in `target` through `convert`; a missing field
// leaves `target` unchanged.
template <typename T, typename Convert>
void readColumn(const std::vector<std::string_view>& fields, int column, T& target,
                Convert convert)
{
    const std::optional<std::string_view> field = fieldOf(fields, column);
    if (field) target = convert(*field);
}

std::string toLabel(std::string_view field)
{
    std::string label;
    allocString(label, static_cast<int>(field.size()) + 1);
    label.assign(field);
    return label;
}
char toStrand(std::string_view field) { return field[0]; }

// A plain decimal number ([-]digits[.digits][exponent]), which from_chars
// reads exactly as strtod does, only faster; hexadecimal numbers, a leading
// '+' or blank, inf and nan take strtod itself.
bool plainDecimal(std::string_view text)
{
    std::size_t k = (!text.empty() && text[0] == '-') ? 1 : 0;
    if (k >= text.size()) return false;
    if (text[k] == '.') return k + 1 < text.size() && isDigit(text[k + 1]);
    if (!isDigit(text[k])) return false;
    return !(text[k] == '0' && k + 1 < text.size() && (text[k + 1] == 'x' || text[k + 1] == 'X'));
}

double toDouble(std::string_view text)
{
    if (plainDecimal(text)) {
        double value = 0;
        const std::from_chars_result r = std::from_chars(text.data(), text.data() + text.size(), value);
        if (r.ec == std::errc()) return value;
    }
    // overflow, underflow and the other forms: strtod itself, on a
    // terminated copy so that it cannot read past the field
    return std::strtod(std::string(text).c_str(), nullptr);
}

} // namespace

float readDecimal(std::string_view text)
{
    const double value = toDouble(text);
    if (value > FLT_MAX) return HUGE_VALF;
    if (value < -FLT_MAX) return -HUGE_VALF;
    return static_cast<float>(value);
}

std::ifstream openFile(const std::string& filename)
{
    std::ifstream stream(filename);
    if (!stream.is_open()) cannotOpen(filename);
    // Looking at the first character tells an empty file (and works on pipes);
    // a stream that cannot even give that (a directory) is unreadable.
    if (stream.peek() == std::char_traits<char>::eof()) {
        checkReadable(stream, filename);
        std::fputs("The file you try to open is empty \n", stderr);
        std::exit(1);
    }
    return stream;
}

namespace {

// Appends one element per line of `stream`, filled from the line's fields by
// `fillElement`; the array keeps one spare element after the last filled one.
template <typename List, typename NewElement, typename GrowElements, typename FillElement>
List& loadLines(std::istream& stream, List& list, NewElement newElement, GrowElements growElements,
                FillElement fillElement)
{
    std::string line;
    std::vector<std::string_view> fields;
    newElement(list);
    while (readLine(stream, line)) {
        splitLine(line, fields);
        fillElement(fields, list.n[list.nb]);
        ++list.nb;
        growElements(list, list.nb + 1);
    }
    return list;
}

} // namespace

PK& loadCurveElementFromLine(std::istream& stream, PK& pk)
{
    return loadLines(stream, pk, allocPkElement, reallocPkElement,
                     [](const std::vector<std::string_view>& fields, PKelement& row) {
                         readColumn(fields, 1, row.posNuc, readInteger);
                         for (int f = 0; f < 6; ++f) {
                             readColumn(fields, f + 2, row.probaCodage[f], readDecimal);
                         }
                     });
}

CDS& loadCdsElementFromLine(std::istream& stream, CDS& cds)
{
    return loadLines(stream, cds, allocCdsElement, reallocCdsElement,
                     [](const std::vector<std::string_view>& fields, CDSelement& e) {
                         readColumn(fields, 1, e.label, toLabel);
                         readColumn(fields, 2, e.begin, readInteger);
                         readColumn(fields, 3, e.alternateStart, readInteger);
                         readColumn(fields, 4, e.end, readInteger);
                         readColumn(fields, 5, e.selvigoLength, readInteger);
                         readColumn(fields, 6, e.leftmostLength, readInteger);
                         readColumn(fields, 7, e.selvigoCodingProba, readDecimal);
                         readColumn(fields, 8, e.leftmostCodingProba, readDecimal);
                         readColumn(fields, 9, e.frame, readInteger);
                         readColumn(fields, 10, e.strand, toStrand);
                         readColumn(fields, 11, e.geneModelNumber, readInteger);
                     });
}

CDSBEFOREFILTER& loadCdsBeforeFilterFromLine(std::istream& stream, CDSBEFOREFILTER& cds)
{
    return loadLines(stream, cds, allocCdsBeforeFilterElement, reallocCdsBeforeFilterElement,
                     [](const std::vector<std::string_view>& fields, CDSBEFOREFILTERelement& e) {
                         readColumn(fields, 1, e.label, toLabel);
                         readColumn(fields, 2, e.begin, readInteger);
                         readColumn(fields, 3, e.alternateStart, readInteger);
                         readColumn(fields, 4, e.end, readInteger);
                         readColumn(fields, 5, e.selvigoCodingProba, readDecimal);
                         readColumn(fields, 6, e.leftmostCodingProba, readDecimal);
                         readColumn(fields, 7, e.frame, readInteger);
                         readColumn(fields, 11, e.geneModelNumber, readInteger);
                     });
}

namespace {

// Opens the file, fills a new list with `fillFromLines` and makes nb index
// the last loaded element.
template <typename List, typename NewHead, typename FillFromLines>
List loadList(const std::string& filename, NewHead newHead, FillFromLines fillFromLines)
{
    std::ifstream stream = openFile(filename);
    List list;
    newHead(list);
    list.nb = 0;
    fillFromLines(stream, list);
    checkReadable(stream, filename);
    list.nb -= 1;
    return list;
}

} // namespace

PK loadCurveFile(const std::vector<std::string>& filename, int nbCURVEFile)
{
    return loadList<PK>(filename[static_cast<std::size_t>(nbCURVEFile)], allocPk,
                        loadCurveElementFromLine);
}

CDS loadCdsFile(const std::string& filename)
{
    return loadList<CDS>(filename, allocCds, loadCdsElementFromLine);
}

CDSBEFOREFILTER loadCdsBeforeFilterFile(const std::string& filename)
{
    return loadList<CDSBEFOREFILTER>(filename, allocCdsBeforeFilter, loadCdsBeforeFilterFromLine);
}

void printPk(const PK& pk)
{
    for (int i = 0; i <= pk.nb; ++i) {
        const PKelement& e = pk.n[i];
        std::fprintf(stderr,
                     "pk->nb:%d|pk->n[%d].posNuc=%d|pk->n[%d].pCod[1]=%f|pk->n[%d].pCod[2]=%f|"
                     "pk->n[%d].pCod[3]=%f|pk->n[%d].pCod[-1]=%f|pk->n[%d].pCod[-2]=%f|"
                     "pk->n[%d].pCod[-3]=%f|\n",
                     pk.nb, i, e.posNuc, i, static_cast<double>(e.probaCodage[0]), i,
                     static_cast<double>(e.probaCodage[1]), i,
                     static_cast<double>(e.probaCodage[2]), i,
                     static_cast<double>(e.probaCodage[3]), i,
                     static_cast<double>(e.probaCodage[4]), i,
                     static_cast<double>(e.probaCodage[5]));
    }
}

void printCds(const CDS& cds)
{
    for (int i = 0; i <= cds.nb; ++i) {
        const CDSelement& e = cds.n[i];
        std::fprintf(stderr,
                     "cds->nb:%d|cds->n[%d].label:%s|cds->n[%d].begin:%d|"
                     "cds->n[%d].alternateStart:%d|cds->n[%d].end:%d|"
                     "cds->n[%d].selvigoCodingProba:%f|cds->n[%d].leftmostCodingProba:%f|"
                     "cds->n[%d].frame:%d|cds->n[%d].geneModelNumber:%d|\n",
                     cds.nb, i, e.label.c_str(), i, e.begin, i, e.alternateStart, i, e.end, i,
                     static_cast<double>(e.selvigoCodingProba), i,
                     static_cast<double>(e.leftmostCodingProba), i, e.frame, i,
                     e.geneModelNumber);
    }
}
