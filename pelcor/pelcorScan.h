// Formatted scanning over a text held in memory, with the rules of the C
// formatted input functions: a blank in a pattern skips any run of white
// space (blanks, tabs, newlines, CR, VT, FF), numbers skip the white space
// before them, a token is a run of non-white characters of any length.
#ifndef PELCOR_SCAN_H
#define PELCOR_SCAN_H

#include <cstddef>
#include <string>

struct TextScanner {
  const std::string* text;
  std::size_t pos;
};

// Largest magnitude accepted for an integer field: coordinates beyond it
// cannot be told apart from garbage and would overflow the arithmetic.
constexpr long SCAN_LONG_LIMIT = 1000000000000000000L;

TextScanner make_scanner(const std::string& text);
bool scan_at_end(const TextScanner& sc);
bool is_scan_space(char c);
void skip_space(TextScanner& sc);
// Skips the rest of the current line, its newline included.
void skip_line(TextScanner& sc);
// Matches `literal` character by character, without skipping white space
// first; on a mismatch the characters already matched stay consumed.
bool scan_literal(TextScanner& sc, const char* literal);
// Result of reading an integer: none there, read, or a number too large for
// its field (which makes the record it belongs to unusable).
enum ScanNumber { SCAN_NONE, SCAN_READ, SCAN_OUT_OF_RANGE };
// %ld: decimal integer with optional sign, within +-SCAN_LONG_LIMIT.
ScanNumber scan_long(TextScanner& sc, long& value);
// %d: decimal integer within the range of int.
ScanNumber scan_int(TextScanner& sc, int& value);
// %f: single-precision real.
bool scan_float(TextScanner& sc, float& value);
// %s: token of non-white characters.
bool scan_token(TextScanner& sc, std::string& token);
// " %c": the first non-white character.
bool scan_char_after_space(TextScanner& sc, char& c);

// Command-line numbers: the leading number of the argument, as a formatted
// read of the whole argument would take it; `value` is left unchanged (the
// default stays in force) when the argument does not begin with a number.
void parse_float_argument(const char* argument, float& value);
void parse_int_argument(const char* argument, int& value);

#endif
