// Markov matrix files, text and binary (see matrix.h).
#include "matrix.h"

#include <cctype>
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

const char kMatrixVersion[] = "v1.2";

namespace {

const size_t kVersionSize = 16;

// Byte order: the file holds big-endian words.
uint32_t sEndian(uint32_t word) {
  return ((word & 0xFFu) << 24) | ((word & 0xFF00u) << 8) | ((word >> 8) & 0xFF00u) | (word >> 24);
}

bool sHostIsBigEndian() {
  const uint32_t one = 1;
  unsigned char first;
  std::memcpy(&first, &one, 1);
  return first == 0;
}

void sArrayEndian(uint32_t *dest, const uint32_t *src, size_t n) {
  if (sHostIsBigEndian()) {
    std::memcpy(dest, src, n * sizeof(uint32_t));
    return;
  }
  for (size_t i = 0; i < n; ++i) dest[i] = sEndian(src[i]);
}

int sToInt(uint32_t word) { return static_cast<int32_t>(word); }
uint32_t sToWord(int value) { return static_cast<uint32_t>(value); }

// Reads one integer as "%d" does (white space skipped, optional sign, digits);
// a value that does not fit in an int is not accepted.
bool sScanInt(FILE *stream, int *value) {
  int c;
  do {
    c = std::getc(stream);
  } while (c != EOF && std::isspace(c));
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = (c == '-');
    c = std::getc(stream);
  }
  if (c == EOF || !std::isdigit(c)) {
    if (c != EOF) std::ungetc(c, stream);
    return false;
  }
  long long magnitude = 0;
  bool fits = true;
  for (; c != EOF && std::isdigit(c); c = std::getc(stream)) {
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > static_cast<long long>(INT_MAX) + 1) {
      fits = false;
      magnitude = static_cast<long long>(INT_MAX) + 1;
    }
  }
  if (c != EOF) std::ungetc(c, stream);
  const long long signedValue = negative ? -magnitude : magnitude;
  if (!fits || signedValue > INT_MAX || signedValue < INT_MIN) return false;
  *value = static_cast<int>(signedValue);
  return true;
}

// Reads one white-space-delimited word as "%s" does; false at end of input.
bool sScanWord(FILE *stream, std::string *word) {
  int c;
  do {
    c = std::getc(stream);
  } while (c != EOF && std::isspace(c));
  word->clear();
  for (; c != EOF && !std::isspace(c); c = std::getc(stream)) word->push_back(static_cast<char>(c));
  if (c != EOF) std::ungetc(c, stream);
  return !word->empty();
}

bool sLengthsValid(const MarkovMatrix *mat) {
  return mat->codingLen >= 1 && mat->codingLen <= 8 && mat->nonCodingLen >= 1 &&
         mat->nonCodingLen <= 8 && mat->codingWords == Pow4(mat->codingLen) &&
         mat->nonCodingWords == Pow4(mat->nonCodingLen);
}

void sCheckOccurences(int *table, int n) {
  for (int i = 0; i < n; ++i)
    if (table[i] == 0) table[i] = 1;
}

void sCheckAllOccurences(MarkovMatrix *mat) {
  for (int p = 0; p < 3; ++p) {
    sCheckOccurences(mat->occurences[p], mat->codingWords);
    sCheckOccurences(mat->negOccurences[p], mat->codingWords);
  }
  sCheckOccurences(mat->nonCodingOccurences, mat->nonCodingWords);
}

int sReadMatrixHeaderAscii(MarkovMatrix *mat, FILE *stream) {
  std::string version;
  if (!sScanWord(stream, &version)) return 0;
  int fields[4] = {0, 0, 0, 0};
  for (int &field : fields)
    if (!sScanInt(stream, &field)) break;
  mat->codingLen = fields[0];
  mat->nonCodingLen = fields[1];
  mat->codingWords = fields[2];
  mat->nonCodingWords = fields[3];
  // The version field holds at most 15 characters and its NUL.
  if (version.size() >= kVersionSize) return 0;
  std::memset(mat->version, 0, kVersionSize);
  std::memcpy(mat->version, version.data(), version.size());
  return sLengthsValid(mat) && version == kMatrixVersion;
}

int sReadMatrixBodyAscii(MarkovMatrix *mat, FILE *stream) {
  bool good = true;
  for (int w = 0; w < mat->codingWords && good; ++w)
    for (int p = 0; p < 3 && good; ++p) good = sScanInt(stream, &mat->occurences[p][w]);
  ComputeNegOccurences(mat->negOccurences, mat->occurences, mat->codingLen);
  for (int w = 0; w < mat->nonCodingWords && good; ++w)
    good = sScanInt(stream, &mat->nonCodingOccurences[w]);
  if (good) sCheckAllOccurences(mat);
  return good;
}

bool sReadWord(FILE *stream, int *value) {
  uint32_t word;
  if (std::fread(&word, sizeof word, 1, stream) != 1) return false;
  uint32_t host;
  sArrayEndian(&host, &word, 1);
  *value = sToInt(host);
  return true;
}

int sReadMatrixHeaderBinary(MarkovMatrix *mat, FILE *stream) {
  bool good = std::fread(mat->version, 1, kVersionSize, stream) == kVersionSize &&
              std::memcmp(mat->version, kMatrixVersion, sizeof kMatrixVersion) == 0;
  good = sReadWord(stream, &mat->codingLen) && good && mat->codingLen >= 1 && mat->codingLen <= 8;
  good = sReadWord(stream, &mat->nonCodingLen) && good && mat->nonCodingLen >= 1 &&
         mat->nonCodingLen <= 8;
  // The stored word counts are read but not trusted: they follow from the lengths.
  good = sReadWord(stream, &mat->codingWords) && good;
  good = sReadWord(stream, &mat->nonCodingWords) && good;
  if (good) {
    mat->codingWords = Pow4(mat->codingLen);
    mat->nonCodingWords = Pow4(mat->nonCodingLen);
  }
  return good;
}

size_t sReadTable(FILE *stream, int *table, int n, std::vector<uint32_t> &temp) {
  const size_t count = std::fread(temp.data(), sizeof(uint32_t), static_cast<size_t>(n), stream);
  sArrayEndian(temp.data(), temp.data(), static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) table[i] = sToInt(temp[static_cast<size_t>(i)]);
  return count;
}

int sReadMatrixBodyBinary(MarkovMatrix *mat, FILE *stream) {
  std::vector<uint32_t> temp(kMaxWords, 0);
  size_t count = 0;
  for (int p = 0; p < 3; ++p) count += sReadTable(stream, mat->occurences[p], mat->codingWords, temp);
  ComputeNegOccurences(mat->negOccurences, mat->occurences, mat->codingLen);
  count += sReadTable(stream, mat->nonCodingOccurences, mat->nonCodingWords, temp);
  const bool good = count == 3 * static_cast<size_t>(mat->codingWords) +
                                 static_cast<size_t>(mat->nonCodingWords);
  if (good) sCheckAllOccurences(mat);
  return good;
}

int sWriteMatrixHeaderAscii(const MarkovMatrix *mat, FILE *stream) {
  if (!sLengthsValid(mat)) return 0;
  return std::fprintf(stream, "%.15s %d %d %d %d\n", mat->version, mat->codingLen,
                      mat->nonCodingLen, mat->codingWords, mat->nonCodingWords) > 0;
}

int sWriteMatrixBodyAscii(const MarkovMatrix *mat, FILE *stream) {
  bool good = true;
  for (int w = 0; w < mat->codingWords; ++w) {
    for (int p = 0; p < 3 && good; ++p) good = std::fprintf(stream, "%d\t", mat->occurences[p][w]) > 0;
    std::fputc('\n', stream);
  }
  for (int w = 0; w < mat->nonCodingWords && good; ++w)
    good = std::fprintf(stream, "%d\n", mat->nonCodingOccurences[w]) > 0;
  return good;
}

bool sWriteWord(FILE *stream, int value) {
  const uint32_t host = sToWord(value);
  uint32_t word;
  sArrayEndian(&word, &host, 1);
  return std::fwrite(&word, sizeof word, 1, stream) == 1;
}

int sWriteMatrixHeaderBinary(const MarkovMatrix *mat, FILE *stream) {
  if (!sLengthsValid(mat)) return 0;
  char block[kVersionSize] = {};
  std::memcpy(block, mat->version, strnlen(mat->version, kVersionSize - 1));
  bool good = std::fwrite(block, 1, kVersionSize, stream) == kVersionSize;
  good = sWriteWord(stream, mat->codingLen) && good;
  good = sWriteWord(stream, mat->nonCodingLen) && good;
  good = sWriteWord(stream, mat->codingWords) && good;
  good = sWriteWord(stream, mat->nonCodingWords) && good;
  return good;
}

size_t sWriteTable(FILE *stream, const int *table, int n, std::vector<uint32_t> &temp) {
  for (int i = 0; i < n; ++i) temp[static_cast<size_t>(i)] = sToWord(table[i]);
  sArrayEndian(temp.data(), temp.data(), static_cast<size_t>(n));
  return std::fwrite(temp.data(), sizeof(uint32_t), static_cast<size_t>(n), stream);
}

int sWriteMatrixBodyBinary(const MarkovMatrix *mat, FILE *stream) {
  std::vector<uint32_t> temp(kMaxWords, 0);
  size_t count = 0;
  for (int p = 0; p < 3; ++p) count += sWriteTable(stream, mat->occurences[p], mat->codingWords, temp);
  count += sWriteTable(stream, mat->nonCodingOccurences, mat->nonCodingWords, temp);
  return count == 3 * static_cast<size_t>(mat->codingWords) + static_cast<size_t>(mat->nonCodingWords);
}

int sReport(const char *message) {
  Erreur(message, 0);
  return 0;
}

}  // namespace

int ReadMatrix(MarkovMatrix *mat, int ascii, FILE *stream) {
  if (ascii) {
    if (!sReadMatrixHeaderAscii(mat, stream)) return sReport("Invalid ascii matrix header");
    if (!sReadMatrixBodyAscii(mat, stream)) return sReport("Invalid ascii matrix body");
  } else {
    if (!sReadMatrixHeaderBinary(mat, stream)) return sReport("Invalid binary matrix header");
    if (!sReadMatrixBodyBinary(mat, stream)) return sReport("Invalid binary matrix body");
  }
  return 1;
}

int WriteMatrix(const MarkovMatrix *mat, int ascii, FILE *stream) {
  if (ascii) {
    if (!sWriteMatrixHeaderAscii(mat, stream)) return sReport("Invalid ascii matrix header");
    if (!sWriteMatrixBodyAscii(mat, stream)) return sReport("Invalid ascii matrix body");
  } else {
    if (!sWriteMatrixHeaderBinary(mat, stream)) return sReport("Invalid binary matrix header");
    if (!sWriteMatrixBodyBinary(mat, stream)) return sReport("Invalid binary matrix body");
  }
  return 1;
}
