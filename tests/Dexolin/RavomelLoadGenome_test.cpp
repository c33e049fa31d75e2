#include "RavomelLoadGenome.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

namespace {

dexolin::GENOME loadFrom(const std::string& content)
{
    std::FILE* file = std::tmpfile();
    std::fwrite(content.data(), 1, content.size(), file);
    std::rewind(file);
    dexolin::GENOME genome;
    dexolin::loadGenomeSequenceFromFile(file, genome);
    std::fclose(file);
    return genome;
}

// Straightforward form of the loader, one character at a time with a look
// ahead for the LF that makes a CR part of a line end.
std::string referenceSequence(const std::string& content)
{
    std::string sequence;
    for (std::size_t k = 0; k < content.size(); ++k) {
        const char c = content[k];
        if (c == '>') {
            while (k < content.size() && content[k] != '\n') ++k;
        } else if (c == '\r' && k + 1 < content.size() && content[k + 1] == '\n') {
            ++k;
        } else if (c != ' ' && c != '\t' && c != '\n') {
            sequence += c;
        }
    }
    return sequence;
}

TEST(LoadGenome, SequenceOfTable)
{
    const struct {
        const char* content;
        const char* sequence;
    } cases[] = {
        {"", ""},
        {">only a header", ""},
        {">g\nACGT\nacgt\n", "ACGTacgt"},
        // every record is appended, headers dropped, '>' also inside a line
        {">g1\nAC\n>g2 second\nGT\n", "ACGT"},
        {"AC>note\nGT", "ACGT"},
        // blanks and tabs dropped; digits, ambiguity letters and case kept
        {"A C\tG 1 n R\n", "ACG1nR"},
        // a CR before a LF is part of the line end; any other CR is a letter
        {">g\r\nAC\r\nGT\r\n", "ACGT"},
        {"AC\rGT\n", "AC\rGT"},
        {"AC\r\r\nGT", "AC\rGT"},
        {"ACGT\r", "ACGT\r"},
        {"AC\r>h\nGT", "AC\rGT"},
    };
    for (const auto& c : cases) {
        const dexolin::GENOME genome = loadFrom(c.content);
        EXPECT_EQ(genome.sequence, c.sequence) << "content \"" << c.content << "\"";
        EXPECT_EQ(genome.length, static_cast<int>(genome.sequence.size()));
    }
}

TEST(LoadGenome, SameAsCharacterByCharacterReading)
{
    // Random files of several read buffers, so that CR LF pairs and headers
    // fall across buffer ends.
    const char alphabet[] = {'A', 'c', 'N', '\r', '\n', '\r', '\n', ' ', '\t', '>'};
    std::mt19937 random(4242);
    std::uniform_int_distribution<int> letter(0, sizeof alphabet - 1);
    std::uniform_int_distribution<int> length(0, 300000);
    for (int trial = 0; trial < 20; ++trial) {
        std::string content;
        for (int k = length(random); k > 0; --k) {
            // headers are rare, so that the file is not mostly header text
            char c = alphabet[letter(random)];
            if (c == '>' && letter(random) != 0) c = 'G';
            content += c;
        }
        const dexolin::GENOME genome = loadFrom(content);
        ASSERT_EQ(genome.sequence, referenceSequence(content)) << "trial " << trial;
        ASSERT_EQ(genome.length, static_cast<int>(genome.sequence.size()));
    }
}

TEST(LoadGenome, LineEndAcrossReadBuffers)
{
    for (std::size_t before : {65534u, 65535u, 65536u}) {
        const std::string letters(before, 'A');
        EXPECT_EQ(loadFrom(letters + "\r\nC").sequence, letters + "C");
        EXPECT_EQ(loadFrom(letters + "\rC").sequence, letters + "\rC");
    }
}

} // namespace
