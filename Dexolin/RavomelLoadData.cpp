#include "RavomelLoadData.h"

#include "getElementFromString.h"

#include <string_view>
#include <vector>

namespace dexolin {

bool readLine(std::FILE* in, std::string& line)
{
    line.clear();
    int c;
    while ((c = std::getc(in)) != EOF) {
        appendChar(line, static_cast<char>(c));
        if (c == '\n') return true;
    }
    if (line.empty()) return false;
    appendChar(line, '\n');
    return true;
}

CDS& loadDataFromLine(const std::string& line, CDS& cds)
{
    std::vector<std::string_view> fields;
    orFail("\n erreur d'allocation memoire de la structure cds->pos\n",
           [&] { splitLine(line, fields); });
    cds.nbCds = 0;
    cds.label.clear();
    cds.strand = 0;
    if (const auto label = fieldOf(fields, 1)) {
        allocString(cds.label, static_cast<int>(label->size()) + 1);
        cds.label.assign(*label);
    }
    if (const auto frame = fieldOf(fields, 2)) cds.strand = readInteger(*frame);

    orFail("\n erreur d'allocation memoire de la structure cds->pos\n", [&] {
        std::vector<POSITION>().swap(cds.pos);
        cds.pos.reserve(1);
    });
    for (int k = 3;; k += 2) {
        const auto begin = fieldOf(fields, k);
        const auto end = fieldOf(fields, k + 1);
        if (!begin || !end) break;
        const POSITION segment{readInteger(*begin), readInteger(*end)};
        orFail("\n erreur de reallocation memoire de la structure cds->pos\n",
               [&] { cds.pos.push_back(segment); });
        ++cds.nbCds;
    }
    return cds;
}

} // namespace dexolin
