#include "report/NarrowReport.h"

namespace verosa::report {

namespace {
constexpr int kNarrowRun = 32;
}

std::string narrowReport(const std::string& titleLine, const std::vector<NarrowSection>& sections) {
    BoxReport r(kNarrowRun);
    r.top().framed(titleLine).separator();

    r.framed("   │ 1. 일반사항").empty();
    r.framed("   │    분석지점 :                    분석자 :").empty();
    r.framed("   │    분석일자 :                    분석시간 :").empty();

    for (const NarrowSection& section : sections) {
        r.separator();
        r.framed("   │ " + section.heading).empty();
        if (section.lines) section.lines(r);
    }
    r.bottom();
    return r.text();
}

std::string pedestrianReport(const PedestrianReportParts& parts) {
    return narrowReport(parts.titleLine, {{"2. 입력조건", parts.inputLines},
                                          {"3. 분석과정", parts.computationLines},
                                          {"4. 분석결과", [&](BoxReport& r) {
                                               r.framed("   │   ▷ 서비스수준 : " + parts.level);
                                               r.empty();
                                           }}});
}

}  // namespace verosa::report
