// The inputs that pelcor_stat and pelcor_restat load before they examine
// the candidates: genome size, precds text, curve and the two start lists.
#ifndef PELCOR_START_INPUTS_H
#define PELCOR_START_INPUTS_H

#include <string>

#include "pelcorCurve.h"
#include "pelcorStarts.h"

struct StartInputs {
  long genomeSize = 0;
  std::string precds;  // the candidate list, whole
  CurveByFrame curveByFrame;
  StartTable directStarts;
  StartTable reverseStarts;
};

// Loads everything in the tools' order (genome size, candidate list, curve,
// direct then reverse start list; an empty start-list path means no list).
// On a failure the message is printed and false returned.
bool load_start_inputs(const std::string& curvePath, const std::string& precdsPath,
                       const std::string& fastaPath, const std::string& directPath,
                       const std::string& reversePath, StartInputs& inputs);

#endif
