#include "qvxMatcher.h"

int SetMatch(Pattern& pattern, const std::vector<LetterMask>* codes, int start, int mismatches)
{
    if (codes == nullptr) {
        pattern.status = 0;
        pattern.matchPos = -1;
        pattern.matchMismatch = -1;
    } else {
        pattern.status = 1;
        pattern.matchPos = start;
        pattern.matchMismatch = mismatches;
    }
    return 1;
}

int ScanPattern(const std::vector<LetterMask>& codes, Pattern& pattern, MatchAction action,
                SearchContext& context)
{
    const int n = pattern.size;
    const int m = pattern.maxMismatch;
    int length = 0;
    while (static_cast<std::size_t>(length) < codes.size() && codes[length] != END_OF_CODES) ++length;

    int count = 0;
    for (int start = 0; n > 0 && start + n <= length; ++start) {
        int k = 0;
        int j = 0;
        for (; j < n; ++j) {
            const LetterMask mask = pattern.masks[j];
            if ((codes[start + j] & mask & LETTER_BITS) != 0) continue;
            ++k;
            if (k > m || (mask & STRICT_BIT) != 0) break;
        }
        if (j < n) continue;
        SetMatch(pattern, &codes, start, k);
        action(pattern, context);
        ++count;
    }
    SetMatch(pattern, nullptr, 0, 0);
    return count;
}

int MarkHit(Pattern& pattern, SearchContext& context)
{
    (*context.hits)[pattern.matchPos] |= context.bit;
    return 1;
}

int SearchPattern(const std::vector<LetterMask>& codes, Pattern& pattern, HitMap& hits,
                  std::uint32_t bit)
{
    SearchContext context{bit, &hits};
    return ScanPattern(codes, pattern, MarkHit, context);
}

int MarkMismatches(std::string& fragment, const Pattern& pattern, int kind)
{
    const AlphabetTable& table = SequenceAlphabet(kind);
    int count = 0;
    for (std::size_t j = 0; j < fragment.size() && j < pattern.masks.size(); ++j) {
        char& c = fragment[j];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c < 'A' || c > 'Z') continue;
        if ((pattern.masks[j] & table[c - 'A'] & LETTER_BITS) == 0) {
            c = static_cast<char>(c - 'A' + 'a');
            ++count;
        }
    }
    return count;
}
