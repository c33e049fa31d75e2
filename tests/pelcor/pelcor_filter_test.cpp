// Steps of pelcor_filter_bis: classification, nested and overlapping
// candidates, coverage and dense runs, against the plain pairwise rules.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "filterSteps.h"

namespace {

CandidateRecord Rec(long left, long right, int frame, float score = 0.5f) {
  CandidateRecord r{};
  r.frame = frame;
  r.left = left;
  r.orfStart = frame > 0 ? left : right;
  r.right = right;
  r.length = right - left + 1;
  r.orfProba = 0.5f;
  r.score = score;
  r.tag = '1';
  return r;
}

std::vector<bool> Removed(const std::vector<CandidateRecord>& records) {
  std::vector<bool> flags;
  for (const CandidateRecord& r : records) flags.push_back(r.removed);
  return flags;
}

TEST(Candidate, CoordinatesAndMeansPerStrand) {
  CandidateRecord d = make_candidate(100, 160, 399, 0.5f, 0.9f, 1, 'x');
  EXPECT_EQ(d.left, 160);
  EXPECT_EQ(d.orfStart, 100);
  EXPECT_EQ(d.right, 399);
  EXPECT_EQ(d.length, 240);
  EXPECT_EQ(d.orfProba, 0.5f);
  EXPECT_EQ(d.score, 0.9f);
  EXPECT_EQ(d.tag, 'x');
  // Frame 0 is the reverse strand.
  CandidateRecord r = make_candidate(100, 300, 399, 0.9f, 0.5f, 0, '2');
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.orfStart, 399);
  EXPECT_EQ(r.right, 300);
  EXPECT_EQ(r.length, 201);
  EXPECT_EQ(r.score, 0.9f);
  EXPECT_EQ(r.orfProba, 0.5f);
}

TEST(Classification, ScoresAndLengthLimits) {
  const FilterParams defaults;
  struct Case { float score; long length; int sure, probable, tooShort; };
  const Case cases[] = {
      {0.39f, 149, 0, 0, 1}, {0.39f, 150, 0, 1, 0}, {0.40f, 60, 1, 0, 0},
      {0.40f, 59, 0, 0, 0},  {0.09f, 500, 0, 0, 0}, {0.10f, 150, 0, 1, 0},
  };
  for (const Case& c : cases) {
    std::vector<CandidateRecord> sure;
    std::vector<CandidateRecord> probable;
    FilterCounts counts;
    classify_candidate(Rec(1000, 1000 + c.length - 1, 1, c.score), defaults, sure, probable, counts);
    EXPECT_EQ(static_cast<int>(sure.size()), c.sure) << c.score << " " << c.length;
    EXPECT_EQ(static_cast<int>(probable.size()), c.probable) << c.score << " " << c.length;
    EXPECT_EQ(counts.probaTooShort, c.tooShort) << c.score << " " << c.length;
  }
}

TEST(NestedSure, RatioThresholdByFrameSum) {
  const FilterParams defaults;
  struct Case { long innerLength; int frame; bool removed; };
  const Case cases[] = {
      {90, 2, true},    // 0.09 < 0.1 (frame sum 4)
      {90, 1, true},    // frame sum 2: 0.3 applies
      {200, 1, true},   // 0.2 < 0.3
      {200, 2, false},  // 0.2 >= 0.1
  };
  for (const Case& c : cases) {
    std::vector<CandidateRecord> sure = {Rec(1000, 1999, c.frame), Rec(1300, 1300 + c.innerLength - 1, c.frame)};
    remove_nested_sure(sure, defaults);
    EXPECT_FALSE(sure[0].removed);
    EXPECT_EQ(sure[1].removed, c.removed) << c.innerLength << " frame " << c.frame;
  }
  // Opposite strands never sum above 2.
  std::vector<CandidateRecord> sure = {Rec(1000, 1999, 3), Rec(1300, 1499, -3)};
  remove_nested_sure(sure, defaults);
  EXPECT_TRUE(sure[1].removed);
  // Identical candidates lie within each other; neither is removed.
  sure = {Rec(1000, 1999, 2), Rec(1000, 1999, 2)};
  remove_nested_sure(sure, defaults);
  EXPECT_EQ(Removed(sure), std::vector<bool>({false, false}));
}

TEST(ProbableAgainstSure, WithinAndOverlapShare) {
  const FilterParams defaults;
  struct Case { long sureLeft, sureRight; int sureFrame; bool sureRemoved; bool removed; };
  const Case cases[] = {
      {900, 2100, 3, false, true},    // within a live sure candidate, whatever the frames
      {900, 2100, 3, true, false},    // a removed one has no effect
      {500, 1499, -1, false, false},  // overlap 499 of 1000: 0.499
      {500, 1500, -1, false, true},   // overlap 500: 0.5
      {500, 1500, 2, false, false},   // frame sum 3
      {1500, 2600, -2, false, false}, // over the left end of the sure one: 499 of 1000
      {1499, 2600, -2, false, true},  // 500 of 1000
      {1200, 1800, 1, false, false},  // a sure candidate within the probable one
  };
  for (const Case& c : cases) {
    std::vector<CandidateRecord> probable = {Rec(1000, 1999, 1, 0.3f)};
    std::vector<CandidateRecord> sure = {Rec(c.sureLeft, c.sureRight, c.sureFrame, 0.9f)};
    sure[0].removed = c.sureRemoved;
    remove_probable_in_sure(probable, sure, defaults);
    EXPECT_EQ(probable[0].removed, c.removed) << c.sureLeft << ".." << c.sureRight;
  }
}

TEST(Coverage, CountsOfOtherProbableCandidates) {
  // A: 100..199; B covers A wholly; C lies strictly inside; D overlaps the
  // left end; E shares A's right end (adds nothing); F is removed.
  std::vector<CandidateRecord> probable = {
      Rec(100, 199, 1), Rec(90, 250, -2), Rec(120, 129, 3), Rec(50, 109, 2), Rec(150, 199, 1),
      Rec(100, 199, 1)};
  probable[5].removed = true;
  compute_cover_ratios(probable);
  EXPECT_EQ(probable[0].coverRatio, (100.0f + 10.0f + 10.0f) / 100.0f);
}

TEST(Coverage, MoreThan127CoveringCandidates) {
  std::vector<CandidateRecord> probable(300, Rec(1000, 1199, 1));
  compute_cover_ratios(probable);
  for (const CandidateRecord& r : probable) ASSERT_EQ(r.coverRatio, 299.0f);
}

std::vector<CandidateRecord> Dense(const std::vector<std::pair<long, long>>& spans,
                                   const std::vector<float>& scores, const std::vector<float>& ratios) {
  std::vector<CandidateRecord> records;
  for (std::size_t i = 0; i < spans.size(); ++i) {
    records.push_back(Rec(spans[i].first, spans[i].second, 1, scores[i]));
    records.back().coverRatio = ratios[i];
  }
  return records;
}

TEST(DenseRuns, OnlyTheBestOfARunSurvives) {
  struct Case {
    float threshold;
    std::vector<std::pair<long, long>> spans;
    std::vector<float> scores;
    std::vector<float> ratios;
    std::vector<bool> removed;
  };
  const Case cases[] = {
      // A dense record whose successor is not dense, and a last dense one alone.
      {0.8f, {{100, 300}, {200, 400}, {500, 700}}, {0.3f, 0.3f, 0.3f}, {0.9f, 0.5f, 1.0f},
       {true, false, true}},
      {0.8f, {{100, 300}, {200, 400}}, {0.3f, 0.35f}, {0.9f, 0.9f}, {true, false}},
      {0.8f, {{100, 300}, {200, 400}}, {0.3f, 0.3f}, {0.9f, 0.9f}, {false, true}},
      // Touching is not overlapping: (i + 1).left must be below i.right.
      {0.8f, {{100, 300}, {300, 400}}, {0.3f, 0.3f}, {0.9f, 0.9f}, {true, true}},
      // The run ends at the first record beginning at or after the end of its first record.
      {0.8f, {{100, 300}, {150, 400}, {299, 500}, {300, 600}, {350, 650}},
       {0.2f, 0.25f, 0.35f, 0.3f, 0.2f}, {0.8f, 0.8f, 0.8f, 0.8f, 0.8f},
       {true, true, false, false, true}},
      // Not dense: a ratio of 0, even with a threshold of 0; a ratio below the threshold.
      {0.0f, {{100, 300}, {200, 400}}, {0.3f, 0.3f}, {0.0f, 0.0f}, {false, false}},
      {0.8f, {{100, 300}, {200, 400}}, {0.3f, 0.3f}, {0.79f, 0.79f}, {false, false}},
  };
  for (const Case& c : cases) {
    std::vector<CandidateRecord> records = Dense(c.spans, c.scores, c.ratios);
    FilterParams params;
    params.SR_TOT_PRO = c.threshold;
    remove_dense_runs(records, params);
    EXPECT_EQ(Removed(records), c.removed);
  }
}

TEST(Merge, SureThenProbableSortedByLeftWithCounts) {
  std::vector<CandidateRecord> sure = {Rec(500, 900, 1, 0.9f), Rec(100, 400, 1, 0.9f), Rec(300, 350, 1, 0.9f)};
  sure[2].removed = true;
  std::vector<CandidateRecord> probable = {Rec(100, 200, -1, 0.2f), Rec(50, 90, 2, 0.2f)};
  probable[1].removed = true;
  FilterCounts counts;
  std::vector<CandidateRecord> out = merge_retained(sure, probable, counts);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0].left, 100);
  EXPECT_EQ(out[0].frame, 1);   // equal left: the sure one first
  EXPECT_EQ(out[1].frame, -1);
  EXPECT_EQ(out[2].left, 500);
  EXPECT_EQ(counts.suresRemoved, 1);
  EXPECT_EQ(counts.probaRemoved, 1);
}

// ---- the pairwise rules, compared with the fast steps on random records

bool Within(const CandidateRecord& a, const CandidateRecord& b) {
  return a.left >= b.left && a.right <= b.right;
}

void NaiveNestedSure(std::vector<CandidateRecord>& sure, const FilterParams& p) {
  for (std::size_t i = 0; i < sure.size(); ++i) {
    for (std::size_t j = 0; j < sure.size(); ++j) {
      if (i == j || !Within(sure[i], sure[j])) continue;
      const float threshold =
          std::labs(static_cast<long>(sure[i].frame) + sure[j].frame) > 2 ? p.SR_INCLU_SURE1 : p.SR_INCLU_SURE2;
      if (static_cast<float>(sure[i].length) / static_cast<float>(sure[j].length) < threshold) {
        sure[i].removed = true;
      }
    }
  }
}

void NaiveProbableInSure(std::vector<CandidateRecord>& probable, const std::vector<CandidateRecord>& sure,
                         const FilterParams& p) {
  for (CandidateRecord& q : probable) {
    for (const CandidateRecord& s : sure) {
      if (s.removed) continue;
      const bool near = std::labs(static_cast<long>(s.frame) + q.frame) <= 2;
      if (Within(q, s)) {
        q.removed = true;
      } else if (s.left < q.left && q.left <= s.right && s.right < q.right) {
        if (near && static_cast<float>(s.right - q.left) / static_cast<float>(q.length) >= p.SR_CHEV_PRO_SUR) {
          q.removed = true;
        }
      } else if (q.left < s.left && s.left <= q.right && q.right < s.right) {
        if (near && static_cast<float>(q.right - s.left) / static_cast<float>(q.length) >= p.SR_CHEV_PRO_SUR) {
          q.removed = true;
        }
      }
    }
  }
}

std::vector<unsigned long> NaiveCoverSums(const std::vector<CandidateRecord>& probable) {
  std::vector<unsigned long> sums(probable.size(), 0);
  for (std::size_t a = 0; a < probable.size(); ++a) {
    const CandidateRecord& A = probable[a];
    if (A.removed) continue;
    std::vector<long> cover(A.length > 0 ? static_cast<std::size_t>(A.length) : 0, 0);
    auto add = [&](long from, long to) {
      for (long k = from; k <= to; ++k) {
        if (k >= 0 && k < static_cast<long>(cover.size())) ++cover[static_cast<std::size_t>(k)];
      }
    };
    for (std::size_t b = 0; b < probable.size(); ++b) {
      const CandidateRecord& B = probable[b];
      if (b == a || B.removed) continue;
      if (Within(A, B)) add(0, A.length - 1);
      if (A.left < B.left && B.right < A.right) {
        add(B.left - A.left, B.right - A.left);
      } else if (B.left < A.left && A.left <= B.right && B.right < A.right) {
        add(0, B.right - A.left);
      } else if (A.left < B.left && B.left <= A.right && A.right < B.right) {
        add(B.left - A.left, A.length - 1);
      }
    }
    for (long c : cover) sums[a] += static_cast<unsigned long>(c);
  }
  return sums;
}

std::vector<CandidateRecord> RandomRecords(std::mt19937& rng, std::size_t count, bool degenerate) {
  const int frames[] = {1, 2, 3, -1, -2, -3, 0, 5, -7};
  std::vector<CandidateRecord> records;
  for (std::size_t i = 0; i < count; ++i) {
    const long left = static_cast<long>(rng() % 80);
    long length = 1 + static_cast<long>(rng() % 50);
    if (degenerate && rng() % 8 == 0) length = -static_cast<long>(rng() % 4);
    records.push_back(Rec(left, left + length - 1, frames[rng() % (rng() % 4 == 0 ? 9 : 6)]));
    records.back().removed = rng() % 6 == 0;
  }
  return records;
}

FilterParams RandomParams(std::mt19937& rng) {
  FilterParams p;
  auto pick = [&]() { return static_cast<float>(rng() % 130) / 100.0f; };
  p.SR_INCLU_SURE1 = pick();
  p.SR_INCLU_SURE2 = pick();
  p.SR_CHEV_PRO_SUR = pick();
  return p;
}

TEST(FilterProperty, NestedSureSameAsEveryPair) {
  std::mt19937 rng(21);
  for (int round = 0; round < 400; ++round) {
    std::vector<CandidateRecord> sure = RandomRecords(rng, rng() % 30, true);
    const FilterParams params = RandomParams(rng);
    std::vector<CandidateRecord> expected = sure;
    NaiveNestedSure(expected, params);
    remove_nested_sure(sure, params);
    ASSERT_EQ(Removed(sure), Removed(expected)) << "round " << round;
  }
}

TEST(FilterProperty, NestedSureOfNoLengthSameAsEveryPair) {
  // Candidates whose alternative start lies past their end, crowded, with
  // thresholds of any sign: the ratio no longer falls with the container.
  std::mt19937 rng(24);
  for (int round = 0; round < 2000; ++round) {
    std::vector<CandidateRecord> sure;
    for (int k = static_cast<int>(rng() % 12); k > 0; --k) {
      const long left = static_cast<long>(rng() % 12);
      sure.push_back(Rec(left, left + static_cast<long>(rng() % 12) - 5, static_cast<int>(rng() % 7) - 3));
    }
    FilterParams params;
    params.SR_INCLU_SURE1 = static_cast<float>(static_cast<int>(rng() % 60) - 30) / 10.0f;
    params.SR_INCLU_SURE2 = static_cast<float>(static_cast<int>(rng() % 60) - 30) / 10.0f;
    std::vector<CandidateRecord> expected = sure;
    NaiveNestedSure(expected, params);
    remove_nested_sure(sure, params);
    ASSERT_EQ(Removed(sure), Removed(expected)) << "round " << round;
  }
}

TEST(FilterProperty, ProbableAgainstSureSameAsEveryPair) {
  std::mt19937 rng(22);
  for (int round = 0; round < 400; ++round) {
    const std::vector<CandidateRecord> sure = RandomRecords(rng, rng() % 25, false);
    std::vector<CandidateRecord> probable = RandomRecords(rng, rng() % 25, true);
    for (CandidateRecord& q : probable) q.removed = false;
    const FilterParams params = RandomParams(rng);
    std::vector<CandidateRecord> expected = probable;
    NaiveProbableInSure(expected, sure, params);
    remove_probable_in_sure(probable, sure, params);
    ASSERT_EQ(Removed(probable), Removed(expected)) << "round " << round;
  }
}

TEST(FilterProperty, CoverSumsSameAsCounters) {
  std::mt19937 rng(23);
  for (int round = 0; round < 400; ++round) {
    const std::vector<CandidateRecord> probable = RandomRecords(rng, rng() % 40, true);
    ASSERT_EQ(probable_cover_sums(probable), NaiveCoverSums(probable)) << "round " << round;
  }
}

}  // namespace
