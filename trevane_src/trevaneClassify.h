// Suppression of repeated frameshift results and their strength ratings.
#ifndef TREVANE_CLASSIFY_H
#define TREVANE_CLASSIFY_H

#include <optional>
#include <string>

#include "memoryAllocation.h"

// Marks repeated results in place (startFS and endFS set to 0).
RES& filterResults(RES& res);

// "WEAK", "MEDIUM" or "STRONG", or no value when the result is not reported.
std::optional<std::string> getOverlappingStatus(const RESelement& res);
std::optional<std::string> getCompensatedStatus(const RESelement& res);
std::optional<std::string> getOnlypcodStatus(const RESelement& res, float ftgm);
std::optional<std::string> getBadstartStatus(const RESelement& res);

#endif
