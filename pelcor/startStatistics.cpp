#include "startStatistics.h"

#include <algorithm>
#include <cstdlib>

StartStatistics start_statistics(const CurveByFrame& curveByFrame, const StartTable& directStarts,
                                 const StartTable& reverseStarts, bool direct, long begin, long end,
                                 const StartRule& rule) {
  StartStatistics stats{};
  stats.frame = direct ? direct_frame(begin) : reverse_frame(end, curveByFrame.genomeSize);
  const long first = direct ? begin : end;
  const long last = direct ? end - rule.stopLength : begin + rule.stopLength;
  const bool useTrigger = std::labs(end - begin + 1) >= rule.triggerMinLength;
  const long triggerLimit = direct ? begin + 3 : end - 3;
  CurveWalk walk = walk_curve(curveByFrame, stats.frame, first, last, !direct, useTrigger,
                              rule.trigger, triggerLimit);
  const long count = direct ? last - begin + 1 : end - last + 1;
  stats.orfMean = mean_of(walk.sum, count);
  stats.found = walk.triggered;
  stats.alternateStart = end;
  if (!stats.found) return stats;

  const long p = walk.triggerPosition;
  if (direct) {
    long place = find_start(directStarts.index, stats.frame, begin + 1,
                            std::min(end - 1, p - rule.codonSpan));
    if (place >= 0) stats.alternateStart = directStarts.entries[static_cast<std::size_t>(place)].start;
    const long stop = end - rule.stopLength;
    stats.startMean = mean_of(sum_curve(curveByFrame, stats.frame, stats.alternateStart, stop),
                              stop - stats.alternateStart + 1);
    stats.startLength = end - stats.alternateStart + 1;
  } else {
    long place = find_start(reverseStarts.index, stats.frame,
                            std::max(begin + 1, p + rule.codonSpan), end - 1);
    if (place >= 0) stats.alternateStart = reverseStarts.entries[static_cast<std::size_t>(place)].start;
    const long from = begin + rule.stopLength;
    stats.startMean = mean_of(sum_curve(curveByFrame, stats.frame, from, stats.alternateStart),
                              stats.alternateStart - from + 1);
    stats.startLength = stats.alternateStart - begin + 1;
  }
  return stats;
}

namespace {

const float FIXED_TRIGGER = 0.95f;
const long FIXED_MIN_LENGTH = 150;  // more than 149 nucleotides
const float FIXED_MIN_GAIN = 0.09f;

}  // namespace

bool retain_fixed(const StartStatistics& stats) {
  const float gain = stats.startMean - stats.orfMean;
  return stats.found && gain > FIXED_MIN_GAIN && stats.startLength >= FIXED_MIN_LENGTH;
}

bool retain_readjusted(const StartStatistics& stats, const ReadjustParams& params) {
  const float gain = stats.startMean - stats.orfMean;
  return stats.found && gain > params.PROBA_REAJUST_diff && stats.startLength >= params.L_SUR &&
         (stats.startMean >= params.SURE || stats.startLength >= params.L_PRO);
}

StartRule fixed_rule() { return StartRule{3, FIXED_TRIGGER, FIXED_MIN_LENGTH, 2}; }

StartRule readjusted_rule(const ReadjustParams& params) {
  return StartRule{0, params.PROBA_REAJUST, 0, 0};
}
