#include "qvxPattern.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <new>

namespace {

bool sIsUpper(char c) { return c >= 'A' && c <= 'Z'; }

bool sIsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// Reads one whole line (without its line feed). False at end of input.
bool sReadLine(std::FILE* stream, std::string& line)
{
    line.clear();
    int c;
    while ((c = std::getc(stream)) != EOF) {
        if (c == '\n') return true;
        line.push_back(static_cast<char>(c));
    }
    return !line.empty();
}

bool sHasLetter(const std::string& line)
{
    for (char c : line) {
        if (std::isalpha(static_cast<unsigned char>(c))) return true;
    }
    return false;
}

// Decimal integer at the start of text (leading white space skipped),
// clamped to the int range. False when there is none.
bool sReadInteger(const char* text, int& value)
{
    char* end = nullptr;
    long number = std::strtol(text, &end, 10);
    if (end == text) return false;
    if (number > INT_MAX) number = INT_MAX;
    if (number < INT_MIN) number = INT_MIN;
    value = static_cast<int>(number);
    return true;
}

} // namespace

Pattern* NewPattern()
{
    Pattern* pattern = new (std::nothrow) Pattern();
    if (pattern == nullptr) return nullptr;
    pattern->alphabetSize = 26;
    pattern->status = 1;
    pattern->matchPos = -1;
    pattern->matchMismatch = -1;
    return pattern;
}

void FreePattern(Pattern* pattern)
{
    delete pattern;
}

Pattern* ReadPattern(std::FILE* stream)
{
    std::string line;
    for (;;) {
        if (!sReadLine(stream, line)) return nullptr;
        if ((!line.empty() && line[0] == '/') || !sHasLetter(line)) continue;
        break;
    }
    std::size_t cut = line.find_first_of(" \t");
    if (cut == std::string::npos) return nullptr;
    int maxMismatch = 0;
    if (!sReadInteger(line.c_str() + cut, maxMismatch)) return nullptr;

    Pattern* pattern = NewPattern();
    if (pattern == nullptr) return nullptr;
    for (std::size_t k = 0; k < cut; ++k) {
        if (!sIsSpace(line[k])) pattern->text.push_back(line[k]);
    }
    pattern->maxMismatch = maxMismatch;
    return pattern;
}

int CheckPatternSyntax(const Pattern& pattern)
{
    const std::string& text = pattern.text;
    const std::size_t size = text.size();
    int depth = 0;
    for (std::size_t k = 0; k < size; ++k) {
        const char c = text[k];
        const char next = k + 1 < size ? text[k + 1] : '\0';
        switch (c) {
        case '#':
            if (k == 0 || depth > 0) return 0;
            break;
        case '!':
            if (depth > 0 || k + 1 == size || next == ']') return 0;
            break;
        case '[':
            if (depth > 0 || next == ']') return 0;
            depth = 1;
            break;
        case ']':
            if (depth == 0) return 0;
            depth = 0;
            break;
        default:
            if (!sIsUpper(c)) return 0;
        }
    }
    return depth == 0 ? 1 : 0;
}

std::size_t SymbolEnd(std::string_view text)
{
    // Every leading '!' belongs to the symbol that follows it.
    std::size_t start = 0;
    while (start < text.size() && text[start] == '!') ++start;
    if (start == text.size()) return std::string_view::npos;
    std::size_t end = start;
    if (text[start] == '[') {
        end = text.find(']', start);
        if (end == std::string_view::npos) return end;
    }
    if (end + 1 < text.size() && text[end + 1] == '#') ++end;
    return end;
}

LetterMask SymbolMask(std::string_view symbol, const AlphabetTable& table)
{
    std::size_t k = 0;
    bool complement = false;
    while (k < symbol.size() && symbol[k] == '!') {
        complement = !complement;
        ++k;
    }
    if (k < symbol.size() && symbol[k] == '[') ++k;
    LetterMask mask = 0;
    for (; k < symbol.size() && sIsUpper(symbol[k]); ++k) mask |= table[symbol[k] - 'A'];
    return complement ? ~mask & LETTER_BITS : mask;
}

LetterMask SymbolStrict(std::string_view symbol)
{
    return !symbol.empty() && symbol.back() == '#' ? STRICT_BIT : 0;
}

int CountSymbols(std::string_view text)
{
    int count = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = SymbolEnd(text.substr(start));
        if (end == std::string_view::npos) return 0;
        ++count;
        start += end + 1;
    }
    return count;
}

int CompilePattern(Pattern& pattern, int kind)
{
    pattern.status = 0;
    const AlphabetTable& table = PatternAlphabet(kind);
    const std::string_view text = pattern.text;
    const int n = CountSymbols(text);
    pattern.size = n;
    if (n <= 0) return 0;
    pattern.masks.assign(static_cast<std::size_t>(n), 0);
    std::size_t start = 0;
    for (int position = 0; position < n; ++position) {
        const std::size_t end = SymbolEnd(text.substr(start));
        const std::string_view symbol = text.substr(start, end + 1);
        pattern.masks[position] = SymbolMask(symbol, table) | SymbolStrict(symbol);
        start += end + 1;
    }
    pattern.status = 1;
    return n;
}
