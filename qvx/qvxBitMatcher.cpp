#include "qvxBitMatcher.h"

namespace {

using Word = std::uint64_t;

constexpr int kWordBits = 64;

// Mask of the low `bits` bits.
Word sLowBits(int bits) { return bits >= kWordBits ? ~Word{0} : (Word{1} << bits) - 1; }

int sBitLength(int value)
{
    int bits = 0;
    for (; value > 0; value >>= 1) ++bits;
    return bits;
}

// Overflow bits of every field of a word.
Word sOverflowBits(const BitMatcher& matcher)
{
    Word overflow = 0;
    for (int slot = 0; slot < matcher.fieldsPerWord; ++slot) {
        overflow |= Word{1} << (slot * matcher.fieldBits + matcher.countBits);
    }
    return overflow;
}

int sSearchOneWord(const BitMatcher& matcher, const unsigned char* residues, int length,
                   HitMap& hits, std::uint32_t bit)
{
    const int n = matcher.size;
    const int lastShift = (n - 1) * matcher.fieldBits;
    const Word overflowBits = sOverflowBits(matcher);
    const Word lastOverflow = Word{1} << (lastShift + matcher.countBits);
    const Word countMask = sLowBits(matcher.countBits);
    const Word limit = static_cast<Word>(matcher.maxMismatch);
    const Word* table = matcher.mismatch.data();
    const int shift = matcher.fieldBits;

    Word counts = 0;
    Word overflow = 0;
    int found = 0;
    for (int i = 0; i < length; ++i) {
        counts = (counts << shift) + table[residues[i]];
        overflow = (overflow << shift) | (counts & overflowBits);
        counts &= ~overflowBits;
        if (i + 1 >= n && (overflow & lastOverflow) == 0 && ((counts >> lastShift) & countMask) <= limit) {
            hits[i + 1 - n] |= bit;
            ++found;
        }
    }
    return found;
}

int sSearchWords(const BitMatcher& matcher, const unsigned char* residues, int length,
                 HitMap& hits, std::uint32_t bit)
{
    const int n = matcher.size;
    const int words = matcher.words;
    const int shift = matcher.fieldBits;
    const int topShift = (matcher.fieldsPerWord - 1) * shift;
    const Word fieldMask = sLowBits(shift);
    const Word wordMask = sLowBits(matcher.fieldsPerWord * shift);
    const Word overflowBits = sOverflowBits(matcher);
    const int lastWord = (n - 1) / matcher.fieldsPerWord;
    const int lastShift = (n - 1) % matcher.fieldsPerWord * shift;
    const Word lastOverflow = Word{1} << (lastShift + matcher.countBits);
    const Word countMask = sLowBits(matcher.countBits);
    const Word limit = static_cast<Word>(matcher.maxMismatch);

    std::vector<Word> counts(words, 0);
    std::vector<Word> overflow(words, 0);
    int found = 0;
    for (int i = 0; i < length; ++i) {
        const Word* row = &matcher.mismatch[static_cast<std::size_t>(residues[i]) * words];
        // From the top word down, so that each word takes the top field of
        // the word below before that one is shifted.
        for (int w = words - 1; w >= 0; --w) {
            const Word carryCounts = w > 0 ? (counts[w - 1] >> topShift) & fieldMask : 0;
            const Word carryOverflow = w > 0 ? (overflow[w - 1] >> topShift) & fieldMask : 0;
            Word c = (((counts[w] << shift) | carryCounts) & wordMask) + row[w];
            overflow[w] = (((overflow[w] << shift) | carryOverflow) & wordMask) | (c & overflowBits);
            counts[w] = c & ~overflowBits;
        }
        if (i + 1 >= n && (overflow[lastWord] & lastOverflow) == 0 &&
            ((counts[lastWord] >> lastShift) & countMask) <= limit) {
            hits[i + 1 - n] |= bit;
            ++found;
        }
    }
    return found;
}

} // namespace

BitMatcher NewBitMatcher(const Pattern& pattern, int kind)
{
    BitMatcher matcher{};
    const int n = pattern.size;
    matcher.size = n;
    matcher.maxMismatch = pattern.maxMismatch < 0 ? 0 : (pattern.maxMismatch > n ? n : pattern.maxMismatch);
    matcher.countBits = sBitLength(matcher.maxMismatch);
    matcher.fieldBits = matcher.countBits + 1;
    matcher.fieldsPerWord = kWordBits / matcher.fieldBits;
    matcher.words = n <= 0 ? 0 : (n + matcher.fieldsPerWord - 1) / matcher.fieldsPerWord;
    matcher.mismatch.assign(static_cast<std::size_t>(256) * matcher.words, 0);

    const Word strictAdd = Word{1} << matcher.countBits;  // sets the overflow bit at once
    for (int byte = 0; byte < 256; ++byte) {
        const LetterMask code = ResidueCode(static_cast<char>(byte), kind);
        for (int j = 0; j < n; ++j) {
            const LetterMask mask = pattern.masks[j];
            if ((code & mask & LETTER_BITS) != 0) continue;
            const Word add = (mask & STRICT_BIT) != 0 ? strictAdd : 1;
            const int slot = j % matcher.fieldsPerWord;
            matcher.mismatch[static_cast<std::size_t>(byte) * matcher.words + j / matcher.fieldsPerWord] |=
                add << (slot * matcher.fieldBits);
        }
    }
    return matcher;
}

int SearchPatternBits(const BitMatcher& matcher, const char* residues, int length, HitMap& hits,
                      std::uint32_t bit)
{
    if (matcher.size <= 0 || length < matcher.size) return 0;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(residues);
    if (matcher.words == 1) return sSearchOneWord(matcher, bytes, length, hits, bit);
    return sSearchWords(matcher, bytes, length, hits, bit);
}
