// Literal versions of trevane's frameshift walk and result filter: the walk
// in one loop per strand over the plain scans (trevanePlainScans) and the
// curve measures, with no index and no memo; the filter as the pairwise
// comparison of every two results. The property tests compare the
// production code with them.
#ifndef TREVANE_COMPUTE_REFERENCE_H
#define TREVANE_COMPUTE_REFERENCE_H

#include "memoryAllocation.h"

namespace reference {

RES determineFrameShift(const PK& pk, const BK& bk, const CDS& cds, int fw, int fstep,
                        float ftgm);

RES& filterResults(RES& res);

} // namespace reference

#endif
