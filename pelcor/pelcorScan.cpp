#include "pelcorScan.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

TextScanner make_scanner(const std::string& text) { return TextScanner{&text, 0}; }

bool scan_at_end(const TextScanner& sc) { return sc.pos >= sc.text->size(); }

bool is_scan_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

void skip_space(TextScanner& sc) {
  while (!scan_at_end(sc) && is_scan_space((*sc.text)[sc.pos])) ++sc.pos;
}

void skip_line(TextScanner& sc) {
  std::size_t newline = sc.text->find('\n', sc.pos);
  sc.pos = newline == std::string::npos ? sc.text->size() : newline + 1;
}

bool scan_literal(TextScanner& sc, const char* literal) {
  for (; *literal != '\0'; ++literal) {
    if (scan_at_end(sc) || (*sc.text)[sc.pos] != *literal) return false;
    ++sc.pos;
  }
  return true;
}

// The text is NUL-terminated (std::string guarantees it), so the C
// conversion functions stop at its end at the latest.
ScanNumber scan_long(TextScanner& sc, long& value) {
  skip_space(sc);
  if (scan_at_end(sc)) return SCAN_NONE;
  const char* start = sc.text->c_str() + sc.pos;
  char* stop = nullptr;
  errno = 0;
  long v = std::strtol(start, &stop, 10);
  if (stop == start) return SCAN_NONE;
  sc.pos += static_cast<std::size_t>(stop - start);
  if (errno == ERANGE || v > SCAN_LONG_LIMIT || v < -SCAN_LONG_LIMIT) return SCAN_OUT_OF_RANGE;
  value = v;
  return SCAN_READ;
}

ScanNumber scan_int(TextScanner& sc, int& value) {
  long v = 0;
  ScanNumber result = scan_long(sc, v);
  if (result != SCAN_READ) return result;
  if (v > INT_MAX || v < INT_MIN) return SCAN_OUT_OF_RANGE;
  value = static_cast<int>(v);
  return SCAN_READ;
}

bool scan_float(TextScanner& sc, float& value) {
  skip_space(sc);
  if (scan_at_end(sc)) return false;
  const char* start = sc.text->c_str() + sc.pos;
  char* stop = nullptr;
  float v = std::strtof(start, &stop);
  if (stop == start) return false;
  sc.pos += static_cast<std::size_t>(stop - start);
  value = v;
  return true;
}

bool scan_token(TextScanner& sc, std::string& token) {
  skip_space(sc);
  std::size_t first = sc.pos;
  while (!scan_at_end(sc) && !is_scan_space((*sc.text)[sc.pos])) ++sc.pos;
  if (sc.pos == first) return false;
  token.assign(*sc.text, first, sc.pos - first);
  return true;
}

bool scan_char_after_space(TextScanner& sc, char& c) {
  skip_space(sc);
  if (scan_at_end(sc)) return false;
  c = (*sc.text)[sc.pos++];
  return true;
}

void parse_float_argument(const char* argument, float& value) {
  char* stop = nullptr;
  float v = std::strtof(argument, &stop);
  if (stop != argument) value = v;
}

void parse_int_argument(const char* argument, int& value) {
  char* stop = nullptr;
  long v = std::strtol(argument, &stop, 10);
  if (stop == argument) return;
  if (v > INT_MAX) v = INT_MAX;
  if (v < INT_MIN) v = INT_MIN;
  value = static_cast<int>(v);
}
