#include "analyses/weaving/Weaving.h"

#include <cmath>

#include "analyses/LevelOfService.h"
#include "numeric/Result.h"
#include "report/NumberText.h"

namespace verosa::analyses::weaving {

namespace {

// r3(x), r2(x): x rounded through "#0.###" / "#0.##" and read back.
float r3(double x) { return static_cast<float>(report::roundThrough(x, "#0.###")); }
float r2(double x) { return static_cast<float>(report::roundThrough(x, "#0.##")); }

// A real power of a double; a result that is not a finite number (a negative
// base under a fractional power, a zero base under a negative one) fails.
double power(double base, double exponent) {
    const double p = std::pow(base, exponent);
    if (!std::isfinite(p)) failArithmetic("거듭제곱을 계산할 수 없습니다(밑이 0 이하입니다).");
    return p;
}

double checkedHeavyPercent(double percent) {
    requireWithin(percent, limits::kShare, "중차량구성비율(%)", field::kHeavyPercent);
    return percent;
}

void requireTerrain(std::string_view terrain) {
    if (terrain != "평지" && terrain != "구릉지" && terrain != "산지")
        refuseInput("지형을 선택하십시오.", field::kTerrain);
}

}  // namespace

// ---- the inputs ----

const std::vector<std::string>& designSpeedItems() {
    static const std::vector<std::string> items = {" 80 ", "100"};
    return items;
}

double checkedLanes(double lanes) {
    // The lanes per direction, N = lanes / 2 + 1, divide the flows: a count
    // that leaves no lane cannot be analysed.
    if (Int16::readRounded(lanes / 2 + 1, "본선차로수", field::kLanes) <= Int16::of(0))
        refuseInput("본선차로수(양방향)로는 차로가 없습니다 (차로수 / 2 + 1 이 1 이상이어야 합니다).", field::kLanes);
    return lanes;
}

double checkedVolume(double volume, const char* control, const char* name) {
    requireWithin(volume, limits::kVolume, name, control);
    return volume;
}

float checkedPHF(float PHF) {
    requireWithin(PHF, limits::kPHF, "첨두시간계수(PHF)", field::kPHF);
    return PHF;
}

Int16 peakFlow(double volume, float divisor, const char* control, const char* name) {
    const double flow = divide(volume, static_cast<double>(divisor));
    return Int16::readRounded(flow, std::string(name) + "의 승용차 환산교통량", control,
                              "교통량과 첨두시간계수를 확인하십시오.");
}

Int16 lengthOf(double length, const char* name) {
    // A whole metre at least: the rounded length is never 0.
    requireWithin(length, limits::kLength, name, field::kLength);
    return int16(length);
}

Int16 designSpeedOf(const std::string& item) {
    // The number the item shows.
    const std::vector<std::string>& items = designSpeedItems();
    if (item == items[0]) return Int16::of(80);
    if (item == items[1]) return Int16::of(100);
    refuseInput("설계속도를 선택하십시오.", field::kDesignSpeed);
}

WeavingStep mainlineState(Int16 Vin, Int16 Vout, Int16 Vmain, double lanes, Int16 S, Int16 L) {
    WeavingStep s;
    s.Vw = Vin + Vout;
    s.Vnw = Vmain - Vout;
    if (s.Vnw.value() < 0)
        refuseInput("본선교통량이 유출교통량보다 작습니다.\n(본선교통량은 유출교통량을 포함합니다: Vnw = Vmain - Vout)",
                    field::kMainVolume);
    s.V = s.Vw + s.Vnw;
    if (s.V.value() == 0)
        refuseInput("교통량을 입력하십시오. 본선교통량과 유입교통량이 모두 0입니다.", field::kMainVolume);
    s.VR = r2(s.Vw / s.V);
    // Half the two-way lane count plus one.
    s.N = int16(lanes / 2 + 1);
    s.S = S;
    s.L = L;
    return s;
}

// ---- the weaving step ----

void runWeavingStep(WeavingStep& s) {
    // V / N in double precision; the powers are real powers of doubles.
    const double VperN = divide(static_cast<double>(s.V.value()), static_cast<double>(s.N.value()));
    const double L = s.L.value();
    s.Wnw = r3(divide(0.00000054 * power(1 + s.VR, 0.68) * power(VperN, 2.0), power(L, 0.17)));
    s.Ww = r3(divide(0.059 * power(1 + s.VR, 2.2) * power(VperN, 0.97), power(L, 0.8)));
    s.Snw = r2(30 + divide(static_cast<float>(s.S + 10 - 30), 1 + s.Wnw));
    s.Sw = r2(30 + divide(static_cast<float>(s.S + 10 - 30), 1 + s.Ww));
    s.Sbar = r2(divide(static_cast<float>(s.V), s.Vw / s.Sw + s.Vnw / s.Snw));
    s.D = r2(divide(VperN, static_cast<double>(s.Sbar)));
    s.los = mainlineLevel(s.D);
}

char mainlineLevel(float D) { return levelFromUpperBounds(D, {6, 12, 17, 22, 27}); }

char rampLevel(float D) {
    // The bounds are double constants: the single-precision density widens.
    return levelFromUpperBounds(D, {7.5, 12.5, 17.5, 25.0, 37.5});
}

float heavyVehicleFactor(double heavyPercent, std::string_view terrain) {
    requireTerrain(terrain);
    const double P = heavyPercent / 100;
    double fhv = 0;
    if (terrain == "평지")
        fhv = divide(1.0, 1 + 0.5 * P);
    else if (terrain == "구릉지")
        fhv = divide(1.0, 1 + 2 * P);
    else
        fhv = divide(1.0, 1 + 4 * P);
    return static_cast<float>(report::roundThrough(fhv, "#0.00"));
}

// ---- the operational analyses ----

MainlineResult analyseMainline(const WeavingInput& in) {
    const double main = checkedVolume(in.mainVolume, field::kMainVolume, "본선교통량");
    const double entering = checkedVolume(in.enteringVolume, field::kEnteringVolume, "유입교통량");
    const double exiting = checkedVolume(in.exitingVolume, field::kExitingVolume, "유출교통량");
    const Int16 S = designSpeedOf(in.designSpeed);
    const double lanes = checkedLanes(in.lanes);
    MainlineResult r;
    r.PHF = checkedPHF(in.PHF);
    const double heavy = checkedHeavyPercent(in.heavyPercent);
    requireTerrain(in.terrain);
    const Int16 L = lengthOf(in.length, "엇갈림구간의 길이");

    r.fhv = heavyVehicleFactor(heavy, in.terrain);
    r.Vin = peakFlow(entering, r.fhv * r.PHF, field::kEnteringVolume, "유입교통량");
    r.Vout = peakFlow(exiting, r.fhv * r.PHF, field::kExitingVolume, "유출교통량");
    r.Vmain = peakFlow(main, r.fhv * r.PHF, field::kMainVolume, "본선교통량");
    r.step = mainlineState(r.Vin, r.Vout, r.Vmain, lanes, S, L);
    runWeavingStep(r.step);
    return r;
}

RampToRampResult analyseRampToRamp(const WeavingInput& in) {
    const double entering = checkedVolume(in.enteringVolume, field::kEnteringVolume, "유입교통량");
    const double exiting = checkedVolume(in.exitingVolume, field::kExitingVolume, "유출교통량");
    // A whole km/h at least: the 16-bit speed the density divides by is never 0.
    requireWithin(in.averageSpeed, limits::kSpeed, "평균공간속도", field::kAverageSpeed);
    RampToRampResult r;
    r.Sa = int16(in.averageSpeed);
    r.PHF = checkedPHF(in.PHF);
    const double heavy = checkedHeavyPercent(in.heavyPercent);
    requireTerrain(in.terrain);
    r.L = lengthOf(in.length, "측도 엇갈림구간의 길이");

    r.fhv = heavyVehicleFactor(heavy, in.terrain);
    r.Vin = peakFlow(entering, r.fhv * r.PHF, field::kEnteringVolume, "유입교통량");
    r.Vout = peakFlow(exiting, r.fhv * r.PHF, field::kExitingVolume, "유출교통량");
    r.Vp = r.Vin + r.Vout;
    // 2 x Sa is an integer product.
    r.D = static_cast<float>(report::roundThrough(r.Vp / (2 * r.Sa), "##0.00"));
    r.los = rampLevel(r.D);
    return r;
}

}  // namespace verosa::analyses::weaving
