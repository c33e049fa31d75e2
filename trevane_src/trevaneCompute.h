// Frameshift analysis of trevane: coding-block map, curve measures and the
// frameshift walk (its CDS lookups are in trevaneLookup).
#ifndef TREVANE_COMPUTE_H
#define TREVANE_COMPUTE_H

#include <algorithm>

#include "memoryAllocation.h"

// Index of the last element a list really holds: nb, but never past the
// element array, whatever the list's head says.
template <typename List>
int lastIndex(const List& list)
{
    return std::min(list.nb, static_cast<int>(list.n.size()) - 1);
}

int frame2c(int frame);
int c2frame(int frame);

// ---- Coding-block map ----

// The coding-block map of the non-filtered list, covering positions
// 1 .. lastPosition + 1 (lastPosition: the largest last curve position).
BK booleanAffectation(const CDSBEFOREFILTER& cds, int lastPosition);

// Clears every flag and numbers the map's elements.
BK& initBk(BK& bk);

// Flag of `position` in frame index `frame`: 1 when a candidate CDS of that
// frame covers it; 0 outside the map.
int bkFlag(const BK& bk, long long position, int frame);

// ---- Curve measures ----

// Windowed mean of the coding probability of frame index `frame` from row
// `nbElement`, over `fw` nucleotides forward (direct) or backward (reverse).
float computeMean(const PK& pk, int frame, int nbElement, int fw);

// Position where the coding stretch that starts at row `i` ends: the first
// row below ftgm / 3, walking forward (Plus) or backward (Minus).
int checkProbabilityCodagePlus(const PK& pk, int frame, int i, float ftgm);
int checkProbabilityCodageMinus(const PK& pk, int frame, int i, float ftgm);

// First row from `i` whose position is at least `end` (or the last row).
int walkOnTheChromosome(const PK& pk, int i, int end);
// First row down from `i` whose position is below `end`, or -1.
int walkOnTheChromosomeMinus(const PK& pk, int i, int end);

// ---- Frameshift walk ----

// Appends a spare element; the result to fill is then element nb - 1.
RES& newRes(RES& res);
// Fill the last result from row i, frame index j and the two side records.
RES& affectResults(RES& res, const PK& pk, const cdsRes& cdsL, const cdsRes& cdsR, int i, int j);
RES& affectBadstartResults(RES& res, const PK& pk, const cdsRes& cdsL, const cdsRes& cdsR, int i,
                           int j);
RES& affectOnlypcodResults(RES& res, const PK& pk, const cdsRes& cdsL, const cdsRes& cdsR, int i,
                           int j, int end);

// The frameshift results of one curve, in walk order.
RES determineFrameShift(const PK& pk, const BK& bk, const CDSBEFOREFILTER& cdsBeforeFilter,
                        const CDS& cds, int fw, int fstep, float ftgm);

#endif
