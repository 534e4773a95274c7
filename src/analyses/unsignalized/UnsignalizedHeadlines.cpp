#include "analyses/unsignalized/UnsignalizedHeadlines.h"

#include "report/NumberText.h"

namespace verosa::analyses::unsignalized {

using form::HeadlineValue;

namespace {

// "nbr" for the northbound right turn: approach and movement in ASCII.
std::string prefixOf(int movement) {
    static const char* const approaches[kApproaches] = {"eb", "wb", "nb", "sb"};
    static const char turns[3] = {'l', 't', 'r'};
    return std::string(approaches[movement / 3]) + turns[movement % 3];
}

}  // namespace

const std::vector<std::string>& unsignalizedHeadlineNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (int movement : kComputedMovements)
            for (const char* item : {"_vc_pcph", "_cp_pcph", "_u_pct", "_p"}) n.push_back(prefixOf(movement) + item);
        return n;
    }();
    return names;
}

std::vector<HeadlineValue> unsignalizedHeadlines(const UnsignalizedResult& r) {
    std::vector<HeadlineValue> v;
    for (const YieldingMovement& y : r.movements) {
        v.push_back(HeadlineValue::number(report::plain(y.Vc)));
        v.push_back(HeadlineValue::number(report::plain(y.cp)));
        v.push_back(HeadlineValue::number(report::format(y.u, "##.##")));
        v.push_back(HeadlineValue::number(report::format(y.p, "#.##")));
    }
    return v;
}

}  // namespace verosa::analyses::unsignalized
