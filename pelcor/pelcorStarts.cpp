#include "pelcorStarts.h"

#include <algorithm>

#include "pelcorFiles.h"
#include "pelcorScan.h"

int direct_frame(long begin) { return static_cast<int>((begin - 1) % 3) + 1; }

int reverse_frame(long end, long genomeSize) {
  return -static_cast<int>((genomeSize - end) % 3) - 1;
}

long load_start_list(const std::string& text, bool reverse, long genomeSize,
                     std::vector<StartEntry>& entries) {
  entries.clear();
  TextScanner sc = make_scanner(text);
  skip_line(sc);
  skip_line(sc);
  for (long record = 1;; ++record) {
    int number = 0;
    long position = 0;
    if (!scan_literal(sc, "[")) return 0;
    ScanNumber read = scan_int(sc, number);
    if (read == SCAN_NONE) return 0;
    if (read == SCAN_OUT_OF_RANGE || !scan_literal(sc, "]")) return record;
    if (scan_long(sc, position) != SCAN_READ) return record;
    if (reverse) {
      entries.push_back(StartEntry{reverse_frame(position + 2, genomeSize), position + 2});
    } else {
      entries.push_back(StartEntry{direct_frame(position), position});
    }
    // The other fields are not used; a missing one ends the record where
    // it stops, as the formatted read does.
    long second = 0;
    int third = 0;
    std::string token;
    if (scan_long(sc, second) == SCAN_READ && scan_int(sc, third) == SCAN_READ &&
        scan_token(sc, token)) {
      skip_space(sc);
    }
  }
}

namespace {

int sBetter(bool lastWins, int a, int b) { return lastWins ? std::max(a, b) : std::min(a, b); }

}  // namespace

StartIndex build_start_index(const std::vector<StartEntry>& entries, bool lastWins) {
  StartIndex index;
  index.lastWins = lastWins;
  std::vector<int> byFrame[7];
  for (std::size_t i = 0; i < entries.size(); ++i) {
    byFrame[entries[i].frame + 3].push_back(static_cast<int>(i));
  }
  for (int f = 0; f < 7; ++f) {
    std::vector<int>& places = byFrame[f];
    std::stable_sort(places.begin(), places.end(),
                     [&](int a, int b) { return entries[a].start < entries[b].start; });
    StartFrameIndex& frame = index.frames[f];
    for (int place : places) frame.starts.push_back(entries[place].start);
    if (places.empty()) continue;
    frame.levels.push_back(places);
    for (std::size_t width = 2; width <= places.size(); width *= 2) {
      const std::vector<int>& previous = frame.levels.back();
      std::vector<int> level(places.size() - width + 1);
      for (std::size_t i = 0; i < level.size(); ++i) {
        level[i] = sBetter(lastWins, previous[i], previous[i + width / 2]);
      }
      frame.levels.push_back(std::move(level));
    }
  }
  return index;
}

long find_start(const StartIndex& index, int frame, long low, long high) {
  if (frame < -3 || frame > 3 || low > high) return -1;
  const StartFrameIndex& f = index.frames[frame + 3];
  std::size_t from = static_cast<std::size_t>(
      std::lower_bound(f.starts.begin(), f.starts.end(), low) - f.starts.begin());
  std::size_t to = static_cast<std::size_t>(
      std::upper_bound(f.starts.begin(), f.starts.end(), high) - f.starts.begin());
  if (from >= to) return -1;
  std::size_t level = 0;
  while ((std::size_t{2} << level) <= to - from) ++level;
  const std::vector<int>& best = f.levels[level];
  return sBetter(index.lastWins, best[from], best[to - (std::size_t{1} << level)]);
}

long load_start_table(const std::string& path, bool reverse, long genomeSize, StartTable& table) {
  std::string text;
  long bad = 0;
  table.entries.clear();
  if (!path.empty() && read_file(path, text)) {
    bad = load_start_list(text, reverse, genomeSize, table.entries);
  }
  table.index = build_start_index(table.entries, !reverse);
  return bad;
}
