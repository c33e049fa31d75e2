// Candidate filter steps: classification, nested and overlapping
// candidates, coverage of probable candidates and dense runs.
#ifndef PELCOR_FILTER_STEPS_H
#define PELCOR_FILTER_STEPS_H

#include <vector>

struct FilterParams {
  float PROBA = 0.1f;
  float SURE = 0.4f;
  int L_PRO = 150;
  int L_SUR = 60;
  float SR_INCLU_SURE1 = 0.1f;
  float SR_INCLU_SURE2 = 0.3f;
  float SR_CHEV_PRO_SUR = 0.5f;
  float SR_TOT_PRO = 0.8f;
};

// Coordinates are stop-less and counted from the alternative start:
// direct left = alternateStart, orfStart = begin, right = end;
// reverse left = begin, orfStart = end, right = alternateStart.
struct CandidateRecord {
  int frame;         // > 0 direct strand, otherwise reverse
  long left;
  long orfStart;
  long right;
  long length;       // right - left + 1
  float orfProba;
  float score;       // mean coding probability from the alternative start
  float coverRatio;  // probable candidates: mean number of other probable candidates per nucleotide
  char tag;
  bool removed;
};

struct FilterCounts {
  long suresRemoved = 0;
  long probaRemoved = 0;
  long probaTooShort = 0;
};

// Record of a tagged candidate (stop-less begin, alternateStart, end and the
// two means in the per-strand order).
CandidateRecord make_candidate(long begin, long alternateStart, long end, float firstMean,
                               float secondMean, int frame, char tag);

// Puts a record into the sure or the probable array, or drops it.
void classify_candidate(const CandidateRecord& record, const FilterParams& params,
                        std::vector<CandidateRecord>& sure, std::vector<CandidateRecord>& probable,
                        FilterCounts& counts);

// -1, 0 or 1 by `left`.
int compare(const CandidateRecord& a, const CandidateRecord& b);
// Sorts by `left`, records with equal `left` keeping their order.
void sort_by_left(std::vector<CandidateRecord>& records);

// Removes a sure record lying within another sure record (removed ones
// included) when it is much shorter than that one.
void remove_nested_sure(std::vector<CandidateRecord>& sure, const FilterParams& params);

// Removes a probable record lying within a live sure record, or overlapping
// one end of a live sure record of a compatible frame by a large share.
void remove_probable_in_sure(std::vector<CandidateRecord>& probable,
                             const std::vector<CandidateRecord>& sure, const FilterParams& params);

// Sum, over the nucleotides of each live probable record, of the number of
// other live probable records counted as covering it (a record lying within
// another covers none of the nucleotides of that one when they share an end).
// Returns one sum per record (0 for removed ones).
std::vector<unsigned long> probable_cover_sums(const std::vector<CandidateRecord>& probable);

// coverRatio of every live probable record.
void compute_cover_ratios(std::vector<CandidateRecord>& probable);

// Keeps only the best of each run of dense overlapping probable records
// (array sorted by `left`) and removes the dense records outside runs.
void remove_dense_runs(std::vector<CandidateRecord>& probable, const FilterParams& params);

// Live sure then live probable records, sorted by `left`; counts the removed ones.
std::vector<CandidateRecord> merge_retained(const std::vector<CandidateRecord>& sure,
                                            const std::vector<CandidateRecord>& probable,
                                            FilterCounts& counts);

#endif
