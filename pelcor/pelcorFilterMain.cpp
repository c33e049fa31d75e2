// pelcor_filter_bis: sorts tagged candidates into sure and probable ones,
// removes the short, nested, overlapping and crowded ones, and writes the
// retained genes (header line and sequence) with statistics on standard error.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "filterSteps.h"
#include "pelcorFiles.h"
#include "pelcorFormats.h"
#include "pelcorScan.h"

namespace {

// Reads the records ">seq %ld %ld %ld %f %f %d %c\n" until one does not
// begin with ">seq"; returns 0 or the number of a record whose fields are
// missing or unreadable.
long sLoadCandidates(const std::string& text, const FilterParams& params,
                     std::vector<CandidateRecord>& sure, std::vector<CandidateRecord>& probable,
                     FilterCounts& counts) {
  TextScanner sc = make_scanner(text);
  for (long record = 1; scan_literal(sc, ">seq"); ++record) {
    long begin = 0;
    long alternateStart = 0;
    long end = 0;
    float firstMean = 0.0f;
    float secondMean = 0.0f;
    int frame = 0;
    char tag = 0;
    if (scan_long(sc, begin) != SCAN_READ || scan_long(sc, alternateStart) != SCAN_READ ||
        scan_long(sc, end) != SCAN_READ || !scan_float(sc, firstMean) ||
        !scan_float(sc, secondMean) || scan_int(sc, frame) != SCAN_READ ||
        !scan_char_after_space(sc, tag)) {
      return record;
    }
    skip_space(sc);
    classify_candidate(make_candidate(begin, alternateStart, end, firstMean, secondMean, frame, tag),
                       params, sure, probable, counts);
  }
  return 0;
}

void sAppendGene(std::string& out, const std::string& prefix, long number,
                 const CandidateRecord& r, const std::string& genome) {
  FilteredHeader header{};
  const bool direct = r.frame > 0;
  if (direct) {
    header = FilteredHeader{r.orfStart, r.left, r.right + 3, r.right - r.orfStart + 4,
                            r.length + 3, r.orfProba, r.score, r.frame, 'D', r.tag};
  } else {
    header = FilteredHeader{r.left - 3, r.right, r.orfStart, r.length + 3,
                            r.orfStart - r.left + 4, r.score, r.orfProba, r.frame, 'R', r.tag};
  }
  append_filtered_header(out, prefix, number, header);
  // Written in pieces of whole lines, so that a candidate reaching far
  // outside the genome does not have to be held in memory at once.
  const long piece = 60 * 1024;
  const long from = direct ? r.orfStart : r.left;
  const long to = direct ? r.right : r.orfStart;
  for (long done = 0; done <= to - from; done += piece) {
    if (direct) {
      append_sequence_lines(out, genome, from + done, std::min(to, from + done + piece - 1), false);
    } else {
      append_sequence_lines(out, genome, std::max(from, to - done - piece + 1), to - done, true);
    }
    if (out.size() >= 65536) flush_output(out);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 11) {
    std::fputs("Usage: pelcor_filter_bis <lst_CDSs_filename> <fna_filename> PROBA SURE L_PRO L_SUR "
               "SR_INCLU_SURE1 SR_INCLU_SURE2 SR_CHEV_PRO_SUR SR_TOT_PRO\n",
               stderr);
    return 1;
  }
  const std::string listPath = argv[1];
  const std::string fastaPath = argv[2];
  std::string listText;
  if (!read_file(listPath, listText)) {
    std::fprintf(stderr, "Impossible d'ouvrir le fichier \"%s\"\n", argv[1]);
    return 1;
  }
  std::string genome;
  if (!load_genome_sequence(fastaPath, genome)) {
    std::fprintf(stderr, "Impossible d'ouvrir le fichier \"%s\"\n", argv[2]);
    return 1;
  }
  FilterParams params;
  parse_float_argument(argv[3], params.PROBA);
  parse_float_argument(argv[4], params.SURE);
  parse_int_argument(argv[5], params.L_PRO);
  parse_int_argument(argv[6], params.L_SUR);
  parse_float_argument(argv[7], params.SR_INCLU_SURE1);
  parse_float_argument(argv[8], params.SR_INCLU_SURE2);
  parse_float_argument(argv[9], params.SR_CHEV_PRO_SUR);
  parse_float_argument(argv[10], params.SR_TOT_PRO);
  const std::string prefix = label_prefix(fastaPath);

  std::vector<CandidateRecord> sure;
  std::vector<CandidateRecord> probable;
  FilterCounts counts;
  if (long bad = sLoadCandidates(listText, params, sure, probable, counts)) {
    report_bad_record(listPath, bad);
    return 1;
  }
  sort_by_left(probable);
  sort_by_left(sure);
  remove_nested_sure(sure, params);
  remove_probable_in_sure(probable, sure, params);
  compute_cover_ratios(probable);
  remove_dense_runs(probable, params);
  const std::vector<CandidateRecord> retained = merge_retained(sure, probable, counts);

  std::string out;
  long written = 0;
  long writtenSure = 0;
  long writtenProbable = 0;
  for (const CandidateRecord& record : retained) {
    if (record.score >= params.SURE) {
      ++writtenSure;
    } else {
      ++writtenProbable;
    }
    sAppendGene(out, prefix, ++written, record, genome);
  }
  flush_output(out);
  if (!finish_output()) return 1;
  std::fprintf(stderr, "total : %ld\n", written);
  std::fprintf(stderr, "sures : %ld\n", writtenSure);
  std::fprintf(stderr, "proba : %ld\n", writtenProbable);
  std::fprintf(stderr, "sures_rm : %ld\n", counts.suresRemoved);
  std::fprintf(stderr, "proba_rm : %ld\n", counts.probaRemoved);
  std::fprintf(stderr, "<L_PRO_rm: %ld\n", counts.probaTooShort);
  return 0;
}
