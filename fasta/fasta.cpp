// Record-at-a-time FASTA reader and writer (see fasta.h).
#include "fasta.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

const FastaTexts kFastaTextsTamsil = {"", "no_name", ""};
const FastaTexts kFastaTextsQvx = {"<no comment>", "<no name>", "<no comment>"};

namespace {

const int kInitialBufsize = 1024;
const size_t kNameScan = 64;      // a name is looked for within the first 64 bytes
const size_t kCommentCut = 512;   // a header line is cut at index 512 for its comment

struct Placeholders {
  std::string headerNoComment = kFastaTextsTamsil.headerNoComment;
  std::string writeNoName = kFastaTextsTamsil.writeNoName;
  std::string writeNoComment = kFastaTextsTamsil.writeNoComment;
};
Placeholders sTexts;

// The current line (line end removed), the number of bytes it took in the
// stream (line end included), and whether it was pushed back.
std::string sBuffer;
long sBufferBytes = 0;
int sRetained = 0;

int sIsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)); }

// Reads one whole line into sBuffer; false at end of input. The line feed and
// a carriage return just before it are dropped, and so are NUL bytes, which
// no C-string caller could see past.
bool sReadLine(FILE *stream) {
  sBuffer.clear();
  sBufferBytes = 0;
  int c;
  while ((c = std::getc(stream)) != EOF) {
    ++sBufferBytes;
    if (c == '\n') {
      if (!sBuffer.empty() && sBuffer.back() == '\r') sBuffer.pop_back();
      return true;
    }
    if (c != '\0') sBuffer.push_back(static_cast<char>(c));
  }
  return sBufferBytes > 0;
}

// Next line of the stream, skipping empty ones, or null at end of input.
// (0, 1): next line, honouring a pushed-back one; (1, 1): push the current
// line back; (0, 0): next line from the stream, dropping a pushed-back one.
const std::string *sNextIOBuffer(FILE *stream, int retain, int useRetained) {
  for (;;) {
    const bool reuse = (retain || sRetained) && useRetained;
    sRetained = retain;
    if (!reuse && !sReadLine(stream)) return nullptr;
    if (!sBuffer.empty() || reuse) return &sBuffer;
  }
}

// Pointer to the first white-space character of text[0 .. limit - 1], or null.
const char *sNextSpace(const char *text, size_t limit) {
  for (size_t i = 0; i < limit && text[i]; ++i)
    if (sIsSpace(text[i])) return text + i;
  return nullptr;
}

void sCopyText(char *dest, size_t size, const char *src) {
  std::strncpy(dest, src, size - 1);
  dest[size - 1] = '\0';
}

// Appends one residue line to the record, growing its buffer to
// 2 x total + 1 bytes when the total reaches the capacity. False when the
// buffer cannot grow.
bool sAppend(FastaSequence *seq, const std::string &line) {
  const long long total = static_cast<long long>(seq->length) + static_cast<long long>(line.size());
  if (total >= seq->bufsize) {
    const long long size = 2 * total + 1;
    if (size > INT_MAX) return false;
    char *grown = static_cast<char *>(std::realloc(seq->seq, static_cast<size_t>(size)));
    if (!grown) return false;
    seq->seq = grown;
    seq->bufsize = static_cast<int>(size);
  }
  std::memcpy(seq->seq + seq->length, line.data(), line.size());
  seq->length = static_cast<int>(total);
  return true;
}

void sSetHeader(FastaSequence *seq, const std::string &line) {
  // Name first: it is looked for in the uncut line.
  sCopyText(seq->name, sizeof seq->name, GetFastaName(line.c_str()));
  sCopyText(seq->comment, sizeof seq->comment, GetFastaComment(line.c_str()));
}

}  // namespace

void SetFastaTexts(const FastaTexts &texts) {
  sTexts.headerNoComment = texts.headerNoComment;
  sTexts.writeNoName = texts.writeNoName;
  sTexts.writeNoComment = texts.writeNoComment;
}

FastaSequence *NewFastaSequence() {
  FastaSequence *seq = static_cast<FastaSequence *>(std::malloc(sizeof(FastaSequence)));
  if (!seq) return nullptr;
  seq->seq = static_cast<char *>(std::malloc(kInitialBufsize));
  if (!seq->seq) {
    std::free(seq);
    return nullptr;
  }
  seq->ok = 1;
  seq->length = 0;
  seq->offset = -1;
  seq->bufsize = kInitialBufsize;
  seq->name[0] = '\0';
  seq->comment[0] = '\0';
  seq->seq[0] = '\0';
  return seq;
}

FastaSequence *FreeFastaSequence(FastaSequence *seq) {
  if (seq) {
    std::free(seq->seq);
    std::free(seq);
  }
  return nullptr;
}

char *GetFastaName(const char *line) {
  static char name[64];
  size_t i = (line[0] == '>') ? 1 : 0;
  while (i < kNameScan && line[i] && sIsSpace(line[i])) ++i;
  size_t n = 0;
  while (i < kNameScan && line[i] && !sIsSpace(line[i])) name[n++] = line[i++];
  name[n] = '\0';
  if (n == 0) sCopyText(name, sizeof name, "<no Name>");
  return name;
}

char *GetFastaComment(const char *line) {
  static char comment[512];
  const char *space = sNextSpace(line, kCommentCut);
  if (!space) {
    sCopyText(comment, sizeof comment, sTexts.headerNoComment.c_str());
    return comment;
  }
  const size_t from = static_cast<size_t>(space - line) + 1;
  size_t n = 0;
  while (from + n < kCommentCut && line[from + n]) {
    comment[n] = line[from + n];
    ++n;
  }
  comment[n] = '\0';
  return comment;
}

int ReadFastaSequence(FILE *streamin, FastaSequence *seq) {
  seq->ok = 0;
  seq->length = 0;
  const std::string *line = sNextIOBuffer(streamin, 0, 1);
  if (!line || (*line)[0] != '>') return 0;
  // The header is the last line taken from the stream (read now, or read and
  // pushed back by the previous call), so the stream stands just after it.
  const long pos = std::ftell(streamin);
  seq->offset = pos < 0 ? -1 : pos - sBufferBytes;
  sSetHeader(seq, *line);
  for (;;) {
    line = sNextIOBuffer(streamin, 0, 1);
    if (!line) break;
    if ((*line)[0] == '>') {
      sNextIOBuffer(streamin, 1, 1);
      break;
    }
    if (!sAppend(seq, *line)) return 1;
  }
  seq->seq[seq->length] = '\0';
  seq->ok = 1;
  return 1;
}

int GetFastaSequence(FILE *streamin, FastaSequence *seq) {
  seq->ok = 0;
  seq->length = 0;
  if (seq->offset < 0 || std::fseek(streamin, seq->offset, SEEK_SET) != 0) return 0;
  const std::string *line = sNextIOBuffer(streamin, 0, 0);
  if (!line || (*line)[0] != '>') return 0;
  sSetHeader(seq, *line);
  while ((line = sNextIOBuffer(streamin, 0, 0)) != nullptr && (*line)[0] != '>') {
    if (!sAppend(seq, *line)) return 0;
  }
  seq->seq[seq->length] = '\0';
  seq->ok = 1;
  return 1;
}

void WriteFastaSequence(FILE *streamout, const FastaSequence *seq, int width) {
  std::fprintf(streamout, ">%s %s\n", seq->name[0] ? seq->name : sTexts.writeNoName.c_str(),
               seq->comment[0] ? seq->comment : sTexts.writeNoComment.c_str());
  if (width < 1) width = 1;
  for (int pos = 0; pos < seq->length; pos += width) {
    const int n = (seq->length - pos < width) ? seq->length - pos : width;
    std::fwrite(seq->seq + pos, 1, static_cast<size_t>(n), streamout);
    std::fputc('\n', streamout);
  }
}

void RewindFastaDB(FILE *streamin) {
  sRetained = 0;
  if (streamin) std::rewind(streamin);
}
