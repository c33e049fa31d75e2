#include "pelcorFormats.h"

#include <cstdarg>
#include <cstdio>

namespace {

// printf-style formatting into `out`, whatever the length of the result.
void sAppendFormat(std::string& out, const char* format, ...) {
  char small[256];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int needed = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (needed < 0) {
    va_end(again);
    return;
  }
  if (static_cast<std::size_t>(needed) < sizeof small) {
    out.append(small, static_cast<std::size_t>(needed));
  } else {
    std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(needed) + 1);
    std::vsnprintf(&out[at], static_cast<std::size_t>(needed) + 1, format, again);
    out.resize(at + static_cast<std::size_t>(needed));
  }
  va_end(again);
}

}  // namespace

void append_seq_line(std::string& out, long begin, long end, int frame) {
  sAppendFormat(out, ">seq %010ld %010ld %d\n", begin, end, frame);
}

void append_stat_row(std::string& out, const std::string& label, long begin, long alternateStart,
                     long end, float firstMean, float secondMean, int frame) {
  out += label;
  sAppendFormat(out, " %ld %ld %ld %f %f %d\n", begin, alternateStart, end,
                static_cast<double>(firstMean), static_cast<double>(secondMean), frame);
}

void append_restat_row(std::string& out, long begin, long alternateStart, long end,
                       float firstMean, float secondMean, int frame) {
  sAppendFormat(out, ">seq %ld %ld %ld %f %f %d\n", begin, alternateStart, end,
                static_cast<double>(firstMean), static_cast<double>(secondMean), frame);
}

void append_filtered_header(std::string& out, const std::string& prefix, long number,
                            const FilteredHeader& header) {
  out += '>';
  out += prefix;
  sAppendFormat(out, "%04ld %ld %ld %ld %ld %ld %f %f %d %c ", number, header.begin,
                header.alternateStart, header.end, header.firstLength, header.secondLength,
                static_cast<double>(header.firstProba), static_cast<double>(header.secondProba),
                header.frame, header.strand);
  // The tag is written as the byte it is, a NUL included.
  out += header.tag;
  out += '\n';
}

char complement_base(char base) {
  switch (base) {
    case 'A': case 'a': return 'T';
    case 'T': case 't': return 'A';
    case 'C': case 'c': return 'G';
    case 'G': case 'g': return 'C';
    default: return 'N';
  }
}

void append_sequence_lines(std::string& out, const std::string& genome, long from, long to,
                           bool reverse) {
  if (to < from) return;
  const long size = static_cast<long>(genome.size());
  const long count = to - from + 1;
  for (long k = 0; k < count; ++k) {
    long position = reverse ? to - k : from + k;
    char c = position >= 1 && position <= size ? genome[static_cast<std::size_t>(position - 1)] : 'N';
    out += reverse ? complement_base(c) : c;
    if (k % 60 == 59 || k == count - 1) out += '\n';
  }
}

std::string label_prefix(const std::string& path) {
  std::size_t slash = path.rfind('/');
  std::size_t first = slash == std::string::npos ? 0 : slash + 1;
  std::size_t dot = path.rfind('.');
  if (dot == std::string::npos) return path.substr(first);
  if (slash != std::string::npos && dot < slash) return std::string();
  return path.substr(first, dot - first);
}
