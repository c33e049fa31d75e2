// Reading of the CDS lines given on standard input.
#ifndef DEXOLIN_RAVOMEL_LOAD_DATA_H
#define DEXOLIN_RAVOMEL_LOAD_DATA_H

#include "RavomelRecords.h"

#include <cstddef>
#include <cstdio>
#include <string>

namespace dexolin {

// Reads the next line of `in`, whatever its length, into `line` with its
// newline; a last line without newline is given one, so that it is handled
// like any other. Returns false at the end of the input.
bool readLine(std::FILE* in, std::string& line);

// Characters [first, last) of a line.
struct FieldSpan {
    std::size_t first = 0;
    std::size_t last = 0;
};

// Finds the next field of `line` from `pos` on, with the rules of
// getElementFromLine: fields are separated by runs of blanks and tabs, a
// line end belongs to the field it ends, and a last field made only of line
// ends is no field. Moves `pos` past the field and the separators after it.
// Calling it k times from pos 0 yields field k, in one pass over the line.
bool nextField(const std::string& line, std::size_t& pos, FieldSpan& field);

// Leading decimal integer of a field (optional blanks and sign, then digits;
// 0 when there are none); values beyond the int range are clamped to it.
int readInteger(const std::string& line, const FieldSpan& field);

// Fills `cds` from a line "<label> <frame> <begin> <end> ...": field 1 the
// label, field 2 the frame, then one segment per complete pair of fields
// (an unpaired last number is ignored).
CDS& loadDataFromLine(const std::string& line, CDS& cds);

} // namespace dexolin

#endif
