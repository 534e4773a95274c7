#include "analyses/ramp/RampHeadlines.h"

#include "report/NumberText.h"

namespace verosa::analyses::ramp {

using form::HeadlineValue;
using report::numPattern;
using report::numtext;

const std::vector<std::string>& rampHeadlineNames() {
    static const std::vector<std::string> names = {"fhv_main", "fhv_ramp", "vf_pcph",         "vr_pcph", "p",
                                                   "v12_pcph", "vfo_pcph", "density_pcpkmpl", "los"};
    return names;
}

std::vector<HeadlineValue> rampHeadlines(const RampResult& r) {
    return {HeadlineValue::number(numPattern(r.fHV_main, "0.000")),
            HeadlineValue::number(numPattern(r.fHV_ramp, "0.000")),
            HeadlineValue::number(numtext(r.Vf)),
            HeadlineValue::number(numtext(r.Vr)),
            HeadlineValue::number(numPattern(r.P, "0.000")),
            HeadlineValue::number(numtext(r.V12)),
            HeadlineValue::number(numtext(r.Vfo)),
            r.outcome == CapacityOutcome::Density ? HeadlineValue::number(numPattern(r.density, "##.##"))
                                                  : HeadlineValue::none(),
            HeadlineValue::level(r.los)};
}

}  // namespace verosa::analyses::ramp
