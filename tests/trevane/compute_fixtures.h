// Builders of small trevane lists for the analysis tests. Lists are shaped
// as the loaders leave them: nb indexes the last element, one spare follows.
#ifndef TREVANE_COMPUTE_FIXTURES_H
#define TREVANE_COMPUTE_FIXTURES_H

#include <string>
#include <vector>

#include "memoryAllocation.h"

struct CdsSpec {
    std::string label;
    int begin;
    int end;
    int frame;
};

inline CDS makeCds(const std::vector<CdsSpec>& specs)
{
    CDS cds;
    cds.n.resize(specs.size() + 1);
    for (std::size_t k = 0; k < specs.size(); k++) {
        CDSelement& e = cds.n[k];
        e.label = specs[k].label;
        e.begin = specs[k].begin;
        e.end = specs[k].end;
        e.frame = specs[k].frame;
    }
    cds.nb = static_cast<int>(specs.size()) - 1;
    return cds;
}

inline CDSBEFOREFILTER makeCandidates(const std::vector<CdsSpec>& specs)
{
    CDSBEFOREFILTER cds;
    cds.n.resize(specs.size() + 1);
    for (std::size_t k = 0; k < specs.size(); k++) {
        cds.n[k].label = specs[k].label;
        cds.n[k].begin = specs[k].begin;
        cds.n[k].end = specs[k].end;
        cds.n[k].frame = specs[k].frame;
    }
    cds.nb = static_cast<int>(specs.size()) - 1;
    return cds;
}

// A curve row: position and the six probabilities.
inline PKelement row(int posNuc, std::vector<float> p = {})
{
    PKelement e{posNuc, {0, 0, 0, 0, 0, 0}};
    for (std::size_t f = 0; f < p.size() && f < 6; f++) e.probaCodage[f] = p[f];
    return e;
}

inline PK makeCurve(const std::vector<PKelement>& rows)
{
    PK pk;
    pk.n = rows;
    pk.n.push_back(PKelement{});
    pk.nb = static_cast<int>(rows.size()) - 1;
    return pk;
}

// Probability `value` in frame index `frame` on the positions first..last.
struct Signal {
    int frame;
    int first;
    int last;
    float value = 1.0f;
};

// Rows every `spacing` nucleotides from `spacing` to `length`.
inline PK makeSignalCurve(int length, int spacing, const std::vector<Signal>& signals)
{
    std::vector<PKelement> rows;
    for (int p = spacing; p <= length; p += spacing) {
        PKelement e = row(p);
        for (const Signal& s : signals) {
            if (p >= s.first && p <= s.last) e.probaCodage[s.frame] = s.value;
        }
        rows.push_back(e);
    }
    return makeCurve(rows);
}

#endif
