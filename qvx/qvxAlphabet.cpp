#include "qvxAlphabet.h"

namespace {

// Mask of the letters listed in `letters`.
constexpr LetterMask sMaskOf(const char* letters)
{
    LetterMask mask = 0;
    for (; *letters != '\0'; ++letters) mask |= 1u << (*letters - 'A');
    return mask;
}

// Table from one letter list per letter A..Z ("" for an empty mask).
constexpr AlphabetTable sTableOf(const std::array<const char*, 26>& lists)
{
    AlphabetTable table{};
    for (int k = 0; k < 26; ++k) table[k] = sMaskOf(lists[k]);
    return table;
}

constexpr AlphabetTable sPlainTable()
{
    AlphabetTable table{};
    for (int k = 0; k < 26; ++k) table[k] = 1u << k;
    return table;
}

constexpr AlphabetTable sPlain = sPlainTable();

constexpr AlphabetTable sNucleotidePattern = sTableOf({
    "ADHMNRVW",           "BCDGHKMNRSTUVWY",    "BCHMNSVY",         "ABDGHKMNRSTUVWY",
    "",                   "",                   "BDGKNRSV",         "ABCDHKMNRSTUVWY",
    "",                   "",                   "BDGHKNRSTUVWY",    "",
    "ABCDHMNRSVWY",       "ABCDGHKMNRSTUVWY",   "",                 "",
    "",                   "ABDGHKMNRSVW",       "BCDGHKMNRSVY",     "BDHKNTUWY",
    "BDHKNTUWY",          "ABCDGHKMNRSVWY",     "ABDHKMNRTUVWY",    "ABCDGHKMNRSTUVWY",
    "BCDHKMNSTUVWY",      ""});

constexpr AlphabetTable sNucleotideSequence = sTableOf({
    "A",    "CGT",  "C",    "AGT",  "",     "",     "G",    "ACT",  "",     "",
    "GT",   "",     "AC",   "ACGT", "",     "",     "",     "AG",   "CG",   "T",
    "T",    "ACG",  "AT",   "ACGT", "CT",   ""});

constexpr const char* sAllButX = "ABCDEFGHIJKLMNOPQRSTUVWYZ";

constexpr AlphabetTable sProteinPattern = sTableOf({
    "A",    "BDN",  "C",    "BD",   "EZ",   "F",    "G",    "H",    "I",    "",
    "K",    "L",    "M",    "BN",   "",     "P",    "QZ",   "R",    "S",    "T",
    "",     "V",    "W",    sAllButX, "Y",  "EQZ"});

constexpr AlphabetTable sProteinSequence = sTableOf({
    "A",    "DN",   "C",    "D",    "E",    "F",    "G",    "H",    "I",    "",
    "K",    "L",    "M",    "N",    "",     "P",    "Q",    "R",    "S",    "T",
    "",     "V",    "W",    sAllButX, "Y",  "EQ"});

} // namespace

const AlphabetTable& PatternAlphabet(int kind)
{
    switch (kind) {
    case ALPHABET_NUCLEOTIDE: return sNucleotidePattern;
    case ALPHABET_PROTEIN: return sProteinPattern;
    default: return sPlain;
    }
}

const AlphabetTable& SequenceAlphabet(int kind)
{
    switch (kind) {
    case ALPHABET_NUCLEOTIDE: return sNucleotideSequence;
    case ALPHABET_PROTEIN: return sProteinSequence;
    default: return sPlain;
    }
}

LetterMask ResidueCode(char residue, int kind)
{
    if (residue < 'A' || residue > 'Z') return 0;
    return SequenceAlphabet(kind)[residue - 'A'];
}

void EncodeSequence(const char* residues, int length, std::vector<LetterMask>& codes, int kind)
{
    codes.resize(static_cast<std::size_t>(length) + 1);
    for (int k = 0; k < length; ++k) codes[k] = ResidueCode(residues[k], kind);
    codes[length] = END_OF_CODES;
}
