// pelcor_stat: mean coding probability of each candidate of a precds list
// (strand-letter layout, stop codons included) and, with fixed thresholds,
// an alternative start taken from the start lists liste_start and liste_start_.
#include <cstdio>
#include <string>

#include "pelcorFiles.h"
#include "pelcorFormats.h"
#include "pelcorScan.h"
#include "startInputs.h"
#include "startStatistics.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("Usage pelcor_stat <curve_file> <precds_file> <fasta_file>\n", stderr);
    return 1;
  }
  const std::string precdsPath = argv[2];
  StartInputs in;
  if (!load_start_inputs(argv[1], precdsPath, argv[3], "liste_start", "liste_start_", in)) return 1;

  const StartRule rule = fixed_rule();
  TextScanner sc = make_scanner(in.precds);
  std::string out;
  std::string token;
  long record = 0;
  while (scan_token(sc, token)) {
    if (token.find('>') == std::string::npos) continue;
    ++record;
    long begin = 0;
    long end = 0;
    char strand = 0;
    if (scan_long(sc, begin) != SCAN_READ || scan_long(sc, end) != SCAN_READ ||
        !scan_char_after_space(sc, strand)) {
      flush_output(out);
      report_bad_record(precdsPath, record);
      return 1;
    }
    if (end <= 0) continue;
    const bool direct = strand == 'D';
    StartStatistics stats =
        start_statistics(in.curveByFrame, in.directStarts, in.reverseStarts, direct, begin, end,
                         rule);
    if (!retain_fixed(stats)) {
      stats.alternateStart = direct ? begin : end;
      stats.startMean = stats.orfMean;
    }
    append_stat_row(out, token, begin, stats.alternateStart, end,
                    direct ? stats.orfMean : stats.startMean,
                    direct ? stats.startMean : stats.orfMean, stats.frame);
    if (out.size() >= 65536) flush_output(out);
  }
  flush_output(out);
  return finish_output() ? 0 : 1;
}
