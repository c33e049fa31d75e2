// Record-at-a-time FASTA reader and writer.
//
// One FastaSequence record is reused for every record of a stream:
//
//   FastaSequence *seq = NewFastaSequence();
//   while (ReadFastaSequence(stdin, seq)) {
//     if (!seq->ok) { /* the record could not be held: report it */ continue; }
//     /* seq->name, seq->comment, seq->seq (seq->length residues) */
//   }
//   seq = FreeFastaSequence(seq);
//
// Lines of any length are read whole; the line end is a line feed, with or
// without a carriage return before it. Empty lines are skipped. Residue
// lines are concatenated as read (no change of case, nothing removed).
//
// The library keeps one pushed-back line, so it reads one stream at a time.
// It prints nothing: callers report problems.
#ifndef FASTA_FASTA_H
#define FASTA_FASTA_H

#include <cstdio>

struct FastaSequence {
  int ok;             // 1 when the record holds a complete sequence
  int length;         // residues held in seq
  long offset;        // file position of the header line; -1 in a new record
  int bufsize;        // capacity of seq in bytes
  char name[64];      // first word of the header (at most 63 characters)
  char comment[512];  // rest of the header line (at most 511 characters)
  char *seq;          // residues, NUL-terminated after a successful read
};

// The three placeholder texts that differ between the programs using the
// library. Each program sets its own before reading or writing.
struct FastaTexts {
  const char *headerNoComment;  // comment of a header line holding no white space
  const char *writeNoName;      // name written when the record's name is empty
  const char *writeNoComment;   // comment written when the record's comment is empty
};

// Texts of tamsil_score: "", "no_name", "" (the setting in force until changed).
extern const FastaTexts kFastaTextsTamsil;
// Texts of qvx: "<no comment>", "<no name>", "<no comment>".
extern const FastaTexts kFastaTextsQvx;

// Selects the placeholder texts (copied; the argument need not outlive the call).
void SetFastaTexts(const FastaTexts &texts);

// New empty record (ok 1, length 0, offset -1, a 1024-byte buffer), or null
// when an allocation fails.
FastaSequence *NewFastaSequence();

// Frees the record and its buffer (null accepted); always returns null.
FastaSequence *FreeFastaSequence(FastaSequence *seq);

// Reads the next record of the stream into seq. Returns 0 when there is no
// further record (end of input, or the next line is not a header); 1 when a
// record was read, seq->ok telling whether it is complete (0 when its buffer
// could not grow).
int ReadFastaSequence(FILE *streamin, FastaSequence *seq);

// Reads again the record whose header starts at seq->offset (positions
// recorded by a sequential scan from the start of a seekable stream).
// Returns 1 on success, 0 otherwise.
int GetFastaSequence(FILE *streamin, FastaSequence *seq);

// Writes the record: '>' name ' ' comment, then the residues, `width`
// (at least 1) per line.
void WriteFastaSequence(FILE *streamout, const FastaSequence *seq, int width);

// Forgets a pushed-back line, then rewinds the stream (when not null).
void RewindFastaDB(FILE *streamin);

// Name of a header line (with its leading '>'): the first word within the
// line's first 64 bytes, or "<no Name>". Returns a static buffer.
char *GetFastaName(const char *line);

// Comment of a header line: what follows its first white-space character,
// within the line's first 512 bytes, or the placeholder when the line holds
// no white space. Returns a static buffer.
char *GetFastaComment(const char *line);

#endif
