#include "analyses/pedestrian/Walkway.h"

#include <cmath>

#include "analyses/LevelOfService.h"
#include "numeric/Result.h"
#include "report/NumberText.h"

namespace verosa::analyses::pedestrian {

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

}  // namespace verosa::analyses::pedestrian
