#pragma once
// Freeway ramp junctions: a merge (on-ramp) or a diverge (off-ramp), isolated or
// next to an adjacent ramp. From the main-line and ramp volumes the analysis
// derives passenger-car flow rates, the flow in the two lanes next to the ramp
// (V12), three capacity checks, the density of the ramp influence area and its
// level of service. The window fills a RampInput from its controls;
// analyseRamp turns it into a RampResult; rampReport (in
// RampReport.h) writes both as the report text.
#include <string>
#include <vector>

#include "analyses/Limits.h"
#include "numeric/CheckedInt.h"
#include "numeric/Wording.h"

namespace verosa::analyses::ramp {

// The values the window's number fields admit. The form declares them on its
// fields; checkConnector refuses the same values where the analysis is called
// without the form.
namespace limits {
// A 16-bit volume (veh/h); five digits fill the report's field.
inline constexpr Bounds kVolume = analyses::limits::kVolume16;
// The main line's free-flow speed (km/h): the lane capacities start at 90.
inline constexpr Bounds kMainSpeed{90.0, 150.0};
inline constexpr Bounds kRampSpeed{0.0, 150.0, false, true};
inline constexpr Bounds kShare = analyses::limits::kShare;  // heavy vehicles
inline constexpr Bounds kPHF = analyses::limits::kPeakHourFactor;
// The acceleration or deceleration lane (m), a whole metre at least.
inline constexpr Bounds kLaneLength{1.0, 2000.0};
// The distance to the adjacent ramp (m): a whole metre at least, so that the
// rounded distance the lane share divides by is never 0.
inline constexpr Bounds kDistance{1.0, 9999.0};
}  // namespace limits

// The list items of the window, by position.
const std::vector<std::string>& connectorTypeItems();  // 합류부, 분류부
const std::vector<std::string>& landTypeItems();       // 평지, 구릉지, 산지
const std::vector<std::string>& mainLaneItems();       // 2차로 ... 4차로
const std::vector<std::string>& connectorLaneItems();  // 1차로, 2차로
const std::vector<std::string>& laneWidthItems();      // padded to one width
const std::vector<std::string>& sideWidthItems();      // padded to one width

// The junction's form, by the position of its list item.
enum class Junction { Merge = 0, Diverge = 1 };

// How the capacity checks end: with the density computed, or with the flow
// that exceeds its capacity (the level is then F).
enum class CapacityOutcome {
    Density,           // every flow within its capacity: the density decides the level
    MainlineCapacity,  // the largest upstream or downstream mainline flow exceeds its capacity
    InfluenceArea,     // the flow entering the influence area (V12) exceeds its capacity
    RampCapacity,      // the ramp flow exceeds the ramp's capacity
};

// The number fields as typed, for the report: each filled once the field was
// read as a number, without the blanks around it.
struct RampTexts {
    std::string mainVolume, mainSpeed, mainHeavyPercent;
    std::string connectorSpeed, connectorVolume, connectorHeavyPercent;
    std::string PHF, laneLength;
    std::string otherLength, otherVolume, otherHeavyPercent;
};

struct RampInput {
    int connectorType = -1;      // cboConnectorType: 0 merge, 1 diverge; -1 none
    int landType = -1;           // cboLandType: 0 평지, 1 구릉지, 2 산지
    Int16 mainVolume;            // veh/h, rounded half to even
    float mainSpeed = 0;         // main-line free-flow speed S, km/h
    float mainHeavyPercent = 0;  // %
    int mainLaneNO = -1;         // cboMainLaneNO: N = position + 2
    bool adjacentRamp = false;   // optBoth ("연속") selected
    int connectorLaneNO = -1;    // cboConnectorLaneNO: Nr = position + 1
    float connectorSpeed = 0;    // ramp free-flow speed SFR, km/h
    Int16 connectorVolume;       // veh/h
    float connectorHeavyPercent = 0;
    float PHF = 0;
    Int16 laneLength;    // acceleration (LA) or deceleration (LD) lane length, m
    int laneWidth = -1;  // shown in the report only
    int sideWidth = -1;  // shown in the report only
    // The adjacent ramp, read while "연속" is selected; the distance is rounded
    // to an integer only in the cases that use it.
    double otherLength = 0;  // L_adj as read, m
    double otherVolume = 0;  // veh/h, not rounded before use
    float otherHeavyPercent = 0;
    RampTexts texts;
};

struct RampResult {
    Junction junction = Junction::Merge;
    Int16 N, Nr;  // lanes of the main line (one direction) and of the ramp
    float fHV_main = 0, fHV_ramp = 0;
    float fHV_adj = 0;  // only when the adjacent ramp is used
    Int16 Vf;           // main-line flow rate upstream, pcph
    Int16 Vr;           // ramp flow rate, pcph
    bool adjacentUsed = false;
    Int16 Vadj;          // adjacent ramp flow rate, pcph (when used)
    Int16 Ladj;          // adjacent distance, m (when used)
    float P = 0;         // PFM or PFD, rounded to 3 decimals
    Int16 V12;           // flow in lanes 1 and 2, pcph
    Int16 Vfo;           // main-line flow beyond the junction, pcph
    Int16 laneCapacity;  // pcphpl
    Int16 rampCapacity;  // pcphpl
    CapacityOutcome outcome = CapacityOutcome::Density;
    float density = 0;  // pcpkmpl, rounded to 2 decimals (CapacityOutcome::Density)
    char los = 'F';
    std::string rampKind = "독립";  // "한쌍" where the adjacent ramp enters P
};

// Refuses input the method cannot compute with: an unselected junction type,
// terrain or lane list, and a number outside the limits above (the main-line
// speed from 90 km/h, where its lane capacities start; the adjacent ramp's
// only where the lane share uses it). Flow rates that leave 16 bits are
// refused by analyseRamp as they arise.
void checkConnector(const RampInput& in);
// The lists alone (the form asks this before it reads its numbers).
void checkChoices(const RampInput& in);
RampResult analyseRamp(const RampInput& in);

// The steps, for the tests.
float heavyVehicleFactor(float heavyPercent, int landType);  // rounded to 3 decimals
Int16 laneCapacity(float S);                                 // 0 below 90 km/h
Int16 rampCapacity(float SFR);                               // strict bounds
// 0 when every check passes, else the first failing check (1, 2, 3).
CapacityOutcome capacityOutcome(Junction junction, Int16 Vf, Int16 Vr, Int16 V12, Int16 Vfo, Int16 laneCapacity,
                                Int16 N, Int16 rampCapacity, Int16 Nr);
char levelOfService(float density);  // a bound belongs to the better level

}  // namespace verosa::analyses::ramp
