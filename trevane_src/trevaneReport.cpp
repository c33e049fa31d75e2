#include "trevaneReport.h"

#include <cstdio>
#include <optional>
#include <string>

#include "trevaneClassify.h"

const char trevaneBlockLetters[] =
    "@@@@@  @@@@   @@@@@  @   @   @@@   @   @  @@@@@\n"
    "  @    @   @  @      @   @  @   @  @@  @  @\n"
    "  @    @@@@   @@@@   @   @  @@@@@  @ @ @  @@@@\n"
    "  @    @  @   @       @ @   @   @  @  @@  @\n"
    "  @    @   @  @@@@@    @    @   @  @   @  @@@@@\n";

const char trevaneContact[] = "trevane-suite@users.noreply.example.org";

namespace {

enum class Kind { badStart, overlapping, compensated, onlyPcod };

bool startsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

Kind kindOf(const RESelement& e)
{
    if (startsWith(e.status, "BADSTART")) return Kind::badStart;
    if (startsWith(e.status, "OVERLAPPING")) return Kind::overlapping;
    if (startsWith(e.status, "COMPENSATED")) return Kind::compensated;
    return Kind::onlyPcod;
}

std::optional<std::string> strengthOf(const RESelement& e, Kind kind, float ftgm)
{
    switch (kind) {
    case Kind::badStart: return getBadstartStatus(e);
    case Kind::overlapping: return getOverlappingStatus(e);
    case Kind::compensated: return getCompensatedStatus(e);
    case Kind::onlyPcod: break;
    }
    return getOnlypcodStatus(e, ftgm);
}

// Length of the stretch from `first` to `last`, both counted; wide enough for
// any pair of coordinates.
long long span(int first, int last) { return static_cast<long long>(last) - first + 1; }

// Distance from a bad start to the start of the CDS on its right, both ends counted.
long long badStartLength(const RESelement& e)
{
    return e.frameCdsR > 0 ? span(e.startFS, e.beginCdsR) : span(e.endCdsR, e.startFS);
}

long long regionLength(const RESelement& e) { return span(e.startFS, e.endFS); }

} // namespace

int printRawResult(RES& res, float /*startPercentage*/, float ftgm)
{
    filterResults(res);
    for (int i = 0; i < res.nb; ++i) {
        const RESelement& e = res.n[i];
        const Kind kind = kindOf(e);
        const std::optional<std::string> strength = strengthOf(e, kind, ftgm);
        if (!strength) continue;
        if (kind == Kind::badStart) {
            std::printf("%d %s %s %lld %s %d %d %d %s %d %d %d\n", e.startFS, strength->c_str(),
                        e.status.c_str(), badStartLength(e), e.labelCdsL.c_str(), e.beginCdsL,
                        e.endCdsL, e.frameCdsL, e.labelCdsR.c_str(), e.beginCdsR, e.endCdsR,
                        e.frameCdsR);
        } else {
            std::printf("%d %s %s %lld %s %d %d %d %s %d %d %d\n", e.startFS, strength->c_str(),
                        e.status.c_str(), regionLength(e), e.labelCdsR.c_str(), e.beginCdsR,
                        e.endCdsR, e.frameCdsR, e.labelCdsL.c_str(), e.beginCdsL, e.endCdsL,
                        e.frameCdsL);
        }
    }
    return 1;
}

int printWebResults(RES& res, int fw, int fstep, float ftgm, float startPercentage)
{
    filterResults(res);
    int rows = 0;
    std::printf("<HTML><BODY BGCOLOR=\"#000000\" TEXT=\"#FFFFFF\">\n<CENTER>\n<TABLE BORDER=2>\n");
    std::printf("<PRE>\n%s</PRE>", trevaneBlockLetters);
    std::printf("<BR><BR>----------------------------------<BR><|*.*.*.*.Trevane Start.*.*.*.*|>"
                "<BR>Trevane is an Zorvan tool for <BR>detecting FrameShift <BR>coding by %s"
                "<BR>----------------------------------<BR><HR><BR><BR>",
                trevaneContact);
    std::printf("----------------------------------<BR>With Parameters: <BR>\n\ttgm : %f<BR>\tw : "
                "%d<BR>\tstep : %d\n<BR>----------------------------------<BR>Bad Start "
                "Percentage : %f<BR>\n",
                static_cast<double>(ftgm), fw, fstep, static_cast<double>(startPercentage));
    std::printf("<TR><TD>FrameShift Type</TD><TD>FrameShift Status</TD><TD>FrameShift "
                "Position</TD><TD>Length</TD><TD>CDS Left Label</TD><TD>CDS Left Start "
                "Position</TD><TD>CDS Left Length</TD><TD>CDS Left Frame</TD><TD>CDS Right "
                "Label</TD><TD>CDS Right Start Position</TD><TD>CDS Right Length</TD><TD>CDS "
                "Right Frame</TR>\n");
    for (int i = 0; i < res.nb; ++i) {
        const RESelement& e = res.n[i];
        const Kind kind = kindOf(e);
        const std::optional<std::string> strength = strengthOf(e, kind, ftgm);
        if (!strength) continue;
        const long long lengthL = span(e.beginCdsL, e.endCdsL);
        const long long lengthR = span(e.beginCdsR, e.endCdsR);
        if (kind == Kind::badStart) {
            std::printf("<TR><TD>%s</TD><TD>%s</TD><TD>%d</TD><TD>%lld</TD><TD>***</TD><TD>***</"
                        "TD><TD>***</TD><TD>***</TD><TD>%s</TD><TD>%d</TD><TD>%lld</TD><TD>%d</"
                        "TD></TR>\n",
                        e.status.c_str(), strength->c_str(), e.startFS, badStartLength(e),
                        e.labelCdsR.c_str(), e.beginCdsR, lengthR, e.frameCdsR);
        } else {
            std::printf("<TR><TD>%s</TD><TD>%s</TD><TD>%d</TD><TD>%lld</TD><TD>%s</TD><TD>%d</"
                        "TD><TD>%lld</TD><TD>%d</TD><TD>%s</TD><TD>%d</TD><TD>%lld</TD><TD>%d</"
                        "TD></TR>\n",
                        e.status.c_str(), strength->c_str(), e.startFS, regionLength(e),
                        e.labelCdsL.c_str(), e.beginCdsL, lengthL, e.frameCdsL,
                        e.labelCdsR.c_str(), e.beginCdsR, lengthR, e.frameCdsR);
        }
        ++rows;
    }
    std::printf("<BR><HR><BR>Number Of Results : %d<BR><HR><BR><BR>", rows);
    std::printf("</TABLE></CENTER></BODY></HTML>");
    return 1;
}

bool reportsWritten()
{
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return true;
    std::fputs("Error while writing the report on standard output\n", stderr);
    return false;
}
