// Dexolin: prints the sequences of the CDSs listed on standard input, taken
// from the genome FASTA file named on the command line.
#include "RavomelLoadData.h"
#include "RavomelLoadGenome.h"
#include "RavomelRecords.h"
#include "getElementFromString.h"
#include "memoryAllocation.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace dexolin {

void freeGenome(GENOME& genome)
{
    std::string().swap(genome.sequence);
    genome.length = 0;
}

void freeCds(CDS& cds)
{
    std::string().swap(cds.label);
    std::vector<POSITION>().swap(cds.pos);
    cds.nbCds = 0;
}

[[noreturn]] void helpMessage()
{
    std::fputs("\nUSAGE :\n\tFennimar.pl | Dexolin <DNA_sequence>\n", stderr);
    std::fputs("Or\n\tcat \"<label> <frame> <begin> <end> ... \"| Dexolin <DNA_sequence> \n"
               "\t(fields separated by <SPACE>|<TABULATION>)\n",
               stderr);
    std::fputs("Or\n\techo \"<label> <frame> <begin> <end> ... \"\\n | Dexolin <DNA_sequence> \n"
               "\t(fields separated by <SPACE>|<TABULATION>)\n",
               stderr);
    std::exit(1);
}

} // namespace dexolin

namespace {

// Loads the genome from the file `name`; false when the file cannot be
// opened or read (a directory, an I/O error).
bool loadGenomeFile(const char* name, dexolin::GENOME& genome)
{
    std::FILE* file = std::fopen(name, "r");
    if (file == nullptr) return false;
    dexolin::loadGenomeSequenceFromFile(file, genome);
    const bool readFailed = std::ferror(file) != 0;
    std::fclose(file);
    return !readFailed;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) dexolin::helpMessage();

    const auto cds = dexolin::orFail("\n erreur de reallocation memoire de la structure cds \n",
                                     [] { return std::make_unique<dexolin::CDS>(); });
    dexolin::orFail("\n erreur de reallocation memoire de la structure cds->pos\n",
                    [&] { cds->pos.assign(1, dexolin::POSITION{}); });
    const auto genome = dexolin::orFail("\n erreur de reallocation memoire de la structure genome\n",
                                        [] { return std::make_unique<dexolin::GENOME>(); });
    allocString(genome->sequence, 1);

    if (!loadGenomeFile(argv[1], *genome)) {
        std::fprintf(stderr, "ERROR WHILE OPENING FILE /%s\n", argv[1]);
        return 1;
    }

    // Consecutive repeated lines give one record; lines without a label are skipped.
    std::string line;
    std::string lastLine;
    allocString(lastLine, 1);
    while (dexolin::readLine(stdin, line) && line[0] != '\0') {
        if (line == lastLine || !getElementFromLine(line, 1)) continue;
        reallocString(lastLine, static_cast<int>(line.size()) + 1);
        lastLine = line;
        dexolin::loadDataFromLine(line, *cds);
        dexolin::printCds(*genome, *cds);
        std::vector<dexolin::POSITION>().swap(cds->pos);
    }

    dexolin::freeCds(*cds);
    dexolin::freeGenome(*genome);
    if (std::ferror(stdin) != 0) {
        std::fputs("Error while reading the CDS lines on standard input\n", stderr);
        return 1;
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fputs("Error while writing the sequences on standard output\n", stderr);
        return 1;
    }
    return 0;
}
