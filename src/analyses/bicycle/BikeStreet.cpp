// Interrupted flow: bicycle delay at signalized intersections and the average
// travel speed along an urban street.
#include <string>

#include "analyses/LevelOfService.h"
#include "analyses/Limits.h"
#include "analyses/bicycle/Bicycle.h"
#include "form/Control.h"
#include "numeric/Result.h"
#include "numeric/Wording.h"
#include "report/NumberText.h"

namespace verosa::analyses::bicycle {

namespace {

using form::element;

// The saturation flow of a bicycle lane, bicycles per hour of green.
constexpr int kSaturationFlow = 3000;

void checkStreet(const BikeStreetInput& in) {
    checkIntersectionCount(in);
    if (!(in.PHF > 0)) refuseInput("첨두시간계수(PHF)는 0보다 커야 합니다.", "txtDisconPHF");
    if (in.bikeVolume < 0) refuseInput("자전거교통량은 0 이상이어야 합니다.", "txtBikeDisconVolume");
    Int16::readRounded(in.bikeVolume / in.PHF, "자전거 교통류율", "txtBikeDisconVolume",
                       "교통량과 첨두시간계수를 확인하십시오.");
    if (!(in.W > 0)) refuseInput("자전거도로폭은 0보다 커야 합니다.", "txtWidth");
    for (int i = 1; i <= in.n; ++i) {
        if (!(in.cycle[i] > Int16::of(0))) refuseInput("주기는 0보다 커야 합니다.", element("txtCycle", i));
        requireWithin(in.gC[i], limits::kRatio, "교차로 #" + std::to_string(i) + " g/C", element("txtGbyC", i));
    }
    if (in.n >= 2) {
        if (!(in.runSpeed > 0)) refuseInput("자전거순행속도는 0보다 커야 합니다.", "txtBikeSpeed");
        for (int j = 0; j <= in.n; ++j)
            if (in.L[j] < 0) refuseInput("링크길이는 0 이상이어야 합니다.", element("txtLinkLength", j));
    }
}

}  // namespace

void checkIntersectionCount(const BikeStreetInput& in) {
    if (in.n < 1 || in.n > kMaxIntersections) refuseInput("교차로개수를 선택하십시오.", "cboIntersectionNo");
}

double widthFactor(float W) {
    if (W <= 1.5) return 0.8;
    if (W <= 2.0) return 0.87;
    if (W <= 2.5) return 0.92;
    return 1.0;
}

char delayLevel(float d) { return levelFromUpperBounds(d, {8, 12, 25, 40, 55}); }

char travelSpeedLevel(float ATS) { return levelFromLowerBounds(ATS, {12, 10, 8, 7, 6}); }

BikeStreetResult analyseStreet(const BikeStreetInput& in) {
    checkStreet(in);
    BikeStreetResult r;
    r.Vb = int16(in.bikeVolume / in.PHF);
    r.fw = widthFactor(in.W);
    for (int i = 1; i <= in.n; ++i) {
        r.Cbike[i] = int16(r.fw * kSaturationFlow * in.gC[i]);
        if (r.Cbike[i] == Int16::of(0))
            refuseInput("자전거 용량이 0입니다. g/C를 확인하십시오.", element("txtGbyC", i));
        float X = r.Vb / r.Cbike[i];
        if (X > 1) X = 1;
        const float denominator = 1 - X * in.gC[i];
        if (denominator == 0)
            refuseInput("지체 계산의 분모(1 - X × g/C)가 0입니다. g/C와 교통량을 확인하십시오.", element("txtGbyC", i));
        const double green = 1 - in.gC[i];
        const double d = 0.5 * in.cycle[i] * (green * green) / denominator;
        // Rounded to two decimals through the pattern "##.##".
        r.d[i] = static_cast<float>(report::roundThrough(d, "##.##"));
    }
    if (in.n == 1) {
        r.los = delayLevel(r.d[1]);
        return r;
    }

    for (int i = 1; i <= in.n; ++i) r.Dt = r.Dt + r.d[i];
    for (int j = 0; j <= in.n; ++j) r.Lt = static_cast<float>(r.Lt + in.L[j]);
    if (!(r.Lt > 0)) refuseInput("링크길이의 합이 0입니다. 링크길이를 입력하십시오.", "txtLinkLength[0]");
    const double ATS = r.Lt / (r.Dt / 3600 + r.Lt / in.runSpeed);
    // Rounded to one decimal through the pattern "##.#".
    r.ATS = static_cast<float>(report::roundThrough(ATS, "##.#"));
    r.los = travelSpeedLevel(r.ATS);
    return r;
}

}  // namespace verosa::analyses::bicycle
