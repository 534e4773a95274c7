#include "analyses/arterial/Urban.h"

#include <cmath>
#include <limits>
#include <span>
#include <stdexcept>

#include "analyses/LevelOfService.h"
#include "analyses/Limits.h"
#include "form/Control.h"
#include "numeric/Result.h"

namespace verosa::analyses::arterial {

namespace {

// A value stored in single precision: one beyond a float's range is an
// arithmetic failure naming what was being computed.
float single(double x, const char* what) {
    if (!(std::fabs(x) <= std::numeric_limits<float>::max()))
        failArithmetic(std::string(what) + "의 계산 결과가 실수 범위를 넘었습니다.");
    return static_cast<float>(x);
}

// "3구간의 " for segment i (0-based): how messages name a row.
std::string row(int i) { return std::to_string(i + 1) + "구간의 "; }

void requireChoice(int position, int count, const std::string& message, const std::string& focus) {
    if (position < 0 || position >= count) refuseInput(message, focus);
}

using form::element;

}  // namespace

UrbanTables openUrbanTables(const tables::LookupTableStore& store) {
    const char* file = tables::LookupTableStore::kFactorFile;
    return {store.open(file, "2-4-5"), store.open(file, "2-4-8a"), store.open(file, "2-4-8b"),
            store.open(file, "2-4-9")};
}

void checkUrbanRoad(const UrbanInput& in) {
    if (in.segments < kMinSegments || in.segments > kMaxSegments)
        refuseInput("구간갯수를 선택하십시오.", "cboTermUnit");
    requireChoice(in.area, 2, "지역구분을 선택하십시오.", "cboArea");
    requireChoice(in.condition, 2, "도로여건을 선택하십시오.", "cboCondi");
    requireChoice(in.lanes, 8, "차선수를 선택하십시오.", "cboLane");
}

void checkUrbanSignal(const UrbanInput& in) {
    if (in.C.value() < 1) refuseInput("주기길이(초)는 반올림하여 1초 이상이어야 합니다.", "txtCycle");
    if (in.actuated == in.pretimed) refuseInput("신호방식(고정신호 또는 감응신호)을 선택하십시오.", "optAct");
    if (in.actuated) requireChoice(in.arrivalType, 5, "도착형태를 선택하십시오.", "cboArr");
    if (in.pretimed) requireChoice(in.progression, 20, "연동비(%)를 선택하십시오.", "cboOffset");
}

void checkSegmentChoices(const UrbanSegment& s, int i) {
    requireChoice(s.length, kLengthPositions, row(i) + "구간길이(Km)를 선택하십시오.", element("cboLen", i));
    requireWithin(s.L, limits::kAboveZero, row(i) + "구간길이(Km)", element("cboLen", i));
    requireChoice(s.side, 2, row(i) + "측면마찰을 선택하십시오.", element("cboSide", i));
}

void checkSegment(const UrbanSegment& s, int i) {
    checkSegmentChoices(s, i);
    requireWithin(s.g, limits::kRatio, row(i) + "g/C 비", element("txtGbyC", i));
    requireWithin(s.X, limits::kAtLeastZero, row(i) + "v/c 비", element("txtVbyC", i));
    // The denominator of the uniform delay, in the precision it is computed in.
    const float denominator = 1 - s.g * s.X;
    if (!(denominator > 0))
        refuseInput(row(i) +
                        "g/C 비와 v/c 비의 곱이 1보다 작아야 합니다 "
                        "(정지지체 식의 분모 1 - g/C × v/c 가 0보다 커야 합니다).",
                    element("txtVbyC", i));
}

void checkUrbanInput(const UrbanInput& in) {
    checkUrbanRoad(in);
    checkUrbanSignal(in);
    if (static_cast<int>(in.segment.size()) != in.segments)
        throw std::logic_error("the input holds another number of segments than it names");
    for (int i = 0; i < in.segments; ++i) checkSegment(in.segment[static_cast<std::size_t>(i)], i);
}

Int16 arterialClass(int area, int condition) { return Int16::of(1 + area + 2 * condition); }

Int16 freeFlowSpeed(Int16 k) {
    static constexpr int kSpeeds[] = {82, 77, 72, 65};
    return Int16::of(kSpeeds[k.value() - 1]);
}

float runningTime(const UrbanTables& t, Int16 k, const UrbanSegment& s) {
    const int column = 2 * (k.value() - 1) + s.side + 1;
    // Seconds per km times the length class in tenths of a km.
    return single(t.runningTime.number(s.length + 1, column) * (s.length + 1) / 10, "순행시간");
}

float stoppedDelay(Int16 C, Int16 c, float g, float X) {
    const float oneMinusG = 1 - g;
    const double square = static_cast<double>(oneMinusG) * oneMinusG;  // (1 - g)²
    const float denominator = 1 - g * X;
    const float d1 = single(divide(0.38 * C * square, static_cast<double>(denominator)), "정지지체");
    const float XminusOne = X - 1;
    const double root = std::sqrt(static_cast<double>(XminusOne) * XminusOne + divide(9 * X, static_cast<float>(c)));
    const float d2 = single(173 * (XminusOne + root), "정지지체");
    return single(static_cast<double>(d1 + d2), "정지지체");
}

int lengthOffset(int lengthPosition) {
    // "0.1이하" and "0.2" share the first column of a block; the second is not read.
    if (lengthPosition <= 1) return 0;
    if (lengthPosition <= 4) return lengthPosition;
    return 4;
}

float actuatedPF(const UrbanTables& t, int arrivalType, float X) {
    // Above 1.0 the row for 1.0 holds.
    const int row = X <= 0.6f ? 1 : X <= 0.8f ? 2 : 3;
    return single(t.actuatedPF.number(row, arrivalType + 1), "연동계수");
}

float pretimedPF(const UrbanTables& t, int progression, int lengthPosition, float X) {
    const int row = progression + 1;
    const int o = lengthOffset(lengthPosition);
    auto cell = [&](int column) { return t.pretimedPF.number(row, column); };
    if (X <= 0.6f) return single(cell(o + 1), "연동계수");
    if (X < 0.8f) {
        const double P1 = cell(o + 1), P2 = cell(o + 6);
        return single((X - 0.6) / 0.2 * (P2 - P1) + P1, "연동계수");
    }
    if (X == 0.8f) return single(cell(o + 6), "연동계수");
    if (X < 1.0f) {
        const double P1 = cell(o + 6), P2 = cell(o + 11);
        return single((X - 0.8) / 0.2 * (P2 - P1) + P1, "연동계수");
    }
    return single(cell(o + 11), "연동계수");
}

char intersectionLevel(float dp) { return levelFromUpperBounds(dp, {5, 15, 25, 40, 60}); }

double approachFactor(Int16 C) {
    if (C.value() <= 79) return 1.38;
    if (C.value() <= 99) return 1.31;
    return 1.25;
}

char speedLevel(const UrbanTables& t, Int16 k, float speed) {
    std::array<float, 5> bounds{};
    for (int level = 0; level < 5; ++level)
        bounds[static_cast<std::size_t>(level)] = static_cast<float>(t.speedBounds.number(level + 1, k.value()));
    return levelFromLowerBounds(speed, std::span<const float>(bounds));
}

UrbanResult analyseUrban(const UrbanInput& in, const UrbanTables& t) {
    checkUrbanInput(in);
    UrbanResult r;
    r.k = arterialClass(in.area, in.condition);
    r.FFS = freeFlowSpeed(r.k);
    const Int16 c = Int16::of(in.lanes + 1) * 800;  // capacity at the signal
    const double factor = approachFactor(in.C);
    for (const UrbanSegment& s : in.segment) {
        SegmentResult seg;
        seg.runningTime = runningTime(t, r.k, s);
        seg.d = stoppedDelay(in.C, c, s.g, s.X);
        seg.PF = in.actuated ? actuatedPF(t, in.arrivalType, s.X) : pretimedPF(t, in.progression, s.length, s.X);
        seg.dp = single(static_cast<double>(seg.PF * seg.d), "연동보정지체");
        seg.intersectionLevel = intersectionLevel(seg.dp);
        seg.da = single(seg.dp * factor, "교차로총접근지체");
        seg.T = single(static_cast<double>(seg.da + seg.runningTime), "구간총시간");
        seg.speed = single(divide(s.L * 3600, static_cast<double>(seg.T)), "구간통행속도");
        seg.level = speedLevel(t, r.k, seg.speed);
        r.sumL += s.L;
        r.sumT = single(static_cast<double>(r.sumT + seg.T), "구간총시간의 합");
        r.segment.push_back(seg);
    }
    r.speed = single(divide(r.sumL * 3600, static_cast<double>(r.sumT)), "구간총통행속도");
    r.level = speedLevel(t, r.k, r.speed);
    return r;
}

}  // namespace verosa::analyses::arterial
