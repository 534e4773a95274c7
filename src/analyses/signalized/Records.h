#pragma once
// The records of the signalized-intersection analysis. Four approaches, always
// in the order EB, WB, NB, SB; each approach is also the leg its traffic
// arrives on. The window fills an IntersectionInput, the computation returns
// an IntersectionResult (adjusted volumes, lane groups, saturation flows with
// the right-turn procedure, then capacity, delay and level of service), and
// the four worksheet pages are written from both.
#include <array>
#include <string>

#include "numeric/CheckedInt.h"

namespace verosa::analyses::signalized {

constexpr int kApproaches = 4;
constexpr int kLaneSlots = 5;
// The approach labels in the order of every array, row and column.
constexpr std::array<const char*, kApproaches> kApproachNames = {"EB", "WB", "NB", "SB"};
inline std::string approachName(int i) { return kApproachNames[static_cast<std::size_t>(i)]; }

// The leg over which the right turns of an approach leave the intersection:
// EB turns onto the NB leg, WB onto SB, NB onto WB, SB onto EB.
constexpr std::array<int, kApproaches> kExitLeg = {2, 3, 1, 0};
// The approach whose through green (plus yellow) blocks the right turns of an
// approach: EB is crossed by SB, WB by NB, NB by EB, SB by WB.
constexpr std::array<int, kApproaches> kCrossingApproach = {3, 2, 0, 1};

// The bus-stop position "75이상": the stop is too far to affect the approach.
constexpr int kBusStopFar = 3;

// The movements a lane serves.
enum class LaneCode : int {
    None = 0,  // a slot never filled
    Left = 1,  // exclusive left-turn lane
    LeftThrough = 3,
    Through = 5,
    ThroughRight = 7,
    Right = 9,
    All = 11,  // left, through and right in one lane
};

// The code of a lane from its movement ticks; nothing for the combinations
// that name no lane (none ticked, left and right without through).
bool laneCodeOf(bool left, bool through, bool right, LaneCode& code);
inline bool servesLeft(LaneCode k) { return k == LaneCode::Left || k == LaneCode::LeftThrough || k == LaneCode::All; }
inline bool servesThrough(LaneCode k) {
    return k == LaneCode::LeftThrough || k == LaneCode::Through || k == LaneCode::ThroughRight || k == LaneCode::All;
}
inline bool servesRight(LaneCode k) {
    return k == LaneCode::ThroughRight || k == LaneCode::Right || k == LaneCode::All;
}

struct LaneInput {
    float width = 0;  // m
    LaneCode code = LaneCode::None;
    friend bool operator==(const LaneInput&, const LaneInput&) = default;
};

struct ApproachInput {
    Int16 VL, VT, VR;  // volumes of the left, through and right movements, vph
    float PHF = 0;
    int grade = -1;              // cboGrade position: "-6%이하" ... "+6%이상"
    Int16 Ps, Pl;                // shares of small and large heavy vehicles, %
    int parking = -1;            // cboPark position: "불허", "0-10" ... "40이상"
    float R = 0;                 // curb radius of the right turn, m
    std::string rightShareText;  // held with the inputs; no step reads it
    int offset = -1;             // cboOffset position: offset ratio 0, 5, ... 95 %
    int distance = -1;           // cboDis position: 200 ... 600 m upstream
    int busBay = -1;             // cboStop position: 0 bay ("유"), 1 no bay ("무")
    int busActivity = -1;        // cboStopAct position: "소", "중", "대"
    int busStopPlace = -1;       // cboStopLoc position: "30이하", "30-50", "50-75", kBusStopFar
    int busVolume = -1;          // cboStopUnit position: "10-30" ... "350이상"
    Int16 g, gL;                 // through and left-turn greens, s
    double throughGreen = 0;     // the through green as typed (decimal), for the crossing time gC
    int laneCount = 0;           // cboTotalLane (steers the lane entry only)
    int crossLanes = -1;         // cboCrossTotalLane: opposite-direction lanes of this leg
    double crossWidth = 0;       // their total width, m
    bool crosswalk = false;      // a crosswalk crosses this leg
    double pedestrians = 0;      // per hour on it (read only when ticked)
    std::array<LaneInput, kLaneSlots> lanes{};
};

struct IntersectionInput {
    std::array<ApproachInput, kApproaches> approach{};
    Int16 C;  // cycle, s
    Int16 Y;  // yellow, s
};

struct ApproachResult {
    // Volume adjustment and lane groups.
    Int16 vL, vT, vR;
    Int16 NL, NT, NR;
    float WL = 0, WT = 0, WR = 0, Wsum = 0;
    Int16 leftCodeSum, lastLeftCode;
    // Saturation-flow factors.
    float fwL = 0, fwT = 0, fwR = 0;
    float fg = 0, fHV = 0, fbb = 0, fP = 0, fLT = 0;
    // The right-turn procedure.
    double SRT = 0;
    float fp = 0;  // pedestrian blocking on the crosswalk of the exit leg
    Int16 gP, g, gL, gC;
    Int16 VRc;  // converted right-turn flow VR'
    float F = 0;
    Int16 DR;
    float K1 = 0, K2 = 0, ERT = 0, fRT = 0;
    Int16 sL, sT, sR;
    // Capacity, delay and level of service: the through group ...
    Int16 s;
    float vOverS = 0, gOverC = 0;
    Int16 c;
    float X = 0, d1 = 0, d2 = 0, PF = 0, d = 0;
    char LOS = 0;
    // ... the exclusive left-turn group ...
    float vOverSL = 0, gOverCL = 0;
    Int16 cL;
    float XL = 0, d1L = 0, d2L = 0, PFL = 0, dL = 0;
    char LOSL = 0;
    // ... and the approach.
    float dA = 0;
    char LOSA = 0;
};

struct IntersectionResult {
    std::array<ApproachResult, kApproaches> approach{};
    float dI = 0;
    char LOSI = 0;
};

}  // namespace verosa::analyses::signalized
