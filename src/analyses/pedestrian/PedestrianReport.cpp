#include "analyses/pedestrian/PedestrianReport.h"

namespace verosa::analyses::pedestrian {

std::string pedestrianReport(const PedestrianReportParts& parts) {
    report::BoxReport r(32);
    r.top().line(parts.titleLine).separator();

    r.framed("   │ 1. 일반사항").empty();
    r.line("   │    분석지점 :                    분석자 :                      │").empty();
    r.line("   │    분석일자 :                    분석시간 :                    │").empty();
    r.separator();

    r.framed("   │ 2. 입력조건").empty();
    parts.inputLines(r);
    r.separator();

    r.framed("   │ 3. 분석과정").empty();
    parts.computationLines(r);
    r.separator();

    r.framed("   │ 4. 분석결과").empty();
    r.line("   │   ▷ 서비스수준 : " + parts.level + "                                            │");
    r.empty().bottom();
    return r.text();
}

}  // namespace verosa::analyses::pedestrian
