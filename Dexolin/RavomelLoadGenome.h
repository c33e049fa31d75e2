// Genome loading and writing of CDS sequences.
#ifndef DEXOLIN_RAVOMEL_LOAD_GENOME_H
#define DEXOLIN_RAVOMEL_LOAD_GENOME_H

#include "RavomelRecords.h"

#include <cstdio>

namespace dexolin {

// Reads every record of the FASTA stream `file` into one sequence: header
// lines (from a '>' to the end of its line) are dropped, and so are blanks,
// tabs and line ends (LF, or CR followed by LF); every other character is
// kept as it is.
GENOME& loadGenomeSequenceFromFile(std::FILE* file, GENOME& genome);

// Writes the record of `cds` on standard output: ">label", then its letters
// (direct strand, or reverse complement when strand <= 0), 60 per line, then
// a newline. Positions outside the genome are written as N, with a warning.
// A CDS without segment ends the process after its header line.
int printCds(const GENOME& genome, const CDS& cds);

} // namespace dexolin

#endif
