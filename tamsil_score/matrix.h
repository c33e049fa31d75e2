// Markov matrix record and its files, text and binary.
//
// Text form: a header line "version codingLen nonCodingLen codingWords
// nonCodingWords", then one line per coding word with its three phase counts,
// then one line per non-coding word count (any white space separates values).
// Binary form: the version in 16 NUL-padded bytes, the four header integers,
// the coding counts phase by phase, then the non-coding counts; every
// integer is a big-endian signed 32-bit value.
#ifndef TAMSIL_MATRIX_H
#define TAMSIL_MATRIX_H

#include <cstdio>

#include "codage.h"

struct MarkovMatrix {
  int codingLen;       // coding word length, 1 to 8
  int nonCodingLen;    // non-coding word length, 1 to 8
  int codingWords;     // 4^codingLen
  int nonCodingWords;  // 4^nonCodingLen
  int occurences[3][kMaxWords];     // direct-strand coding counts by phase
  int negOccurences[3][kMaxWords];  // reverse-strand counts, derived after reading
  int nonCodingOccurences[kMaxWords];
  double probaCond[3][kMaxWords];   // log10 tables, filled by ProbaCond
  double negProbaCond[3][kMaxWords];
  double nonCodingProbaCond[kMaxWords];
  double probaInit[3][kMaxPrefixWords];
  double negProbaInit[3][kMaxPrefixWords];
  double nonCodingProbaInit[kMaxPrefixWords];
  char version[16];
};

// The format version written and accepted.
extern const char kMatrixVersion[];

// Reads a matrix (text form when `ascii` is non-zero) from an open stream,
// derives the reverse-strand counts and raises zero counts to 1.
// 1 on success; 0 after reporting the failure through Erreur.
int ReadMatrix(MarkovMatrix *mat, int ascii, FILE *stream);

// Writes the matrix's version, lengths and counts. 1 on success; 0 after
// reporting the failure through Erreur.
int WriteMatrix(const MarkovMatrix *mat, int ascii, FILE *stream);

#endif
