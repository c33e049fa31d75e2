// trevane: detects frameshifts from coding-probability curves and two CDS
// lists, and reports them as raw lines or HTML pages (one per curve).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "memoryAllocation.h"
#include "trevaneCompute.h"
#include "trevaneLoadFromFile.h"
#include "trevaneReport.h"

namespace {

const char separator[] = "--------------------------------------\n";

const char usage[] =
    "\nUsage of  TREVANE:\n"
    "\t-c <curve_file> (this program accept 3 differents curve files trevane\n"
    "\t-l <cds_lst_file> : cds list (find with tamsil_orf for example)\n"
    "\t-f <cds_comb> : filtered cds file (computed by Selvigo for example)\n"
    "\t-w <value> : change the window where the codage probability mean is computed "
    "(maximum value 1.0)\n"
    "\t-t <value> : change threshold (<1.0)\n"
    "\t-r : raw output\n"
    "\t-d : database format output\n"
    "\t-o : web format output\n\n";

[[noreturn]] void argumentError()
{
    std::fputs("Error :\n\tCheck your arguments\n", stderr);
    std::exit(1);
}

void progress(const char* text) { std::fprintf(stderr, "%s\n%s", text, separator); }

// Value of a numeric option; a missing value is an argument error.
const char* numericValue(const char* argument)
{
    if (argument == nullptr) argumentError();
    return argument;
}

int lastPosition(const PK& pk) { return pk.nb >= 0 ? pk.n[pk.nb].posNuc : 0; }

void printReport(RES& res, char display, int fw, int fstep, float ftgm, float startPercentage)
{
    if (display == 'r') {
        printRawResult(res, startPercentage, ftgm);
    } else {
        printWebResults(res, fw, fstep, ftgm, startPercentage);
    }
}

} // namespace

// Copy of `argument` (the option's value) stored in `filename`.
std::string& getFileName(std::string& filename, const char* argument)
{
    if (argument == nullptr) argumentError();
    allocString(filename, static_cast<int>(std::char_traits<char>::length(argument)) + 1);
    filename = argument;
    return filename;
}

// Stores a copy of `argument` at index `nb` of `filename`, which grows by one.
std::vector<std::string>& getCurveFileName(std::vector<std::string>& filename,
                                           const char* argument, int nb)
{
    if (argument == nullptr) argumentError();
    filename.resize(static_cast<std::size_t>(nb) + 1);
    getFileName(filename[static_cast<std::size_t>(nb)], argument);
    return filename;
}

int main(int argc, char** argv)
{
    std::fprintf(stderr, "\n%s", trevaneBlockLetters);
    std::fprintf(stderr,
                 "\n\n--------------------------------------\n<|*.*.*.*.Trevane Start.*.*.*.*|>\n"
                 "Trevane is an Zorvan tool for \ndetecting FrameShift \ncoding by %s\n"
                 "--------------------------------------\n",
                 trevaneContact);
    std::fputs("01 04 2004 VERSION\n", stderr);

    std::vector<std::string> fileNameCurve;
    int nbCurveFile = 0;
    std::string filteredCdsFile;
    std::string cdsFile;
    bool hasFilteredCdsFile = false;
    bool hasCdsFile = false;
    char display = 'w';
    int fw = 0;
    int fstep = 0;
    float ftgm = 0;
    float startPercentage = 5.0f;

    std::fprintf(stderr, "Argument number : %d\n%s", argc, separator);
    if (argc < 8 || argc > 15) {
        std::fputs(usage, stderr);
        return 1;
    }

    int nbArg = 1;
    while (nbArg != argc) {
        const char* arg = argv[nbArg];
        const char* value = argv[nbArg + 1];  // argv[argc] is a null pointer
        if (arg[0] != '-') argumentError();
        switch (arg[1]) {
        case 'c':
            getCurveFileName(fileNameCurve, value, nbCurveFile);
            ++nbCurveFile;
            break;
        case 'l':
            getFileName(cdsFile, value);
            hasCdsFile = true;
            break;
        case 'f':
            getFileName(filteredCdsFile, value);
            hasFilteredCdsFile = true;
            break;
        case 'w': fw = readInteger(numericValue(value)); break;
        case 's': fstep = readInteger(numericValue(value)); break;
        case 't': ftgm = readDecimal(numericValue(value)); break;
        case 'b':
            startPercentage = static_cast<float>(readInteger(numericValue(value)));
            break;
        case 'r':
        case 'd': display = arg[1]; break;
        case 'o': display = 'w'; break;
        default: argumentError();
        }
        nbArg += (arg[1] == 'r' || arg[1] == 'd' || arg[1] == 'o') ? 1 : 2;
    }
    // Every run needs its three inputs, and the walk needs a positive step
    // and a positive threshold to move and to stop.
    if (nbCurveFile == 0 || !hasFilteredCdsFile || !hasCdsFile) argumentError();
    if (fstep < 0 || ftgm < 0) argumentError();

    if (ftgm == 0) ftgm = 0.5f;
    if (fstep == 0) fstep = 2;
    if (fw == 0) fw = 30;
    std::fputs("Arguments Fetched\n", stderr);
    std::fprintf(stderr,
                 "With : \n\tCurve Files: %s\n\tFiltered Cds File: %s\n\tNon Filtered Cds: "
                 "%s\n\tDisplay Type: %c\n\ttgm : %f\n\tw : %d\n\tstep : %d\n\n%s",
                 fileNameCurve[0].c_str(), filteredCdsFile.c_str(), cdsFile.c_str(), display,
                 static_cast<double>(ftgm), fw, fstep, separator);

    // Curve 1 is the last -c name given, curve 2 the one before, curve 3 the
    // one before that; at most three curves are analysed.
    const int nbCurves = std::min(nbCurveFile, 3);
    std::vector<PK> pk(static_cast<std::size_t>(nbCurves));
    CDS cds;
    CDSBEFOREFILTER cdsPreFilter;
    const char* const loaded[] = {"Curve Files 1 Loaded", "Curve Files 2 Loaded",
                                  "Curve Files 3 Loaded"};
    if (nbCurves == 1) {
        cds = loadCdsFile(filteredCdsFile);
        progress("Filtered Cds File Loaded");
        cdsPreFilter = loadCdsBeforeFilterFile(cdsFile);
        progress("Non Filtered Cds File Loaded");
        pk[0] = loadCurveFile(fileNameCurve, nbCurveFile - 1);
        progress(loaded[0]);
    } else {
        for (int c = 0; c < nbCurves; ++c) {
            pk[c] = loadCurveFile(fileNameCurve, nbCurveFile - 1 - c);
            progress(loaded[c]);
        }
        cds = loadCdsFile(filteredCdsFile);
        progress("Filtered Cds File Loaded");
        cdsPreFilter = loadCdsBeforeFilterFile(cdsFile);
        progress("Non Filtered Cds File Loaded");
    }
    progress("Start Computing ...");

    // One map for every curve, long enough for the longest of them.
    int mapEnd = 0;
    for (const PK& curve : pk) mapEnd = std::max(mapEnd, lastPosition(curve));
    const BK bk = booleanAffectation(cdsPreFilter, mapEnd);
    progress("Boolean Affectation Ended");

    const char* const determined[] = {"Determine Frame Shift 1 Ended",
                                      "Determine Frame Shift 2 Ended",
                                      "Determine Frame Shift 3 Ended"};
    std::vector<RES> res(static_cast<std::size_t>(nbCurves));
    for (int c = 0; c < nbCurves; ++c) {
        res[c] = determineFrameShift(pk[c], bk, cdsPreFilter, cds, fw, fstep, ftgm);
        progress(nbCurves == 1 ? "Determine Frame Shift Ended" : determined[c]);
    }
    for (RES& result : res) printReport(result, display, fw, fstep, ftgm, startPercentage);
    return reportsWritten() ? 0 : 1;
}
