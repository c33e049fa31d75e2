// Start lists (start-codon positions found by the motif search) and the
// lookup of an alternative start among them.
#ifndef PELCOR_STARTS_H
#define PELCOR_STARTS_H

#include <string>
#include <vector>

struct StartEntry {
  int frame;
  long start;  // first base, in reading direction, of the start codon
};

// Frames of a candidate (or start codon) from the first base of its start
// codon: direct strand ((begin - 1) mod 3) + 1, reverse strand
// -((genomeSize - end) mod 3) - 1, mod truncating.
int direct_frame(long begin);
int reverse_frame(long end, long genomeSize);

// Reads a start list: two lines skipped, then records "[%d]\t%ld\t%ld\t%d\t%s\n"
// of which the position (second field) is kept, until a record does not
// begin with '[' and an integer. Direct list: {direct_frame(pos), pos};
// reverse list (pos is the leftmost base): {frame from pos + 2, pos + 2}.
// Returns 0, or the number (from 1) of the first record whose position is
// missing or unreadable.
long load_start_list(const std::string& text, bool reverse, long genomeSize,
                     std::vector<StartEntry>& entries);

// Per frame, the entries sorted by start with a sparse table over their
// places in the list, to find in logarithmic time the last (or first)
// entry in list order whose start lies in a range.
struct StartFrameIndex {
  std::vector<long> starts;               // ascending
  std::vector<std::vector<int>> levels;   // levels[k][i]: best list place over starts[i .. i + 2^k - 1]
};

struct StartIndex {
  bool lastWins;
  StartFrameIndex frames[7];  // frames -3 .. 3
};

StartIndex build_start_index(const std::vector<StartEntry>& entries, bool lastWins);

// Place in the list of the last (lastWins) or first entry of `frame` with
// low <= start <= high; -1 when there is none.
long find_start(const StartIndex& index, int frame, long low, long high);

// A start list with its index.
struct StartTable {
  std::vector<StartEntry> entries;
  StartIndex index;
};

// Loads a start-list file into `table` (an empty table when the file cannot
// be read; `path` empty means no file). Returns 0 or the bad record number.
long load_start_table(const std::string& path, bool reverse, long genomeSize, StartTable& table);

#endif
