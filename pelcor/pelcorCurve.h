// Coding-probability curve held per frame and per genome position.
#ifndef PELCOR_CURVE_H
#define PELCOR_CURVE_H

#include <string>
#include <vector>

// Six arrays of genomeSize + 1 values, indexed by genome position, for the
// frames +1, +2, +3, -1, -2, -3. Positions no curve row covers hold 0.
struct CurveByFrame {
  long genomeSize;
  std::vector<float> frames[6];
};

constexpr int CURVE_BLOCK = 12;      // a row fills its position and the 11 before it
constexpr long CURVE_FIRST_ROW = 49; // such a row also fills positions 0 to 48

// Array of a frame (+1..+3, -1..-3), -1 for any other value.
int curve_index(int frame);

// Value of the curve of `frame` at `position`; 0 outside 0..genomeSize and
// for a frame that has no curve.
float curve_value(const CurveByFrame& curveByFrame, int frame, long position);

// Reads the curve rows "%ld\t%f\t%f\t%f\t%f\t%f\t%f\t%f\n" (position, six
// frame values, one ignored value) until a row yields no field at all.
// Returns 0, or the number (from 1) of the first row whose position or
// frame values are missing or unreadable; nothing is stored from that row.
long load_curve(const std::string& text, long genomeSize, CurveByFrame& curveByFrame);

// Walk over the positions of one frame in reading order, from `first` to
// `last` (ascending, or descending when `descending`), summing the values in
// single precision in that order, and noting the first position whose value
// is at least `trigger` and which lies at or beyond `triggerLimit` in reading
// direction (p >= limit ascending, p <= limit descending).
struct CurveWalk {
  float sum;
  bool triggered;
  long triggerPosition;
};
CurveWalk walk_curve(const CurveByFrame& curveByFrame, int frame, long first, long last,
                     bool descending, bool useTrigger, float trigger, long triggerLimit);

// Single-precision sum of the values from `first` up to `last`, ascending.
float sum_curve(const CurveByFrame& curveByFrame, int frame, long first, long last);

// sum / count in single precision; 0 when count is 0 (a reversed range
// divides by its negative count, as the formula does).
float mean_of(float sum, long count);

#endif
