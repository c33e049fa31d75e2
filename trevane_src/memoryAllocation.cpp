#include "memoryAllocation.h"

#include <cstdio>
#include <cstdlib>
#include <new>

void allocationFailure(const std::string& message)
{
    std::fputs(message.c_str(), stderr);
    std::exit(1);
}

namespace {

// Runs `grow`; an exhausted memory ends the process with `message`.
template <typename Grow>
void orFail(const char* message, Grow grow)
{
    try {
        grow();
    } catch (const std::bad_alloc&) {
        allocationFailure(message);
    }
}

// Resize to `count` elements; the elements added are zero-filled.
template <typename List>
List& resizeElements(List& list, int count, const char* message)
{
    orFail(message, [&] { list.n.resize(count < 0 ? 0 : static_cast<std::size_t>(count)); });
    return list;
}

template <typename List>
List& newHead(List& list, const char* message)
{
    orFail(message, [&] { std::vector<typename decltype(list.n)::value_type>().swap(list.n); });
    list.nb = 0;
    return list;
}

template <typename List>
List& newElement(List& list, const char* message)
{
    orFail(message, [&] { list.n.assign(1, typename decltype(list.n)::value_type{}); });
    return list;
}

template <typename List>
int releaseList(List& list)
{
    std::vector<typename decltype(list.n)::value_type>().swap(list.n);
    return 1;
}

std::string sizeMessage(const char* function, int length)
{
    return std::string("Erreur d'allocation memoire dans fonction ") + function +
           " de taille " + std::to_string(length) + "\n";
}

} // namespace

std::string& allocString(std::string& s, int length)
{
    try {
        std::string().swap(s);
        s.reserve(length < 0 ? 0 : static_cast<std::size_t>(length));
    } catch (const std::bad_alloc&) {
        allocationFailure(sizeMessage("allocString", length));
    }
    return s;
}

std::string& reallocString(std::string& s, int length)
{
    try {
        s.reserve(length < 0 ? 0 : static_cast<std::size_t>(length));
    } catch (const std::bad_alloc&) {
        allocationFailure(sizeMessage("reallocString", length));
    }
    return s;
}

PK& allocPk(PK& pk) { return newHead(pk, "Erreur while trying to alloc PK structure \n"); }
PK& allocPkElement(PK& pk) { return newElement(pk, "Error while trying to alloc Pkelement \n"); }
PK& reallocPkElement(PK& pk, int count)
{
    return resizeElements(pk, count, "Error while trying to realloc Pkelement \n");
}

BK& allocBk(BK& bk) { return newHead(bk, "Erreur while trying to alloc BK structure \n"); }
BK& allocBkElement(BK& bk) { return newElement(bk, "Error while trying to alloc Bkelement \n"); }
BK& reallocBkElement(BK& bk, int count)
{
    return resizeElements(bk, count, "Error while trying to realloc Bkelement \n");
}

CDS& allocCds(CDS& cds) { return newHead(cds, "Error while trying to alloc memory to CDS \n"); }
CDS& allocCdsElement(CDS& cds)
{
    return newElement(cds, "Error while trying to alloc memory to CDSelement \n");
}
CDS& reallocCdsElement(CDS& cds, int count)
{
    return resizeElements(cds, count, "Error while trying to alloc memory to CDS \n");
}

CDSBEFOREFILTER& allocCdsBeforeFilter(CDSBEFOREFILTER& cds)
{
    return newHead(cds, "Error while trying to alloc memory to CDS \n");
}
CDSBEFOREFILTER& allocCdsBeforeFilterElement(CDSBEFOREFILTER& cds)
{
    return newElement(cds, "Error while trying to alloc memory to CDSelement \n");
}
CDSBEFOREFILTER& reallocCdsBeforeFilterElement(CDSBEFOREFILTER& cds, int count)
{
    return resizeElements(cds, count, "Error while trying to alloc memory to CDS \n");
}

RES& allocRes(RES& res) { return newHead(res, "Error while trying to alloc memory to RES\n"); }
RES& allocResElement(RES& res)
{
    return newElement(res, "Error while trying to alloc memory to RESelement\n");
}
RES& reallocResElement(RES& res, int count)
{
    return resizeElements(res, count, "Error while trying to realloc memory to RESelement\n");
}

int freeBk(BK& bk) { return releaseList(bk); }
int freePk(PK& pk) { return releaseList(pk); }
int freeCds(CDS& cds) { return releaseList(cds); }
int freeRes(RES& res) { return releaseList(res); }
int freeCdsBeforeFilter(CDSBEFOREFILTER& cds) { return releaseList(cds); }

int freeAll(BK& bk, PK& pk, CDS& cds, CDSBEFOREFILTER& cdsBeforeFilter, RES& res)
{
    freeBk(bk);
    freeCdsBeforeFilter(cdsBeforeFilter);
    freeCds(cds);
    freeRes(res);
    freePk(pk);
    return 1;
}
