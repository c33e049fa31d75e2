// Plain versions of trevane's lookups, walk and result filter: every list is
// scanned element by element in its stored order, exactly as described for
// the program. The property tests compare the indexed code with them.
#ifndef TREVANE_COMPUTE_REFERENCE_H
#define TREVANE_COMPUTE_REFERENCE_H

#include "memoryAllocation.h"

namespace reference {

int flag(const BK& bk, long long q, int f);  // 0 outside the map

cdsRes getCdsInfo(const CDS& cds, int posNuc, int frame);
int checkCds(const CDS& cds, int frame, int posNuc);
cdsRes lookForCdsL(const CDS& cds, int frame, int posNuc);
cdsRes lookForCdsR(const CDS& cds, int frame, int posNuc);

int checkCdsInFrame(const BK& bk, int frame, int i, int end);
int checkCdsInFrameMinus(const BK& bk, int frame, int i, int end);
int checkCdsInAllFrame(const BK& bk, int i, int end);
int checkCdsInAllMinusFrame(const BK& bk, int i, int end);

int checkProbabilityCodagePlus(const PK& pk, int frame, int i, float ftgm);
int checkProbabilityCodageMinus(const PK& pk, int frame, int i, float ftgm);

RES determineFrameShift(const PK& pk, const BK& bk, const CDS& cds, int fw, int fstep,
                        float ftgm);

RES& filterResults(RES& res);

} // namespace reference

#endif
