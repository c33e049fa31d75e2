#include "trevaneCompute.h"

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

#include "trevaneLookup.h"
#include "trevanePlainScans.h"

namespace {

bool isDirect(int frame) { return frame >= 0 && frame <= 2; }

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
    // The map holds positions 1 .. nb + 1; nb + 1 must stay an int count.
    bk.nb = std::clamp(lastPosition, -1, INT_MAX - 1);
    allocBkElement(bk);
    reallocBkElement(bk, bk.nb + 1);
    initBk(bk);

    // Per frame, the candidates' stretches clipped to the map (positions
    // outside it have no element) and merged, so that every position is
    // marked once per frame however much the candidates overlap.
    const long long mapEnd = static_cast<long long>(bk.nb) + 1;  // last position held
    std::vector<std::pair<long long, long long>> stretches[6];
    for (int k = 0; k <= lastIndex(cds); k++) {
        const CDSBEFOREFILTERelement& e = cds.n[k];
        const long long from = std::max<long long>(e.begin, 1);
        const long long to = std::min<long long>(e.end, mapEnd);
        if (from <= to) stretches[frame2c(e.frame)].emplace_back(from, to);
    }
    for (int f = 0; f < 6; f++) {
        std::sort(stretches[f].begin(), stretches[f].end());
        const BKelement bit = static_cast<BKelement>(1u << f);
        long long marked = 0;  // every position up to this one is marked
        for (const auto& [from, to] : stretches[f]) {
            for (long long q = std::max(from, marked + 1); q <= to; q++) bk.n[q - 1] |= bit;
            marked = std::max(marked, to);
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
