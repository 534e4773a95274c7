#include "analyses/twolane/TwoLaneHeadlines.h"

#include "report/NumberText.h"

namespace verosa::analyses::twolane {

using form::HeadlineValue;
using report::numtext;

const std::vector<std::string>& twoLaneHeadlineNames() {
    static const std::vector<std::string> names = {"phf",  "fhv", "vp_pcph", "tdri_pct",
                                                   "fdlw", "fdp", "tdr_pct", "los"};
    return names;
}

std::vector<HeadlineValue> twoLaneHeadlines(const TwoLaneResult& r) {
    return {HeadlineValue::number(numtext(r.PHF)),  HeadlineValue::number(numtext(r.fhv)),
            HeadlineValue::number(numtext(r.Vp)),   HeadlineValue::number(numtext(r.TDRi)),
            HeadlineValue::number(numtext(r.fdlw)), HeadlineValue::number(report::formatText(numtext(r.fdp), "#.000")),
            HeadlineValue::number(numtext(r.TDR)),  HeadlineValue::level(r.los)};
}

}  // namespace verosa::analyses::twolane
