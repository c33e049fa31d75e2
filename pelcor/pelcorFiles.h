// Reading whole input files and the genome FASTA file.
#ifndef PELCOR_FILES_H
#define PELCOR_FILES_H

#include <string>

// Reads the whole file into `content`; false when it cannot be opened or read.
bool read_file(const std::string& path, std::string& content);

// The genome is the first record of a FASTA text: after the first line
// (skipped whatever it holds), every character up to the first '>' or the
// end, without the line ends ("\n", or "\r\n").
std::string genome_sequence(const std::string& fastaText);

// Genome size of a FASTA file, -1 when it cannot be opened.
long fasta_getsize(const std::string& path);

// Loads the genome sequence of a FASTA file; false when it cannot be opened.
bool load_genome_sequence(const std::string& path, std::string& sequence);

// Writes `buffer` to standard output and empties it.
void flush_output(std::string& buffer);

// Flushes standard output; false, after a message, when writing failed.
bool finish_output();

// Message for a record whose fields are missing, not numeric or out of
// range; `record` counts the records of the file from 1.
void report_bad_record(const std::string& path, long record);

#endif
