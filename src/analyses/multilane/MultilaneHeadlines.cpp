#include "analyses/multilane/MultilaneHeadlines.h"

#include "report/NumberText.h"

namespace verosa::analyses::multilane {

using form::HeadlineValue;
using report::numPattern;
using report::numtext;

const std::vector<std::string>& multilaneHeadlineNames() {
    static const std::vector<std::string> names = {"vp_vph", "sp1_kph", "sp2_kph", "st2_kph", "speed_kph", "los"};
    return names;
}

std::vector<HeadlineValue> multilaneHeadlines(const MultilaneInput& in, const MultilaneResult& r) {
    return {in.measured ? HeadlineValue::none() : HeadlineValue::number(numtext(r.Vp)),
            HeadlineValue::number(numtext(r.Sp1)),
            HeadlineValue::number(numPattern(r.Sp2, "#0.00")),
            HeadlineValue::number(numPattern(r.St2, "##.00")),
            HeadlineValue::number(numPattern(r.S, "#0.00")),
            HeadlineValue::level(r.los)};
}

}  // namespace verosa::analyses::multilane
