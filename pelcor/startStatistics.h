// Mean coding probability of a candidate in its frame and the search for an
// alternative start just upstream of its first strongly coding position.
#ifndef PELCOR_START_STATISTICS_H
#define PELCOR_START_STATISTICS_H

#include "pelcorCurve.h"
#include "pelcorStarts.h"

struct StartRule {
  long stopLength;        // 3 when the coordinates include the stop codon, else 0
  float trigger;          // a curve value at least this high starts the search
  long triggerMinLength;  // the search runs only when |end - begin + 1| reaches it
  long codonSpan;         // 2: the start codon lies wholly before the trigger; 0: it may begin there
};

struct StartStatistics {
  int frame;
  float orfMean;
  bool found;            // the search has run
  long alternateStart;   // end when no start entry qualified
  float startMean;
  long startLength;
};

// Direct candidates read the curve from begin to end - stopLength, reverse
// ones from end down to begin + stopLength; the start search takes the last
// qualifying entry of the direct table, the first of the reverse table.
StartStatistics start_statistics(const CurveByFrame& curveByFrame, const StartTable& directStarts,
                                 const StartTable& reverseStarts, bool direct, long begin, long end,
                                 const StartRule& rule);

// Decision of pelcor_stat: gain above 0.09 and more than 149 nucleotides
// from the alternative start.
bool retain_fixed(const StartStatistics& stats);

// Thresholds of pelcor_restat; the defaults apply to arguments that are not numbers.
struct ReadjustParams {
  float PROBA_REAJUST = 0.965f;
  float PROBA_REAJUST_diff = 0.22f;
  float SURE = 0.75f;
  int L_PRO = 195;
  int L_SUR = 60;
};

// Decision of pelcor_restat: gain above PROBA_REAJUST_diff, at least L_SUR
// nucleotides, and a mean of at least SURE or at least L_PRO nucleotides.
bool retain_readjusted(const StartStatistics& stats, const ReadjustParams& params);

// Rules of the two tools.
StartRule fixed_rule();
StartRule readjusted_rule(const ReadjustParams& params);

#endif
