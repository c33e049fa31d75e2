#include "trevaneClassify.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace {

const char* const onlypcod = "ONLYPCOD";

long long resultLength(const RESelement& e) { return static_cast<long long>(e.endFS) - e.startFS; }

long long regionLength(const RESelement& e) { return resultLength(e) + 1; }

void suppress(RESelement& e)
{
    e.startFS = 0;
    e.endFS = 0;
}

// Results that may suppress one another: a frame change with its kind and
// its two labels in either order, or a coding stretch with its left and
// right labels.
struct FrameChangeGroup {
    long long longest = 0;  // longest unsuppressed result so far
    bool any = false;
};
struct OnlypcodGroup {
    bool any = false;        // an unsuppressed result so far
    std::set<int> starts;    // their startFS
};

} // namespace

// Every pair (i, j), i before j, is compared and only j can be suppressed,
// by an i that is not suppressed itself; the last two results are never
// compared as j. So a result is suppressed when an earlier, unsuppressed
// result of its group is longer (frame changes), or starts where it does or
// the result's two sides carry the same label (coding stretches). One pass
// keeps, per group, what the earlier unsuppressed results offer.
RES& filterResults(RES& res)
{
    const int compared = std::min(res.nb, static_cast<int>(res.n.size())) - 2;
    std::map<std::tuple<std::string, std::string, std::string>, FrameChangeGroup> frameChanges;
    std::map<std::pair<std::string, std::string>, OnlypcodGroup> stretches;
    for (int j = 0; j < compared; j++) {
        RESelement& e = res.n[j];
        if (e.status == onlypcod) {
            OnlypcodGroup& group = stretches[{e.labelCdsL, e.labelCdsR}];
            const bool repeated =
                group.any && (e.labelCdsL == e.labelCdsR || group.starts.count(e.startFS) > 0);
            if (repeated) {
                suppress(e);
            } else if (e.startFS != 0) {
                group.any = true;
                group.starts.insert(e.startFS);
            }
        } else {
            const bool leftFirst = e.labelCdsL < e.labelCdsR;
            FrameChangeGroup& group = frameChanges[{e.status, leftFirst ? e.labelCdsL : e.labelCdsR,
                                                    leftFirst ? e.labelCdsR : e.labelCdsL}];
            const long long length = resultLength(e);
            if (group.any && length < group.longest) {
                suppress(e);
            } else if (e.startFS != 0) {
                group.longest = group.any ? std::max(group.longest, length) : length;
                group.any = true;
            }
        }
    }
    return res;
}

std::optional<std::string> getOverlappingStatus(const RESelement& res)
{
    if (res.startFS == 0 || regionLength(res) < 10) return std::nullopt;
    const long long overlap = res.beginCdsR < res.beginCdsL
                                  ? static_cast<long long>(res.endCdsR) - res.beginCdsL
                                  : static_cast<long long>(res.endCdsL) - res.beginCdsR;
    if (overlap <= 60) return std::nullopt;
    if (overlap <= 120) return "WEAK";
    if (overlap <= 180) return "MEDIUM";
    return "STRONG";
}

std::optional<std::string> getCompensatedStatus(const RESelement& res)
{
    // Lengths in single precision, product and quotient in double precision.
    const float left = static_cast<float>(static_cast<long long>(res.endCdsL) - res.beginCdsL + 1);
    const float right = static_cast<float>(static_cast<long long>(res.endCdsR) - res.beginCdsR + 1);
    const float percentage =
        static_cast<float>(static_cast<double>(left) * 100 / static_cast<double>(right));
    if (res.startFS == 0 || !(percentage > 20)) return std::nullopt;
    if (percentage < 25) return "WEAK";
    if (percentage < 30) return "MEDIUM";
    return "STRONG";
}

std::optional<std::string> getOnlypcodStatus(const RESelement& res, float /*ftgm*/)
{
    if (res.startFS == 0) return std::nullopt;
    const long long length = regionLength(res);
    if (length <= 120) return std::nullopt;
    if (length <= 180) return "WEAK";
    if (length <= 240) return "MEDIUM";
    return "STRONG";
}

std::optional<std::string> getBadstartStatus(const RESelement& res)
{
    if (res.beginCdsR == 0) return std::nullopt;
    const long long distance = res.frameCdsR > 0
                                   ? static_cast<long long>(res.beginCdsR) - res.startFS
                                   : static_cast<long long>(res.startFS) - res.endCdsR;
    if (distance <= 120 || res.startFS == 0) return std::nullopt;
    const long long length = distance + 1;
    if (length <= 180) return "WEAK";
    if (length <= 240) return "MEDIUM";
    return "STRONG";
}
