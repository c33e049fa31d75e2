// qvx: searches the sequences of a FASTA file for up to 30 patterns with
// mismatches, and reports the hits of the sequences carrying enough of them.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "fasta.h"
#include "qvxAlphabet.h"
#include "qvxBitMatcher.h"
#include "qvxMatcher.h"
#include "qvxPattern.h"
#include "qvxReport.h"
#include "qvxSequence.h"

namespace {

struct RunSettings {
    int kind = ALPHABET_PLAIN;
    bool cooccurrences = false;
    bool multiple = false;
    std::FILE* output = nullptr;
    const char* outputFile = nullptr;
    bool print = true;
    long quorum = 0;
    bool quorumGiven = false;
    bool test = false;
    bool upper = false;
    bool verbose = false;
    const char* patternFile = nullptr;
    const char* dataFile = nullptr;
};

// A whole decimal number greater than 0.
bool sReadQuorum(const char* text, long& quorum)
{
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno == ERANGE || value <= 0) return false;
    quorum = value;
    return true;
}

RunSettings sReadOptions(int argc, char* argv[])
{
    RunSettings settings;
    int errors = 0;
    int option;
    while ((option = getopt(argc, argv, "a:chmo:pq:tuv")) != -1) {
        switch (option) {
        case 'a':
            if (std::strncmp(optarg, "dna", 3) == 0) {
                settings.kind = ALPHABET_NUCLEOTIDE;
            } else if (std::strncmp(optarg, "pro", 3) == 0) {
                settings.kind = ALPHABET_PROTEIN;
            } else {
                FatalError(std::string("invalid alphabet description ") + optarg, kStatusAlphabet);
            }
            break;
        case 'c': settings.cooccurrences = true; break;
        case 'h': HelpExit();
        case 'm': settings.multiple = true; break;
        case 'o':
            if (settings.output != nullptr) std::fclose(settings.output);
            settings.output = std::fopen(optarg, "w");
            settings.outputFile = optarg;
            if (settings.output == nullptr) {
                FatalError(std::string("cannot write file: ") + optarg, kStatusOutputFile);
            }
            break;
        case 'p': settings.print = false; break;
        case 'q':
            if (sReadQuorum(optarg, settings.quorum)) {
                settings.quorumGiven = true;
            } else {
                ++errors;
            }
            break;
        case 't': settings.test = true; break;
        case 'u': settings.upper = true; break;
        case 'v': settings.verbose = true; break;
        default: ++errors; break;
        }
    }
    if (argc - optind != 2) ++errors;
    if (errors > 0) UsageExit();
    settings.patternFile = argv[optind];
    settings.dataFile = argv[optind + 1];
    return settings;
}

// Opens a file named on the command line for reading, or ends the run. A
// directory opens but cannot be read: it is refused like a missing file.
std::FILE* sOpenInput(const char* name, int status)
{
    std::FILE* stream = access(name, R_OK) == 0 ? std::fopen(name, "r") : nullptr;
    struct stat info {};
    if (stream != nullptr && fstat(fileno(stream), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(stream);
        stream = nullptr;
    }
    if (stream == nullptr) FatalError(std::string("cannot access file: ") + name, status);
    return stream;
}

// Reads, checks and compiles the patterns (at most kMaxPatterns).
std::vector<Pattern*> sReadPatterns(std::FILE* stream, int kind)
{
    std::vector<Pattern*> patterns;
    Pattern* pattern;
    while ((pattern = ReadPattern(stream)) != nullptr) {
        if (static_cast<int>(patterns.size()) == kMaxPatterns) {
            FreePattern(pattern);
            break;
        }
        const std::string number = std::to_string(patterns.size() + 1);
        // A pattern without any symbol (its line starts with the separator)
        // cannot be searched: it is reported like any other invalid pattern.
        if (CheckPatternSyntax(*pattern) == 0 || CompilePattern(*pattern, kind) == 0) {
            FatalError("syntax error in pattern #" + number, kStatusUsage);
        }
        patterns.push_back(pattern);
    }
    return patterns;
}

void sUpdateCooccurrences(CooccurrenceMatrix& matrix, int count, std::uint32_t set)
{
    for (int i = 0; i < count; ++i) {
        if ((set & (std::uint32_t{1} << i)) == 0) continue;
        for (int j = i; j < count; ++j) {
            if ((set & (std::uint32_t{1} << j)) == 0) continue;
            ++matrix[i][j];
            if (i != j) ++matrix[j][i];
        }
    }
}

// Warns about the first residue that is not an upper-case letter.
void sTestSequence(const FastaSequence& record)
{
    for (int k = 0; k < record.length; ++k) {
        const char c = record.seq[k];
        if (c >= 'A' && c <= 'Z') continue;
        WarningMessage(std::string("invalid char in sequence ") + record.name + " : [" + c + "] at pos " +
                       std::to_string(k + 1));
        return;
    }
}

void sUpperCase(FastaSequence& record)
{
    for (int k = 0; k < record.length; ++k) {
        char& c = record.seq[k];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
}

int sRun(int argc, char* argv[])
{
    SetFastaTexts(kFastaTextsQvx);
    RunSettings settings = sReadOptions(argc, argv);
    std::FILE* patternStream = sOpenInput(settings.patternFile, kStatusPatternFile);
    std::FILE* dataStream = sOpenInput(settings.dataFile, kStatusDataFile);

    std::vector<Pattern*> patterns = sReadPatterns(patternStream, settings.kind);
    std::fclose(patternStream);
    const int count = static_cast<int>(patterns.size());
    std::printf("%ld patterns read\n", static_cast<long>(count));
    if (!settings.quorumGiven) settings.quorum = count;

    std::vector<BitMatcher> matchers;
    for (const Pattern* pattern : patterns) matchers.push_back(NewBitMatcher(*pattern, settings.kind));
    std::vector<PatternTotals> totals(patterns.size(), PatternTotals{0, 0});
    ScanCounters counters{0, 0, 0, 0};
    CooccurrenceMatrix cooccurrences{};
    int spinner = 0;

    const CpuTime reference = CurrentCpuTime();
    SequenceHolder* holder = NewSequenceHolder();
    if (holder == nullptr) FatalError("not enough memory", kStatusMemory);

    while (NextSequence(dataStream, holder)) {
        FastaSequence& record = *holder->record;
        ++counters.read;
        ++counters.scanned;
        counters.residues += record.length;
        if (settings.upper) sUpperCase(record);
        if (settings.test) sTestSequence(record);

        HitMap& hits = holder->hits;
        std::fill(hits.begin(), hits.begin() + record.length, 0);
        long found = 0;
        std::uint32_t set = 0;
        for (int p = 0; p < count; ++p) {
            const std::uint32_t bit = std::uint32_t{1} << p;
            const int n = SearchPatternBits(matchers[p], record.seq, record.length, hits, bit);
            if (n > 0) {
                totals[p].hits += n;
                ++totals[p].sequences;
                found += settings.multiple ? n : 1;
                set |= bit;
            }
        }

        if (found >= settings.quorum) {
            if (settings.cooccurrences) sUpdateCooccurrences(cooccurrences, count, set);
            if (settings.output != nullptr) WriteSequence(settings.output, holder);
            if (settings.print) PrintSequenceHits(record, hits, patterns, settings.kind);
            ++counters.printed;
        }
        if (settings.verbose && counters.scanned % 1000 == 0) AdvanceSpinner(spinner, counters.scanned);
    }

    PrintSummary(reference, counters, patterns, totals);
    if (settings.cooccurrences) PrintCooccurrences(cooccurrences, count);
    // Writes that failed (a full disk) must not pass for a complete run.
    if (settings.output != nullptr) {
        const bool failed = std::ferror(settings.output) != 0;
        if (std::fclose(settings.output) != 0 || failed) {
            FatalError(std::string("cannot write file: ") + settings.outputFile, kStatusOutputFile);
        }
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        FatalError("cannot write file: standard output", kStatusOutputFile);
    }
    std::fclose(dataStream);
    FreeSequenceHolder(holder);
    for (Pattern* pattern : patterns) FreePattern(pattern);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    try {
        return sRun(argc, argv);
    } catch (const std::bad_alloc&) {
        FatalError("not enough memory", kStatusMemory);
    }
}
