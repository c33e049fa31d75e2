// The literal element-by-element scans behind trevane's CDS lookups and map
// scans: the filtered list is read in its stored order from element 0 on, the
// coding-block map position by position. The indexed lookups (trevaneLookup)
// return exactly what these return. The benchmark build (TREVANE_PLAIN_SCANS)
// calls them in place of the indexes, and the tests use them as the
// reference of the indexed lookups.
#ifndef TREVANE_PLAIN_SCANS_H
#define TREVANE_PLAIN_SCANS_H

#include "memoryAllocation.h"

#ifdef TREVANE_PLAIN_SCANS
constexpr bool plainScans = true;
#else
constexpr bool plainScans = false;
#endif

// A found CDS as a record, and the empty record (label "NULL", all else 0).
cdsRes cdsResOf(const CDSelement& e);
cdsRes emptyCdsRes();

// Frames are frame indices (0 to 5), as in the lookups of the same names.
cdsRes scanGetCdsInfo(const CDS& cds, int posNuc, int frame);
int scanCheckCds(const CDS& cds, int frame, int posNuc);
cdsRes scanLookForCdsL(const CDS& cds, int frame, int posNuc);
cdsRes scanLookForCdsR(const CDS& cds, int frame, int posNuc);

int scanCheckCdsInFrame(const BK& bk, int frame, int i, int end);
int scanCheckCdsInFrameMinus(const BK& bk, int frame, int i, int end);
int scanCheckCdsInAllFrame(const BK& bk, int i, int end);
int scanCheckCdsInAllMinusFrame(const BK& bk, int i, int end);

#endif
