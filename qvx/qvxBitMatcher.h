// Bit-parallel search of a compiled pattern (shift-add with mismatch
// counters): the same occurrences as SearchPattern's window scan, found in
// one pass over the residues with a few word operations per residue.
//
// Position j of the pattern owns a field of fieldBits bits: a mismatch
// counter and, on top, an overflow bit. After reading a residue, field j
// holds the mismatches of the window ending there, compared with the first
// j + 1 pattern positions. Each residue shifts the fields up by one and
// adds its precomputed mismatch word: 1 per disagreeing position, or the
// overflow bit itself at a strict position. Overflow bits are moved into a
// sticky word, so a window is rejected once it exceeds the allowed count or
// misses a strict position. Patterns wider than one machine word span
// several words.
#ifndef QVX_BIT_MATCHER_H
#define QVX_BIT_MATCHER_H

#include <cstdint>
#include <vector>

#include "qvxMatcher.h"
#include "qvxPattern.h"

struct BitMatcher {
    int size;           // pattern positions
    int maxMismatch;    // mismatches allowed, within 0 .. size
    int countBits;      // bits of a counter: 2^countBits > maxMismatch
    int fieldBits;      // countBits + 1 (the overflow bit)
    int fieldsPerWord;
    int words;
    std::vector<std::uint64_t> mismatch;  // per residue byte, `words` words
};

// Tables of a compiled pattern for the alphabet kind.
BitMatcher NewBitMatcher(const Pattern& pattern, int kind);

// Marks bit in hits at every occurrence start among the first `length`
// residues (hits holds at least `length` entries). Returns the number of
// occurrences.
int SearchPatternBits(const BitMatcher& matcher, const char* residues, int length, HitMap& hits,
                      std::uint32_t bit);

#endif
