#include "qvxReport.h"

#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace {

void sMessage(const char* kind, const std::string& text)
{
    std::fputs(kind, stderr);
    std::fputs(": ", stderr);
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
}

const char* const kSeparator = "------------------------------------------\n";

} // namespace

void WarningMessage(const std::string& text)
{
    sMessage("Warning", text);
}

void FatalError(const std::string& text, int status)
{
    sMessage("Error", text);
    std::exit(status);
}

void UsageExit()
{
    std::fputs("usage: qvx [-a dna|prot] [-c] [-h] [-m] [-o file] [-p]\n", stderr);
    std::fputs("            [-q nn] [-t] [-u] [-v]\n", stderr);
    std::fputs("       patfile datafile\n", stderr);
    std::fputs("type \"qvx -h\" for help\n", stderr);
    std::exit(kStatusUsage);
}

void HelpExit()
{
    static const char* const lines[] = {
        kSeparator,
        " Quorvex Version 1.0 Nov. 94\n",
        kSeparator,
        "synopsis : pattern searching program\n",
        "usage: qvx [options] patfile datafile\n",
        kSeparator,
        "options:\n",
        "-a dna|prot  : [A]lphabet encoding\n",
        "                use IUPAC equivalences for dna/rna\n",
        "                or proteins symbols\n",
        "                dft: no equivalences\n",
        "-c           : [C]ooccurences\n",
        "                print patterns cooccurence matrix \n",
        "-h           : [H]elp - print <this> help\n",
        "-m           : [M]ultiple occurences\n",
        "                see -q option \n",
        "-o file      : [O]utput sequences\n",
        "                additionaly output sequences into\n",
        "                 'file' in fasta format\n",
        "-p           : no [Print] - don't printout hits\n",
        "                when just counts are needed\n",
        "-q nn        : [Quorum]\n",
        "                printout result if at least nn\n",
        "                patterns are found on the sequence\n",
        "\t\t (with -m : at least nn <hits>)\n",
        "\t\t dft: # of patterns read\n",
        "-t           : [T]est sequence\n",
        "                additionnaly check if sequences are ok\n",
        "                <this slow down qvx>\n",
        "-u           : [U]pper\n",
        "                force lower->upper sequence conversion\n",
        "                <this slow down qvx>\n",
        "-v           : [V]erbose\n",
        "\n",
        "patfile  : pattern file  (see below)\n",
        "datafile : database file (see below)\n",
        kSeparator,
        "pattern file format :\n",
        "  one pattern/line\n",
        "  format : <pattern> <space> #mismatch\n",
        "           <pattern> := pattern<symbol>\n",
        "                 or     !pattern<symbol>\n",
        "                 or      pattern<symbol>#\n",
        "                 or     !pattern<symbol>#\n",
        "\t    <symbol>  := <letter>\n",
        "                 or     [<letter>....<letter>]\n",
        "           <letter>  := uppercase letter (A-Z)\n",
        "  # means that no mismatch is allowed at this position\n",
        "  ! complement the <symbol>\n",
        " [...] means that all symbols within [] are allowed\n",
        " in addition IUPAC equivalences may be used as symbols\n",
        " with the -a option\n",
        "\n",
        "example: G[DE]S#[GIV]!HP![DE]#  1\n",
        "\n",
        kSeparator,
        "datafile contains one or more sequences in\n",
        "Fasta format, with *uppercase* symbols \n",
        "\n",
    };
    for (const char* line : lines) std::fputs(line, stdout);
    std::exit(0);
}

CpuTime CurrentCpuTime()
{
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return CpuTime{usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1000000.0,
                   usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1000000.0};
}

void PrintSequenceHits(const FastaSequence& record, const HitMap& hits,
                       const std::vector<Pattern*>& patterns, int kind)
{
    std::printf("sequence: %s (%d aa)\n", record.name, record.length);
    long previous = 0;
    std::string fragment;
    for (int start = 0; start < record.length; ++start) {
        const std::uint32_t entry = hits[start];
        if (entry == 0) continue;
        for (std::size_t p = 0; p < patterns.size(); ++p) {
            if ((entry & (std::uint32_t{1} << p)) == 0) continue;
            const Pattern& pattern = *patterns[p];
            fragment.assign(record.seq + start, static_cast<std::size_t>(pattern.size));
            const long mismatches = MarkMismatches(fragment, pattern, kind);
            const long position = start + 1L;
            std::printf("[%ld]\t%ld\t%ld\t%ld\t%s\n", static_cast<long>(p + 1), position, mismatches,
                        previous == 0 ? 0L : position - previous, fragment.c_str());
            previous = position;
        }
    }
}

void PrintSummary(const CpuTime& reference, const ScanCounters& counters,
                  const std::vector<Pattern*>& patterns, const std::vector<PatternTotals>& totals)
{
    const CpuTime now = CurrentCpuTime();
    const double user = now.user - reference.user;
    const double system = now.system - reference.system;
    std::printf("\n");
    std::printf("cpu time user: %f sys: %f tot: %f", static_cast<float>(user), static_cast<float>(system),
                static_cast<float>(user + system));
    std::printf("\n");
    std::printf("\n");
    std::printf(" --- summary ---\n");
    std::printf(" # sequences scanned  : %ld\n", counters.scanned);
    std::printf(" # sequences rejected : %ld\n", counters.read - counters.scanned);
    std::printf(" # sequences printed  : %ld\n", counters.printed);
    std::printf(" # residues  scanned  : %ld\n", counters.residues);
    std::printf("\n");
    std::printf("pat#\t#hits\t#seq\t<pattern>\n");
    for (std::size_t p = 0; p < patterns.size(); ++p) {
        std::printf("[%d]\t%ld\t%ld\t%s\n", static_cast<int>(p + 1), totals[p].hits, totals[p].sequences,
                    patterns[p]->text.c_str());
    }
    std::printf("\n");
}

void PrintCooccurrences(const CooccurrenceMatrix& matrix, int count)
{
    std::printf(" pattern cooccurences :\n");
    std::printf("  ");
    for (long c = 1; c <= count; ++c) std::printf("\t[%ld]", c);
    std::printf("\n");
    for (int r = 0; r < count; ++r) {
        std::printf("[%ld]", r + 1L);
        for (int c = 0; c < count; ++c) {
            if (c < r) {
                std::printf("\t  ");
            } else {
                std::printf("\t%ld", matrix[r][c]);
            }
        }
        std::printf("\n");
    }
}

void AdvanceSpinner(int& counter, long scanned)
{
    static const char kWheel[] = "-|\\-/";
    counter = (counter + 1) % 4;
    std::fprintf(stderr, "\r%c  %ld    ", kWheel[counter], scanned);
    std::fflush(stderr);
}
