#include "pelcorFiles.h"

#include <cstdio>

bool read_file(const std::string& path, std::string& content) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  content.clear();
  char block[65536];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) content.append(block, got);
  bool ok = std::ferror(file) == 0;
  std::fclose(file);
  return ok;
}

std::string genome_sequence(const std::string& fastaText) {
  std::string sequence;
  std::size_t headerEnd = fastaText.find('\n');
  if (headerEnd == std::string::npos) return sequence;
  std::size_t end = fastaText.find('>', headerEnd + 1);
  if (end == std::string::npos) end = fastaText.size();
  sequence.reserve(end - headerEnd);
  for (std::size_t k = headerEnd + 1; k < end; ++k) {
    char c = fastaText[k];
    if (c == '\n') continue;
    if (c == '\r' && k + 1 < fastaText.size() && fastaText[k + 1] == '\n') continue;
    sequence.push_back(c);
  }
  return sequence;
}

long fasta_getsize(const std::string& path) {
  std::string text;
  if (!read_file(path, text)) return -1;
  return static_cast<long>(genome_sequence(text).size());
}

bool load_genome_sequence(const std::string& path, std::string& sequence) {
  std::string text;
  if (!read_file(path, text)) return false;
  sequence = genome_sequence(text);
  return true;
}

void flush_output(std::string& buffer) {
  std::fwrite(buffer.data(), 1, buffer.size(), stdout);
  buffer.clear();
}

bool finish_output() {
  if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return true;
  std::fputs("Error while writing the standard output\n", stderr);
  return false;
}

void report_bad_record(const std::string& path, long record) {
  std::fflush(stdout);
  std::fprintf(stderr, "Bad record %ld in \"%s\": a field is missing, not numeric or out of range\n",
               record, path.c_str());
}
