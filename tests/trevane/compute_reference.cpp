#include "compute_reference.h"

#include "trevaneCompute.h"
#include "trevaneLookup.h"
#include "trevanePlainScans.h"

namespace reference {

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
            if (bkFlag(bk, p + 1LL, j) == 1) {
                const int frame = checkOtherFrame(bk, pk, j, p, i, fw, ftgm);
                if (frame == -1 || scanCheckCds(cds, frame, p) == -1 ||
                    scanCheckCds(cds, j, p) == -1) {
                    i += fstep;
                    continue;
                }
                const cdsRes l = scanGetCdsInfo(cds, p, j);
                const cdsRes r = scanGetCdsInfo(cds, p, frame);
                const bool stag = (l.begin < r.begin && l.end < r.end) ||
                                  (l.begin > r.begin && l.end > r.end);
                append(res, l, r, p, l.end < r.end ? l.end : r.end, j,
                       stag ? "OVERLAPPING" : "COMPENSATED");
                i = l.end != 0 ? walkOnTheChromosome(pk, i, l.end) : i + fstep;
                continue;
            }
            const int end = checkProbabilityCodagePlus(pk, j, i, ftgm);
            if (!(end > p && bkFlag(bk, p, j) != 1)) {
                i += fstep;
                continue;
            }
            if (scanCheckCdsInFrame(bk, j, p, end) != 0 && scanCheckCds(cds, j, end) != -1) {
                const cdsRes l = scanLookForCdsL(cds, j, p);
                const int m = p + (end - p) / 2;
                const cdsRes r = scanGetCdsInfo(cds, m, j);
                if (r.begin - l.end > 59 && scanCheckCds(cds, j, m) == -1) {
                    append(res, l, r, p, r.begin, j, "BADSTART");
                }
            } else {
                const cdsRes r = scanLookForCdsR(cds, j, p);
                const cdsRes l = scanLookForCdsL(cds, j, p);
                if (scanCheckCdsInAllFrame(bk, p, end) == 0) {
                    append(res, l, r, p, end, j, "ONLYPCOD");
                }
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
            if (bkFlag(bk, p, j) == 1) {
                const int frame = checkOtherFrame(bk, pk, j, p, i, fw, ftgm);
                if (frame == -1 || scanCheckCds(cds, frame, p) == -1 ||
                    scanCheckCds(cds, j, p) == -1) {
                    i -= fstep;
                    continue;
                }
                const cdsRes l = scanGetCdsInfo(cds, p, j);
                const cdsRes r = scanGetCdsInfo(cds, p, frame);
                const bool stag = (l.begin < r.begin && l.end < r.end) ||
                                  (l.begin > r.begin && l.end > r.end);
                append(res, l, r, l.begin < r.begin ? r.begin : l.begin, p, j,
                       stag ? "OVERLAPPING" : "COMPENSATED");
                i = l.end != 0 ? walkOnTheChromosomeMinus(pk, i, l.begin) : i - fstep;
                continue;
            }
            const int end = checkProbabilityCodageMinus(pk, j, i, ftgm);
            if (!(end < p && bkFlag(bk, p, j) != 1)) {
                i -= fstep;
                continue;
            }
            if (scanCheckCdsInFrameMinus(bk, j, p, end) != 0 && scanCheckCds(cds, j, end) != -1) {
                const cdsRes l = scanLookForCdsL(cds, j, p);
                const int m = p - (p - end) / 2;
                const cdsRes r = scanGetCdsInfo(cds, m, j);
                if (l.begin - r.end > 59 && scanCheckCds(cds, j, m) == -1) {
                    append(res, l, r, p, p, j, "BADSTART");
                }
            } else {
                const cdsRes r = scanLookForCdsR(cds, j, p);
                const cdsRes l = scanLookForCdsL(cds, j, p);
                if (scanCheckCdsInAllMinusFrame(bk, p, end) == 0) {
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
