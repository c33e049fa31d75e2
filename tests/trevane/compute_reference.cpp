#include "compute_reference.h"

#include "trevaneCompute.h"

namespace reference {

namespace {

cdsRes none() { return cdsRes{0, 0, 0, "NULL"}; }
cdsRes of(const CDSelement& e) { return cdsRes{e.frame, e.begin, e.end, e.label}; }

} // namespace

int flag(const BK& bk, long long q, int f)
{
    if (q < 1 || q > bk.nb + 1LL) return 0;
    return (bk.n[q - 1] >> f) & 1;
}

cdsRes getCdsInfo(const CDS& cds, int posNuc, int frame)
{
    const int F = c2frame(frame);
    for (int i = 0; i <= cds.nb - 1; i++) {
        if (cds.n[i].frame != F) continue;
        if (cds.n[i].begin <= posNuc && posNuc < cds.n[i].end) return of(cds.n[i]);
        if (posNuc < cds.n[i].begin) break;
    }
    return none();
}

int checkCds(const CDS& cds, int frame, int posNuc)
{
    const int F = c2frame(frame);
    for (int i = 0; i <= cds.nb - 1; i++) {
        const CDSelement& e = cds.n[i];
        if (e.frame != F) continue;
        if (e.begin <= posNuc && posNuc < e.end) return e.begin;
        if (e.begin <= posNuc && e.end < posNuc && cds.n[i + 1].begin > posNuc) return e.begin;
        if (e.begin <= posNuc && e.end < posNuc) {
            int k = i + 1;
            while (k < cds.nb && cds.n[k].frame != F) k++;
            if (cds.n[k].end > posNuc) return e.begin;
            continue;
        }
        if (posNuc < e.begin) return -1;
    }
    return -1;
}

cdsRes lookForCdsL(const CDS& cds, int frame, int posNuc)
{
    const int F = c2frame(frame);
    for (int i = 0; i <= cds.nb - 1; i++) {
        if (cds.n[i].frame != F) continue;
        int k = i + 1;
        while (k < cds.nb && cds.n[k].frame != F) k++;
        if (cds.n[k].begin > posNuc) return of(cds.n[i]);
    }
    return none();
}

cdsRes lookForCdsR(const CDS& cds, int frame, int posNuc)
{
    const int F = c2frame(frame);
    for (int i = cds.nb; i >= 1; i--) {
        if (cds.n[i].frame != F) continue;
        int k = i - 1;
        while (k > 0 && cds.n[k].frame != F) k--;
        if (cds.n[k].end < posNuc) return of(cds.n[i]);
    }
    return none();
}

int checkCdsInFrame(const BK& bk, int frame, int i, int end)
{
    for (long long q = i + 1LL; q <= end; q++) {
        if (flag(bk, q, frame) == 1) return static_cast<int>(q);
    }
    return 0;
}

int checkCdsInFrameMinus(const BK& bk, int frame, int i, int end)
{
    for (long long q = i + 1LL; q >= end; q--) {
        if (flag(bk, q, frame) == 1) return static_cast<int>(q);
    }
    return 0;
}

int checkCdsInAllFrame(const BK& bk, int i, int end)
{
    for (int f = 0; f < 6; f++) {
        const int q = checkCdsInFrame(bk, f, i, end);
        if (q != 0) return q;
    }
    return 0;
}

int checkCdsInAllMinusFrame(const BK& bk, int i, int end)
{
    for (int f = 0; f < 6; f++) {
        const int q = checkCdsInFrameMinus(bk, f, i, end);
        if (q != 0) return q;
    }
    return 0;
}

int checkProbabilityCodagePlus(const PK& pk, int frame, int i, float ftgm)
{
    const double level = static_cast<double>(ftgm) / 3.0;
    while (static_cast<double>(pk.n[i].probaCodage[frame]) >= level && i < pk.nb) i++;
    return pk.n[i].posNuc;
}

int checkProbabilityCodageMinus(const PK& pk, int frame, int i, float ftgm)
{
    const double level = static_cast<double>(ftgm) / 3.0;
    while (static_cast<double>(pk.n[i].probaCodage[frame]) >= level && i > 0) i--;
    return pk.n[i].posNuc;
}

namespace {

void append(RES& res, const cdsRes& l, const cdsRes& r, int start, int endFS, int j,
            const char* status)
{
    RESelement e{};
    e.startFS = start;
    e.endFS = endFS;
    e.frameFS = j;
    e.frameCdsL = l.frame;
    e.beginCdsL = l.begin;
    e.endCdsL = l.end;
    e.labelCdsL = l.label;
    e.frameCdsR = r.frame;
    e.beginCdsR = r.begin;
    e.endCdsR = r.end;
    e.labelCdsR = r.label;
    e.status = status;
    res.n.insert(res.n.begin() + res.nb, e);
    res.nb++;
}

int otherFrame(const BK& bk, const PK& pk, int frame, int p, int i, int fw, float ftgm)
{
    if (frame <= 2) {
        for (int f = 0; f <= 2; f++) {
            if (f != frame && computeMean(pk, f, i, fw) >= ftgm && flag(bk, p + 2LL, f) == 1) {
                return f;
            }
        }
    } else {
        for (int f = 3; f <= 5; f++) {
            if (f != frame && computeMean(pk, f, i, fw) >= ftgm && flag(bk, p, f) == 1) return f;
        }
    }
    return -1;
}

} // namespace

RES determineFrameShift(const PK& pk, const BK& bk, const CDS& cds, int fw, int fstep,
                        float ftgm)
{
    RES res;
    res.nb = 0;
    res.n.resize(1);
    for (int j = 0; j < 3; j++) {
        int i = 0;
        while (i <= pk.nb) {
            const int p = pk.n[i].posNuc;
            if (!(computeMean(pk, j, i, fw) > ftgm)) {
                i += fstep;
                continue;
            }
            if (flag(bk, p + 1LL, j) == 1) {
                const int frame = otherFrame(bk, pk, j, p, i, fw, ftgm);
                if (frame == -1 || checkCds(cds, frame, p) == -1 || checkCds(cds, j, p) == -1) {
                    i += fstep;
                    continue;
                }
                const cdsRes l = getCdsInfo(cds, p, j);
                const cdsRes r = getCdsInfo(cds, p, frame);
                const bool stag = (l.begin < r.begin && l.end < r.end) ||
                                  (l.begin > r.begin && l.end > r.end);
                append(res, l, r, p, l.end < r.end ? l.end : r.end, j,
                       stag ? "OVERLAPPING" : "COMPENSATED");
                i = l.end != 0 ? walkOnTheChromosome(pk, i, l.end) : i + fstep;
                continue;
            }
            const int end = reference::checkProbabilityCodagePlus(pk, j, i, ftgm);
            if (!(end > p && flag(bk, p, j) != 1)) {
                i += fstep;
                continue;
            }
            if (checkCdsInFrame(bk, j, p, end) != 0 && checkCds(cds, j, end) != -1) {
                const cdsRes l = lookForCdsL(cds, j, p);
                const int m = p + (end - p) / 2;
                const cdsRes r = getCdsInfo(cds, m, j);
                if (r.begin - l.end > 59 && checkCds(cds, j, m) == -1) {
                    append(res, l, r, p, r.begin, j, "BADSTART");
                }
            } else {
                const cdsRes r = lookForCdsR(cds, j, p);
                const cdsRes l = lookForCdsL(cds, j, p);
                if (checkCdsInAllFrame(bk, p, end) == 0) append(res, l, r, p, end, j, "ONLYPCOD");
            }
            i += 2 * fstep;
        }
    }
    for (int j = 3; j < 6; j++) {
        int i = pk.nb;
        while (i >= 0) {
            const int p = pk.n[i].posNuc;
            if (!(computeMean(pk, j, i, fw) > ftgm)) {
                i -= fstep;
                continue;
            }
            if (flag(bk, p, j) == 1) {
                const int frame = otherFrame(bk, pk, j, p, i, fw, ftgm);
                if (frame == -1 || checkCds(cds, frame, p) == -1 || checkCds(cds, j, p) == -1) {
                    i -= fstep;
                    continue;
                }
                const cdsRes l = getCdsInfo(cds, p, j);
                const cdsRes r = getCdsInfo(cds, p, frame);
                const bool stag = (l.begin < r.begin && l.end < r.end) ||
                                  (l.begin > r.begin && l.end > r.end);
                append(res, l, r, l.begin < r.begin ? r.begin : l.begin, p, j,
                       stag ? "OVERLAPPING" : "COMPENSATED");
                i = l.end != 0 ? walkOnTheChromosomeMinus(pk, i, l.begin) : i - fstep;
                continue;
            }
            const int end = reference::checkProbabilityCodageMinus(pk, j, i, ftgm);
            if (!(end < p && flag(bk, p, j) != 1)) {
                i -= fstep;
                continue;
            }
            if (checkCdsInFrameMinus(bk, j, p, end) != 0 && checkCds(cds, j, end) != -1) {
                const cdsRes l = lookForCdsL(cds, j, p);
                const int m = p - (p - end) / 2;
                const cdsRes r = getCdsInfo(cds, m, j);
                if (l.begin - r.end > 59 && checkCds(cds, j, m) == -1) {
                    append(res, l, r, p, p, j, "BADSTART");
                }
            } else {
                const cdsRes r = lookForCdsR(cds, j, p);
                const cdsRes l = lookForCdsL(cds, j, p);
                if (checkCdsInAllMinusFrame(bk, p, end) == 0) {
                    append(res, l, r, end, p, j, "ONLYPCOD");
                }
            }
            i -= 2 * fstep;
        }
    }
    return res;
}

RES& filterResults(RES& res)
{
    const int nb = res.nb;
    for (int i = 0; i < nb - 1; i++) {
        for (int j = i + 1; j + 1 < nb - 1; j++) {
            RESelement& a = res.n[i];
            RESelement& b = res.n[j];
            const bool pcodA = a.status == "ONLYPCOD";
            const bool pcodB = b.status == "ONLYPCOD";
            const int lenA = a.endFS - a.startFS;
            const int lenB = b.endFS - b.startFS;
            if (!pcodA && !pcodB && a.startFS != 0 && a.labelCdsR == b.labelCdsR &&
                a.labelCdsL == b.labelCdsL && a.status == b.status) {
                if (lenB < lenA) b.startFS = b.endFS = 0;
            } else if (!pcodA && !pcodB && a.startFS != 0 && a.labelCdsR == b.labelCdsL &&
                       a.labelCdsL == b.labelCdsR && a.status == b.status) {
                if (lenB < lenA) b.startFS = b.endFS = 0;
            } else if (pcodA && pcodB) {
                if (a.startFS != 0 && a.labelCdsL == b.labelCdsL && a.labelCdsR == b.labelCdsR) {
                    if (b.startFS == a.startFS) b.startFS = b.endFS = 0;
                    if (b.labelCdsL == b.labelCdsR) b.startFS = b.endFS = 0;
                }
            }
        }
    }
    return res;
}

} // namespace reference
