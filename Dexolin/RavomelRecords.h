// Records of Dexolin: the genome and one CDS read from an input line.
// They live in their own namespace: trevane's records also have a CDS.
#ifndef DEXOLIN_RAVOMEL_RECORDS_H
#define DEXOLIN_RAVOMEL_RECORDS_H

#include "memoryAllocation.h"

#include <climits>
#include <new>
#include <string>
#include <vector>

namespace dexolin {

// Genome position p (1-based) is sequence[p - 1].
struct GENOME {
    std::string sequence;
    int length = 0;
};

// One segment, 1-based inclusive coordinates.
struct POSITION {
    int begin = 0;
    int end = 0;
};

// strand > 0: direct strand; 0 or less: reverse strand.
struct CDS {
    std::string label;
    int strand = 0;
    int nbCds = 0;
    std::vector<POSITION> pos;
};

// Runs `work`; an exhausted memory ends the process with `message`.
template <typename Work>
auto orFail(const char* message, Work work) -> decltype(work())
{
    try {
        return work();
    } catch (const std::bad_alloc&) {
        allocationFailure(message);
    }
}

// Appends `c` to `text`; the string grows by doubling through reallocString,
// so appending one character at a time stays linear.
inline void appendChar(std::string& text, char c)
{
    if (text.size() == text.capacity()) {
        const std::size_t wanted = text.capacity() * 2 + 64;
        reallocString(text, wanted > static_cast<std::size_t>(INT_MAX) ? INT_MAX
                                                                       : static_cast<int>(wanted));
    }
    text.push_back(c);
}

} // namespace dexolin

#endif
