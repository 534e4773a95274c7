// The signalized-intersection computation, step by step in the order of the
// method, each step over the four approaches EB, WB, NB, SB. Values are kept
// in the types the method names (16-bit integers, single precision) after
// every step; "rounded to n decimals" goes half to even on the decimal value.
#include "analyses/signalized/Signalized.h"

#include <cmath>
#include <string>

#include "analyses/LevelOfService.h"
#include "analyses/Limits.h"
#include "form/Control.h"
#include "numeric/Num.h"
#include "numeric/Result.h"
#include "report/NumberText.h"

namespace verosa::analyses::signalized {

namespace {

constexpr int kBusBay = 0;    // "유"
constexpr int kNoBusBay = 1;  // "무"

float rounded(double x, int decimals) { return static_cast<float>(report::roundHalfEven(x, decimals)); }

// Runs one step of one approach; an arithmetic failure inside it is named
// after the step and the approach, so the user learns where it arose.
template <class F>
void step(const char* what, int i, F&& f) {
    try {
        f();
    } catch (const Failure& failure) {
        if (failure.error().kind != ErrorKind::ArithmeticFailure) throw;
        failArithmetic(std::string(what) + " 계산 중 오류 (" + approachName(i) +
                       " 접근로): " + failure.error().message);
    }
}

void requireChoice(int index, int i, const char* what, const char* control) {
    if (index < 0)
        refuseInput(approachName(i) + " " + withParticle(what, Particle::Object) + " 선택하십시오.",
                    approachControl(control, i));
}

void requireNotNegative(double value, int i, const char* what, const char* control) {
    requireWithin(value, limits::kAtLeastZero, approachName(i) + " " + what, approachControl(control, i));
}

// A cell of "2-3-13" read strictly: a cell that is not a number stops the analysis.
float strictCell(const tables::LookupTable& table, int row, int col) {
    const std::string& text = table.cell(row, col);
    const WholeNumber read = readWholeNumber(text);
    if (read.kind != WholeNumber::Kind::Number)
        failArithmetic("표 " + table.name() + "의 " + std::to_string(row) + "행 " + std::to_string(col) +
                       "열이 숫자가 아닙니다 (\"" + text + "\").");
    return static_cast<float>(read.value);
}

float busStopFactor(const ApproachInput& a, const tables::LookupTable& table) {
    if (a.busStopPlace == kBusStopFar) return 1.0f;
    if (a.busBay == kBusBay) return strictCell(table, 3 * a.busVolume + 1, 4);
    if (a.busBay == kNoBusBay) return strictCell(table, 3 * a.busVolume + a.busStopPlace + 1, a.busActivity + 1);
    return 0.0f;
}

constexpr float kGradeFactor[] = {1.00f, 1.00f, 1.00f, 0.99f, 0.97f, 0.96f, 0.95f, 0.94f, 0.93f};
// "30-40" has the lower value 0.50, as the manual's table has it.
constexpr float kParkingFactor[] = {1.00f, 0.90f, 0.85f, 0.80f, 0.50f, 0.70f};

double rightTurnSaturation(const ApproachInput& a, int crossLanes, const tables::LookupTable& table) {
    const RadiusRows rows = radiusRows(a.R);
    if (rows.second == 0) return table.number(rows.first, crossLanes);
    const Int16 low = Int16::round(table.number(rows.first, crossLanes));
    const Int16 high = Int16::round(table.number(rows.second, crossLanes));
    // The midpoint of the neighbouring radii (a fraction of .5 possible).
    return static_cast<double>((high - low) / Int16::of(2) + static_cast<float>(low));
}

}  // namespace

std::string approachControl(const char* control, int approach) { return form::element(control, approach); }

SignalizedTables openSignalizedTables(const tables::LookupTableStore& store) {
    const char* file = tables::LookupTableStore::kFactorFile;
    return {store.open(file, "2-3-9"), store.open(file, "2-3-13"), store.open(file, "2-3-18")};
}

bool laneCodeOf(bool left, bool through, bool right, LaneCode& code) {
    if (left && !through && !right)
        code = LaneCode::Left;
    else if (left && through && !right)
        code = LaneCode::LeftThrough;
    else if (!left && through && !right)
        code = LaneCode::Through;
    else if (!left && through && right)
        code = LaneCode::ThroughRight;
    else if (!left && !through && right)
        code = LaneCode::Right;
    else if (left && through && right)
        code = LaneCode::All;
    else
        return false;
    return true;
}

float laneWidthFactor(float meanWidth) {
    if (meanWidth <= 2.6f) return 0.88f;
    if (meanWidth <= 2.9f) return 0.94f;
    return 1.00f;
}

float leftTurnFactor(Int16 leftCodeSum) {
    switch (leftCodeSum.value()) {
    case 0: return 0.0f;   // no lane serves left turns
    case 1: return 1.00f;  // one exclusive lane
    case 2: return 0.95f;  // two exclusive lanes
    case 3: return 1.00f;  // one lane shared with through traffic
    case 4: return 0.98f;  // an exclusive lane and a shared one
    default: return leftCodeSum.value() > 4 ? 0.91f : 0.0f;
    }
}

RadiusRows radiusRows(float R) {
    // Rows 1 to 8 stand for radii 6, 8, ... 20 m; an odd radius takes the
    // midpoint of its two neighbours.
    if (R <= 6) return {1, 0};
    if (R > 20) return {8, 0};
    const Int32 k = Int32::round(R);
    if (k.value() % 2 == 0) return {Int16::round(R / 2 - 2).value(), 0};
    return {Int16::round((R - 1) / 2 - 2).value(), Int16::round((R + 1) / 2 - 2).value()};
}

float pedestrianBlocking(double p) {
    if (p <= 500) return 0.3f;
    if (p <= 1000) return 0.6f;
    if (p <= 2000) return 0.8f;
    if (p <= 3000) return 0.9f;
    return 1.0f;
}

float progressionFactor(float X, float P06, float P08, float P10) {
    if (X <= 0.6f) return P06;
    if (X < 0.8f) return rounded((X - 0.6) / 0.2 * (P08 - P06) + P06, 3);
    if (X == 0.8f) return P08;
    if (X < 1.0f) return rounded((X - 0.8) / 0.2 * (P10 - P08) + P08, 3);
    return P10;
}

float uniformDelay(Int16 C, float gOverC, float X) {
    const double open = static_cast<double>(1 - gOverC);
    const float saturated = 1 - X * gOverC;
    // At X * g/C of 1 or more the formula has no meaning: a negative delay
    // would rate a group beyond its capacity as level A.
    if (saturated < 0)
        failArithmetic(
            "v/c비와 g/C비의 곱이 1을 넘어 균일지체를 구할 수 없습니다. 교통량이나 신호시간을 확인하십시오.");
    return rounded(divide(0.38 * static_cast<double>(C) * std::pow(open, 2), static_cast<double>(saturated)), 1);
}

float randomDelay(float X, Int16 c) {
    const float excess = X - 1;
    const double radicand =
        std::pow(static_cast<double>(excess), 2) + static_cast<double>(divide(12 * X, static_cast<float>(c)));
    if (radicand < 0) failArithmetic("음수의 제곱근은 구할 수 없습니다.");
    return rounded(173 * (static_cast<double>(excess) + std::sqrt(radicand)), 1);
}

char delayLevel(float d) { return levelFromUpperBounds(d, {5.0f, 15.0f, 25.0f, 40.0f, 60.0f}); }

void checkIntersectionInput(const IntersectionInput& in) {
    requireWithin(in.C.value(), limits::kAboveZero, "신호주기", "txtCycle");
    requireWithin(in.Y.value(), limits::kAtLeastZero, "황색시간", "txtYellowTime");
    for (int i = 0; i < kApproaches; ++i) {
        const ApproachInput& a = in.approach[static_cast<std::size_t>(i)];
        requireNotNegative(a.VL, i, "좌회전 교통량", "txtLtVol");
        requireNotNegative(a.VT, i, "직진 교통량", "txtThVol");
        requireNotNegative(a.VR, i, "우회전 교통량", "txtRtVol");
        requireWithin(a.PHF, limits::kAboveZero, approachName(i) + " PHF", approachControl("txtPhf", i));
        requireChoice(a.grade, i, "구배", "cboGrade");
        requireNotNegative(a.Ps, i, "중차량구성비(소)", "txtLightPer");
        requireNotNegative(a.Pl, i, "중차량구성비(대)", "txtHeavyPer");
        requireChoice(a.busStopPlace, i, "버스정류장위치", "cboStopLoc");
        if (a.busStopPlace != kBusStopFar) {
            requireChoice(a.busBay, i, "버스 정차대 유무", "cboStop");
            requireChoice(a.busVolume, i, "시간당 버스정차대수", "cboStopUnit");
            if (a.busBay == kNoBusBay) requireChoice(a.busActivity, i, "승, 하차 활동", "cboStopAct");
        }
        requireChoice(a.parking, i, "주차대수", "cboPark");
        requireNotNegative(a.R, i, "우회전차선 곡선반경", "txtRtRad");
        // The right turns read the lane count of the leg they leave over.
        const int exit = kExitLeg[static_cast<std::size_t>(i)];
        requireChoice(in.approach[static_cast<std::size_t>(exit)].crossLanes, exit, "반대방향 차선수",
                      "cboCrossTotalLane");
        if (a.crosswalk) {
            requireNotNegative(a.pedestrians, i, "보행량", "txtWalkPerson");
            requireNotNegative(a.crossWidth, i, "반대방향 차선폭", "txtCrossTotalWidth");
        }
        requireNotNegative(a.g, i, "직진신호시간", "txtThTime");
        requireNotNegative(a.gL, i, "좌회전신호시간", "txtLtTime");
        requireChoice(a.offset, i, "연동값비", "cboOffset");
        requireChoice(a.distance, i, "상류부교차로와의 거리", "cboDis");

        bool through = false, right = false;
        LaneCode lastLeft = LaneCode::None;
        for (const LaneInput& lane : a.lanes) {
            if (lane.width < 0)
                refuseInput(approachName(i) + " 차선폭은 0 이상이어야 합니다.", approachControl("optDirection", i));
            through = through || servesThrough(lane.code);
            right = right || servesRight(lane.code);
            if (servesLeft(lane.code)) lastLeft = lane.code;
        }
        if (!through)
            refuseInput(approachName(i) + " 접근로에 직진 교통이 이용하는 차선이 없습니다. 차선을 입력하십시오.",
                        approachControl("optDirection", i));
        if (!right)
            refuseInput(approachName(i) + " 접근로에 우회전 교통이 이용하는 차선이 없습니다. 차선을 입력하십시오.",
                        approachControl("optDirection", i));
        if (lastLeft == LaneCode::Left && a.gL.value() < 1)
            refuseInput(
                approachName(i) + " 접근로에 좌회전 전용차선이 있으므로 좌회전신호시간은 1초 이상이어야 합니다.",
                approachControl("txtLtTime", i));
    }
}

IntersectionResult analyseIntersection(const IntersectionInput& in, const SignalizedTables& t) {
    checkIntersectionInput(in);
    IntersectionResult result;
    auto& R = result.approach;
    const auto A = [&](int i) -> const ApproachInput& { return in.approach[static_cast<std::size_t>(i)]; };
    const auto Rs = [&](int i) -> ApproachResult& { return R[static_cast<std::size_t>(i)]; };

    // 1. Peak flows; a flow beyond 16 bits comes from the typed volume and PHF.
    for (int i = 0; i < kApproaches; ++i) {
        const ApproachInput& a = A(i);
        ApproachResult& r = Rs(i);
        const std::string hint = "교통량과 PHF를 확인하십시오.";
        r.vR = Int16::readRounded(divide(static_cast<float>(a.VR), a.PHF), approachName(i) + " 우회전 첨두교통량",
                                  approachControl("txtRtVol", i), hint);
        r.vL = Int16::readRounded(divide(static_cast<float>(a.VL), a.PHF), approachName(i) + " 좌회전 첨두교통량",
                                  approachControl("txtLtVol", i), hint);
        r.vT = Int16::readRounded(divide(static_cast<float>(a.VT), a.PHF), approachName(i) + " 직진 첨두교통량",
                                  approachControl("txtThVol", i), hint);
    }
    // 2. Lane groups: a shared lane counts as a whole lane in every group it serves.
    for (int i = 0; i < kApproaches; ++i) {
        ApproachResult& r = Rs(i);
        step("차선군", i, [&] {
            for (const LaneInput& lane : A(i).lanes) {
                const float w = lane.width;
                const LaneCode k = lane.code;
                if (servesLeft(k)) {
                    r.NL = r.NL + 1;
                    r.WL = r.WL + w;
                    r.leftCodeSum = r.leftCodeSum + static_cast<int>(k);
                    r.lastLeftCode = Int16::of(static_cast<int>(k));
                }
                if (servesThrough(k)) {
                    r.NT = r.NT + 1;
                    r.WT = r.WT + w;
                }
                if (servesRight(k)) {
                    r.NR = r.NR + 1;
                    r.WR = r.WR + w;
                }
                r.Wsum = r.Wsum + w;
            }
        });
    }
    // 3. Lane-width factors.
    for (int i = 0; i < kApproaches; ++i) {
        ApproachResult& r = Rs(i);
        step("차선폭 보정계수", i, [&] {
            if (r.NL.value() > 0) r.fwL = laneWidthFactor(r.WL / r.NL);
            r.fwT = laneWidthFactor(divide(r.WT, static_cast<float>(r.NT)));
            r.fwR = laneWidthFactor(divide(r.WR, static_cast<float>(r.NR)));
        });
    }
    // 4. Grade.
    for (int i = 0; i < kApproaches; ++i) Rs(i).fg = kGradeFactor[A(i).grade];
    // 5. Heavy vehicles.
    for (int i = 0; i < kApproaches; ++i) {
        step("중차량 보정계수", i, [&] {
            const ApproachInput& a = A(i);
            Rs(i).fHV = rounded(divide(100.0, 100 + 0.2 * a.Ps + 0.9 * a.Pl), 2);
        });
    }
    // 6. Bus stop ("2-3-13").
    for (int i = 0; i < kApproaches; ++i)
        step("버스정류장 보정계수", i, [&] { Rs(i).fbb = busStopFactor(A(i), t.busStop); });
    // 7. Parking.
    for (int i = 0; i < kApproaches; ++i) Rs(i).fP = kParkingFactor[A(i).parking];
    // 8. Left turns by the codes of the lanes that serve them.
    for (int i = 0; i < kApproaches; ++i) Rs(i).fLT = leftTurnFactor(Rs(i).leftCodeSum);
    // 9. Right-turn saturation flow ("2-3-9"): cross-street lanes of the exit leg.
    for (int i = 0; i < kApproaches; ++i) {
        step("우회전 포화교통류율(SRT)", i, [&] {
            const int crossLanes = A(kExitLeg[static_cast<std::size_t>(i)]).crossLanes;
            Rs(i).SRT = rightTurnSaturation(A(i), crossLanes, t.rightTurn);
        });
    }
    // 10. Pedestrians on the crosswalk of each leg block the right turns that leave over it.
    for (int j = 0; j < kApproaches; ++j) {
        if (!A(j).crosswalk) continue;
        for (int i = 0; i < kApproaches; ++i) {
            if (kExitLeg[static_cast<std::size_t>(i)] != j) continue;
            ApproachResult& r = Rs(i);
            r.fp = pedestrianBlocking(A(j).pedestrians);
            // The crosswalk's length over 1.2 m/s plus 5 s.
            r.gP = Int16::readRounded((static_cast<double>(Rs(j).Wsum) + A(j).crossWidth) / 1.2 + 5,
                                      approachName(j) + " 횡단보도 보행자 녹색시간",
                                      approachControl("txtCrossTotalWidth", j), "차선폭을 확인하십시오.");
        }
    }
    // 11. Signal times: the crossing approach's through green plus yellow.
    for (int i = 0; i < kApproaches; ++i) {
        ApproachResult& r = Rs(i);
        const int crossing = kCrossingApproach[static_cast<std::size_t>(i)];
        r.g = A(i).g;
        r.gL = A(i).gL;
        r.gC = Int16::readRounded(A(crossing).throughGreen + static_cast<double>(in.Y),
                                  approachName(crossing) + " 직진신호시간과 황색시간의 합",
                                  approachControl("txtThTime", crossing));
    }
    // 12.-15. The right-turn procedure.
    for (int i = 0; i < kApproaches; ++i) {
        ApproachResult& r = Rs(i);
        const float fpgP = r.fp * static_cast<float>(r.gP);
        const float C = static_cast<float>(in.C);
        step("우회전 환산교통량(VR')", i, [&] {
            const float free = (static_cast<float>(r.g) - fpgP) * static_cast<float>(r.vR);
            r.VRc = Int16::round(divide(free, C - (static_cast<float>(r.gC) + fpgP)));
        });
        step("우회전 보정계수곱(F)", i, [&] { r.F = rounded(r.fg * r.fwR * r.fbb * r.fP * r.fHV, 2); });
        step("우회전 방출교통량(DR)", i, [&] {
            r.DR = Int16::round(r.SRT * static_cast<double>(static_cast<float>(r.g) - fpgP) / static_cast<double>(C) *
                                static_cast<double>(r.F));
        });
        if (r.VRc < r.DR) {
            step("우회전 보정계수(fRT)", i, [&] {
                r.K1 = rounded((r.vL + r.vT) / r.VRc, 2);
                r.K2 = rounded(static_cast<double>(fpgP) / 0.82, 2);
                double ERT = divide(2200.0, r.SRT);
                if (A(i).crosswalk && r.K1 < r.K2)
                    ERT = divide(static_cast<double>(fpgP) - 0.82 * static_cast<double>(r.K1),
                                 1.63 * static_cast<double>(r.VRc)) +
                          ERT;
                r.ERT = rounded(ERT, 2);
                const float full = 2200 * r.F;
                const float lost = divide(static_cast<float>(r.VRc) * r.ERT * C, static_cast<float>(r.g));
                r.fRT = rounded(divide(full - lost, full), 2);
            });
        }
    }
    // 16. Adjusted saturation flows.
    for (int i = 0; i < kApproaches; ++i) {
        ApproachResult& r = Rs(i);
        step("보정포화교통류율", i, [&] {
            r.sL = Int16::round(static_cast<float>(2200 * r.NL) * r.fwL * r.fg * r.fHV * r.fbb * r.fP * r.fLT);
            r.sT = Int16::round(static_cast<float>(2200 * r.NT) * r.fwT * r.fg * r.fHV * r.fbb * r.fP);
            r.sR = Int16::round(static_cast<float>(2200 * r.NR) * r.fwR * r.fg * r.fHV * r.fbb * r.fP * r.fRT);
        });
    }

    // Capacity, delay and level of service.
    for (int i = 0; i < kApproaches; ++i) {
        const ApproachInput& a = A(i);
        ApproachResult& r = Rs(i);
        const int last = r.lastLeftCode.value();
        const bool sharedLeft = last == 3 || last == 11;
        // The through group (with the left turns where they share a lane).
        step("직진 차선군 용량", i, [&] {
            Int16 v = r.vT;
            r.s = r.sT + r.sR;
            if (sharedLeft) {
                r.s = r.s + r.sL;
                v = r.vL + r.vT;
            }
            r.vOverS = rounded(v / r.s, 3);
            r.gOverC = rounded(r.g / in.C, 2);
            r.c = Int16::round(static_cast<float>(r.s) * r.gOverC);
            r.X = rounded(v / r.c, 2);
        });
        // The exclusive left-turn group.
        if (last == 1 && r.gL.value() >= 1) {
            step("좌회전 차선군 용량", i, [&] {
                r.vOverSL = rounded(r.vL / r.sL, 3);
                r.gOverCL = rounded(r.gL / in.C, 3);
                r.cL = Int16::round(static_cast<float>(r.sL) * r.gOverCL);
                r.XL = rounded(r.vL / r.cL, 2);
            });
        }
        step("직진 차선군 지체", i, [&] {
            r.d1 = uniformDelay(in.C, r.gOverC, r.X);
            r.d2 = randomDelay(r.X, r.c);
            const int row = a.offset + 1;
            const int col = a.distance + 1;
            const auto P = [&](int c) { return static_cast<float>(t.progression.number(row, c)); };
            r.PF = progressionFactor(r.X, P(col), P(col + 5), P(col + 10));
            r.d = rounded((r.d1 + r.d2) * r.PF, 1);
            r.LOS = delayLevel(r.d);
        });
        if (last == 1) {
            step("좌회전 차선군 지체", i, [&] {
                r.d1L = uniformDelay(in.C, r.gOverCL, r.XL);
                r.d2L = randomDelay(r.XL, r.cL);
                r.PFL = 1.00f;
                r.dL = r.d1L + r.d2L;
                r.LOSL = delayLevel(r.dL);
            });
        }
        step("접근로 지체", i, [&] {
            if (sharedLeft)
                r.dA = rounded(divide(static_cast<float>(r.vT) * r.d, static_cast<float>(r.vT)), 1);
            else
                r.dA = rounded(divide(static_cast<float>(r.vT) * r.d + static_cast<float>(r.vL) * r.dL,
                                      static_cast<float>(r.vT + r.vL)),
                               1);
            r.LOSA = delayLevel(r.dA);
        });
    }
    // The intersection: approach delays weighted by left and through flows.
    float weighted = 0, total = 0;
    for (int i = 0; i < kApproaches; ++i) {
        const ApproachResult& r = Rs(i);
        step("교차로 지체", i, [&] {
            const Int16 V = r.vL + r.vT;
            weighted = weighted + static_cast<float>(V) * r.dA;
            total = total + static_cast<float>(V);
        });
    }
    try {
        result.dI = rounded(divide(weighted, total), 1);
    } catch (const Failure& failure) {
        failArithmetic(std::string("교차로 지체 계산 중 오류: ") + failure.error().message +
                       " (네 접근로의 좌회전과 직진 교통량이 모두 0입니다.)");
    }
    result.LOSI = delayLevel(result.dI);
    return result;
}

}  // namespace verosa::analyses::signalized
