// Field tokenizer shared by trevane's loaders and Dexolin.
#ifndef TREVANE_GET_ELEMENT_FROM_STRING_H
#define TREVANE_GET_ELEMENT_FROM_STRING_H

#include <optional>
#include <string>

// Returns field `element` (counted from 1) of `line`. Fields are separated by
// runs of blanks and tabs only, so a line-end character belongs to the field
// it ends (the last field of "a b 12\n" is "12\n"). A field is missing (no
// value) when it does not exist or holds nothing but CR and LF characters.
// Element 0 gives "" (missing on an empty line or a line of separators).
std::optional<std::string> getElementFromLine(const std::string& line, int element);

#endif
