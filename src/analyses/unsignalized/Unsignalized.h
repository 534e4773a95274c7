#pragma once
// A four-leg intersection without signals: a major road (eastbound and
// westbound) crosses a minor road (northbound and southbound). From the twelve
// movement volumes come the equivalent volumes, and for the seven movements
// that yield their conflicting flow Vc, potential capacity cp (gap
// acceptance), utilization u and impedance factor p.
//
// Data flow: the window fills an UnsignalizedInput; analyseUnsignalized()
// refuses what it cannot compute with and computes everything; only then does
// unsignalizedReport() write the framed report.
#include <array>
#include <string>

#include "analyses/Limits.h"
#include "numeric/CheckedInt.h"
#include "numeric/Wording.h"

namespace verosa::analyses::unsignalized {

// Approaches in the order of the lane fields, and the twelve movements in the
// order of the volume fields: three per approach, left, through, right.
enum Approach { kEB = 0, kWB = 1, kNB = 2, kSB = 3 };
enum Movement { kEBL = 0, kEBT, kEBR, kWBL, kWBT, kWBR, kNBL, kNBT, kNBR, kSBL, kSBT, kSBR };
constexpr int kApproaches = 4;
constexpr int kMovements = 12;

// The intersection forms of cboIntersectionType.
enum IntersectionType { kOneByOne = 0, kTwoByOne = 1 };

// Critical gap and follow-up time, seconds.
struct GapParameters {
    float tc = 0;
    float tf = 0;
};

// The gap entries 1 to 4 of an intersection form (entries 2 and 3 belong to
// the method's table; no movement computed here uses them).
std::array<GapParameters, 4> gapEntries(int intersectionType);

struct UnsignalizedInput {
    int intersectionType = -1;                // list position, -1 for no choice
    std::string intersectionText;             // the chosen item ("2 × 1 형태")
    std::array<double, kApproaches> lanes{};  // lane counts EB, WB, NB, SB as read
    std::array<Int16, kMovements> small{};    // small-vehicle volumes
    std::array<Int16, kMovements> large{};    // large-vehicle volumes
};

// One movement that yields.
struct YieldingMovement {
    int movement = 0;  // kNBR, kSBR, ...
    Int16 Vc;          // conflicting flow
    Int16 cp;          // potential capacity
    float u = 0;       // utilization, %, through "##.##"
    float p = 0;       // impedance factor, through "#.##"
};

// The movements computed, in their order.
constexpr std::array<int, 7> kComputedMovements = {kNBR, kSBR, kWBL, kEBL, kNBT, kSBT, kNBL};

struct UnsignalizedResult {
    std::array<Int16, kMovements> v{};            // equivalent volumes: small + 1.8 x large
    GapParameters entry1;                         // gaps of every computed movement but the right turns
    GapParameters entry4;                         // gaps of the minor-road right turns
    std::array<YieldingMovement, 7> movements{};  // in the order of kComputedMovements
};

// "EB" ... "SB"; "좌회전", "직  진", "우회전" (the through movement spaced to
// the width of the turns); "NB 우회전".
const char* approachName(int approach);
const char* movementName(int movement);
std::string movementLabel(int movement);

// The fields of the window that hold an approach's lane count and a
// movement's volumes ("txtLaneNo[1]", "txtVolume[1]" small, "txtVolume[13]"
// large), and how messages name them ("EB 차로수", "EB 좌회전 대형 교통량").
std::string laneField(int approach);
std::string volumeField(int movement, bool large);
std::string laneSubject(int approach);
std::string volumeSubject(int movement, bool large);

// The ranges of the fields: at least one lane, no negative volume.
inline constexpr Bounds kLaneBounds{1.0, std::nullopt};
inline constexpr Bounds kVolumeBounds = limits::kAtLeastZero;

// Refuses "no intersection form chosen" (focus on the list).
void requireIntersectionType(int position);

// Refuses an input the method cannot compute with (no intersection form, an
// eastbound or westbound lane count outside kLaneBounds, a negative volume, an
// equivalent volume or a conflicting flow beyond 16 bits); a conflicting
// flow of 0 (capacity 0 / 0) or a capacity of 0 fails naming the movement.
UnsignalizedResult analyseUnsignalized(const UnsignalizedInput& in);
std::string unsignalizedReport(const UnsignalizedInput& in, const UnsignalizedResult& r);

}  // namespace verosa::analyses::unsignalized
