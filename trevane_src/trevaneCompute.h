// Frameshift analysis of trevane: coding-block map, curve measures,
// CDS neighbourhood lookups and the frameshift walk.
#ifndef TREVANE_COMPUTE_H
#define TREVANE_COMPUTE_H

#include <vector>

#include "memoryAllocation.h"

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

// ---- CDS neighbourhood lookups ----

// Index of the filtered list, built once per analysis. Per frame index, the
// list positions of that frame's CDSs and running extremes over them, so
// that each lookup is a binary search that returns what a scan of the list
// in its stored order returns, whatever that order.
struct CdsFrameIndex {
    std::vector<int> element;       // list indices of the frame's CDSs, increasing
    std::vector<int> maxBegin;      // running max of begin
    std::vector<int> maxEnd;        // running max of end
    std::vector<int> maxNextBegin;  // running max of the successor's begin
    std::vector<int> minPrevEnd;    // running min, from the back, of the predecessor's end
    // Positions after a CDS's end and before the begin of the next list
    // element: boundaries, and per elementary segment (as a bottom-up
    // segment tree) the first CDS whose gap covers it.
    std::vector<long long> gapBounds;
    std::vector<int> gapFirst;
};
struct CdsIndex {
    const CDS* list = nullptr;
    CdsFrameIndex frame[6];
};
CdsIndex indexCds(const CDS& cds);

// The CDS of frame index `frame` containing `posNuc` (begin <= posNuc < end),
// or the empty record.
cdsRes getCdsInfo(const CdsIndex& cds, int posNuc, int frame);
// `begin` of a CDS placing `posNuc` within the frame's stretch of CDSs, or -1.
int checkCds(const CdsIndex& cds, int frame, int posNuc);
// The CDS on the left / on the right of `posNuc`, or the empty record.
cdsRes lookForCdsL(const CdsIndex& cds, int frame, int posNuc);
cdsRes lookForCdsR(const CdsIndex& cds, int frame, int posNuc);
// Clears a record once its pair has been used.
cdsRes nullCdsRes(cdsRes cds);

// ---- Map scans ----

// Runs of consecutive flagged positions of the map, per frame index.
struct FlagRun {
    int first;
    int last;
};
struct BkRuns {
    const BK* map = nullptr;
    std::vector<FlagRun> frame[6];
};
BkRuns indexBk(const BK& bk);

// First flagged position of frame index `frame` in i + 1 .. end, or 0.
int checkCdsInFrame(const BkRuns& bk, int frame, int i, int end);
// Highest flagged position in end .. i + 1, or 0.
int checkCdsInFrameMinus(const BkRuns& bk, int frame, int i, int end);
// The same over the frames 0 to 5 in turn: the first one found, or 0.
int checkCdsInAllFrame(const BkRuns& bk, int i, int end);
int checkCdsInAllMinusFrame(const BkRuns& bk, int i, int end);

// Another frame index of the strand of `frame` coding at row `i` (mean at
// least ftgm, flag at posNuc + 2 on the direct strand, at posNuc on the
// reverse one), or -1.
int checkOtherFrame(const BK& bk, const PK& pk, int frame, int posNuc, int i, int fw,
                    float ftgm);

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
