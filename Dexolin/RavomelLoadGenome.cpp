#include "RavomelLoadGenome.h"

#include <array>
#include <cstdlib>

namespace dexolin {

namespace {

using LetterMap = std::array<char, 256>;

LetterMap makeLetterMap(const char* from, const char* to)
{
    LetterMap map;
    map.fill('N');
    for (int k = 0; from[k] != '\0'; ++k) map[static_cast<unsigned char>(from[k])] = to[k];
    return map;
}

const LetterMap directLetter = makeLetterMap("AaCcGgTt", "AACCGGTT");
const LetterMap complementLetter = makeLetterMap("AaCcGgTt", "TTGGCCAA");

const int lineWidth = 60;

// Collects the letters of one record and writes them 60 to a line.
struct LineWriter {
    char text[lineWidth + 1];
    int filled = 0;
};

void putLetter(LineWriter& writer, char letter)
{
    writer.text[writer.filled++] = letter;
    if (writer.filled == lineWidth) {
        writer.text[lineWidth] = '\n';
        std::fwrite(writer.text, 1, lineWidth + 1, stdout);
        writer.filled = 0;
    }
}

void flushLetters(LineWriter& writer)
{
    std::fwrite(writer.text, 1, static_cast<std::size_t>(writer.filled), stdout);
    writer.filled = 0;
}

// Letter of genome position p as mapped by `map`; N outside the genome.
char letterAt(const GENOME& genome, long long p, const LetterMap& map)
{
    if (p < 1 || p > genome.length) return 'N';
    return map[static_cast<unsigned char>(genome.sequence[static_cast<std::size_t>(p - 1)])];
}

bool reachesOutside(const GENOME& genome, const CDS& cds)
{
    for (int s = 0; s < cds.nbCds; ++s) {
        const POSITION& segment = cds.pos[static_cast<std::size_t>(s)];
        if (segment.begin <= segment.end && (segment.begin < 1 || segment.end > genome.length)) {
            return true;
        }
    }
    return false;
}

} // namespace

GENOME& loadGenomeSequenceFromFile(std::FILE* file, GENOME& genome)
{
    std::string& sequence = genome.sequence;
    sequence.clear();
    bool inHeader = false;
    bool pendingReturn = false;  // a CR that is a letter unless a LF follows
    char buffer[1 << 16];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        for (std::size_t k = 0; k < count; ++k) {
            const char c = buffer[k];
            if (inHeader) {
                inHeader = c != '\n';
                continue;
            }
            if (pendingReturn) {
                pendingReturn = false;
                if (c == '\n') continue;
                appendChar(sequence, '\r');
            }
            if (c == '\r') {
                pendingReturn = true;
            } else if (c == '>') {
                inHeader = true;
            } else if (c != ' ' && c != '\t' && c != '\n') {
                appendChar(sequence, c);
            }
        }
    }
    if (pendingReturn) appendChar(sequence, '\r');
    genome.length = static_cast<int>(sequence.size());
    return genome;
}

int printCds(const GENOME& genome, const CDS& cds)
{
    std::fputc('>', stdout);
    std::fwrite(cds.label.data(), 1, cds.label.size(), stdout);
    std::fputc('\n', stdout);
    if (cds.nbCds == 0) {
        std::fputs("Erreur dans le formatage des donnees\n", stderr);
        std::exit(1);
    }
    if (reachesOutside(genome, cds)) {
        std::fprintf(stderr,
                     "Warning : CDS %s reaches outside the genome (1..%d), "
                     "positions outside it are written as N\n",
                     cds.label.c_str(), genome.length);
    }

    LineWriter writer;
    if (cds.strand > 0) {
        for (int s = 0; s < cds.nbCds; ++s) {
            const POSITION& segment = cds.pos[static_cast<std::size_t>(s)];
            for (long long p = segment.begin; p <= segment.end; ++p) {
                putLetter(writer, letterAt(genome, p, directLetter));
            }
        }
    } else {
        for (int s = cds.nbCds - 1; s >= 0; --s) {
            const POSITION& segment = cds.pos[static_cast<std::size_t>(s)];
            for (long long p = segment.end; p >= segment.begin; --p) {
                putLetter(writer, letterAt(genome, p, complementLetter));
            }
        }
    }
    flushLetters(writer);
    std::fputc('\n', stdout);
    return 1;
}

} // namespace dexolin
