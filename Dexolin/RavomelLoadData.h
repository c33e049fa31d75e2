// Reading of the CDS lines given on standard input.
#ifndef DEXOLIN_RAVOMEL_LOAD_DATA_H
#define DEXOLIN_RAVOMEL_LOAD_DATA_H

#include "RavomelRecords.h"

#include <cstdio>
#include <string>

namespace dexolin {

// Reads the next line of `in`, whatever its length, into `line` with its
// newline; a last line without newline is given one, so that it is handled
// like any other. Returns false at the end of the input.
bool readLine(std::FILE* in, std::string& line);

// Fills `cds` from a line "<label> <frame> <begin> <end> ...": field 1 the
// label, field 2 the frame, then one segment per complete pair of fields
// (an unpaired last number is ignored).
CDS& loadDataFromLine(const std::string& line, CDS& cds);

} // namespace dexolin

#endif
