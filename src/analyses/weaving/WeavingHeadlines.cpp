#include "analyses/weaving/WeavingHeadlines.h"

#include "report/NumberText.h"

namespace verosa::analyses::weaving {

using form::HeadlineValue;
using report::format;
using report::numtext;

namespace {

HeadlineValue number(const std::string& text) { return HeadlineValue::number(text); }

}  // namespace

const std::vector<std::string>& operationHeadlineNames() {
    static const std::vector<std::string> names = {"fhv",    "vp_pcph", "vw_pcph", "vnw_pcph",        "vr",
                                                   "sw_kph", "snw_kph", "s_kph",   "density_pcpkmpl", "los"};
    return names;
}

std::vector<HeadlineValue> operationHeadlines(const MainlineResult& r) {
    const WeavingStep& s = r.step;
    return {number(format(r.fhv, "0.00")),  number(numtext(s.V)),
            number(numtext(s.Vw)),          number(numtext(s.Vnw)),
            number(format(s.VR, "0.00")),   number(format(s.Sw, "##.00")),
            number(format(s.Snw, "##.00")), number(format(s.Sbar, "##.00")),
            number(format(s.D, "##.00")),   HeadlineValue::level(s.los)};
}

std::vector<HeadlineValue> operationHeadlines(const RampToRampResult& r) {
    // Every flow of a ramp-to-ramp area weaves: its Vp is both V and Vw.
    return {number(format(r.fhv, "0.00")), number(numtext(r.Vp)),      number(numtext(r.Vp)), HeadlineValue::none(),
            HeadlineValue::none(),         HeadlineValue::none(),      HeadlineValue::none(), HeadlineValue::none(),
            number(format(r.D, "00.00")),  HeadlineValue::level(r.los)};
}

const std::vector<std::string>& designHeadlineNames() {
    static const std::vector<std::string> names = {"vp_pcph", "vw_pcph",  "vnw_pcph",        "vr", "v_per_n_pcphpl",
                                                   "lmax_m",  "length_m", "density_pcpkmpl", "los"};
    return names;
}

std::vector<HeadlineValue> designHeadlines(const DesignResult& r) {
    const WeavingStep& s = r.base;
    // The step run at the minimum length L* (the fourth reported block).
    const WeavingStep* atLstar = nullptr;
    for (const WeavingStep& block : r.blocks)
        if (block.L == r.Lstar) atLstar = &block;
    return {number(numtext(s.V)),
            number(numtext(s.Vw)),
            number(numtext(s.Vnw)),
            number(numtext(s.VR)),
            number(numtext(r.VperN)),
            number(numtext(r.Lmax)),
            number(numtext(r.Lstar)),
            atLstar ? number(format(atLstar->D, "##.00")) : HeadlineValue::none(),
            atLstar ? HeadlineValue::level(atLstar->los) : HeadlineValue::none()};
}

}  // namespace verosa::analyses::weaving
