#include "analyses/ramp/Ramp.h"

#include <string_view>

#include "analyses/LevelOfService.h"
#include "numeric/Result.h"
#include "report/BoxReport.h"
#include "report/NumberText.h"

namespace verosa::analyses::ramp {

namespace {

// A list item followed by spaces up to `columns` display columns, so that each
// choice fills the same width of the report line.
std::string padded(std::string item, int columns) {
    int width = report::columns(item);
    if (width < columns) item.append(static_cast<size_t>(columns - width), ' ');
    return item;
}

// A flow rate rounded half to even; one that leaves 16 bits is refused.
Int16 flowRate(double x, std::string_view what, std::string focus) {
    return Int16::readRounded(x, what, focus, "교통량, 중차량비율과 첨두시간계수를 확인하십시오.");
}

// P rounded to 3 decimals through "0.###" and kept in single precision.
float shareOfLanes12(double P) { return static_cast<float>(report::roundThrough(P, "0.###")); }

Junction junctionOf(const RampInput& in) {
    return in.connectorType == static_cast<int>(Junction::Diverge) ? Junction::Diverge : Junction::Merge;
}

// The two rows of the lane-share table that use the adjacent ramp: a
// three-lane main line with "연속" selected.
bool usesAdjacentRamp(const RampInput& in) { return in.mainLaneNO + 2 == 3 && in.adjacentRamp; }

}  // namespace

const std::vector<std::string>& connectorTypeItems() {
    static const std::vector<std::string> items = {"합류부", "분류부"};
    return items;
}

const std::vector<std::string>& landTypeItems() {
    static const std::vector<std::string> items = {"평지", "구릉지", "산지"};
    return items;
}

const std::vector<std::string>& mainLaneItems() {
    static const std::vector<std::string> items = {"2차로", "3차로", "4차로"};
    return items;
}

const std::vector<std::string>& connectorLaneItems() {
    static const std::vector<std::string> items = {"1차로", "2차로"};
    return items;
}

// Padded so that the lateral-clearance and lane-width line of the report keeps
// its frame whichever items are chosen (13 + 14 columns fill the line).
const std::vector<std::string>& laneWidthItems() {
    static const std::vector<std::string> items = {padded("≥3.5", 14), padded("3.25≤  ＜3.5", 14),
                                                   padded("3.00≤  ＜3.25", 14), padded("2.75≤  ＜3.00", 14)};
    return items;
}

const std::vector<std::string>& sideWidthItems() {
    static const std::vector<std::string> items = {padded("≥1.5", 13), padded("1.0≤  ＜1.5", 13),
                                                   padded("0.5≤  ＜1.0", 13), padded("0.0≤  ＜0.5", 13)};
    return items;
}

float heavyVehicleFactor(float heavyPercent, int landType) {
    const float p = heavyPercent / 100;
    double k = 0.5;  // 평지
    if (landType == 1) k = 2.0;
    if (landType == 2) k = 4.0;
    const double fHV = 1 / (1 + p * k);
    return static_cast<float>(report::roundThrough(fHV, "#.###"));
}

Int16 laneCapacity(float S) {
    if (S >= 120) return Int16::of(2300);
    if (S >= 110) return Int16::of(2250);
    if (S >= 100) return Int16::of(2200);
    if (S >= 90) return Int16::of(2100);
    return Int16::of(0);
}

Int16 rampCapacity(float SFR) {
    if (SFR > 70) return Int16::of(2000);
    if (SFR > 60) return Int16::of(1900);
    if (SFR > 50) return Int16::of(1800);
    if (SFR > 40) return Int16::of(1700);
    return Int16::of(1600);
}

CapacityOutcome capacityOutcome(Junction junction, Int16 Vf, Int16 Vr, Int16 V12, Int16 Vfo, Int16 laneCap, Int16 N,
                                Int16 rampCap, Int16 Nr) {
    if (junction == Junction::Merge) {
        if (Vfo > laneCap * N) return CapacityOutcome::MainlineCapacity;
        if (V12 > Int16::of(4600)) return CapacityOutcome::InfluenceArea;
        if (Vr > rampCap * Nr) return CapacityOutcome::RampCapacity;
        return CapacityOutcome::Density;
    }
    if (Vf > laneCap * N || Vfo > laneCap * N) return CapacityOutcome::MainlineCapacity;
    if (V12 > Int16::of(4400)) return CapacityOutcome::InfluenceArea;
    if (Vr > rampCap * Nr) return CapacityOutcome::RampCapacity;
    return CapacityOutcome::Density;
}

char levelOfService(float D) {
    // Four bounds: a density beyond the last is E (the junction's worst level).
    return levelFromUpperBounds(D, {6, 12, 17, 22});
}

void checkChoices(const RampInput& in) {
    if (in.connectorType < 0 || in.connectorType > 1)
        refuseInput("접속형태(합류부/분류부)를 선택하십시오.", "cboConnectorType");
    if (in.landType < 0 || in.landType > 2) refuseInput("지형을 선택하십시오.", "cboLandType");
    if (in.mainLaneNO < 0 || in.mainLaneNO > 2) refuseInput("본선구간 차로수를 선택하십시오.", "cboMainLaneNO");
    if (in.connectorLaneNO < 0 || in.connectorLaneNO > 1)
        refuseInput("연결로 차로수를 선택하십시오.", "cboConnectorLaneNO");
}

void checkConnector(const RampInput& in) {
    checkChoices(in);
    requireWithin(in.mainVolume, limits::kVolume, "본선구간 교통량", "txtMainVolume");
    requireWithin(in.mainSpeed, limits::kMainSpeed, "본선구간 자유속도", "txtMainSpeed");
    requireWithin(in.mainHeavyPercent, limits::kShare, "본선구간 중차량비율", "txtMainHeavyPer");
    requireWithin(in.connectorSpeed, limits::kRampSpeed, "연결로 자유속도", "txtConnectorSpeed");
    requireWithin(in.connectorVolume, limits::kVolume, "연결로 교통량", "txtConnectorVolume");
    requireWithin(in.connectorHeavyPercent, limits::kShare, "연결로 중차량비율", "txtConnectorHeavyPer");
    requireWithin(in.PHF, limits::kPHF, "첨두시간계수(PHF)", "txtPHF");
    requireWithin(in.laneLength, limits::kLaneLength, "감,가속차로길이(m)", "txtLaneLength");
    if (usesAdjacentRamp(in)) {
        requireWithin(in.otherLength, limits::kDistance, "인접연결로거리(m)", "txtOtherConnectorLength");
        requireWithin(in.otherVolume, limits::kVolume, "인접연결로 교통량", "txtOtherConnectorVolume");
        requireWithin(in.otherHeavyPercent, limits::kShare, "인접연결로 중차량구성비", "txtOtherConnectorHeavyPer");
    }
}

RampResult analyseRamp(const RampInput& in) {
    checkConnector(in);
    RampResult r;
    r.junction = junctionOf(in);
    r.N = Int16::of(in.mainLaneNO + 2);
    r.Nr = Int16::of(in.connectorLaneNO + 1);
    const bool merge = r.junction == Junction::Merge;

    // Heavy-vehicle factors and flow rates (single-precision divisions).
    r.fHV_main = heavyVehicleFactor(in.mainHeavyPercent, in.landType);
    r.fHV_ramp = heavyVehicleFactor(in.connectorHeavyPercent, in.landType);
    r.Vf = flowRate(in.mainVolume / (r.fHV_main * in.PHF), "본선구간 환산교통량(Vf)", "txtMainVolume");
    r.Vr = flowRate(in.connectorVolume / (r.fHV_ramp * in.PHF), "연결로 환산교통량(Vr)", "txtConnectorVolume");
    if (merge)
        Int16::readRounded(static_cast<double>(r.Vf.value()) + r.Vr.value(), "본선과 연결로 환산교통량의 합(Vf + Vr)",
                           "txtMainVolume");

    r.laneCapacity = laneCapacity(in.mainSpeed);
    r.rampCapacity = rampCapacity(in.connectorSpeed);

    if (usesAdjacentRamp(in)) {
        r.adjacentUsed = true;
        r.fHV_adj = heavyVehicleFactor(in.otherHeavyPercent, in.landType);
        r.Vadj = flowRate(in.otherVolume / (r.fHV_adj * in.PHF), "인접연결로 환산교통량", "txtOtherConnectorVolume");
        r.Ladj = int16(in.otherLength);
    }

    // Share of the flow in lanes 1 and 2.
    const int N = r.N.value();
    if (merge) {
        if (N == 2) {
            r.P = 1.0f;
        } else if (N == 3 && !in.adjacentRamp) {
            r.P = shareOfLanes12(0.5127 + 0.000193 * r.Vr);
        } else if (N == 3) {
            r.P = shareOfLanes12(0.635 - 0.000022 * (r.Vf + r.Vr) - 0.00504 * (r.Vadj / r.Ladj));
            r.rampKind = "한쌍";
        } else {
            r.P = shareOfLanes12(0.094 - 0.0000203 * r.Vr + 0.0502 * (in.laneLength / in.connectorSpeed));
        }
    } else {
        if (N == 2) {
            r.P = 1.0f;
        } else if (N == 3 && !in.adjacentRamp) {
            r.P = shareOfLanes12(0.609 - 0.0000004 * r.Vf - 0.00015 * r.Vr);
        } else if (N == 3) {
            r.P = shareOfLanes12(0.796 - 0.0000758 * r.Vf + 0.0259 * (r.Vadj / r.Ladj));
            r.rampKind = "한쌍";
        } else {
            r.P = 0.453f;
        }
    }

    // Flow in lanes 1 and 2, in single precision.
    if (merge)
        r.V12 = flowRate(r.Vf * r.P, "V12", "txtMainVolume");
    else
        r.V12 = flowRate(r.Vr + (r.Vf - r.Vr) * r.P, "V12", "txtMainVolume");

    r.Vfo = merge ? r.Vf + r.Vr : r.Vf - r.Vr;
    r.outcome = capacityOutcome(r.junction, r.Vf, r.Vr, r.V12, r.Vfo, r.laneCapacity, r.N, r.rampCapacity, r.Nr);
    if (r.outcome != CapacityOutcome::Density) {
        r.los = 'F';
        return r;
    }

    // Density of the ramp influence area, in double precision.
    double D;
    if (merge)
        D = 0.2048 + 0.003185 * r.Vr + 0.005988 * r.V12 - 0.00101 * in.laneLength;
    else
        D = 0.5108 + 0.00589 * r.V12 - 0.0043 * in.laneLength;
    r.density = static_cast<float>(report::roundThrough(D, "##.##"));
    r.los = levelOfService(r.density);
    return r;
}

}  // namespace verosa::analyses::ramp
