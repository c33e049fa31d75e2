// Pattern file reader, syntax check and compiler of the motif search.
//
// A pattern line is the pattern, a space or tab, and the number of
// mismatches allowed. A pattern is a row of symbols: zero or more '!'
// (complement), one upper-case letter or a set "[...]" of them, then zero
// or more '#' (strict: no mismatch at that position).
#ifndef QVX_PATTERN_H
#define QVX_PATTERN_H

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "qvxAlphabet.h"

struct Pattern {
    int size;            // positions after compilation
    int alphabetSize;    // 26
    int maxMismatch;     // mismatches allowed (a negative count allows none)
    int reserved;
    std::string text;    // the pattern without white space
    int status;          // 1 new or compiled, 0 while compiling; 1 while an occurrence is reported
    int matchPos;        // 0-based start of the occurrence being reported, else -1
    int matchMismatch;   // mismatches of that occurrence, else -1
    int reserved2;
    std::vector<LetterMask> masks;  // one mask per position
    std::vector<LetterMask> aux;    // second owned array, unused by the search
};

// New empty record (alphabetSize 26, status 1, no occurrence), or null.
Pattern* NewPattern();

// Frees the record (null accepted).
void FreePattern(Pattern* pattern);

// Next pattern line of the stream, skipping comments ('/' first) and lines
// without any letter. Null at end of input, or when a line has no space or
// tab or no mismatch count there: the pattern list ends with that line.
Pattern* ReadPattern(std::FILE* stream);

// 1 when pattern.text is a valid pattern, else 0.
int CheckPatternSyntax(const Pattern& pattern);

// Index of the last character of the symbol starting text, or npos for an
// unclosed set (or an empty text).
std::size_t SymbolEnd(std::string_view text);

// Letter mask of one symbol's text under a pattern-side table.
LetterMask SymbolMask(std::string_view symbol, const AlphabetTable& table);

// STRICT_BIT when the symbol's text ends with '#', else 0.
LetterMask SymbolStrict(std::string_view symbol);

// Number of symbols of a pattern text; 0 when a set is unclosed.
int CountSymbols(std::string_view text);

// Compiles pattern.text into one mask per position for the alphabet kind.
// Returns the number of positions (also in pattern.size), 0 when the text
// holds no symbol.
int CompilePattern(Pattern& pattern, int kind);

#endif
