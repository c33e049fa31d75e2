#include "startInputs.h"

#include <cstdio>

#include "pelcorFiles.h"

bool load_start_inputs(const std::string& curvePath, const std::string& precdsPath,
                       const std::string& fastaPath, const std::string& directPath,
                       const std::string& reversePath, StartInputs& inputs) {
  inputs.genomeSize = fasta_getsize(fastaPath);
  if (inputs.genomeSize == -1) return false;
  if (!read_file(precdsPath, inputs.precds)) {
    std::fprintf(stderr, "Can't find cds file \"%s\"\n", precdsPath.c_str());
    return false;
  }
  std::string curveText;
  if (!read_file(curvePath, curveText)) {
    std::fprintf(stderr, "Can't find curve file \"%s\"\n", curvePath.c_str());
    return false;
  }
  if (long bad = load_curve(curveText, inputs.genomeSize, inputs.curveByFrame)) {
    report_bad_record(curvePath, bad);
    return false;
  }
  if (long bad = load_start_table(directPath, false, inputs.genomeSize, inputs.directStarts)) {
    report_bad_record(directPath, bad);
    return false;
  }
  if (long bad = load_start_table(reversePath, true, inputs.genomeSize, inputs.reverseStarts)) {
    report_bad_record(reversePath, bad);
    return false;
  }
  return true;
}
