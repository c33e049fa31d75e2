// Messages, usage and help texts, and the reports of a search run.
#ifndef QVX_REPORT_H
#define QVX_REPORT_H

#include <array>
#include <string>
#include <vector>

#include "fasta.h"
#include "qvxMatcher.h"
#include "qvxPattern.h"

constexpr int kMaxPatterns = 30;

// Exit statuses.
constexpr int kStatusUsage = 1;        // command line or pattern syntax
constexpr int kStatusPatternFile = 2;
constexpr int kStatusDataFile = 3;
constexpr int kStatusOutputFile = 10;
constexpr int kStatusMemory = 10;
constexpr int kStatusAlphabet = 20;

struct PatternTotals {
    long hits;       // occurrences in all scanned sequences
    long sequences;  // scanned sequences with at least one occurrence
};

struct ScanCounters {
    long read;
    long scanned;
    long printed;   // selected sequences
    long residues;
};

// Process CPU time in seconds.
struct CpuTime {
    double user;
    double system;
};

using CooccurrenceMatrix = std::array<std::array<long, kMaxPatterns>, kMaxPatterns>;

// "Warning: <text>" on standard error; the run goes on.
void WarningMessage(const std::string& text);

// "Error: <text>" on standard error, then exit with status.
[[noreturn]] void FatalError(const std::string& text, int status);

// Usage text on standard error, then exit with status 1.
[[noreturn]] void UsageExit();

// Help text on standard output, then exit with status 0.
[[noreturn]] void HelpExit();

CpuTime CurrentCpuTime();

// Heading and hit lines of a selected sequence: hits in start order, and
// for one start in pattern order.
void PrintSequenceHits(const FastaSequence& record, const HitMap& hits,
                       const std::vector<Pattern*>& patterns, int kind);

// CPU time since reference, scan counters and per-pattern totals.
void PrintSummary(const CpuTime& reference, const ScanCounters& counters,
                  const std::vector<Pattern*>& patterns, const std::vector<PatternTotals>& totals);

// Co-occurrence matrix of the first `count` patterns (upper triangle).
void PrintCooccurrences(const CooccurrenceMatrix& matrix, int count);

// Advances the progress spinner on standard error.
void AdvanceSpinner(int& counter, long scanned);

#endif
