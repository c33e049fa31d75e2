// Curve loading, start lists and the start statistics of pelcor_stat and pelcor_restat.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "pelcorCurve.h"
#include "pelcorStarts.h"
#include "startStatistics.h"

namespace {

// Curve of `size` positions where every frame reads `value(frame, position)`.
template <typename F>
CurveByFrame MakeCurve(long size, F value) {
  CurveByFrame curve;
  curve.genomeSize = size;
  const int frames[6] = {1, 2, 3, -1, -2, -3};
  for (int f = 0; f < 6; ++f) {
    for (long p = 0; p <= size; ++p) curve.frames[f].push_back(value(frames[f], p));
  }
  return curve;
}

StartTable MakeTable(const std::vector<StartEntry>& entries, bool reverse) {
  StartTable table;
  table.entries = entries;
  table.index = build_start_index(entries, !reverse);
  return table;
}

std::string Row(long position, float a, float b, float c, float d, float e, float f) {
  char line[200];
  std::snprintf(line, sizeof line, "%ld\t%g\t%g\t%g\t%g\t%g\t%g\t0.5\n", position, a, b, c, d, e, f);
  return line;
}

TEST(CurveFile, BlocksOfTwelveAndTheFirstRow) {
  const std::string text = Row(49, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f) + Row(61, 1, 2, 3, 4, 5, 6) +
                           Row(70, 7, 7, 7, 7, 7, 7);
  CurveByFrame curve;
  ASSERT_EQ(load_curve(text, 100, curve), 0);
  EXPECT_EQ(curve_value(curve, 1, 0), 0.1f);
  EXPECT_EQ(curve_value(curve, -3, 49), 0.6f);
  EXPECT_EQ(curve_value(curve, 2, 50), 2.0f);
  EXPECT_EQ(curve_value(curve, 2, 58), 2.0f);
  EXPECT_EQ(curve_value(curve, 2, 59), 7.0f);  // a later row overwrites 59..70
  EXPECT_EQ(curve_value(curve, -1, 70), 7.0f);
  EXPECT_EQ(curve_value(curve, -1, 71), 0.0f);  // no row covers it
  EXPECT_EQ(curve_value(curve, 1, 101), 0.0f);  // outside the genome
  EXPECT_EQ(curve_value(curve, 1, -1), 0.0f);
  EXPECT_EQ(curve_value(curve, 0, 60), 0.0f);   // frame 0 has no curve
}

TEST(CurveFile, RowsReachingOutsideTheGenomeKeepTheirInsidePart) {
  const std::string text = Row(5, 1, 1, 1, 1, 1, 1) + Row(105, 2, 2, 2, 2, 2, 2) +
                           Row(5000, 3, 3, 3, 3, 3, 3) + Row(-40, 4, 4, 4, 4, 4, 4);
  CurveByFrame curve;
  ASSERT_EQ(load_curve(text, 100, curve), 0);
  EXPECT_EQ(curve_value(curve, 3, 0), 1.0f);
  EXPECT_EQ(curve_value(curve, 3, 5), 1.0f);
  EXPECT_EQ(curve_value(curve, 3, 93), 0.0f);
  EXPECT_EQ(curve_value(curve, 3, 94), 2.0f);
  EXPECT_EQ(curve_value(curve, 3, 100), 2.0f);
}

TEST(CurveFile, EndOfLoadingAndIncompleteRows) {
  struct Case { std::string text; long result; float valueAt60; };
  const Case cases[] = {
      {"pos\tf1\n" + Row(61, 1, 1, 1, 1, 1, 1), 0, 0.0f},               // a header stops at once
      {Row(61, 1, 1, 1, 1, 1, 1) + "end\n" + Row(73, 2, 2, 2, 2, 2, 2), 0, 1.0f},
      {"61\t1\t1\t1\t1\t1\t1", 0, 1.0f},                                  // the ignored value may be missing
      {Row(61, 1, 1, 1, 1, 1, 1) + "73\t0.5\t0.5\t0.5\n", 2, 1.0f},       // values missing
      {Row(61, 1, 1, 1, 1, 1, 1) + "73\t0.5\t0.5\tx\t1\t1\t1\t1\n", 2, 1.0f},
      {"99999999999999999999\t1\t1\t1\t1\t1\t1\t1\n", 1, 0.0f},
      {"", 0, 0.0f},
  };
  for (const Case& c : cases) {
    CurveByFrame curve;
    EXPECT_EQ(load_curve(c.text, 100, curve), c.result) << c.text;
    EXPECT_EQ(curve_value(curve, 1, 60), c.valueAt60) << c.text;
  }
}

// Straightforward walk: every position read one by one.
CurveWalk NaiveWalk(const CurveByFrame& curve, int frame, long first, long last, bool descending,
                    bool useTrigger, float trigger, long limit) {
  CurveWalk walk{0.0f, false, 0};
  for (long p = first; descending ? p >= last : p <= last; p += descending ? -1 : 1) {
    const float v = curve_value(curve, frame, p);
    walk.sum += v;
    if (useTrigger && !walk.triggered && v >= trigger && (descending ? p <= limit : p >= limit)) {
      walk.triggered = true;
      walk.triggerPosition = p;
    }
  }
  return walk;
}

TEST(CurveWalkProperty, SameAsReadingEveryPosition) {
  std::mt19937 rng(11);
  for (int round = 0; round < 300; ++round) {
    const long size = 1 + static_cast<long>(rng() % 120);
    std::uniform_real_distribution<float> value(-0.2f, 1.0f);
    CurveByFrame curve = MakeCurve(size, [&](int, long) { return value(rng); });
    for (int k = 0; k < 40; ++k) {
      const int frame = static_cast<int>(rng() % 9) - 4;
      const long a = static_cast<long>(rng() % 200) - 40;
      const long b = static_cast<long>(rng() % 200) - 40;
      const bool descending = rng() % 2 == 0;
      const float trigger = (rng() % 4 == 0) ? -0.1f : 0.0f + static_cast<float>(rng() % 100) / 100.0f;
      const long limit = static_cast<long>(rng() % 200) - 40;
      const bool useTrigger = rng() % 5 != 0;
      CurveWalk fast = walk_curve(curve, frame, a, b, descending, useTrigger, trigger, limit);
      CurveWalk slow = NaiveWalk(curve, frame, a, b, descending, useTrigger, trigger, limit);
      ASSERT_EQ(fast.sum, slow.sum);
      ASSERT_EQ(fast.triggered, slow.triggered);
      if (slow.triggered) {
        ASSERT_EQ(fast.triggerPosition, slow.triggerPosition);
      }
    }
  }
}

TEST(StartList, PositionsFramesAndEndOfList) {
  const std::string text =
      "1 patterns read\nsequence: genome (600 aa)\n"
      "[1]\t10\t0\t0\tATG\n[1]\t95\t0\t85\tATG\n[1]\t96\t1\t1\tATa\n"
      "\ncpu time user: 0.000000 sys: 0.000000 tot: 0.000000\n"
      "[1]\t500\t0\t0\tATG\n";
  std::vector<StartEntry> entries;
  ASSERT_EQ(load_start_list(text, false, 600, entries), 0);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].start, 10);
  EXPECT_EQ(entries[0].frame, 1);
  EXPECT_EQ(entries[1].frame, 2);
  EXPECT_EQ(entries[2].frame, 3);
  ASSERT_EQ(load_start_list(text, true, 600, entries), 0);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].start, 12);
  EXPECT_EQ(entries[0].frame, -1);  // (600 - 12) mod 3 = 0
  EXPECT_EQ(entries[1].start, 97);
  EXPECT_EQ(entries[1].frame, -3);  // (600 - 97) mod 3 = 2
}

TEST(StartList, RecordWithoutAPositionIsReported) {
  std::vector<StartEntry> entries;
  EXPECT_EQ(load_start_list("a\nb\n[1]\t10\t0\t0\tATG\n[1]\tATG\n", false, 600, entries), 2);
  EXPECT_EQ(load_start_list("a\nb\n[1 10\t0\t0\tATG\n", false, 600, entries), 1);
  EXPECT_EQ(load_start_list("a\nb\n[x]\t10\t0\t0\tATG\n", false, 600, entries), 0);
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(load_start_list("only one line", false, 600, entries), 0);
  EXPECT_TRUE(entries.empty());
}

TEST(StartIndexProperty, SameAsWalkingTheTable) {
  std::mt19937 rng(5);
  for (int round = 0; round < 300; ++round) {
    std::vector<StartEntry> entries(rng() % 40);
    for (StartEntry& e : entries) {
      e.frame = static_cast<int>(rng() % 7) - 3;
      e.start = static_cast<long>(rng() % 60) - 5;
    }
    for (bool lastWins : {true, false}) {
      StartIndex index = build_start_index(entries, lastWins);
      for (int k = 0; k < 50; ++k) {
        const int frame = static_cast<int>(rng() % 7) - 3;
        const long low = static_cast<long>(rng() % 70) - 10;
        const long high = static_cast<long>(rng() % 70) - 10;
        long expected = -1;
        for (std::size_t i = 0; i < entries.size(); ++i) {
          if (entries[i].frame == frame && entries[i].start >= low && entries[i].start <= high &&
              (lastWins || expected < 0)) {
            expected = static_cast<long>(i);
          }
        }
        ASSERT_EQ(find_start(index, frame, low, high), expected);
      }
    }
  }
}

// Frame +1 reads `low` before `edge` and 1.0 from it; frame -3 reads 1.0 up
// to `edge` and `low` after it; other frames 0.
CurveByFrame StepCurve(long size, long edge, float low) {
  return MakeCurve(size, [=](int frame, long p) {
    if (frame == 1) return p < edge ? low : 1.0f;
    if (frame == -3) return p <= edge ? 1.0f : low;
    return 0.0f;
  });
}

struct QualifyCase {
  bool direct;
  bool readjusted;
  long entry;
  bool qualifies;
};

TEST(StartSearch, CodonPositionAgainstTheTrigger) {
  // Direct candidate 1..400 (frame +1) triggers at 200; reverse candidate
  // 1..400 of a 600-nucleotide genome (frame -3) triggers at 300.
  const CurveByFrame curveDirect = StepCurve(600, 200, 0.0f);
  const CurveByFrame curveReverse = StepCurve(600, 300, 0.0f);
  const QualifyCase cases[] = {
      {true, false, 199, false}, {true, false, 198, true},   // p - 1, p - 2
      {false, false, 301, false}, {false, false, 302, true}, // p + 1, p + 2
      {true, true, 200, true},   {true, true, 201, false},   // restat: at p
      {false, true, 300, true},  {false, true, 299, false},
  };
  for (const QualifyCase& c : cases) {
    const StartRule rule = c.readjusted ? readjusted_rule(ReadjustParams{}) : fixed_rule();
    const int frame = c.direct ? 1 : -3;
    const StartTable table = MakeTable({{frame, c.entry}}, !c.direct);
    const StartTable none = MakeTable({}, c.direct);
    StartStatistics stats = start_statistics(c.direct ? curveDirect : curveReverse,
                                             c.direct ? table : none, c.direct ? none : table,
                                             c.direct, 1, 400, rule);
    ASSERT_EQ(stats.frame, frame);
    ASSERT_TRUE(stats.found);
    EXPECT_EQ(stats.alternateStart, c.qualifies ? c.entry : 400)
        << (c.direct ? "direct " : "reverse ") << c.entry << (c.readjusted ? " restat" : " stat");
  }
}

TEST(StartSearch, LastDirectAndFirstReverseEntryInListOrderWin) {
  const CurveByFrame curve = StepCurve(600, 200, 0.0f);
  const StartTable direct = MakeTable({{1, 150}, {1, 30}, {1, 120}, {2, 160}, {1, 400}}, false);
  const StartTable none = MakeTable({}, true);
  StartStatistics stats = start_statistics(curve, direct, none, true, 1, 400, fixed_rule());
  EXPECT_EQ(stats.alternateStart, 120);  // 400 is not inside the candidate, 160 is in frame 2
  const CurveByFrame back = StepCurve(600, 300, 0.0f);
  const StartTable reverse = MakeTable({{-3, 390}, {-3, 320}, {-3, 400}, {-3, 350}}, true);
  stats = start_statistics(back, none, reverse, false, 1, 400, fixed_rule());
  EXPECT_EQ(stats.alternateStart, 390);
}

TEST(StartSearch, EntriesMustLieStrictlyInsideTheCandidate) {
  // Strong values only at the candidate's far end: the trigger is there.
  const CurveByFrame atEnd = MakeCurve(600, [](int frame, long p) {
    return (frame == 1 && p == 400) || (frame == -3 && p == 1) ? 1.0f : 0.0f;
  });
  const StartTable none = MakeTable({}, true);
  const StartRule rule = readjusted_rule(ReadjustParams{});
  const StartTable direct = MakeTable({{1, 100}, {1, 400}}, false);
  EXPECT_EQ(start_statistics(atEnd, direct, none, true, 1, 400, rule).alternateStart, 100);
  const StartTable reverse = MakeTable({{-3, 1}, {-3, 300}}, true);
  EXPECT_EQ(start_statistics(atEnd, none, reverse, false, 1, 400, rule).alternateStart, 300);
}

TEST(StartSearch, MeansLengthsAndTheTriggerThreshold) {
  // Frame +1: 0.25 before 200, then 1.0 (exact sums).
  const CurveByFrame curve = StepCurve(600, 200, 0.25f);
  const StartTable direct = MakeTable({{1, 190}}, false);
  const StartTable none = MakeTable({}, true);
  StartStatistics stats = start_statistics(curve, direct, none, true, 100, 402, fixed_rule());
  // orfMean over 100..399: 100 x 0.25 + 200 x 1.0 over 300 positions.
  EXPECT_EQ(stats.orfMean, 225.0f / 300.0f);
  EXPECT_TRUE(stats.found);
  EXPECT_EQ(stats.alternateStart, 190);
  EXPECT_EQ(stats.startMean, 202.5f / 210.0f);  // 190..399
  EXPECT_EQ(stats.startLength, 213);

  // The same candidate without its stop codon, with the readjusted rule.
  stats = start_statistics(curve, direct, none, true, 100, 399, readjusted_rule(ReadjustParams{}));
  EXPECT_EQ(stats.orfMean, 225.0f / 300.0f);
  EXPECT_EQ(stats.startMean, 202.5f / 210.0f);
  EXPECT_EQ(stats.startLength, 210);

  // A value of exactly 0.95 triggers, the float just below does not.
  const float below = std::nextafter(0.95f, 0.0f);
  for (float v : {0.95f, below}) {
    CurveByFrame flat = MakeCurve(600, [=](int frame, long) { return frame == 1 ? v : 0.0f; });
    stats = start_statistics(flat, direct, none, true, 100, 402, fixed_rule());
    EXPECT_EQ(stats.found, v == 0.95f);
  }
}

TEST(StartSearch, FixedRuleNeedsMoreThan149Nucleotides) {
  const CurveByFrame curve = StepCurve(600, 0, 0.0f);
  const StartTable none = MakeTable({}, true);
  EXPECT_FALSE(start_statistics(curve, none, none, true, 100, 248, fixed_rule()).found);
  EXPECT_TRUE(start_statistics(curve, none, none, true, 100, 249, fixed_rule()).found);
  // No length condition for the readjusted rule.
  EXPECT_TRUE(start_statistics(curve, none, none, true, 100, 110, readjusted_rule(ReadjustParams{})).found);
}

TEST(StartSearch, NoEntryLeavesTheEndAsStart) {
  const CurveByFrame curve = StepCurve(600, 200, 0.25f);
  const StartTable none = MakeTable({}, true);
  StartStatistics stats = start_statistics(curve, none, none, true, 100, 402, fixed_rule());
  EXPECT_EQ(stats.alternateStart, 402);
  EXPECT_EQ(stats.startMean, 0.0f);  // empty range
  EXPECT_EQ(stats.startLength, 1);
  stats = start_statistics(curve, none, none, true, 100, 399, readjusted_rule(ReadjustParams{}));
  EXPECT_EQ(stats.startMean, 1.0f);  // the single value at the end
  EXPECT_EQ(stats.startLength, 1);
}

TEST(StartSearch, CandidatesOutsideTheGenomeReadZero) {
  const CurveByFrame curve = MakeCurve(100, [](int, long) { return 0.5f; });
  const StartTable none = MakeTable({}, true);
  // begin 0 gives frame 0, which has no curve.
  StartStatistics stats = start_statistics(curve, none, none, true, 0, 59, readjusted_rule(ReadjustParams{}));
  EXPECT_EQ(stats.frame, 0);
  EXPECT_EQ(stats.orfMean, 0.0f);
  // Direct 91..190 in frame +1: ten positions of 0.5 inside, 90 outside.
  stats = start_statistics(curve, none, none, true, 91, 190, readjusted_rule(ReadjustParams{}));
  EXPECT_EQ(stats.orfMean, 5.0f / 100.0f);
  // A candidate of no position has a mean of 0.
  stats = start_statistics(curve, none, none, true, 50, 51, fixed_rule());
  EXPECT_EQ(stats.orfMean, 0.0f);
}

TEST(Decision, FixedGainAndLengthLimits) {
  const float above = std::nextafter(0.09f, 1.0f);
  struct Case { bool found; float orfMean, startMean; long length; bool retained; };
  const Case cases[] = {
      {true, 0.0f, 0.09f, 200, false},  // a gain of exactly 0.09 in single precision
      {true, 0.0f, above, 200, true},
      {true, 0.0f, 0.5f, 150, true},
      {true, 0.0f, 0.5f, 149, false},
      {false, 0.0f, 0.5f, 200, false},
  };
  for (const Case& c : cases) {
    StartStatistics stats{1, c.orfMean, c.found, 1, c.startMean, c.length};
    EXPECT_EQ(retain_fixed(stats), c.retained) << c.startMean << " " << c.length;
  }
}

TEST(Decision, ReadjustedSureOrLong) {
  const ReadjustParams defaults;
  struct Case { float orfMean, startMean; long length; bool retained; };
  const Case cases[] = {
      {0.3f, 0.80f, 100, true},    // sure, at least L_SUR
      {0.3f, 0.70f, 190, false},   // below SURE and shorter than L_PRO
      {0.3f, 0.70f, 195, true},    // exactly L_PRO
      {0.3f, 0.80f, 60, true},     // exactly L_SUR
      {0.3f, 0.80f, 59, false},
      {0.0f, 0.22f, 300, false},   // a gain of exactly PROBA_REAJUST_diff
      {0.0f, std::nextafter(0.22f, 1.0f), 300, true},
  };
  for (const Case& c : cases) {
    StartStatistics stats{1, c.orfMean, true, 1, c.startMean, c.length};
    EXPECT_EQ(retain_readjusted(stats, defaults), c.retained) << c.startMean << " " << c.length;
  }
}

// The start statistics as a plain reading of each position and a walk
// through the whole start table at the trigger.
StartStatistics NaiveStatistics(const CurveByFrame& curve, const std::vector<StartEntry>& directStarts,
                                const std::vector<StartEntry>& reverseStarts, bool direct, long begin,
                                long end, const StartRule& rule) {
  StartStatistics s{};
  s.frame = direct ? direct_frame(begin) : reverse_frame(end, curve.genomeSize);
  s.alternateStart = end;
  float sum = 0.0f;
  long count = 0;
  const bool longEnough = std::labs(end - begin + 1) >= rule.triggerMinLength;
  auto search = [&](long p) {
    s.found = true;
    float startSum = 0.0f;
    long startCount = 0;
    if (direct) {
      for (const StartEntry& e : directStarts) {
        if (e.frame == s.frame && begin < e.start && e.start < end && e.start + rule.codonSpan <= p) {
          s.alternateStart = e.start;
        }
      }
      for (long k = s.alternateStart; k <= end - rule.stopLength; ++k, ++startCount) {
        startSum += curve_value(curve, s.frame, k);
      }
      s.startLength = end - s.alternateStart + 1;
    } else {
      for (const StartEntry& e : reverseStarts) {
        if (e.frame == s.frame && begin < e.start && e.start < end && e.start - rule.codonSpan >= p) {
          s.alternateStart = e.start;
          break;
        }
      }
      for (long k = begin + rule.stopLength; k <= s.alternateStart; ++k, ++startCount) {
        startSum += curve_value(curve, s.frame, k);
      }
      s.startLength = s.alternateStart - begin + 1;
    }
    s.startMean = startCount > 0 ? startSum / static_cast<float>(startCount) : 0.0f;
  };
  if (direct) {
    for (long p = begin; p <= end - rule.stopLength; ++p, ++count) {
      const float v = curve_value(curve, s.frame, p);
      sum += v;
      if (!s.found && v >= rule.trigger && longEnough && p >= begin + 3) search(p);
    }
  } else {
    for (long p = end; p >= begin + rule.stopLength; --p, ++count) {
      const float v = curve_value(curve, s.frame, p);
      sum += v;
      if (!s.found && v >= rule.trigger && longEnough && p <= end - 3) search(p);
    }
  }
  s.orfMean = count > 0 ? sum / static_cast<float>(count) : 0.0f;
  return s;
}

TEST(StartStatisticsProperty, SameAsThePlainReading) {
  std::mt19937 rng(3);
  for (int round = 0; round < 200; ++round) {
    // Mostly low values with a few strong ones, so that triggers fall
    // anywhere in the candidates, and start entries on most positions.
    const long size = 50 + static_cast<long>(rng() % 250);
    std::uniform_real_distribution<float> value(0.0f, 0.6f);
    const CurveByFrame curve =
        MakeCurve(size, [&](int, long) { return rng() % 25 == 0 ? 0.99f : value(rng); });
    std::vector<StartEntry> directList;
    std::vector<StartEntry> reverseList;
    for (int k = static_cast<int>(rng() % (3 * size)); k > 0; --k) {
      const long pos = static_cast<long>(rng() % (size + 20)) - 10;
      if (rng() % 2 == 0) {
        directList.push_back({direct_frame(pos), pos});
      } else {
        reverseList.push_back({reverse_frame(pos + 2, size), pos + 2});
      }
    }
    const StartTable directTable = MakeTable(directList, false);
    const StartTable reverseTable = MakeTable(reverseList, true);
    ReadjustParams params;
    params.PROBA_REAJUST = 0.7f + static_cast<float>(rng() % 30) / 100.0f;
    const StartRule rules[] = {fixed_rule(), readjusted_rule(params)};
    for (int k = 0; k < 30; ++k) {
      const long begin = static_cast<long>(rng() % (size + 40)) - 20;
      const long end = begin + static_cast<long>(rng() % (rng() % 2 == 0 ? 30 : 400)) - 20;
      const bool direct = rng() % 2 == 0;
      for (const StartRule& rule : rules) {
        StartStatistics fast =
            start_statistics(curve, directTable, reverseTable, direct, begin, end, rule);
        StartStatistics slow =
            NaiveStatistics(curve, directList, reverseList, direct, begin, end, rule);
        ASSERT_EQ(fast.frame, slow.frame);
        ASSERT_EQ(fast.orfMean, slow.orfMean);
        ASSERT_EQ(fast.found, slow.found);
        if (!slow.found) continue;
        ASSERT_EQ(fast.alternateStart, slow.alternateStart) << begin << ".." << end;
        ASSERT_EQ(fast.startMean, slow.startMean);
        ASSERT_EQ(fast.startLength, slow.startLength);
      }
    }
  }
}

}  // namespace
