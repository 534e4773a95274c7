// Uninterrupted flow: conflicts per hour on a bicycle path or lane.
#include <cmath>

#include "analyses/bicycle/Bicycle.h"

#include "analyses/LevelOfService.h"
#include "numeric/Result.h"
#include "numeric/Wording.h"

namespace verosa::analyses::bicycle {

namespace {

// √3.14: 3.14 raised to the power 1/2 (the constant is 3.14, not π).
double rootOf314() { return std::pow(3.14, 1.0 / 2); }

void requireShare(float percent, const char* what, const char* focus) {
    const Bounds share{0.0, 100.0, true, true};
    if (!(percent >= 0 && percent <= 100)) refuseInput(rangeMessage(what, share), focus);
}

// A conflict count rounded half to even, refused beyond 16 bits and below
// zero: P(x) turns negative where the pedestrians walk faster than the
// bicycles ride, and a negative count of meetings is no count.
Int16 conflicts(double F) {
    if (F < 0)
        refuseInput("상충횟수가 0보다 작게 계산되었습니다. 자전거속도와 보행자속도를 확인하십시오.", "txtBikeSpeedAvg");
    return Int16::readRounded(F, "상충횟수", "txtBikeContiVolume", "교통량과 속도를 확인하십시오.");
}

void checkPath(const BikePathInput& in) {
    checkPathChoices(in);
    if (!(in.PHF > 0)) refuseInput("첨두시간계수(PHF)는 0보다 커야 합니다.", "txtContiPHF");
    if (in.bikeVolume < 0) refuseInput("자전거교통량은 0 이상이어야 합니다.", "txtBikeContiVolume");
    if (!(in.Sb > 0)) refuseInput("자전거속도(평균)는 0보다 커야 합니다.", "txtBikeSpeedAvg");
    if (in.sigma < 0) refuseInput("자전거속도(표준편차)는 0 이상이어야 합니다.", "txtBikeSpeedStdErr");
    Int16::readRounded(in.bikeVolume / in.PHF, "자전거 교통류율", "txtBikeContiVolume",
                       "교통량과 첨두시간계수를 확인하십시오.");
    if (in.type == PathType::TwoWay || in.type == PathType::Shared)
        requireShare(in.D, "중방향자전거교통량비율", "txtBikeDirectionRatio");
    if (in.type == PathType::Shared) {
        if (in.pedVolume < 0) refuseInput("보행자교통량은 0 이상이어야 합니다.", "txtPedVolume");
        if (!(in.Sp > 0)) refuseInput("보행자속도(평균)는 0보다 커야 합니다.", "txtPedSpeedAvg");
        requireShare(in.Dp, "중방향보행자교통량비율", "txtPedDirectionRatio");
        Int16::readRounded(in.pedVolume / in.PHF, "보행자 교통류율", "txtPedVolume",
                           "보행자교통량과 첨두시간계수를 확인하십시오.");
    }
}

}  // namespace

void checkPathChoices(const BikePathInput& in) {
    if (in.type == PathType::None) refuseInput("자전거도로의 유형을 선택하십시오.", "cboBikeType");
    if (in.width == PathWidth::None) refuseInput("자전거도로폭을 선택하십시오.", "cboWidth");
}

char pathLevel(PathType type, PathWidth width, Int16 F) {
    // Upper bounds of A to E, each inclusive.
    static constexpr int oneWayNarrow[] = {25, 50, 100, 180, 240};
    static constexpr int oneWayWide[] = {75, 145, 295, 500, 735};
    static constexpr int twoWayNarrow[] = {40, 60, 100, 150, 195};
    static constexpr int twoWayWide[] = {90, 140, 210, 300, 375};
    const bool oneWay = type == PathType::OneWay || type == PathType::OnStreet;
    const bool narrow = width == PathWidth::TwoMetres;
    const std::span<const int> bounds =
        oneWay ? (narrow ? oneWayNarrow : oneWayWide) : (narrow ? twoWayNarrow : twoWayWide);
    return levelFromUpperBounds(F.value(), bounds);
}

BikePathResult analysePath(const BikePathInput& in) {
    checkPath(in);
    BikePathResult r;
    r.Vb = int16(in.bikeVolume / in.PHF);
    if (in.type == PathType::Shared) r.Vp = int16(in.pedVolume / in.PHF);
    const float D = in.D / 100;
    const float Dp = in.Dp / 100;
    r.r = 2 * in.sigma / (rootOf314() * in.Sb);

    if (in.type == PathType::OneWay || in.type == PathType::OnStreet) {
        Int16::readRounded(2.0 * r.Vb.value(), "상충횟수", "txtBikeContiVolume", "교통량과 속도를 확인하십시오.");
        r.F = conflicts(2 * r.Vb * in.sigma / (rootOf314() * in.Sb));
        r.los = pathLevel(in.type, in.width, r.F);
        return r;
    }

    double same = ((r.r - 1) * D + 1) * r.Vb;
    double opposite = ((r.r - 1) * (1 - D) + 1) * r.Vb;
    if (in.type == PathType::Shared) {
        // Pedestrians met or passed, by the share x of pedestrians in the direction.
        auto P = [&](float x) { return 0.5 * x * in.Sb / in.Sp - 1.5 * x + 0.5 * (in.Sb / in.Sp + 1); };
        same = ((r.r - 1) * D + 1) * r.Vb + P(Dp) * r.Vp;
        opposite = ((r.r - 1) * (1 - D) + 1) * r.Vb + P(1 - Dp) * r.Vp;
    }
    r.Fsame = conflicts(same);
    r.Fopp = conflicts(opposite);
    r.losSame = pathLevel(in.type, in.width, r.Fsame);
    r.losOpp = pathLevel(in.type, in.width, r.Fopp);
    return r;
}

}  // namespace verosa::analyses::bicycle
