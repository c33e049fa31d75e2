// Field tokenizer shared by trevane's loaders and Dexolin.
#ifndef TREVANE_GET_ELEMENT_FROM_STRING_H
#define TREVANE_GET_ELEMENT_FROM_STRING_H

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Returns field `element` (counted from 1) of `line`. Fields are separated by
// runs of blanks and tabs only, so a line-end character belongs to the field
// it ends (the last field of "a b 12\n" is "12\n"). A field is missing (no
// value) when it does not exist, or when it is the last field of the line and
// holds nothing but CR and LF characters.
// Element 0 gives "" (missing on an empty line or a line of separators).
std::optional<std::string> getElementFromLine(const std::string& line, int element);

// The fields of `line`, split once with the same rules, for callers that
// read many columns of long lines: fieldOf(fields, k) equals
// getElementFromLine(line, k) for every k >= 1. The views point into `line`.
void splitLine(const std::string& line, std::vector<std::string_view>& fields);
std::optional<std::string_view> fieldOf(const std::vector<std::string_view>& fields, int element);

// Leading decimal integer of `text` (leading white space and a sign allowed,
// text after the digits ignored, no digits gives 0); values beyond the int
// range are clamped to it.
int readInteger(std::string_view text);

#endif
