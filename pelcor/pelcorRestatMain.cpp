// pelcor_restat: mean coding probability of each candidate of a seq list
// (stop codons removed) and an alternative start chosen with the thresholds
// given on the command line; candidates shorter than L_SUR are not written.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "pelcorFiles.h"
#include "pelcorFormats.h"
#include "pelcorScan.h"
#include "startInputs.h"
#include "startStatistics.h"

int main(int argc, char** argv) {
  if (argc != 11 && argc != 9) {
    std::fputs("Usage pelcor_stat <curve_file> <precds_file> <fasta_file> <liste_start> "
               "<liste_start_> PROBA_REAJUST PROBA_REAJUST_diff SURE L_PRO L_SUR\n",
               stderr);
    return 1;
  }
  const std::string precdsPath = argv[2];
  const bool withStartLists = argc == 11;
  StartInputs in;
  if (!load_start_inputs(argv[1], precdsPath, argv[3], withStartLists ? argv[4] : "",
                         withStartLists ? argv[5] : "", in)) {
    return 1;
  }
  const int firstParam = withStartLists ? 6 : 4;
  ReadjustParams params;
  parse_float_argument(argv[firstParam], params.PROBA_REAJUST);
  parse_float_argument(argv[firstParam + 1], params.PROBA_REAJUST_diff);
  parse_float_argument(argv[firstParam + 2], params.SURE);
  parse_int_argument(argv[firstParam + 3], params.L_PRO);
  parse_int_argument(argv[firstParam + 4], params.L_SUR);

  const StartRule rule = readjusted_rule(params);
  TextScanner sc = make_scanner(in.precds);
  std::string out;
  std::string token;
  long record = 0;
  while (scan_token(sc, token)) {
    if (token.find(">seq") == std::string::npos) continue;
    ++record;
    long begin = 0;
    long end = 0;
    int frame = 0;
    if (scan_long(sc, begin) != SCAN_READ || scan_long(sc, end) != SCAN_READ ||
        scan_int(sc, frame) != SCAN_READ) {
      flush_output(out);
      report_bad_record(precdsPath, record);
      return 1;
    }
    if (end <= 0 || std::labs(end - begin + 1) < params.L_SUR) continue;
    const bool direct = frame > 0;
    StartStatistics stats =
        start_statistics(in.curveByFrame, in.directStarts, in.reverseStarts, direct, begin, end,
                         rule);
    if (!retain_readjusted(stats, params)) {
      stats.alternateStart = direct ? begin : end;
      stats.startMean = stats.orfMean;
    }
    append_restat_row(out, begin, stats.alternateStart, end,
                      direct ? stats.orfMean : stats.startMean,
                      direct ? stats.startMean : stats.orfMean, stats.frame);
    if (out.size() >= 65536) flush_output(out);
  }
  flush_output(out);
  return finish_output() ? 0 : 1;
}
