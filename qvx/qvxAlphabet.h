// Letter masks and the three alphabets of the motif search.
//
// A mask is a 32-bit word: bits 0..25 are the letters A..Z, bit 26 marks a
// strict pattern position, and the word holding only bit 31 ends an encoded
// sequence. A pattern position and a sequence position agree when their
// masks share a letter bit.
#ifndef QVX_ALPHABET_H
#define QVX_ALPHABET_H

#include <array>
#include <cstdint>
#include <vector>

using LetterMask = std::uint32_t;
using AlphabetTable = std::array<LetterMask, 26>;  // indexed by letter - 'A'

constexpr LetterMask LETTER_BITS = (1u << 26) - 1;
constexpr LetterMask STRICT_BIT = 1u << 26;
constexpr LetterMask END_OF_CODES = 1u << 31;

// Alphabet kinds, chosen on the command line.
constexpr int ALPHABET_PLAIN = 0;       // every letter stands for itself
constexpr int ALPHABET_NUCLEOTIDE = 1;  // IUPAC nucleotide codes (-a dna)
constexpr int ALPHABET_PROTEIN = 2;     // IUPAC protein codes (-a prot)

// Pattern-side table of a kind (an unknown kind is taken as plain).
const AlphabetTable& PatternAlphabet(int kind);

// Sequence-side table of a kind (an unknown kind is taken as plain).
const AlphabetTable& SequenceAlphabet(int kind);

// Code of one residue: the sequence-side mask of an upper-case letter A..Z,
// 0 for any other character (lower case included), which agrees with nothing.
LetterMask ResidueCode(char residue, int kind);

// Codes of the first `length` residues, then END_OF_CODES; `codes` is
// resized to length + 1 entries.
void EncodeSequence(const char* residues, int length, std::vector<LetterMask>& codes, int kind);

#endif
