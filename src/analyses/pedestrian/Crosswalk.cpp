#include "analyses/pedestrian/Crosswalk.h"

#include "analyses/LevelOfService.h"
#include "numeric/Result.h"
#include "report/NumberText.h"

namespace verosa::analyses::pedestrian {

namespace {

// Pedestrians per cycle from a 15-minute volume (double precision).
double perCycle(double volume15, float C) { return volume15 / 15 * C / 60; }

}  // namespace

void checkCrosswalkMethod(const CrosswalkInput& in) {
    if (in.method == CrosswalkMethod::None)
        refuseInput("분석방법(보행자 지체를 이용 / 보행자 공간을 이용)을 선택하십시오.", "optDelayUse");
}

void checkCrosswalk(const CrosswalkInput& in) {
    checkCrosswalkMethod(in);
    if (!(in.C > 0)) refuseInput("총 주기는 0보다 커야 합니다.", "txtTotCycle");
    if (in.G < 0) refuseInput("보행자 녹색시간은 0 이상이어야 합니다.", "txtTotGreenTime");
    if (in.G > in.C) refuseInput("보행자 녹색시간은 총 주기보다 길 수 없습니다.", "txtTotGreenTime");
    if (in.method == CrosswalkMethod::Delay) return;

    if (in.L < 0) refuseInput("횡단보도 길이는 0 이상이어야 합니다.", "txtCrossRoadLength");
    if (!(in.W > 0)) refuseInput("횡단보도 폭은 0보다 커야 합니다.", "txtCrossRoadWidth");
    if (in.entering < 0) refuseInput("횡단보도 진입보행량은 0 이상이어야 합니다.", "txtCrossRoadInVolume");
    if (in.leaving < 0) refuseInput("횡단보도 진출보행량은 0 이상이어야 합니다.", "txtCrossRoadOutVolume");
    if (!(in.S > 0)) refuseInput("보행자 속도는 0보다 커야 합니다.", "txtWalkSpeed");
    const double Vi = perCycle(in.entering, in.C);
    const double Vo = perCycle(in.leaving, in.C);
    Int16::readRounded(Vi, "주기 당 진입보행자수", "txtCrossRoadInVolume", "진입보행량과 총 주기를 확인하십시오.");
    Int16::readRounded(Vo, "주기 당 진출보행자수", "txtCrossRoadOutVolume", "진출보행량과 총 주기를 확인하십시오.");
    const long long sum = static_cast<long long>(int16(Vi).value()) + int16(Vo).value();
    if (sum > Int16::kMax)
        refuseInput("주기 당 보행자수의 합이 너무 큽니다. 보행량과 총 주기를 확인하십시오.", "txtCrossRoadInVolume");
    if (sum == 0)
        refuseInput("주기 당 보행자수가 0이어서 총 필요시간(T)이 0입니다. 진입·진출보행량을 확인하십시오.",
                    "txtCrossRoadInVolume");
}

char crosswalkDelayLevel(float dp) {
    // A needs a delay below 15 s; from B on, a bound belongs to the better level.
    if (dp < 15) return 'A';
    return levelFromUpperBounds(dp, {30, 45, 60, 90}, AtBound::Better, 'B');
}

char crosswalkSpaceLevel(float M) { return levelFromLowerBounds(M, {3.3f, 2.0f, 1.4f, 0.9f, 0.38f}); }

CrosswalkResult analyseCrosswalk(const CrosswalkInput& in) {
    checkCrosswalk(in);
    CrosswalkResult r;
    if (in.method == CrosswalkMethod::Delay) {
        // dp = (C - G)² / (2 × C), single precision throughout.
        const float red = in.C - in.G;
        r.dp = red * red / (2 * in.C);
        r.los = crosswalkDelayLevel(r.dp);
        return r;
    }
    r.Vi = int16(perCycle(in.entering, in.C));
    r.Vo = int16(perCycle(in.leaving, in.C));
    r.N = (in.C - in.G) * r.Vo / in.C;
    // The literals 3.2 and 0.81 are double; t is kept in single precision.
    r.t = static_cast<float>(3.2 + in.L / in.S + 0.81 * r.N / in.W);
    r.TS = (in.G - in.L / (2 * in.S)) * in.W * in.L;
    r.T = (r.Vi + r.Vo) * r.t;
    r.M = r.TS / r.T;
    r.los = crosswalkSpaceLevel(r.M);
    return r;
}

}  // namespace verosa::analyses::pedestrian
