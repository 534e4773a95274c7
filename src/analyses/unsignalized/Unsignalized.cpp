#include "analyses/unsignalized/Unsignalized.h"

#include <cmath>

#include "form/Control.h"
#include "numeric/Result.h"
#include "numeric/Wording.h"
#include "report/NumberText.h"

namespace verosa::analyses::unsignalized {

namespace {

const char* const kApproachNames[kApproaches] = {"EB", "WB", "NB", "SB"};
// The through movement is spaced to the six columns of the turns in reports;
// messages name it without spaces.
const char* const kMovementNames[3] = {"좌회전", "직  진", "우회전"};
const char* const kMovementWords[3] = {"좌회전", "직진", "우회전"};

// Seconds, single precision, entries 1 to 4 of each intersection form.
constexpr std::array<GapParameters, 4> kOneByOneGaps = {{{4.2f, 2.5f}, {4.6f, 3.0f}, {4.5f, 2.7f}, {3.7f, 2.8f}}};
constexpr std::array<GapParameters, 4> kTwoByOneGaps = {{{4.9f, 2.5f}, {5.2f, 3.0f}, {5.4f, 2.7f}, {4.4f, 2.8f}}};

std::string movementWord(int movement) {
    return std::string(kApproachNames[movement / 3]) + " " + kMovementWords[movement % 3];
}

void checkInput(const UnsignalizedInput& in) {
    requireIntersectionType(in.intersectionType);
    for (int a : {kEB, kWB}) {
        requireWithin(in.lanes[static_cast<std::size_t>(a)], kLaneBounds, laneSubject(a), laneField(a));
    }
    for (int m = 0; m < kMovements; ++m) {
        for (bool large : {false, true}) {
            const Int16 volume = (large ? in.large : in.small)[static_cast<std::size_t>(m)];
            requireWithin(volume.value(), kVolumeBounds, volumeSubject(m, large), volumeField(m, large));
        }
    }
}

// A value met while computing as a 16-bit integer, halves to even; beyond 16
// bits the analysis fails, naming the value.
Int16 computed16(double x, const std::string& what) {
    if (!Int16::fits(x))
        failArithmetic(withParticle(what, Particle::Subject) +
                       " 16비트 정수 범위를 넘어 계산할 수 없습니다. 교통량을 확인하십시오.");
    return int16(x);
}

// The conflicting flow of a yielding movement, written with the equivalent
// volumes and the eastbound and westbound lane counts N1 and N2. Sums of
// integers stay exact (their 16-bit range is checked as a whole); a division
// or a half makes the sum a double, rounded half to even.
Int16 conflictingFlow(int movement, const std::array<Int16, kMovements>& v, double N1, double N2) {
    const Int16 vEL = v[kEBL], vET = v[kEBT], vER = v[kEBR];
    const Int16 vWL = v[kWBL], vWT = v[kWBT], vWR = v[kWBR];
    const Int16 vNT = v[kNBT];
    const Int16 vST = v[kSBT], vSR = v[kSBR];
    auto real = [](Int16 x) { return static_cast<double>(x.value()); };
    double Vc = 0;
    switch (movement) {
    case kNBR: Vc = vET / N1 + 0.5 * vER; break;
    case kSBR: Vc = vWT / N2 + 0.5 * vWR; break;
    case kWBL: Vc = real(vER) + real(vET); break;
    case kEBL: Vc = real(vWR) + real(vWT); break;
    case kNBT: Vc = vET / N1 + 0.5 * vER + vEL + vWR + vWT + vWL; break;
    case kSBT: Vc = 0.5 * vWR + vWT + vWL + vER + vET + vEL; break;
    case kNBL: Vc = real(vST) + real(vNT) + real(vSR); break;
    default: break;
    }
    return computed16(Vc, movementWord(movement) + "의 상충교통량(Vc)");
}

// cp = Vc e^(-Vc tc / 3600) / (1 - e^(-Vc tf / 3600)): the exponents in
// single precision (a 16-bit integer times a single), the powers of e and the
// quotient in double, rounded half to even.
Int16 potentialCapacity(Int16 Vc, GapParameters gap, int movement) {
    const float critical = static_cast<float>(-Vc.value()) * gap.tc / 3600;
    const float followUp = static_cast<float>(-Vc.value()) * gap.tf / 3600;
    const double denominator = 1 - std::exp(static_cast<double>(followUp));
    if (denominator == 0)
        failArithmetic(movementWord(movement) + "의 상충교통량(Vc)이 0이어서 잠재용량을 계산할 수 없습니다 (0 / 0).");
    return int16(Vc * std::exp(static_cast<double>(critical)) / denominator);
}

}  // namespace

std::array<GapParameters, 4> gapEntries(int intersectionType) {
    return intersectionType == kTwoByOne ? kTwoByOneGaps : kOneByOneGaps;
}

void requireIntersectionType(int position) {
    if (position != kOneByOne && position != kTwoByOne)
        refuseInput("교차로형태를 선택하십시오.", "cboIntersectionType");
}

const char* approachName(int approach) { return kApproachNames[approach]; }
const char* movementName(int movement) { return kMovementNames[movement % 3]; }
std::string movementLabel(int movement) {
    return std::string(approachName(movement / 3)) + " " + movementName(movement);
}

std::string laneField(int approach) { return form::element("txtLaneNo", approach + 1); }
std::string volumeField(int movement, bool large) {
    return form::element("txtVolume", movement + 1 + (large ? kMovements : 0));
}
std::string laneSubject(int approach) { return std::string(approachName(approach)) + " 차로수"; }
std::string volumeSubject(int movement, bool large) {
    return movementWord(movement) + (large ? " 대형" : " 소형") + " 교통량";
}

UnsignalizedResult analyseUnsignalized(const UnsignalizedInput& in) {
    checkInput(in);
    UnsignalizedResult r;

    // Equivalent volumes: a large vehicle counts 1.8 small ones.
    for (int m = 0; m < kMovements; ++m) {
        const auto i = static_cast<std::size_t>(m);
        r.v[i] = computed16(in.small[i] + 1.8 * in.large[i], movementWord(m) + "의 환산교통량");
    }

    const std::array<GapParameters, 4> gaps = gapEntries(in.intersectionType);
    r.entry1 = gaps[0];
    r.entry4 = gaps[3];
    // Each movement in turn, its conflicting flow first: a failure names the
    // first movement that meets one.
    for (std::size_t k = 0; k < kComputedMovements.size(); ++k) {
        const int m = kComputedMovements[k];
        YieldingMovement& y = r.movements[k];
        y.movement = m;
        y.Vc = conflictingFlow(m, r.v, in.lanes[kEB], in.lanes[kWB]);
        const bool rightTurn = m == kNBR || m == kSBR;
        y.cp = potentialCapacity(y.Vc, rightTurn ? r.entry4 : r.entry1, m);
        if (y.cp == Int16::of(0))
            failArithmetic(movementWord(m) + "의 잠재용량(cp)이 0이어서 이용률을 계산할 수 없습니다.");
        // u: a single-precision quotient of two 16-bit integers, times 100,
        // through "##.##"; p in double through "#.##"; both read back single.
        const float utilization = r.v[static_cast<std::size_t>(m)] / y.cp * 100;
        y.u = static_cast<float>(report::roundThrough(utilization, "##.##"));
        const double u = y.u;
        y.p = static_cast<float>(report::roundThrough(1 - 0.0064 * u - 0.000004 * (u * u), "#.##"));
    }
    return r;
}

}  // namespace verosa::analyses::unsignalized
