#include "filterSteps.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>

CandidateRecord make_candidate(long begin, long alternateStart, long end, float firstMean,
                               float secondMean, int frame, char tag) {
  CandidateRecord record{};
  const bool direct = frame > 0;
  record.frame = frame;
  record.left = direct ? alternateStart : begin;
  record.orfStart = direct ? begin : end;
  record.right = direct ? end : alternateStart;
  record.length = record.right - record.left + 1;
  record.orfProba = direct ? firstMean : secondMean;
  record.score = direct ? secondMean : firstMean;
  record.tag = tag;
  return record;
}

void classify_candidate(const CandidateRecord& record, const FilterParams& params,
                        std::vector<CandidateRecord>& sure, std::vector<CandidateRecord>& probable,
                        FilterCounts& counts) {
  if (record.score >= params.SURE) {
    if (record.length >= params.L_SUR) sure.push_back(record);
  } else if (record.score >= params.PROBA) {
    if (record.length >= params.L_PRO) {
      probable.push_back(record);
    } else {
      ++counts.probaTooShort;
    }
  }
}

int compare(const CandidateRecord& a, const CandidateRecord& b) {
  if (a.left < b.left) return -1;
  return a.left == b.left ? 0 : 1;
}

void sort_by_left(std::vector<CandidateRecord>& records) {
  std::stable_sort(records.begin(), records.end(),
                   [](const CandidateRecord& a, const CandidateRecord& b) { return compare(a, b) < 0; });
}

namespace {

bool sWithin(const CandidateRecord& inner, const CandidateRecord& outer) {
  return inner.left >= outer.left && inner.right <= outer.right;
}

long sFrameSum(int a, int b) { return std::labs(static_cast<long>(a) + b); }

float sNestedThreshold(int a, int b, const FilterParams& params) {
  return sFrameSum(a, b) > 2 ? params.SR_INCLU_SURE1 : params.SR_INCLU_SURE2;
}

bool sTooShortInside(const CandidateRecord& inner, const CandidateRecord& outer,
                     const FilterParams& params) {
  const float ratio = static_cast<float>(inner.length) / static_cast<float>(outer.length);
  return ratio < sNestedThreshold(inner.frame, outer.frame, params);
}

std::map<int, std::vector<std::size_t>> sByFrame(const std::vector<CandidateRecord>& records,
                                                 bool liveOnly) {
  std::map<int, std::vector<std::size_t>> groups;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (!liveOnly || !records[i].removed) groups[records[i].frame].push_back(i);
  }
  return groups;
}

std::vector<std::size_t> sOrderedBy(std::vector<std::size_t> places,
                                    const std::vector<CandidateRecord>& records, bool byRight,
                                    bool descending) {
  std::stable_sort(places.begin(), places.end(), [&](std::size_t a, std::size_t b) {
    long ka = byRight ? records[a].right : records[a].left;
    long kb = byRight ? records[b].right : records[b].left;
    return descending ? ka > kb : ka < kb;
  });
  return places;
}

// For every record of `queries`, the longest record of `members` containing
// it and the number of such records (itself included when it is a member).
// Members enter a Fenwick tree over their ranks of right end in descending
// order, in ascending order of left end, as the queries advance.
struct Containers {
  std::vector<long> longest;
  std::vector<long> count;
};

Containers sContainers(const std::vector<CandidateRecord>& records,
                       const std::vector<std::size_t>& members,
                       const std::vector<std::size_t>& queries) {
  Containers result{std::vector<long>(records.size(), LONG_MIN),
                    std::vector<long>(records.size(), 0)};
  std::vector<long> rights;
  for (std::size_t m : members) rights.push_back(records[m].right);
  std::sort(rights.begin(), rights.end(), std::greater<long>());
  rights.erase(std::unique(rights.begin(), rights.end()), rights.end());
  auto rank = [&](long right) {  // number of distinct rights >= right
    return static_cast<std::size_t>(
        std::upper_bound(rights.begin(), rights.end(), right, std::greater<long>()) - rights.begin());
  };
  const std::size_t size = rights.size();
  std::vector<long> longest(size + 1, LONG_MIN);
  std::vector<long> count(size + 1, 0);
  const std::vector<std::size_t> byLeft = sOrderedBy(members, records, false, false);
  std::size_t next = 0;
  for (std::size_t q : sOrderedBy(queries, records, false, false)) {
    for (; next < byLeft.size() && records[byLeft[next]].left <= records[q].left; ++next) {
      const CandidateRecord& m = records[byLeft[next]];
      for (std::size_t k = rank(m.right); k <= size; k += k & (~k + 1)) {
        longest[k] = std::max(longest[k], m.length);
        ++count[k];
      }
    }
    for (std::size_t k = rank(records[q].right); k > 0; k -= k & (~k + 1)) {
      result.longest[q] = std::max(result.longest[q], longest[k]);
      result.count[q] += count[k];
    }
  }
  return result;
}

}  // namespace

void remove_nested_sure(std::vector<CandidateRecord>& sure, const FilterParams& params) {
  // Removal does not change which records count as containers, so every
  // record is judged against all the others and removed afterwards.
  std::vector<bool> remove(sure.size(), false);
  std::vector<std::size_t> regular;
  for (std::size_t i = 0; i < sure.size(); ++i) {
    if (sure[i].length > 0) {
      regular.push_back(i);
      continue;
    }
    // With a length of 0 or less the ratio does not fall with the length of
    // the container, so each container is tried.
    for (std::size_t j = 0; j < sure.size() && !remove[i]; ++j) {
      remove[i] = j != i && sWithin(sure[i], sure[j]) && sTooShortInside(sure[i], sure[j], params);
    }
  }
  // A container is never shorter than the record it contains, and the ratio
  // falls as the container grows: the longest container of each frame decides.
  for (const auto& group : sByFrame(sure, false)) {
    const int frame = group.first;
    Containers containers = sContainers(sure, group.second, regular);
    for (std::size_t i : regular) {
      const long others = containers.count[i] - (sure[i].frame == frame ? 1 : 0);
      if (others <= 0) continue;
      const float ratio =
          static_cast<float>(sure[i].length) / static_cast<float>(containers.longest[i]);
      if (ratio < sNestedThreshold(sure[i].frame, frame, params)) remove[i] = true;
    }
  }
  for (std::size_t i = 0; i < sure.size(); ++i) {
    if (remove[i]) sure[i].removed = true;
  }
}

namespace {

float sOverlapShare(long overlap, const CandidateRecord& probable) {
  return static_cast<float>(overlap) / static_cast<float>(probable.length);
}

// Probable records overlapping the right end of a sure record of `group`:
// the sure record reaching farthest into each probable one decides.
void sRightEndOverlaps(std::vector<CandidateRecord>& probable, const std::vector<CandidateRecord>& sure,
                       const std::vector<std::size_t>& group, const std::vector<std::size_t>& asked,
                       const FilterParams& params) {
  const std::vector<std::size_t> byLeft = sOrderedBy(group, sure, false, false);
  std::multiset<long> rights;
  std::size_t next = 0;
  for (std::size_t q : sOrderedBy(asked, probable, false, false)) {
    CandidateRecord& p = probable[q];
    for (; next < byLeft.size() && sure[byLeft[next]].left < p.left; ++next) {
      rights.insert(sure[byLeft[next]].right);
    }
    auto found = rights.lower_bound(p.right);
    if (found == rights.begin()) continue;
    const long right = *--found;
    if (right >= p.left && sOverlapShare(right - p.left, p) >= params.SR_CHEV_PRO_SUR) {
      p.removed = true;
    }
  }
}

// Probable records overlapping the left end of a sure record of `group`.
void sLeftEndOverlaps(std::vector<CandidateRecord>& probable, const std::vector<CandidateRecord>& sure,
                      const std::vector<std::size_t>& group, const std::vector<std::size_t>& asked,
                      const FilterParams& params) {
  const std::vector<std::size_t> byRight = sOrderedBy(group, sure, true, true);
  std::multiset<long> lefts;
  std::size_t next = 0;
  for (std::size_t q : sOrderedBy(asked, probable, true, true)) {
    CandidateRecord& p = probable[q];
    for (; next < byRight.size() && sure[byRight[next]].right > p.right; ++next) {
      lefts.insert(sure[byRight[next]].left);
    }
    auto found = lefts.upper_bound(p.left);
    if (found == lefts.end()) continue;
    const long left = *found;
    if (left <= p.right && sOverlapShare(p.right - left, p) >= params.SR_CHEV_PRO_SUR) {
      p.removed = true;
    }
  }
}

}  // namespace

void remove_probable_in_sure(std::vector<CandidateRecord>& probable,
                             const std::vector<CandidateRecord>& sure, const FilterParams& params) {
  // Lying within a live sure record: the farthest right end among the sure
  // records beginning at or before the probable one decides.
  std::vector<std::size_t> live;
  for (std::size_t s = 0; s < sure.size(); ++s) {
    if (!sure[s].removed) live.push_back(s);
  }
  live = sOrderedBy(live, sure, false, false);
  std::vector<long> lefts;
  std::vector<long> farthest;
  for (std::size_t s : live) {
    lefts.push_back(sure[s].left);
    farthest.push_back(farthest.empty() ? sure[s].right : std::max(farthest.back(), sure[s].right));
  }
  for (CandidateRecord& p : probable) {
    std::size_t k = static_cast<std::size_t>(
        std::upper_bound(lefts.begin(), lefts.end(), p.left) - lefts.begin());
    if (k > 0 && farthest[k - 1] >= p.right) p.removed = true;
  }
  // Overlaps count only between frames summing to at most 2 in absolute
  // value: for each frame of sure records, the probable records concerned.
  for (const auto& group : sByFrame(sure, true)) {
    std::vector<std::size_t> asked;
    for (std::size_t q = 0; q < probable.size(); ++q) {
      if (sFrameSum(group.first, probable[q].frame) <= 2) asked.push_back(q);
    }
    sRightEndOverlaps(probable, sure, group.second, asked, params);
    sLeftEndOverlaps(probable, sure, group.second, asked, params);
  }
}

std::vector<unsigned long> probable_cover_sums(const std::vector<CandidateRecord>& probable) {
  // Every other live record covers the nucleotides it shares with the
  // record, except a shorter one lying within it at one of its ends. The
  // shared nucleotides of all records with positions up to x are
  // D(x) = sum over left <= x of (x - left + 1) - sum over right < x of (x - right),
  // taken in unsigned arithmetic: the wrap-arounds cancel in the final sums.
  std::vector<std::size_t> live;
  for (std::size_t i = 0; i < probable.size(); ++i) {
    if (!probable[i].removed && probable[i].length > 0) live.push_back(i);
  }
  using U = unsigned long;
  std::vector<long> lefts;
  std::vector<long> rights;
  for (std::size_t i : live) {
    lefts.push_back(probable[i].left);
    rights.push_back(probable[i].right);
  }
  std::sort(lefts.begin(), lefts.end());
  std::sort(rights.begin(), rights.end());
  std::vector<U> leftSums(1, 0);
  std::vector<U> rightSums(1, 0);
  for (long v : lefts) leftSums.push_back(leftSums.back() + static_cast<U>(v));
  for (long v : rights) rightSums.push_back(rightSums.back() + static_cast<U>(v));
  auto shared = [&](long x) {
    const std::size_t l = static_cast<std::size_t>(
        std::upper_bound(lefts.begin(), lefts.end(), x) - lefts.begin());
    const std::size_t r = static_cast<std::size_t>(
        std::lower_bound(rights.begin(), rights.end(), x) - rights.begin());
    const U ux = static_cast<U>(x);
    return static_cast<U>(l) * (ux + 1) - leftSums[l] - (static_cast<U>(r) * ux - rightSums[r]);
  };
  // Records lying within a record at its left end (same left, smaller right)
  // and at its right end (same right, larger left), with running length sums.
  auto byLeftRight = live;
  std::sort(byLeftRight.begin(), byLeftRight.end(), [&](std::size_t a, std::size_t b) {
    return probable[a].left != probable[b].left ? probable[a].left < probable[b].left
                                                : probable[a].right < probable[b].right;
  });
  auto byRightLeft = live;
  std::sort(byRightLeft.begin(), byRightLeft.end(), [&](std::size_t a, std::size_t b) {
    return probable[a].right != probable[b].right ? probable[a].right < probable[b].right
                                                  : probable[a].left < probable[b].left;
  });
  std::vector<U> lengthsByLeft(1, 0);
  std::vector<U> lengthsByRight(1, 0);
  for (std::size_t i : byLeftRight) lengthsByLeft.push_back(lengthsByLeft.back() + static_cast<U>(probable[i].length));
  for (std::size_t i : byRightLeft) lengthsByRight.push_back(lengthsByRight.back() + static_cast<U>(probable[i].length));

  std::vector<unsigned long> sums(probable.size(), 0);
  for (std::size_t i : live) {
    const CandidateRecord& a = probable[i];
    U sum = shared(a.right) - shared(a.left - 1) - static_cast<U>(a.length);
    auto sameLeft = std::equal_range(byLeftRight.begin(), byLeftRight.end(), i,
                                     [&](std::size_t x, std::size_t y) {
                                       return probable[x].left < probable[y].left;
                                     });
    auto shorterLeft = std::lower_bound(sameLeft.first, sameLeft.second, i,
                                        [&](std::size_t x, std::size_t y) {
                                          return probable[x].right < probable[y].right;
                                        });
    sum -= lengthsByLeft[static_cast<std::size_t>(shorterLeft - byLeftRight.begin())] -
           lengthsByLeft[static_cast<std::size_t>(sameLeft.first - byLeftRight.begin())];
    auto sameRight = std::equal_range(byRightLeft.begin(), byRightLeft.end(), i,
                                      [&](std::size_t x, std::size_t y) {
                                        return probable[x].right < probable[y].right;
                                      });
    auto innerRight = std::upper_bound(sameRight.first, sameRight.second, i,
                                       [&](std::size_t x, std::size_t y) {
                                         return probable[x].left < probable[y].left;
                                       });
    sum -= lengthsByRight[static_cast<std::size_t>(sameRight.second - byRightLeft.begin())] -
           lengthsByRight[static_cast<std::size_t>(innerRight - byRightLeft.begin())];
    sums[i] = sum;
  }
  return sums;
}

void compute_cover_ratios(std::vector<CandidateRecord>& probable) {
  const std::vector<unsigned long> sums = probable_cover_sums(probable);
  for (std::size_t i = 0; i < probable.size(); ++i) {
    CandidateRecord& record = probable[i];
    if (record.removed) continue;
    record.coverRatio = record.length > 0
                            ? static_cast<float>(sums[i]) / static_cast<float>(record.length)
                            : 0.0f;
  }
}

void remove_dense_runs(std::vector<CandidateRecord>& probable, const FilterParams& params) {
  // Denseness is fixed before any removal of this step; the walk only looks
  // ahead, so the records it removes are never looked at again.
  std::vector<bool> dense(probable.size());
  for (std::size_t i = 0; i < probable.size(); ++i) {
    const CandidateRecord& r = probable[i];
    dense[i] = !r.removed && r.coverRatio > 0.0f && r.coverRatio >= params.SR_TOT_PRO;
  }
  std::size_t i = 0;
  while (i < probable.size()) {
    if (!dense[i]) {
      ++i;
      continue;
    }
    const CandidateRecord& first = probable[i];
    if (i + 1 < probable.size() && dense[i + 1] && first.right > probable[i + 1].left) {
      std::size_t best = i;
      std::size_t j = i + 1;
      for (; j < probable.size() && dense[j] && probable[j].left < first.right; ++j) {
        if (probable[best].score < probable[j].score) {
          probable[best].removed = true;
          best = j;
        } else {
          probable[j].removed = true;
        }
      }
      i = j;
    } else {
      probable[i].removed = true;
      ++i;
    }
  }
}

std::vector<CandidateRecord> merge_retained(const std::vector<CandidateRecord>& sure,
                                            const std::vector<CandidateRecord>& probable,
                                            FilterCounts& counts) {
  std::vector<CandidateRecord> retained;
  for (const CandidateRecord& r : sure) {
    if (r.removed) {
      ++counts.suresRemoved;
    } else {
      retained.push_back(r);
    }
  }
  for (const CandidateRecord& r : probable) {
    if (r.removed) {
      ++counts.probaRemoved;
    } else {
      retained.push_back(r);
    }
  }
  sort_by_left(retained);
  return retained;
}
