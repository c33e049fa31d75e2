// The one sequence holder of a search run: the current FASTA record and its
// hit map, grown to the longest sequence read so far.
#ifndef QVX_SEQUENCE_H
#define QVX_SEQUENCE_H

#include <cstdio>

#include "fasta.h"
#include "qvxMatcher.h"

struct SequenceHolder {
    FastaSequence* record;
    int capacity;  // residues the hit map can describe
    HitMap hits;   // capacity + 1 entries
};

// New holder (capacity 1023), or null when an allocation fails.
SequenceHolder* NewSequenceHolder();

// Reads the next record into the holder, growing the hit map when the
// record is longer than the capacity. Returns 0 when the holder is null, at
// the end of the records, or when a record could not be read completely;
// otherwise 1. A hit map that cannot grow ends the run with a message.
int NextSequence(std::FILE* stream, SequenceHolder* holder);

// Writes the current record in FASTA form, 50 residues per line. Returns 0
// without a record.
int WriteSequence(std::FILE* stream, const SequenceHolder* holder);

// Frees the record, the hit map and the holder (null accepted).
void FreeSequenceHolder(SequenceHolder* holder);

#endif
