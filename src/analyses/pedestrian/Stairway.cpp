#include "analyses/pedestrian/Stairway.h"

#include "analyses/LevelOfService.h"
#include "numeric/Result.h"
#include "report/NumberText.h"

namespace verosa::analyses::pedestrian {

// ---- stairway ----

void checkStairwayFlow(const StairwayInput& in) {
    if (in.flow == StairwayFlow::None)
        refuseInput("보행군형태(보행군일 경우 / 비보행군일 경우)를 선택하십시오.", "optPlatoon");
}

void checkStairway(const StairwayInput& in) {
    checkStairwayFlow(in);
    if (!(in.We > 0)) refuseInput("보행가능폭원은 0보다 커야 합니다.", "txtPossibleWidth_Stairway");
    if (in.V15 < Int16::of(0)) refuseInput("15분 첨두보행교통량은 0 이상이어야 합니다.", "txtPeakPedVolume_Stairway");
    Int16::readRounded(in.V15 / (in.We * 15), "보행교통류율", "txtPeakPedVolume_Stairway",
                       "보행가능폭원과 보행교통량을 확인하십시오.");
}

char stairwayLevel(StairwayFlow flow, Int16 Vp) {
    // The non-platoon bounds are tested first, then the platoon bounds.
    if (flow == StairwayFlow::NonPlatoon) return levelFromUpperBounds(Vp.value(), {18, 20, 25, 32, 52});
    return levelFromUpperBounds(Vp.value(), {43, 50, 65, 69, 74});
}

StairwayResult analyseStairway(const StairwayInput& in) {
    checkStairway(in);
    StairwayResult r;
    // Single-precision quotient, rounded half to even.
    r.Vp = int16(in.V15 / (in.We * 15));
    r.flowWord = in.flow == StairwayFlow::NonPlatoon ? "비보행군" : "   보행군";
    r.los = stairwayLevel(in.flow, r.Vp);
    return r;
}

// ---- waiting area ----

void checkWaitArea(const WaitAreaInput& in) {
    if (in.A < 0) refuseInput("대기공간의 총면적은 0 이상이어야 합니다.", "txtSize_WaitArea");
    if (!(in.P > Int16::of(0)))
        refuseInput("최대 관측 보행자수는 0보다 커야 합니다 (1인당 면적 = 총면적 / 보행자수).",
                    "txtPedVolume_WaitArea");
}

char waitAreaLevel(float M) { return levelFromLowerBounds(M, {1.0f, 0.8f, 0.6f, 0.4f, 0.2f}); }

WaitAreaResult analyseWaitArea(const WaitAreaInput& in) {
    checkWaitArea(in);
    WaitAreaResult r;
    r.M = in.A / in.P;
    r.los = waitAreaLevel(r.M);
    return r;
}

}  // namespace verosa::analyses::pedestrian
