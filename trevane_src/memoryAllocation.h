// Core records of trevane and the functions that create and grow them.
// Every allocation goes through one of these functions: on an exhausted
// memory it prints its own message on standard error and ends the process
// with status 1, so callers never test for a failure.
#ifndef TREVANE_MEMORY_ALLOCATION_H
#define TREVANE_MEMORY_ALLOCATION_H

#include <cstdint>
#include <string>
#include <vector>

// Wherever six values are held per reading frame, index 0..5 stands for the
// frames +1, +2, +3, -1, -2, -3.

// One row of a coding-probability curve.
struct PKelement {
    int posNuc;
    float probaCodage[6];
};

// Coding-block map: one byte per genome position, bit f set when a candidate
// CDS of frame index f covers the position. Element k describes position k + 1.
using BKelement = std::uint8_t;

struct CDSelement {
    std::string label;
    int begin;
    int alternateStart;
    int end;
    int selvigoLength;
    int leftmostLength;
    float selvigoCodingProba;
    float leftmostCodingProba;
    int frame;
    char strand;
    int geneModelNumber;
};

struct CDSBEFOREFILTERelement {
    std::string label;
    int begin;
    int alternateStart;
    int end;
    float selvigoCodingProba;
    float leftmostCodingProba;
    int frame;
    int geneModelNumber;
};

struct RESelement {
    int startFS;
    int endFS;
    int frameFS;
    int frameCdsL;
    int frameCdsR;
    std::string labelCdsR;
    std::string labelCdsL;
    int beginCdsR;
    int endCdsR;
    int beginCdsL;
    int endCdsL;
    std::string status;
};

// A CDS found on one side of a frameshift; frame 0 and label "NULL" when none.
struct cdsRes {
    int frame;
    int begin;
    int end;
    std::string label;
};

// List heads. In PK, BK, CDS and CDSBEFOREFILTER, nb is the index of the last
// element (-1 when empty); in RES it counts the results. The element vector
// may hold one spare element after the last valid one.
struct PK {
    std::vector<PKelement> n;
    int nb = 0;
};
struct BK {
    std::vector<BKelement> n;
    int nb = 0;
};
struct CDS {
    std::vector<CDSelement> n;
    int nb = 0;
};
struct CDSBEFOREFILTER {
    std::vector<CDSBEFOREFILTERelement> n;
    int nb = 0;
};
struct RES {
    std::vector<RESelement> n;
    int nb = 0;
};

// Strings: make `s` an empty string able to hold `length` bytes
// (callers pass the text length plus 1).
std::string& allocString(std::string& s, int length);
std::string& reallocString(std::string& s, int length);

// Head creators reset a list to an empty head (no elements, nb 0); element
// creators give the list one zero-filled element; element resizers resize
// the array to `count` elements, new ones zero-filled.
PK& allocPk(PK& pk);
PK& allocPkElement(PK& pk);
PK& reallocPkElement(PK& pk, int count);

BK& allocBk(BK& bk);
BK& allocBkElement(BK& bk);
BK& reallocBkElement(BK& bk, int count);

CDS& allocCds(CDS& cds);
CDS& allocCdsElement(CDS& cds);
CDS& reallocCdsElement(CDS& cds, int count);

CDSBEFOREFILTER& allocCdsBeforeFilter(CDSBEFOREFILTER& cds);
CDSBEFOREFILTER& allocCdsBeforeFilterElement(CDSBEFOREFILTER& cds);
CDSBEFOREFILTER& reallocCdsBeforeFilterElement(CDSBEFOREFILTER& cds, int count);

RES& allocRes(RES& res);
RES& allocResElement(RES& res);
RES& reallocResElement(RES& res, int count);

// Release a list's elements and the strings they own; return 1.
int freeBk(BK& bk);
int freePk(PK& pk);
int freeCds(CDS& cds);
int freeRes(RES& res);
int freeCdsBeforeFilter(CDSBEFOREFILTER& cds);
int freeAll(BK& bk, PK& pk, CDS& cds, CDSBEFOREFILTER& cdsBeforeFilter, RES& res);

// Prints `message` on standard error and ends the process with status 1.
[[noreturn]] void allocationFailure(const std::string& message);

#endif
