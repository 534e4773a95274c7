#include "analyses/freeway/FreewayHeadlines.h"

#include "report/NumberText.h"

namespace verosa::analyses::freeway {

using form::HeadlineValue;
using report::numtext;

const std::vector<std::string>& operationalHeadlineNames() {
    static const std::vector<std::string> names = {"vp_vph",   "fw",       "fhv",      "sf_a_vph", "sf_b_vph",
                                                   "sf_c_vph", "sf_d_vph", "sf_e_vph", "los"};
    return names;
}

std::vector<HeadlineValue> operationalHeadlines(const OperationalResult& r) {
    std::vector<HeadlineValue> v = {HeadlineValue::number(numtext(r.Vp)), HeadlineValue::number(numtext(r.factors.fw)),
                                    HeadlineValue::number(numtext(r.factors.fhv))};
    for (const Int16 sf : r.SF) v.push_back(HeadlineValue::number(numtext(sf)));
    v.push_back(HeadlineValue::level(r.level));
    return v;
}

const std::vector<std::string>& designHeadlineNames() {
    static const std::vector<std::string> names = {"pddhv_vph", "msf_vphpl",   "fw",   "fhv",
                                                   "sf_vphpl",  "lanes_ratio", "lanes"};
    return names;
}

std::vector<HeadlineValue> designHeadlines(const DesignResult& r) {
    return {
        HeadlineValue::number(numtext(r.PDDHV)),      HeadlineValue::number(numtext(r.MSFi)),
        HeadlineValue::number(numtext(r.factors.fw)), HeadlineValue::number(numtext(r.factors.fhv)),
        HeadlineValue::number(numtext(r.SF)),         HeadlineValue::number(report::format(r.lanesQuotient, "#.##")),
        HeadlineValue::number(numtext(r.N))};
}

}  // namespace verosa::analyses::freeway
