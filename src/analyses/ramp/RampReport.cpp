#include "analyses/ramp/RampReport.h"

#include "report/BoxReport.h"
#include "report/NumberText.h"

namespace verosa::analyses::ramp {

namespace {

using report::at;
using report::formatText;
using report::numAt;
using report::numPattern;

// The text of a list choice, empty where nothing is chosen.
std::string itemText(const std::vector<std::string>& items, int position) {
    return position >= 0 && position < static_cast<int>(items.size()) ? items[static_cast<size_t>(position)]
                                                                      : std::string();
}

void roadConditions(report::BoxReport& b, const RampInput& in, const RampResult& r) {
    const RampTexts& t = in.texts;
    b.framed("   │ 2. 도로조건").empty();
    b.framed("   │   ▷ 본선구간 차로수 :  " + at(itemText(mainLaneItems(), in.mainLaneNO), 3) +
             "         ▷ 감,가속차로 길이 : " + at(t.laneLength, 5) + " m");
    b.empty();
    b.framed("   │   ▷ 연결로 차로수 : " + at(itemText(connectorLaneItems(), in.connectorLaneNO), 3) +
             "            ▷ 연결로형태 : " + at(r.rampKind, 2));
    b.empty();
    b.framed("   │   ▷ 측방여유폭 : " + at(itemText(sideWidthItems(), in.sideWidth), 5) +
             "       ▷ 차로폭 : " + at(itemText(laneWidthItems(), in.laneWidth), 5));
    b.empty();
    b.framed("   │   ▷ 본선구간 자유속도 :  " + at(t.mainSpeed, 3) +
             "km/h     ▷ 연결로 자유속도 : " + at(t.connectorSpeed, 3) + "km/h");
    b.empty();
    if (in.adjacentRamp) b.framed("   │   ▷ 인접연결로까지의 거리 : " + at(t.otherLength, 5) + "m");
    b.empty().separator();
}

void trafficConditions(report::BoxReport& b, const RampInput& in) {
    const RampTexts& t = in.texts;
    b.framed("   │ 3. 교통조건").empty();
    b.framed("   │   ▷ 본선구간 교통량 : " + at(t.mainVolume, 5) +
             "대/시     ▷ 연결로 교통량 : " + at(t.connectorVolume, 5) + "대/시");
    b.empty();
    b.framed("   │   ▷ 본선구간 중차량구성비 : " + formatText(t.mainHeavyPercent, "00") +
             "%      ▷ 연결로 중차량구성비 : " + formatText(t.connectorHeavyPercent, "#0") + "%");
    b.empty();
    b.framed("   │   ▷ 첨두시간계수 : " + at(t.PHF, 5));
    b.empty();
    if (in.adjacentRamp)
        b.framed("   │   ▷ 인접연결로 교통량 : " + at(t.otherVolume, 5) +
                 "대/시   ▷ 인접연결로 중차량구성비 : " + formatText(t.otherHeavyPercent, "#") + "%");
    b.separator();
}

void diverge(report::BoxReport& b, const RampResult& r) {
    b.framed("   │   ▷ V12 계산");
    b.framed("   │      V12 = Vr+(Vf-Vr)×Pfd = " + numAt(r.Vr, 4) + "+(" + numAt(r.Vf, 4) + " - " + numAt(r.Vr, 4) +
             ")×" + numPattern(r.P, "0.000") + " = " + numAt(r.V12, 4) + "pcph");
    b.empty();
    b.framed("   │   ▷ 상류부의 용량확인");
    b.framed("   │      Vf = " + numAt(r.Vf, 5) + "pcph");
    b.empty();
    b.framed("   │   ▷ 영향권의 최대 교통량 확인");
    b.framed("   │      V12 = " + numAt(r.V12, 5) + "pcph");
    b.empty();
    b.framed("   │   ▷ 하류부의 용량확인");
    b.framed("   │      Vfo = " + numAt(r.Vf, 4) + " - " + numAt(r.Vr, 4) + " = " + numAt(r.Vfo, 4) + "pcph");
}

void merge(report::BoxReport& b, const RampResult& r) {
    b.framed("   │   ▷ V12 계산");
    b.framed("   │      V12 = Vf × Pfm = " + numAt(r.Vf, 5) + " × " + numPattern(r.P, "0.000") + " = " +
             numAt(r.V12, 5) + "pcph");
    b.empty();
    b.framed("   │   ▷ 하류부의 용량확인");
    b.framed("   │      Vfo = " + numAt(r.Vf, 5) + " + " + numAt(r.Vr, 5) + " = " + numAt(r.Vfo, 5) + "pcph");
    b.empty();
    // The inflow checked against the influence area's 4600 pcph is V12, so the
    // line shows V12 (the line's own text stays as it stands).
    b.framed("   │   ▷ 영향권의 최대 유입교통량 확인");
    b.framed("   │      Vr12 = " + numAt(r.V12, 5) + "pcph");
}

void density(report::BoxReport& b, const RampInput& in, const RampResult& r) {
    b.framed("   │   ▷ 밀도계산");
    if (r.junction == Junction::Merge)
        b.framed("   │      Dr = 0.204802+0.003185 ×" + numAt(r.Vr, 4) + " +0.0059888 ×" + numAt(r.V12, 4) +
                 " - 0.00101 ×" + numAt(in.laneLength, 3));
    else
        b.framed("   │      Dr = 0.5108+0.00589 ×" + numAt(r.V12, 4) + " - 0.0043 ×" + numAt(in.laneLength, 3));
    b.framed("   │         = " + numPattern(r.density, "##.##") + " pcpkmpl");
    b.empty().separator();
    b.framed("   │ 5. 결   과").empty();
    b.framed("   │   ▷ 밀도 : " + numPattern(r.density, "##.##") + "일 때, 서비스 수준 : " + std::string(1, r.los));
    b.empty().bottom();
}

const char* outcomeLine(CapacityOutcome outcome) {
    switch (outcome) {
    case CapacityOutcome::MainlineCapacity:
        return "   │   ▷  최대 상류/하류 본선 교통량이 용량을 초과하여 서비스 수준 : F";
    case CapacityOutcome::InfluenceArea: return "   │   ▷  최대 유입 교통량이 영향권 용량을 초과하여 서비스 수준 : F";
    case CapacityOutcome::RampCapacity:
    case CapacityOutcome::Density: break;
    }
    return "   │   ▷  연결로의 교통량이 용량을 초과하여 서비스 수준 : F";
}

}  // namespace

std::string rampReport(const RampInput& in, const RampResult& r) {
    report::BoxReport b(36);
    b.top().framed("   │                         연결로 접속부 운영분석").separator();

    b.framed("   │ 1. 일반사항").empty();
    b.framed("   │    조사지점 :").empty();
    b.framed("   │    조사기간 :                           조사자 :").empty();
    b.separator();

    roadConditions(b, in, r);
    trafficConditions(b, in);

    b.framed("   │ 4. 서비스수준분석").empty();
    b.framed("   │   ▷ 중차량 보정계수");
    b.framed("   │      본선구간 : " + numPattern(r.fHV_main, "0.000") +
             "                연결로 : " + numPattern(r.fHV_ramp, "0.000"));
    b.empty();
    b.framed("   │   ▷ 첨두시간 환산교통량 산출");
    b.framed("   │      본선구간 : " + numAt(r.Vf, 5) + "pcph            연결로 : " + numAt(r.Vr, 5) + "pcph");
    b.empty();
    if (r.junction == Junction::Diverge)
        diverge(b, r);
    else
        merge(b, r);
    b.empty();

    if (r.outcome == CapacityOutcome::Density) {
        density(b, in, r);
    } else {
        b.separator();
        b.framed("   │ 5. 결   과").empty();
        b.framed(outcomeLine(r.outcome));
        b.empty().bottom();
    }
    return b.text();
}

}  // namespace verosa::analyses::ramp
