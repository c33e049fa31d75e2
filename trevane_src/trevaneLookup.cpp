#include "trevaneLookup.h"

#include <algorithm>
#include <limits>

#include "trevaneCompute.h"
#include "trevanePlainScans.h"

// ---------------------------------------------------------------- CDS list

namespace {

// First position t of a non-decreasing running maximum that exceeds p.
std::size_t firstAbove(const std::vector<int>& runningMax, int p)
{
    return static_cast<std::size_t>(std::upper_bound(runningMax.begin(), runningMax.end(), p) -
                                    runningMax.begin());
}

// Positions first..last lie after the end of the frame's CDS number t and
// before the begin of the list element that follows it.
struct Gap {
    long long first;
    long long last;
    int t;
};

// Segment tree over the elementary segments between the gap bounds; each
// node keeps the smallest t of the gaps that cover it whole.
void indexGaps(CdsFrameIndex& f, const std::vector<Gap>& gaps)
{
    for (const Gap& g : gaps) {
        f.gapBounds.push_back(g.first);
        f.gapBounds.push_back(g.last + 1);
    }
    std::sort(f.gapBounds.begin(), f.gapBounds.end());
    f.gapBounds.erase(std::unique(f.gapBounds.begin(), f.gapBounds.end()), f.gapBounds.end());
    const int segments = static_cast<int>(f.gapBounds.size()) - 1;
    if (segments <= 0) return;
    f.gapFirst.assign(2 * static_cast<std::size_t>(segments), std::numeric_limits<int>::max());
    auto segment = [&](long long bound) {
        return static_cast<int>(std::lower_bound(f.gapBounds.begin(), f.gapBounds.end(), bound) -
                                f.gapBounds.begin());
    };
    for (const Gap& g : gaps) {
        for (int l = segment(g.first) + segments, r = segment(g.last + 1) + segments; l < r;
             l >>= 1, r >>= 1) {
            if (l & 1) {
                f.gapFirst[l] = std::min(f.gapFirst[l], g.t);
                l++;
            }
            if (r & 1) {
                r--;
                f.gapFirst[r] = std::min(f.gapFirst[r], g.t);
            }
        }
    }
}

// First t whose gap holds p, or the number of the frame's CDSs.
std::size_t firstGap(const CdsFrameIndex& f, int p)
{
    const int segments = static_cast<int>(f.gapBounds.size()) - 1;
    const int k = static_cast<int>(std::upper_bound(f.gapBounds.begin(), f.gapBounds.end(), p) -
                                   f.gapBounds.begin()) - 1;
    int best = std::numeric_limits<int>::max();
    if (k >= 0 && k < segments) {
        for (int node = k + segments; node >= 1; node >>= 1) best = std::min(best, f.gapFirst[node]);
    }
    return best == std::numeric_limits<int>::max() ? f.element.size()
                                                   : static_cast<std::size_t>(best);
}

// The frame's CDSs that the scans examine for themselves: all but element nb.
std::size_t scannedCount(const CdsFrameIndex& f, int nb)
{
    const std::size_t size = f.element.size();
    return size > 0 && f.element[size - 1] == nb ? size - 1 : size;
}

// A frame index outside the six is looked up as frame -3, like c2frame does.
const CdsFrameIndex& frameIndex(const CdsIndex& cds, int frame)
{
    return cds.frame[frame2c(c2frame(frame))];
}

// The scans go through the frame's CDSs in list order and stop at the first
// one that begins after p: the CDSs before it are the ones reached.
std::size_t reachedCount(const CdsFrameIndex& f, int nb, int p)
{
    return std::min(firstAbove(f.maxBegin, p), scannedCount(f, nb));
}

} // namespace

CdsIndex indexCds(const CDS& cds)
{
    CdsIndex index;
    index.list = &cds;
    const int nb = lastIndex(cds);
    for (int k = 0; k <= nb; k++) {
        const int F = cds.n[k].frame;
        if (F >= -3 && F <= 3 && F != 0) index.frame[frame2c(F)].element.push_back(k);
    }
    for (CdsFrameIndex& f : index.frame) {
        const std::size_t size = f.element.size();
        const std::size_t scanned = scannedCount(f, nb);
        f.maxBegin.resize(size);
        f.maxEnd.resize(size);
        f.maxNextBegin.resize(size);
        f.minPrevEnd.resize(size);
        std::vector<Gap> gaps;
        for (std::size_t t = 0; t < size; t++) {
            const int k = f.element[t];
            const CDSelement& e = cds.n[k];
            const int nextBegin = cds.n[t + 1 < size ? f.element[t + 1] : nb].begin;
            f.maxBegin[t] = t == 0 ? e.begin : std::max(f.maxBegin[t - 1], e.begin);
            f.maxEnd[t] = t == 0 ? e.end : std::max(f.maxEnd[t - 1], e.end);
            f.maxNextBegin[t] = t == 0 ? nextBegin : std::max(f.maxNextBegin[t - 1], nextBegin);
            const Gap gap{static_cast<long long>(e.end) + 1,
                          static_cast<long long>(cds.n[std::min(k + 1, nb)].begin) - 1,
                          static_cast<int>(t)};
            if (t < scanned && gap.first <= gap.last) gaps.push_back(gap);
        }
        for (std::size_t t = size; t-- > 0;) {
            const int prevEnd = cds.n[t >= 1 ? f.element[t - 1] : 0].end;
            f.minPrevEnd[t] = t + 1 == size ? prevEnd : std::min(f.minPrevEnd[t + 1], prevEnd);
        }
        indexGaps(f, gaps);
    }
    return index;
}

cdsRes getCdsInfo(const CdsIndex& cds, int posNuc, int frame)
{
    if (plainScans) return scanGetCdsInfo(*cds.list, posNuc, frame);
    // The first reached CDS that ends after p contains it.
    const CdsFrameIndex& f = frameIndex(cds, frame);
    const std::size_t t = firstAbove(f.maxEnd, posNuc);
    if (t >= reachedCount(f, lastIndex(*cds.list), posNuc)) return emptyCdsRes();
    return cdsResOf(cds.list->n[f.element[t]]);
}

int checkCds(const CdsIndex& cds, int frame, int posNuc)
{
    if (plainScans) return scanCheckCds(*cds.list, frame, posNuc);
    const CDS& list = *cds.list;
    const int nb = lastIndex(list);
    const int p = posNuc;
    const CdsFrameIndex& f = frameIndex(cds, frame);
    const std::vector<int>& el = f.element;
    const std::size_t size = el.size();
    const std::size_t scanned = scannedCount(f, nb);

    // The answer is the first reached CDS that contains p, or that ends
    // before p while either the list element after it begins after p (its
    // gap holds p) or the next CDS of the frame ends after p. Before the
    // first CDS ending after p no CDS of the frame ends after p, so only that
    // CDS and the one before it can pass the last test.
    std::size_t found = firstGap(f, p);
    const std::size_t t1 = firstAbove(f.maxEnd, p);
    if (t1 < size) {
        if (t1 >= 1 && list.n[el[t1 - 1]].end < p) {
            found = std::min(found, t1 - 1);
        } else if (t1 < scanned) {
            found = std::min(found, t1);
        }
    } else if (scanned == size && size > 0) {
        // The frame's last CDS has element nb as its successor.
        if (list.n[el[size - 1]].end < p && list.n[nb].end > p) found = std::min(found, size - 1);
    }
    return found < reachedCount(f, nb, p) ? list.n[el[found]].begin : -1;
}

cdsRes lookForCdsL(const CdsIndex& cds, int frame, int posNuc)
{
    if (plainScans) return scanLookForCdsL(*cds.list, frame, posNuc);
    // First CDS whose successor begins after p.
    const CdsFrameIndex& f = frameIndex(cds, frame);
    const std::size_t t = firstAbove(f.maxNextBegin, posNuc);
    if (t == f.element.size() || f.element[t] >= lastIndex(*cds.list)) return emptyCdsRes();
    return cdsResOf(cds.list->n[f.element[t]]);
}

cdsRes lookForCdsR(const CdsIndex& cds, int frame, int posNuc)
{
    if (plainScans) return scanLookForCdsR(*cds.list, frame, posNuc);
    // Last CDS whose predecessor ends before p; minPrevEnd never decreases.
    const CdsFrameIndex& f = frameIndex(cds, frame);
    const std::size_t t = static_cast<std::size_t>(
        std::lower_bound(f.minPrevEnd.begin(), f.minPrevEnd.end(), posNuc) - f.minPrevEnd.begin());
    if (t == 0 || f.element[t - 1] == 0) return emptyCdsRes();
    return cdsResOf(cds.list->n[f.element[t - 1]]);
}

cdsRes nullCdsRes(cdsRes cds)
{
    cds.begin = 0;
    cds.end = 0;
    cds.frame = 0;
    cds.label.clear();
    return cds;
}

// ---------------------------------------------------------------- coding-block map

BkRuns indexBk(const BK& bk)
{
    BkRuns runs;
    runs.map = &bk;
    const int size = lastIndex(bk) + 1;
    int runStart[6] = {0, 0, 0, 0, 0, 0};
    BKelement previous = 0;
    // k goes one past the last element to close the runs that end on the
    // map's last position; it is wider than int, as the map may hold INT_MAX
    // elements.
    for (long long k = 0; k <= size; k++) {
        const BKelement flags = k < size ? bk.n[static_cast<std::size_t>(k)] : BKelement{0};
        const unsigned changed = static_cast<unsigned>(flags ^ previous);
        if (changed == 0) continue;
        for (int f = 0; f < 6; f++) {
            if (!((changed >> f) & 1u)) continue;
            if ((flags >> f) & 1u) {
                runStart[f] = static_cast<int>(k + 1);
            } else {
                runs.frame[f].push_back(FlagRun{runStart[f], static_cast<int>(k)});
            }
        }
        previous = flags;
    }
    return runs;
}

int checkCdsInFrame(const BkRuns& bk, int frame, int i, int end)
{
    if (plainScans) return scanCheckCdsInFrame(*bk.map, frame, i, end);
    if (frame < 0 || frame > 5) return 0;
    const long long from = static_cast<long long>(i) + 1;
    const std::vector<FlagRun>& runs = bk.frame[frame];
    const auto run = std::partition_point(runs.begin(), runs.end(),
                                          [&](const FlagRun& r) { return r.last < from; });
    if (run == runs.end()) return 0;
    const long long q = std::max<long long>(run->first, from);
    return q <= end ? static_cast<int>(q) : 0;
}

int checkCdsInFrameMinus(const BkRuns& bk, int frame, int i, int end)
{
    if (plainScans) return scanCheckCdsInFrameMinus(*bk.map, frame, i, end);
    if (frame < 0 || frame > 5) return 0;
    const long long from = static_cast<long long>(i) + 1;
    const std::vector<FlagRun>& runs = bk.frame[frame];
    const auto after = std::partition_point(runs.begin(), runs.end(),
                                            [&](const FlagRun& r) { return r.first <= from; });
    if (after == runs.begin()) return 0;
    const long long q = std::min<long long>(std::prev(after)->last, from);
    return q >= end ? static_cast<int>(q) : 0;
}

int checkCdsInAllFrame(const BkRuns& bk, int i, int end)
{
    if (plainScans) return scanCheckCdsInAllFrame(*bk.map, i, end);
    for (int f = 0; f < 6; f++) {
        const int q = checkCdsInFrame(bk, f, i, end);
        if (q != 0) return q;
    }
    return 0;
}

int checkCdsInAllMinusFrame(const BkRuns& bk, int i, int end)
{
    if (plainScans) return scanCheckCdsInAllMinusFrame(*bk.map, i, end);
    for (int f = 0; f < 6; f++) {
        const int q = checkCdsInFrameMinus(bk, f, i, end);
        if (q != 0) return q;
    }
    return 0;
}

int checkOtherFrame(const BK& bk, const PK& pk, int frame, int posNuc, int i, int fw, float ftgm)
{
    if (frame < 0 || frame > 5) return -1;
    const bool direct = frame < 3;
    const int first = direct ? 0 : 3;
    const long long flagged = direct ? static_cast<long long>(posNuc) + 2 : posNuc;
    for (int f = first; f < first + 3; f++) {
        if (f == frame) continue;
        if (computeMean(pk, f, i, fw) >= ftgm && bkFlag(bk, flagged, f) == 1) return f;
    }
    return -1;
}
