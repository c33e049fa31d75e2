#include "pelcorCurve.h"

#include <algorithm>

#include "pelcorScan.h"

int curve_index(int frame) {
  if (frame >= 1 && frame <= 3) return frame - 1;
  if (frame >= -3 && frame <= -1) return 2 - frame;
  return -1;
}

float curve_value(const CurveByFrame& curveByFrame, int frame, long position) {
  int index = curve_index(frame);
  if (index < 0 || position < 0 || position > curveByFrame.genomeSize) return 0.0f;
  return curveByFrame.frames[index][static_cast<std::size_t>(position)];
}

namespace {

void sStoreRow(CurveByFrame& curve, long position, const float values[6]) {
  long low = std::max(position - (CURVE_BLOCK - 1), 0L);
  long high = std::min(position, curve.genomeSize);
  if (position == CURVE_FIRST_ROW) low = 0;
  for (int f = 0; f < 6; ++f) {
    for (long p = low; p <= high; ++p) curve.frames[f][static_cast<std::size_t>(p)] = values[f];
  }
}

}  // namespace

long load_curve(const std::string& text, long genomeSize, CurveByFrame& curveByFrame) {
  curveByFrame.genomeSize = genomeSize;
  for (auto& values : curveByFrame.frames) {
    values.assign(static_cast<std::size_t>(genomeSize + 1), 0.0f);
  }
  TextScanner sc = make_scanner(text);
  for (long row = 1;; ++row) {
    long position = 0;
    ScanNumber read = scan_long(sc, position);
    if (read == SCAN_NONE) return 0;
    if (read == SCAN_OUT_OF_RANGE) return row;
    float values[6];
    for (float& value : values) {
      if (!scan_float(sc, value)) return row;
    }
    float ignored = 0.0f;
    if (scan_float(sc, ignored)) skip_space(sc);
    sStoreRow(curveByFrame, position, values);
  }
}

namespace {

// A stretch of positions outside the curve: every value is 0, so the sum
// does not change and only the trigger can fire, at its first allowed place.
void sZeroStretch(CurveWalk& walk, long low, long high, bool descending, bool useTrigger,
                  float trigger, long triggerLimit) {
  if (low > high || walk.triggered || !useTrigger || !(0.0f >= trigger)) return;
  long p = descending ? std::min(high, triggerLimit) : std::max(low, triggerLimit);
  if (p < low || p > high) return;
  walk.triggered = true;
  walk.triggerPosition = p;
}

}  // namespace

CurveWalk walk_curve(const CurveByFrame& curveByFrame, int frame, long first, long last,
                     bool descending, bool useTrigger, float trigger, long triggerLimit) {
  CurveWalk walk{0.0f, false, 0};
  const long low = descending ? last : first;
  const long high = descending ? first : last;
  if (low > high) return walk;
  const int index = curve_index(frame);
  if (index < 0) {
    sZeroStretch(walk, low, high, descending, useTrigger, trigger, triggerLimit);
    return walk;
  }
  const std::vector<float>& values = curveByFrame.frames[index];
  const long size = curveByFrame.genomeSize;
  const long inLow = std::max(low, 0L);
  const long inHigh = std::min(high, size);
  // Stretches in reading order: before the curve, on it, after it.
  const long beforeLow = descending ? std::max(low, size + 1) : low;
  const long beforeHigh = descending ? high : std::min(high, -1L);
  const long afterLow = descending ? low : std::max(low, size + 1);
  const long afterHigh = descending ? std::min(high, -1L) : high;

  sZeroStretch(walk, beforeLow, beforeHigh, descending, useTrigger, trigger, triggerLimit);
  float sum = 0.0f;
  if (inLow <= inHigh) {
    const long count = inHigh - inLow + 1;
    for (long k = 0; k < count; ++k) {
      const long p = descending ? inHigh - k : inLow + k;
      const float v = values[static_cast<std::size_t>(p)];
      sum += v;
      if (useTrigger && !walk.triggered && v >= trigger &&
          (descending ? p <= triggerLimit : p >= triggerLimit)) {
        walk.triggered = true;
        walk.triggerPosition = p;
      }
    }
  }
  sZeroStretch(walk, afterLow, afterHigh, descending, useTrigger, trigger, triggerLimit);
  walk.sum = sum;
  return walk;
}

float sum_curve(const CurveByFrame& curveByFrame, int frame, long first, long last) {
  return walk_curve(curveByFrame, frame, first, last, false, false, 0.0f, 0).sum;
}

float mean_of(float sum, long count) {
  return count != 0 ? sum / static_cast<float>(count) : 0.0f;
}
