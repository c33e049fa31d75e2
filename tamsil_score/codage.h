// Nucleotide coding utilities of tamsil_score: error reporting, file opening,
// in-place nucleotide text operations, word codes, codons and frames.
#ifndef TAMSIL_CODAGE_H
#define TAMSIL_CODAGE_H

#include <cstdio>

// Room of one word-indexed table: 4^8 entries, for word lengths 1 to 8.
const int kMaxWords = 65536;
// Room of one prefix table: 4^7 entries.
const int kMaxPrefixWords = 16384;

// Writes "*Error* [status] message" on standard error; exits with the status
// when it is positive, otherwise returns it.
int Erreur(const char *message, int status);

// Reopens standard input on the file; 1 on success, 0 after a message.
int AssignToStdin(const char *path);

// Opens the file in the mode; the stream, or null after a message.
FILE *OpenFile(const char *path, const char *mode);

// "$TAMSIL_MATDIR/name", or the name alone when the variable is not set.
// Returns a static buffer overwritten by each call.
const char *MatrixPathName(const char *name);

// In-place operations on NUL-terminated nucleotide text.
void Complement(char *text);     // A<->T, C<->G, everything else unchanged
char *Reverse(char *text);       // null for a null text
char *Upper(char *text);
void RNAtoDNA(char *text);       // 'U' to 'T'

// Word codes: two bits per letter, A 0, C 1, G 2, T 3, anything else 0, the
// first letter most significant.
int Valeur(int c);
int ValeurComplement(int value);
int Pow4(int n);  // 0 <= n <= 8
// Code of the k letters at text; letters past the text's terminating NUL
// count as A and are never read.
int Codage(const char *text, int k);
// Code of the reverse complement of the k-letter word `code`.
int CodageComplement(int code, int k);
// Code of the word at text, given the code of the word one letter earlier.
int SuiteCodage(const char *text, int previous, int k);

// Position of the first codon of `codons` (a text such as "/TAA/TAG/TGA/")
// among the codons at from, from + 3, ... lying within from .. to, or -1.
int FindCodon(const char *seq, int length, const char *codons, int from, int to);

// Internal result slot to print for output frame i (0, 1, 2) of a sequence
// of `length` residues, on the direct (direct != 0) or reverse strand.
int InternalFrame(int i, int direct, int length);

// Reverse-strand counts of the three phases from the direct-strand ones:
// a word's count is that of its reverse complement in the matching phase.
void ComputeNegOccurences(int neg[3][kMaxWords], const int occ[3][kMaxWords], int k);

#endif
