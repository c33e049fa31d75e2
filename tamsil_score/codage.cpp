// Nucleotide coding utilities of tamsil_score (see codage.h).
#include "codage.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

int sTable[9];
int sInited = 0;

uint32_t sTriplet(const char *p) {
  return (static_cast<uint32_t>(static_cast<unsigned char>(p[0])) << 16) |
         (static_cast<uint32_t>(static_cast<unsigned char>(p[1])) << 8) |
         static_cast<uint32_t>(static_cast<unsigned char>(p[2]));
}

}  // namespace

int Erreur(const char *message, int status) {
  std::fprintf(stderr, "*Error* [%d] %s\n", status, message);
  std::fflush(stderr);
  if (status > 0) std::exit(status);
  return status;
}

int AssignToStdin(const char *path) {
  // A directory opens for reading but yields no data: refused like a missing file.
  struct stat info;
  if (std::freopen(path, "r", stdin) && !(fstat(fileno(stdin), &info) == 0 && S_ISDIR(info.st_mode)))
    return 1;
  const std::string message = std::string("cant open file ") + path + " to read";
  Erreur(message.c_str(), 0);
  return 0;
}

FILE *OpenFile(const char *path, const char *mode) {
  FILE *stream = std::fopen(path, mode);
  if (!stream) {
    const std::string message = std::string("cant open file ") + path + " in mode " + mode;
    Erreur(message.c_str(), 0);
  }
  return stream;
}

const char *MatrixPathName(const char *name) {
  static std::string path;
  const char *dir = std::getenv("TAMSIL_MATDIR");
  path = dir ? std::string(dir) + "/" + name : std::string(name);
  return path.c_str();
}

void Complement(char *text) {
  for (; *text; ++text) {
    switch (*text) {
      case 'A': *text = 'T'; break;
      case 'T': *text = 'A'; break;
      case 'C': *text = 'G'; break;
      case 'G': *text = 'C'; break;
      default: break;
    }
  }
}

char *Reverse(char *text) {
  if (!text) return nullptr;
  std::reverse(text, text + std::strlen(text));
  return text;
}

char *Upper(char *text) {
  for (char *p = text; *p; ++p) *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
  return text;
}

void RNAtoDNA(char *text) {
  for (; *text; ++text)
    if (*text == 'U') *text = 'T';
}

int Valeur(int c) {
  switch (c) {
    case 'A': return 0;
    case 'C': return 1;
    case 'G': return 2;
    case 'T': return 3;
    default: return 0;
  }
}

int ValeurComplement(int value) {
  return (value >= 0 && value <= 3) ? 3 - value : 0;
}

int Pow4(int n) {
  if (!sInited) {
    sTable[0] = 1;
    for (int i = 1; i <= 8; ++i) sTable[i] = 4 * sTable[i - 1];
    sInited = 1;
  }
  return sTable[n];
}

int Codage(const char *text, int k) {
  int code = 0;
  for (int i = 0; i < k; ++i) {
    code = code * 4 + Valeur(*text);
    if (*text) ++text;  // past the end every letter reads as the NUL, coded A
  }
  return code;
}

int CodageComplement(int code, int k) {
  int result = 0;
  for (int i = 0; i < k; ++i) {
    result = result * 4 + ValeurComplement(code % 4);
    code /= 4;
  }
  return result;
}

int SuiteCodage(const char *text, int previous, int k) {
  return (previous * 4 + Valeur(text[k - 1])) & (Pow4(k) - 1);
}

// A codon is listed when its three letters occur anywhere in the list text.
// The list's three-letter pieces are sorted once, then each codon is looked
// up by binary search instead of a scan of the whole list.
int FindCodon(const char *seq, int length, const char *codons, int from, int to) {
  const int last = length - 1;
  int start = std::min(std::max(from, 0), last);
  int end = std::min(std::max(to, start), last);
  const int count = (end - start + 1) / 3;
  if (count <= 0) return -1;

  std::vector<uint32_t> listed;
  const size_t listLen = std::strlen(codons);
  for (size_t i = 0; i + 3 <= listLen; ++i) listed.push_back(sTriplet(codons + i));
  std::sort(listed.begin(), listed.end());

  for (int n = 0; n < count; ++n) {
    const int pos = start + 3 * n;
    if (std::binary_search(listed.begin(), listed.end(), sTriplet(seq + pos))) return pos;
  }
  return -1;
}

int InternalFrame(int i, int direct, int length) {
  if (direct) return (3 - i) % 3;
  return (3 - ((((length + 1) % 3) - i + 5) % 3)) % 3;
}

void ComputeNegOccurences(int neg[3][kMaxWords], const int occ[3][kMaxWords], int k) {
  const int words = Pow4(k);
  for (int p = 0; p < 3; ++p) {
    const int q = (3 - ((k + p) % 3)) % 3;
    for (int w = 0; w < words; ++w) neg[p][w] = occ[q][CodageComplement(w, k)];
  }
}
