#include "analyses/signalized/SignalizedHeadlines.h"

#include <cctype>

#include "report/NumberText.h"

namespace verosa::analyses::signalized {

using form::HeadlineValue;

const std::vector<std::string>& intersectionHeadlineNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n = {"delay_s", "los"};
        for (const char* approach : kApproachNames) {
            std::string prefix;
            for (const char* c = approach; *c; ++c) prefix += static_cast<char>(std::tolower(*c));
            n.push_back(prefix + "_delay_s");
            n.push_back(prefix + "_los");
        }
        return n;
    }();
    return names;
}

std::vector<HeadlineValue> intersectionHeadlines(const IntersectionResult& r) {
    // The capacity page shows the delays as the plain text of their value.
    std::vector<HeadlineValue> v = {HeadlineValue::number(report::plain(r.dI)), HeadlineValue::level(r.LOSI)};
    for (const ApproachResult& a : r.approach) {
        v.push_back(HeadlineValue::number(report::plain(a.dA)));
        v.push_back(HeadlineValue::level(a.LOSA));
    }
    return v;
}

}  // namespace verosa::analyses::signalized
