// pelcor_score: turns a precds list (frame layout, stop codons included)
// into a seq list without the stop codons.
#include <cstdio>
#include <string>

#include "pelcorFiles.h"
#include "pelcorFormats.h"
#include "pelcorScan.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("Usage pelcor_score <precds_file>\n", stderr);
    return 1;
  }
  const std::string path = argv[1];
  std::string text;
  if (!read_file(path, text)) {
    std::fprintf(stderr, "Can't find cds file \"%s\"\n", argv[1]);
    return 1;
  }
  TextScanner sc = make_scanner(text);
  std::string out;
  std::string label;
  for (long record = 1; scan_token(sc, label); ++record) {
    long begin = 0;
    long end = 0;
    int frame = 0;
    if (scan_long(sc, begin) != SCAN_READ || scan_long(sc, end) != SCAN_READ ||
        scan_int(sc, frame) != SCAN_READ) {
      flush_output(out);
      report_bad_record(path, record);
      return 1;
    }
    // The stop codon is at the left end on the reverse strand, at the right end otherwise.
    if (frame < 0) {
      begin += 3;
    } else {
      end -= 3;
    }
    append_seq_line(out, begin, end, frame);
    if (out.size() >= 65536) flush_output(out);
  }
  flush_output(out);
  return finish_output() ? 0 : 1;
}
