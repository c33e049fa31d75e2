// Loaders of trevane's input files: coding-probability curves, the filtered
// CDS file and the non-filtered CDS list. One record per line, fields split
// with the rules of getElementFromLine. A file that cannot be read or is empty ends the
// process with a message on standard error and status 1.
#ifndef TREVANE_LOAD_FROM_FILE_H
#define TREVANE_LOAD_FROM_FILE_H

#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "getElementFromString.h"
#include "memoryAllocation.h"

// Leading floating-point number of `text`, read as strtod reads it and
// stored in single precision (0 when the text does not start with a number).
float readDecimal(std::string_view text);

// Opens `filename` for reading, positioned at its start.
std::ifstream openFile(const std::string& filename);

// Curve named at index nbCURVEFile of `filename`.
PK loadCurveFile(const std::vector<std::string>& filename, int nbCURVEFile);
// Appends one row per line of `stream` to `pk`; pk.nb counts the loaded rows
// on return (the caller turns it into the index of the last row).
PK& loadCurveElementFromLine(std::istream& stream, PK& pk);

CDS loadCdsFile(const std::string& filename);
CDS& loadCdsElementFromLine(std::istream& stream, CDS& cds);

CDSBEFOREFILTER loadCdsBeforeFilterFile(const std::string& filename);
CDSBEFOREFILTER& loadCdsBeforeFilterFromLine(std::istream& stream, CDSBEFOREFILTER& cds);

// Diagnostic dumps on standard error, one line per element.
void printPk(const PK& pk);
void printCds(const CDS& cds);

#endif
