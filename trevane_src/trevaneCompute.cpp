#include "trevaneCompute.h"

#include <algorithm>
#include <limits>

// The benchmark build (TREVANE_PLAIN_SCANS) replaces every indexed lookup
// with a plain scan of its list, to measure what the indexes save.
#ifdef TREVANE_PLAIN_SCANS
constexpr bool plainScans = true;
#else
constexpr bool plainScans = false;
#endif

namespace {

// Index of the last element a list really holds (nb may never point
// past the array, whatever the caller put in it).
template <typename List>
int lastIndex(const List& list)
{
    return std::min(list.nb, static_cast<int>(list.n.size()) - 1);
}

bool isDirect(int frame) { return frame >= 0 && frame <= 2; }
bool isReverse(int frame) { return frame >= 3 && frame <= 5; }

} // namespace

int frame2c(int frame)
{
    switch (frame) {
    case 1: return 0;
    case 2: return 1;
    case 3: return 2;
    case -1: return 3;
    case -2: return 4;
    default: return 5;
    }
}

int c2frame(int frame)
{
    switch (frame) {
    case 0: return 1;
    case 1: return 2;
    case 2: return 3;
    case 3: return -1;
    case 4: return -2;
    default: return -3;
    }
}

// ---------------------------------------------------------------- map

BK& initBk(BK& bk)
{
    std::fill(bk.n.begin(), bk.n.end(), BKelement{0});
    return bk;
}

BK booleanAffectation(const CDSBEFOREFILTER& cds, int lastPosition)
{
    BK bk;
    allocBk(bk);
    bk.nb = std::max(lastPosition, -1);
    allocBkElement(bk);
    reallocBkElement(bk, bk.nb + 1);
    initBk(bk);

    const long long mapEnd = static_cast<long long>(bk.nb) + 1;  // last position held
    for (int k = 0; k <= lastIndex(cds); k++) {
        const CDSBEFOREFILTERelement& e = cds.n[k];
        const BKelement bit = static_cast<BKelement>(1u << frame2c(e.frame));
        // Positions outside the map have no element: they are skipped.
        const long long from = std::max<long long>(e.begin, 1);
        const long long to = std::min<long long>(e.end, mapEnd);
        for (long long q = from; q <= to; q++) {
            bk.n[q - 1] |= bit;
        }
    }
    return bk;
}

int bkFlag(const BK& bk, long long position, int frame)
{
    if (frame < 0 || frame > 5 || position < 1 || position > lastIndex(bk) + 1LL) {
        return 0;
    }
    return (bk.n[position - 1] >> frame) & 1;
}

// ---------------------------------------------------------------- curve measures

float computeMean(const PK& pk, int frame, int nbElement, int fw)
{
    const int last = lastIndex(pk);
    const long long anchor = pk.n[nbElement].posNuc;
    float sum = 0;
    int count = 0;
    if (isDirect(frame)) {
        // The last three rows of the curve never enter a direct window.
        for (int n = nbElement; n + 1 < last - 1 && pk.n[n].posNuc <= anchor + fw; n++) {
            sum += pk.n[n].probaCodage[frame];
            count++;
        }
    } else {
        for (int n = nbElement; n >= 0 && pk.n[n].posNuc >= anchor - fw; n--) {
            sum += pk.n[n].probaCodage[frame];
            count++;
        }
    }
    return count == 0 ? 0.0f : sum / static_cast<float>(count);
}

namespace {

// Row where the coding stretch from row i stops: the first row, walking by
// `direction` (+1 or -1), whose probability is below `level`, or the end row
// of the curve in that direction.
int stretchStop(const PK& pk, int frame, int i, double level, int direction)
{
    const int limit = direction > 0 ? lastIndex(pk) : 0;
    while (i != limit && static_cast<double>(pk.n[i].probaCodage[frame]) >= level) {
        i += direction;
    }
    return i;
}

double stretchLevel(float ftgm) { return static_cast<double>(ftgm) / 3.0; }

} // namespace

int checkProbabilityCodagePlus(const PK& pk, int frame, int i, float ftgm)
{
    return pk.n[stretchStop(pk, frame, i, stretchLevel(ftgm), +1)].posNuc;
}

int checkProbabilityCodageMinus(const PK& pk, int frame, int i, float ftgm)
{
    return pk.n[stretchStop(pk, frame, i, stretchLevel(ftgm), -1)].posNuc;
}

int walkOnTheChromosome(const PK& pk, int i, int end)
{
    const int last = lastIndex(pk);
    while (i < last && pk.n[i].posNuc < end) {
        i++;
    }
    return i;
}

int walkOnTheChromosomeMinus(const PK& pk, int i, int end)
{
    while (i >= 0 && pk.n[i].posNuc >= end) {
        i--;
    }
    return i;
}

// ---------------------------------------------------------------- CDS lookups

namespace {

cdsRes emptyCdsRes() { return cdsRes{0, 0, 0, "NULL"}; }

cdsRes cdsResOf(const CDSelement& e) { return cdsRes{e.frame, e.begin, e.end, e.label}; }

bool contains(const CDSelement& e, int p) { return e.begin <= p && p < e.end; }

// Plain scans of the list in its stored order, for the benchmark build.

cdsRes scanGetCdsInfo(const CDS& cds, int p, int F)
{
    const int nb = lastIndex(cds);
    for (int i = 0; i < nb; i++) {
        const CDSelement& e = cds.n[i];
        if (e.frame != F) continue;
        if (contains(e, p)) return cdsResOf(e);
        if (p < e.begin) break;
    }
    return emptyCdsRes();
}

// Next element of frame F after i, or element nb when none comes before it.
int scanNext(const CDS& cds, int i, int F)
{
    const int nb = lastIndex(cds);
    int k = i + 1;
    while (k < nb && cds.n[k].frame != F) k++;
    return k;
}

// Previous element of frame F before i, or element 0 when none comes after it.
int scanPrevious(const CDS& cds, int i, int F)
{
    int k = i - 1;
    while (k > 0 && cds.n[k].frame != F) k--;
    return k;
}

int scanCheckCds(const CDS& cds, int F, int p)
{
    const int nb = lastIndex(cds);
    for (int i = 0; i < nb; i++) {
        const CDSelement& e = cds.n[i];
        if (e.frame != F) continue;
        if (contains(e, p)) return e.begin;
        if (e.begin <= p && e.end < p) {
            if (cds.n[i + 1].begin > p) return e.begin;
            if (cds.n[scanNext(cds, i, F)].end > p) return e.begin;
            continue;
        }
        if (p < e.begin) return -1;
    }
    return -1;
}

cdsRes scanLookForCdsL(const CDS& cds, int F, int p)
{
    const int nb = lastIndex(cds);
    for (int i = 0; i < nb; i++) {
        if (cds.n[i].frame != F) continue;
        if (cds.n[scanNext(cds, i, F)].begin > p) return cdsResOf(cds.n[i]);
    }
    return emptyCdsRes();
}

cdsRes scanLookForCdsR(const CDS& cds, int F, int p)
{
    for (int i = lastIndex(cds); i >= 1; i--) {
        if (cds.n[i].frame != F) continue;
        if (cds.n[scanPrevious(cds, i, F)].end < p) return cdsResOf(cds.n[i]);
    }
    return emptyCdsRes();
}

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

// A frame index outside the six is looked up as frame -3, like c2frame does.
static const CdsFrameIndex& frameIndex(const CdsIndex& cds, int frame)
{
    return cds.frame[frame2c(c2frame(frame))];
}

// The scans go through the frame's CDSs in list order and stop at the first
// one that begins after p: the CDSs before it are the ones reached.
static std::size_t reachedCount(const CdsFrameIndex& f, int nb, int p)
{
    return std::min(firstAbove(f.maxBegin, p), scannedCount(f, nb));
}

cdsRes getCdsInfo(const CdsIndex& cds, int posNuc, int frame)
{
    if (plainScans) return scanGetCdsInfo(*cds.list, posNuc, c2frame(frame));
    // The first reached CDS that ends after p contains it.
    const CdsFrameIndex& f = frameIndex(cds, frame);
    const std::size_t t = firstAbove(f.maxEnd, posNuc);
    if (t >= reachedCount(f, lastIndex(*cds.list), posNuc)) return emptyCdsRes();
    return cdsResOf(cds.list->n[f.element[t]]);
}

int checkCds(const CdsIndex& cds, int frame, int posNuc)
{
    if (plainScans) return scanCheckCds(*cds.list, c2frame(frame), posNuc);
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
    if (plainScans) return scanLookForCdsL(*cds.list, c2frame(frame), posNuc);
    // First CDS whose successor begins after p.
    const CdsFrameIndex& f = frameIndex(cds, frame);
    const std::size_t t = firstAbove(f.maxNextBegin, posNuc);
    if (t == f.element.size() || f.element[t] >= lastIndex(*cds.list)) return emptyCdsRes();
    return cdsResOf(cds.list->n[f.element[t]]);
}

cdsRes lookForCdsR(const CdsIndex& cds, int frame, int posNuc)
{
    if (plainScans) return scanLookForCdsR(*cds.list, c2frame(frame), posNuc);
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

// ---------------------------------------------------------------- map scans

BkRuns indexBk(const BK& bk)
{
    BkRuns runs;
    runs.map = &bk;
    const int size = lastIndex(bk) + 1;
    int runStart[6] = {0, 0, 0, 0, 0, 0};
    BKelement previous = 0;
    for (int k = 0; k <= size; k++) {
        const BKelement flags = k < size ? bk.n[k] : BKelement{0};
        const unsigned changed = static_cast<unsigned>(flags ^ previous);
        if (changed == 0) continue;
        for (int f = 0; f < 6; f++) {
            if (!((changed >> f) & 1u)) continue;
            if ((flags >> f) & 1u) {
                runStart[f] = k + 1;
            } else {
                runs.frame[f].push_back(FlagRun{runStart[f], k});
            }
        }
        previous = flags;
    }
    return runs;
}

int checkCdsInFrame(const BkRuns& bk, int frame, int i, int end)
{
    const long long from = static_cast<long long>(i) + 1;
    if (plainScans) {
        for (long long q = from; q <= end; q++) {
            if (bkFlag(*bk.map, q, frame)) return static_cast<int>(q);
        }
        return 0;
    }
    if (frame < 0 || frame > 5) return 0;
    const std::vector<FlagRun>& runs = bk.frame[frame];
    const auto run = std::partition_point(runs.begin(), runs.end(),
                                          [&](const FlagRun& r) { return r.last < from; });
    if (run == runs.end()) return 0;
    const long long q = std::max<long long>(run->first, from);
    return q <= end ? static_cast<int>(q) : 0;
}

int checkCdsInFrameMinus(const BkRuns& bk, int frame, int i, int end)
{
    const long long from = static_cast<long long>(i) + 1;
    if (plainScans) {
        for (long long q = from; q >= end; q--) {
            if (bkFlag(*bk.map, q, frame)) return static_cast<int>(q);
        }
        return 0;
    }
    if (frame < 0 || frame > 5) return 0;
    const std::vector<FlagRun>& runs = bk.frame[frame];
    const auto after = std::partition_point(runs.begin(), runs.end(),
                                            [&](const FlagRun& r) { return r.first <= from; });
    if (after == runs.begin()) return 0;
    const long long q = std::min<long long>(std::prev(after)->last, from);
    return q >= end ? static_cast<int>(q) : 0;
}

int checkCdsInAllFrame(const BkRuns& bk, int i, int end)
{
    for (int f = 0; f < 6; f++) {
        const int q = checkCdsInFrame(bk, f, i, end);
        if (q != 0) return q;
    }
    return 0;
}

int checkCdsInAllMinusFrame(const BkRuns& bk, int i, int end)
{
    for (int f = 0; f < 6; f++) {
        const int q = checkCdsInFrameMinus(bk, f, i, end);
        if (q != 0) return q;
    }
    return 0;
}

int checkOtherFrame(const BK& bk, const PK& pk, int frame, int posNuc, int i, int fw, float ftgm)
{
    int first;
    long long flagged;
    if (isDirect(frame)) {
        first = 0;
        flagged = static_cast<long long>(posNuc) + 2;
    } else if (isReverse(frame)) {
        first = 3;
        flagged = posNuc;
    } else {
        return -1;
    }
    for (int f = first; f < first + 3; f++) {
        if (f == frame) continue;
        if (computeMean(pk, f, i, fw) >= ftgm && bkFlag(bk, flagged, f) == 1) return f;
    }
    return -1;
}

// ---------------------------------------------------------------- results

RES& newRes(RES& res)
{
    res.nb++;
    reallocResElement(res, res.nb + 1);
    RESelement& spare = res.n[res.nb];
    spare.startFS = -1;
    spare.endFS = -1;
    spare.frameCdsL = -1;
    spare.frameCdsR = -1;
    spare.beginCdsR = -1;
    spare.endCdsR = -1;
    spare.beginCdsL = -1;
    spare.endCdsL = -1;
    return res;
}

namespace {

RESelement& fillSides(RES& res, const cdsRes& cdsL, const cdsRes& cdsR, int j)
{
    RESelement& e = res.n[res.nb - 1];
    e.frameFS = j;
    e.frameCdsL = cdsL.frame;
    e.beginCdsL = cdsL.begin;
    e.endCdsL = cdsL.end;
    e.labelCdsL = cdsL.label;
    e.frameCdsR = cdsR.frame;
    e.beginCdsR = cdsR.begin;
    e.endCdsR = cdsR.end;
    e.labelCdsR = cdsR.label;
    return e;
}

} // namespace

RES& affectResults(RES& res, const PK& pk, const cdsRes& cdsL, const cdsRes& cdsR, int i, int j)
{
    fillSides(res, cdsL, cdsR, j).startFS = pk.n[i].posNuc;
    return res;
}

RES& affectBadstartResults(RES& res, const PK& pk, const cdsRes& cdsL, const cdsRes& cdsR, int i,
                           int j)
{
    RESelement& e = fillSides(res, cdsL, cdsR, j);
    e.startFS = pk.n[i].posNuc;
    e.endFS = isDirect(j) ? cdsR.begin : pk.n[i].posNuc;
    e.status = "BADSTART";
    return res;
}

RES& affectOnlypcodResults(RES& res, const PK& pk, const cdsRes& cdsL, const cdsRes& cdsR, int i,
                           int j, int end)
{
    RESelement& e = fillSides(res, cdsL, cdsR, j);
    const int p = pk.n[i].posNuc;
    e.startFS = isDirect(j) ? p : end;
    e.endFS = isDirect(j) ? end : p;
    e.status = "ONLYPCOD";
    return res;
}

// ---------------------------------------------------------------- walk

namespace {

// Everything one curve's walk reads, indexed once.
struct Analysis {
    const PK& pk;
    const BK& bk;
    const BkRuns runs;
    const CdsIndex cds;
    int fw;
    float ftgm;
};

// The last coding stretch walked in a frame: from every row between `from`
// and `stop` the walk stops on row `stop`, so a later row inside it needs no
// new walk.
struct StretchMemo {
    int from = -1;
    int stop = -1;
};

int stretchEnd(const Analysis& a, int frame, int i, int direction, StretchMemo& memo)
{
    const bool known = std::min(memo.from, memo.stop) <= i && i <= std::max(memo.from, memo.stop);
    if (plainScans || !known) {
        memo.from = i;
        memo.stop = stretchStop(a.pk, frame, i, stretchLevel(a.ftgm), direction);
    }
    return a.pk.n[memo.stop].posNuc;
}

bool staggered(const cdsRes& l, const cdsRes& r)
{
    return (l.begin < r.begin && l.end < r.end) || (l.begin > r.begin && l.end > r.end);
}

// A change of coding frame at row i (direct strand when j < 3). Returns the
// next row, or -1 when the reverse walk has passed row 0.
long long frameChange(const Analysis& a, RES& res, long long row, int j, int fstep)
{
    const int i = static_cast<int>(row);
    const int p = a.pk.n[i].posNuc;
    const bool direct = isDirect(j);
    const long long step = direct ? fstep : -static_cast<long long>(fstep);
    const int frame = checkOtherFrame(a.bk, a.pk, j, p, i, a.fw, a.ftgm);
    if (frame == -1 || checkCds(a.cds, frame, p) == -1 || checkCds(a.cds, j, p) == -1) {
        return row + step;
    }
    cdsRes cdsL = getCdsInfo(a.cds, p, j);
    cdsRes cdsR = getCdsInfo(a.cds, p, frame);
    newRes(res);
    affectResults(res, a.pk, cdsL, cdsR, i, j);
    RESelement& e = res.n[res.nb - 1];
    e.status = staggered(cdsL, cdsR) ? "OVERLAPPING" : "COMPENSATED";
    if (direct) {
        e.endFS = cdsL.end < cdsR.end ? cdsL.end : cdsR.end;
    } else {
        e.startFS = cdsL.begin < cdsR.begin ? cdsR.begin : cdsL.begin;
        e.endFS = p;
    }
    cdsL = nullCdsRes(cdsL);
    cdsR = nullCdsRes(cdsR);
    if (e.endCdsL == 0) return row + step;
    // Go on past the left CDS.
    return direct ? walkOnTheChromosome(a.pk, i, e.endCdsL)
                  : walkOnTheChromosomeMinus(a.pk, i, e.beginCdsL);
}

// A coding stretch from row i that no CDS of frame j covers at p.
long long codingStretch(const Analysis& a, RES& res, long long row, int j, int fstep,
                        StretchMemo& memo)
{
    const int i = static_cast<int>(row);
    const int p = a.pk.n[i].posNuc;
    const bool direct = isDirect(j);
    const long long step = direct ? fstep : -static_cast<long long>(fstep);
    const int end = stretchEnd(a, j, i, direct ? +1 : -1, memo);
    if (!(direct ? end > p : end < p) || bkFlag(a.bk, p, j) == 1) return row + step;

    const int cdsWithBadStart =
        direct ? checkCdsInFrame(a.runs, j, p, end) : checkCdsInFrameMinus(a.runs, j, p, end);
    cdsRes cdsL;
    cdsRes cdsR;
    if (cdsWithBadStart != 0 && checkCds(a.cds, j, end) != -1) {
        cdsL = lookForCdsL(a.cds, j, p);
        const long long half = (static_cast<long long>(end) - p) / 2;
        const int middle = static_cast<int>(p + half);
        cdsR = getCdsInfo(a.cds, middle, j);
        const long long gap = direct ? static_cast<long long>(cdsR.begin) - cdsL.end
                                     : static_cast<long long>(cdsL.begin) - cdsR.end;
        if (gap > 59 && checkCds(a.cds, j, middle) == -1) {
            newRes(res);
            affectBadstartResults(res, a.pk, cdsL, cdsR, i, j);
        }
    } else {
        cdsR = lookForCdsR(a.cds, j, p);
        cdsL = lookForCdsL(a.cds, j, p);
        const int other =
            direct ? checkCdsInAllFrame(a.runs, p, end) : checkCdsInAllMinusFrame(a.runs, p, end);
        if (other == 0) {
            newRes(res);
            affectOnlypcodResults(res, a.pk, cdsL, cdsR, i, j, end);
        }
    }
    cdsL = nullCdsRes(cdsL);
    cdsR = nullCdsRes(cdsR);
    return row + 2 * step;
}

void walkFrame(const Analysis& a, RES& res, int j, int fstep)
{
    const int last = lastIndex(a.pk);
    const bool direct = isDirect(j);
    StretchMemo memo;
    long long row = direct ? 0 : last;
    while (row >= 0 && row <= last) {
        const int i = static_cast<int>(row);
        const int p = a.pk.n[i].posNuc;
        const float mean_gm = computeMean(a.pk, j, i, a.fw);
        if (!(mean_gm > a.ftgm)) {
            row += direct ? fstep : -static_cast<long long>(fstep);
            continue;
        }
        // The direct strand tests the position after p, the reverse one p itself.
        const long long tested = direct ? static_cast<long long>(p) + 1 : p;
        if (bkFlag(a.bk, tested, j) == 1) {
            row = frameChange(a, res, row, j, fstep);
        } else {
            row = codingStretch(a, res, row, j, fstep, memo);
        }
    }
}

} // namespace

RES determineFrameShift(const PK& pk, const BK& bk, const CDSBEFOREFILTER& /*cdsBeforeFilter*/,
                        const CDS& cds, int fw, int fstep, float ftgm)
{
    RES res;
    allocRes(res);
    allocResElement(res);
    const Analysis analysis{pk, bk, indexBk(bk), indexCds(cds), fw, ftgm};
    for (int j = 0; j < 6; j++) {
        walkFrame(analysis, res, j, fstep);
    }
    return res;
}
