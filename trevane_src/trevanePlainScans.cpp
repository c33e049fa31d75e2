#include "trevanePlainScans.h"

#include "trevaneCompute.h"

namespace {

bool contains(const CDSelement& e, int p) { return e.begin <= p && p < e.end; }

// Next element of frame F after i, or element nb when none comes before it.
int next(const CDS& cds, int i, int F)
{
    const int nb = lastIndex(cds);
    int k = i + 1;
    while (k < nb && cds.n[k].frame != F) k++;
    return k;
}

// Previous element of frame F before i, or element 0 when none comes after it.
int previous(const CDS& cds, int i, int F)
{
    int k = i - 1;
    while (k > 0 && cds.n[k].frame != F) k--;
    return k;
}

} // namespace

cdsRes cdsResOf(const CDSelement& e) { return cdsRes{e.frame, e.begin, e.end, e.label}; }

cdsRes emptyCdsRes() { return cdsRes{0, 0, 0, "NULL"}; }

// The last element is only ever examined as a successor, element 0 only as a
// predecessor.

cdsRes scanGetCdsInfo(const CDS& cds, int posNuc, int frame)
{
    const int F = c2frame(frame);
    const int nb = lastIndex(cds);
    for (int i = 0; i < nb; i++) {
        const CDSelement& e = cds.n[i];
        if (e.frame != F) continue;
        if (contains(e, posNuc)) return cdsResOf(e);
        if (posNuc < e.begin) break;
    }
    return emptyCdsRes();
}

int scanCheckCds(const CDS& cds, int frame, int posNuc)
{
    const int F = c2frame(frame);
    const int nb = lastIndex(cds);
    for (int i = 0; i < nb; i++) {
        const CDSelement& e = cds.n[i];
        if (e.frame != F) continue;
        if (contains(e, posNuc)) return e.begin;
        if (e.begin <= posNuc && e.end < posNuc) {
            if (cds.n[i + 1].begin > posNuc) return e.begin;
            if (cds.n[next(cds, i, F)].end > posNuc) return e.begin;
            continue;
        }
        if (posNuc < e.begin) return -1;
    }
    return -1;
}

cdsRes scanLookForCdsL(const CDS& cds, int frame, int posNuc)
{
    const int F = c2frame(frame);
    const int nb = lastIndex(cds);
    for (int i = 0; i < nb; i++) {
        if (cds.n[i].frame != F) continue;
        if (cds.n[next(cds, i, F)].begin > posNuc) return cdsResOf(cds.n[i]);
    }
    return emptyCdsRes();
}

cdsRes scanLookForCdsR(const CDS& cds, int frame, int posNuc)
{
    const int F = c2frame(frame);
    for (int i = lastIndex(cds); i >= 1; i--) {
        if (cds.n[i].frame != F) continue;
        if (cds.n[previous(cds, i, F)].end < posNuc) return cdsResOf(cds.n[i]);
    }
    return emptyCdsRes();
}

int scanCheckCdsInFrame(const BK& bk, int frame, int i, int end)
{
    for (long long q = i + 1LL; q <= end; q++) {
        if (bkFlag(bk, q, frame) == 1) return static_cast<int>(q);
    }
    return 0;
}

int scanCheckCdsInFrameMinus(const BK& bk, int frame, int i, int end)
{
    for (long long q = i + 1LL; q >= end; q--) {
        if (bkFlag(bk, q, frame) == 1) return static_cast<int>(q);
    }
    return 0;
}

int scanCheckCdsInAllFrame(const BK& bk, int i, int end)
{
    for (int f = 0; f < 6; f++) {
        const int q = scanCheckCdsInFrame(bk, f, i, end);
        if (q != 0) return q;
    }
    return 0;
}

int scanCheckCdsInAllMinusFrame(const BK& bk, int i, int end)
{
    for (int f = 0; f < 6; f++) {
        const int q = scanCheckCdsInFrameMinus(bk, f, i, end);
        if (q != 0) return q;
    }
    return 0;
}
