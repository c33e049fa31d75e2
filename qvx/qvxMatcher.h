// Window scan of a compiled pattern over an encoded sequence, the hit map,
// and the marking of mismatches in a reported fragment.
#ifndef QVX_MATCHER_H
#define QVX_MATCHER_H

#include <cstdint>
#include <string>
#include <vector>

#include "qvxAlphabet.h"
#include "qvxPattern.h"

// One entry per sequence position: bit p set when pattern p has an
// occurrence starting there.
using HitMap = std::vector<std::uint32_t>;

// What the per-occurrence action of SearchPattern works on.
struct SearchContext {
    std::uint32_t bit;  // 1 shifted left by the pattern number
    HitMap* hits;
};

// Called once per occurrence, with the occurrence recorded in the pattern.
using MatchAction = int (*)(Pattern& pattern, SearchContext& context);

// Records the occurrence being reported in the pattern (status 1, its start
// and mismatches), or clears it (status 0, -1, -1) when codes is null.
int SetMatch(Pattern& pattern, const std::vector<LetterMask>* codes, int start, int mismatches);

// Slides the pattern along the codes (up to END_OF_CODES) and calls action
// for every window that agrees except for at most maxMismatch positions,
// none of them strict. Returns the number of occurrences.
int ScanPattern(const std::vector<LetterMask>& codes, Pattern& pattern, MatchAction action,
                SearchContext& context);

// Sets the context's bit in the hit-map entry of the pattern's matchPos.
int MarkHit(Pattern& pattern, SearchContext& context);

// ScanPattern with MarkHit: marks every occurrence start in hits.
int SearchPattern(const std::vector<LetterMask>& codes, Pattern& pattern, HitMap& hits,
                  std::uint32_t bit);

// Puts the letters of an occurrence's residues in upper case where they
// agree with the pattern and in lower case where they do not; other
// characters are left alone. Returns the number of lower-cased letters.
int MarkMismatches(std::string& fragment, const Pattern& pattern, int kind);

#endif
