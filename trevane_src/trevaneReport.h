// Report writers of trevane: raw lines or an HTML page on standard output,
// and the program's banner texts shared with the start-up messages.
#ifndef TREVANE_REPORT_H
#define TREVANE_REPORT_H

#include "memoryAllocation.h"

// The program's name drawn in five lines of '@', each ending in a newline.
extern const char trevaneBlockLetters[];
// Contact address shown after "coding by ".
extern const char trevaneContact[];

// Both writers first mark repeated results (filterResults, in place), then
// write every result that gets a strength, in list order. They return 1.
int printRawResult(RES& res, float startPercentage, float ftgm);
int printWebResults(RES& res, int fw, int fstep, float ftgm, float startPercentage);

// Flushes standard output. False, after a message on standard error, when the
// reports could not all be written there (a full disk, a closed output).
bool reportsWritten();

#endif
