#include "analyses/pedestrian/Walkway.h"

#include <cmath>

#include "analyses/LevelOfService.h"
#include "numeric/Result.h"
#include "report/NarrowReport.h"
#include "report/NumberText.h"

namespace verosa::analyses::pedestrian {

using report::at;

void checkWalkway(const WalkwayInput& in) {
    if (in.Wt < 0) refuseInput("전체도로폭은 0 이상이어야 합니다.", "txtTotWidth_Road");
    if (in.Wo < 0) refuseInput("총 방해폭원은 0 이상이어야 합니다.", "txtTotViolationWidth_Road");
    if (in.V15 < Int16::of(0)) refuseInput("15분 첨두보행교통량은 0 이상이어야 합니다.", "txtPeakPedVolume_Road");
    const float We = in.Wt - in.Wo;
    if (!(We > 0))
        refuseInput("총 방해폭원은 전체도로폭보다 작아야 합니다 (유효보도폭 We = Wt - Wo 가 0보다 커야 합니다).",
                    "txtTotViolationWidth_Road");
    Int16::readRounded(in.V15 / (We * 15), "보행교통류율", "txtPeakPedVolume_Road",
                       "유효보도폭과 보행교통량을 확인하십시오.");
}

char walkwayLevel(Int16 Vp) { return levelFromUpperBounds(Vp.value(), {20, 32, 46, 70, 106}); }

WalkwayResult analyseWalkway(const WalkwayInput& in) {
    checkWalkway(in);
    WalkwayResult r;
    r.We = in.Wt - in.Wo;
    // Single-precision quotient, rounded half to even.
    r.Vp = int16(in.V15 / (r.We * 15));
    r.los = walkwayLevel(r.Vp);
    return r;
}

std::string walkwayReport(const WalkwayInput& in, const WalkwayResult& r) {
    report::PedestrianReportParts parts;
    parts.titleLine = "   │                      보행자도로의 운영분석                     │";
    parts.inputLines = [&](report::BoxReport& b) {
        b.line("   │   ▷ 총보도폭 :  " + at(in.Wt, 4) + "m            ▷ 총방해폭원 :  " + at(in.Wo, 4) + "m       │ ");
        b.empty();
        b.line("   │   ▷ 첨두 15분 보행교통량 :  " + at(in.V15typed, 4) + "인/15분                       │");
        b.empty();
    };
    parts.computationLines = [&](report::BoxReport& b) {
        b.framed("   │   ▷ 유효보도폭 계산").empty();
        b.line("   │      We = Wt - Wo = " + at(in.Wt, 4) + " - " + at(in.Wo, 4) + " = " + at(r.We, 4) +
               "m                        │");
        b.empty();
        b.framed("   │   ▷ 보행교통류율(인/분/m) 환산").empty();
        b.line("   │      Vp = V15 / (15 * We) = " + at(in.V15, 4) + " / ( 15 * " + at(r.We, 4) + ") = " + at(r.Vp, 3) +
               "인/분/m   │");
        b.empty();
    };
    parts.level = std::string(1, r.los);
    return report::pedestrianReport(parts);
}

}  // namespace verosa::analyses::pedestrian
