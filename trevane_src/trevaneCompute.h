// Frameshift analysis of trevane: coding-block map, curve measures,
// CDS neighbourhood lookups and the frameshift walk.
#ifndef TREVANE_COMPUTE_H
#define TREVANE_COMPUTE_H

#include "memoryAllocation.h"

int frame2c(int frame);
int c2frame(int frame);

// The coding-block map of the non-filtered list, covering positions
// 1 .. lastPosition + 1 (lastPosition: the largest last curve position).
BK booleanAffectation(const CDSBEFOREFILTER& cds, int lastPosition);

// The frameshift results of one curve, in walk order.
RES determineFrameShift(const PK& pk, const BK& bk, const CDSBEFOREFILTER& cdsBeforeFilter,
                        const CDS& cds, int fw, int fstep, float ftgm);

#endif
