// The text layouts written by the candidate tools.
#ifndef PELCOR_FORMATS_H
#define PELCOR_FORMATS_H

#include <string>

// Seq list line: ">seq %010ld %010ld %d\n".
void append_seq_line(std::string& out, long begin, long end, int frame);

// Start-statistics row: "%s %ld %ld %ld %f %f %d\n" (label written whole).
void append_stat_row(std::string& out, const std::string& label, long begin, long alternateStart,
                     long end, float firstMean, float secondMean, int frame);

// Readjusted-start row: ">seq %ld %ld %ld %f %f %d\n".
void append_restat_row(std::string& out, long begin, long alternateStart, long end,
                       float firstMean, float secondMean, int frame);

// Header line of the filtered CDS file:
// ">%s%04d %ld %ld %ld %ld %ld %f %f %d %c %c\n" (prefix written whole).
struct FilteredHeader {
  long begin;
  long alternateStart;
  long end;
  long firstLength;
  long secondLength;
  float firstProba;
  float secondProba;
  int frame;
  char strand;
  char tag;
};
void append_filtered_header(std::string& out, const std::string& prefix, long number,
                            const FilteredHeader& header);

// Complement of a base for the reverse strand, always upper case; N for
// anything that is not A, C, G or T in either case.
char complement_base(char base);

// Sequence lines, 60 letters each: genome positions from..to (1-based,
// ascending) as stored, or, with `reverse`, positions to down to from,
// complemented. Positions outside the genome print N.
void append_sequence_lines(std::string& out, const std::string& genome, long from, long to,
                           bool reverse);

// Label prefix: the file name of `path` without directory and extension
// (the text after the last '/' and before the last '.', empty when that dot
// stands before the last '/').
std::string label_prefix(const std::string& path);

#endif
