// CDS neighbourhood lookups of the frameshift walk: the retained CDS that
// contains a position or lies beside it, candidate CDSs in a range of the
// coding-block map, and another coding frame of the same strand. The lookups
// answer from indexes built once per analysis, in O(log n), and return what
// the plain scans of trevanePlainScans return.
#ifndef TREVANE_LOOKUP_H
#define TREVANE_LOOKUP_H

#include <vector>

#include "memoryAllocation.h"

// ---- Filtered CDS list ----

// Index of the filtered list. Per frame index, the list positions of that
// frame's CDSs and running extremes over them, so that each lookup is a
// binary search that returns what a scan of the list in its stored order
// returns, whatever that order.
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

// ---- Coding-block map ----

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

#endif
