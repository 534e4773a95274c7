// The framed report of the unsignalized intersection (36 "─"): the general
// blanks, the traffic conditions with the volume table, and the capacity
// analysis with one row per yielding movement, its label first. Every content
// line goes through the frame rule.
#include <string>

#include "analyses/unsignalized/Unsignalized.h"
#include "report/BoxReport.h"
#include "report/NumberText.h"

namespace verosa::analyses::unsignalized {

namespace {

using report::at;
using report::BoxReport;
using report::plain;

constexpr int kRun = 36;  // inner width 72 columns
constexpr const char* kBar = "   │";

void generalSection(BoxReport& b) {
    b.framed(std::string(kBar) + " 1. 일반사항").empty();
    b.framed(std::string(kBar) + "    분석지점 :                           분석자 :").empty();
}

void trafficSection(BoxReport& b, const UnsignalizedInput& in, const UnsignalizedResult& r) {
    b.framed(std::string(kBar) + " 2. 교통조건").empty();
    b.framed(std::string(kBar) + "   ▷ 교차로형태 : " + in.intersectionText).empty();

    std::string lanes = std::string(kBar) + "   ▷ 차로수 :";
    for (int a = 0; a < kApproaches; ++a)
        lanes += std::string(a == 0 ? "  " : "    ") + approachName(a) + " " +
                 at(plain(in.lanes[static_cast<std::size_t>(a)]), 2);
    b.framed(lanes).empty();

    // Approach, movement, then the volumes right-aligned under their headings.
    b.framed(std::string(kBar) + "   ▷ 이동류별 교통량 (대/시)").empty();
    b.framed(std::string(kBar) + "      접근로   이동류      소형      대형   환산교통량");
    for (int m = 0; m < kMovements; ++m) {
        const auto i = static_cast<std::size_t>(m);
        b.framed(std::string(kBar) + "        " + approachName(m / 3) + "     " + movementName(m) +
                 at(plain(in.small[i]), 10) + at(plain(in.large[i]), 10) + at(plain(r.v[i]), 13));
    }
    b.empty();
}

std::string gapLine(const std::string& movements, GapParameters g) {
    return std::string(kBar) + "      - " + movements + " : tc = " + plain(g.tc) + "   tf = " + plain(g.tf);
}

void capacitySection(BoxReport& b, const UnsignalizedResult& r) {
    b.framed(std::string(kBar) + " 3. 용량 분석").empty();
    b.framed(std::string(kBar) + "   ▷ 임계간격 tc, 추종시간 tf (초)").empty();
    b.framed(gapLine("EB·WB 좌회전, NB·SB 직진, NB 좌회전", r.entry1));
    b.framed(gapLine("NB·SB 우회전                        ", r.entry4));
    b.empty();

    // One row per movement in the order computed: its label, Vc and cp as
    // whole numbers, u and p as their pattern texts, each right-aligned under
    // the end of its heading.
    b.framed(std::string(kBar) + "   ▷ 이동류별 상충교통량, 잠재용량, 이용률, 임피던스").empty();
    b.framed(std::string(kBar) + "      이동류      상충교통량 Vc  잠재용량 cp  이용률 u(%)  임피던스 p");
    for (const YieldingMovement& y : r.movements)
        b.framed(std::string(kBar) + "      " + movementLabel(y.movement) + at(plain(y.Vc), 16) + at(plain(y.cp), 13) +
                 at(report::format(y.u, "##.##"), 13) + at(report::format(y.p, "#.##"), 12));
    b.empty();
}

}  // namespace

std::string unsignalizedReport(const UnsignalizedInput& in, const UnsignalizedResult& r) {
    BoxReport b(kRun);
    b.top();
    b.framed(std::string(kBar) + "                        비신호교차로의 용량 분석");
    b.separator();
    generalSection(b);
    b.separator();
    trafficSection(b, in, r);
    b.separator();
    capacitySection(b, r);
    b.bottom();
    return b.text();
}

}  // namespace verosa::analyses::unsignalized
