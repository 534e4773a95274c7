#pragma once
// Basic freeway segments: the input record the window fills and the result
// records of the operational and the design analysis.
//
// Data flow: FreewayForm reads its controls into a FreewayInput (number fields
// read strictly within the ranges below, 16-bit values checked, list positions
// as they stand); analyse...() turns it with the tables 4-2, 4-3 and 4-5 into a
// result record; the report writers turn input and result into the report text.
#include <array>
#include <string>

#include "analyses/Limits.h"
#include "numeric/CheckedInt.h"
#include "numeric/Wording.h"

namespace verosa::analyses::freeway {

// The values the window's number fields admit. The form declares them on its
// fields; the computation refuses a PHF outside its range where it is called
// without the form.
namespace limits {
// A 16-bit volume (veh/h); five digits take six places of their field, as the
// report's number text of any five-digit value does.
inline constexpr Bounds kVolume = analyses::limits::kVolume16;
// Lanes per direction: the report's field holds one digit; table 4-3 has the
// block of two lanes (which one lane also uses) and of three or more.
inline constexpr Bounds kLanes{1.0, 9.0};
inline constexpr Bounds kShare = analyses::limits::kShare;  // a share of the volume
inline constexpr Bounds kPHF = analyses::limits::kPeakHourFactor;
}  // namespace limits

// cboTermType positions.
enum SectionKind { kGeneralTerrain = 0, kSpecificGrade = 1 };
// cboLandType positions.
enum Terrain { kLevel = 0, kRolling = 1, kMountainous = 2 };
// cboDesignSpeed positions.
enum DesignSpeed { kSpeed120 = 0, kSpeed100 = 1, kSpeed80 = 2 };

struct FreewayInput {
    // List positions (-1: no choice).
    int sectionKind = -1;
    int terrain = -1;
    int designSpeed = -1;
    int laneWidth = -1;
    int sideDistance = -1;
    int grade = -1;
    int gradeLength = -1;
    int targetLevel = -1;  // design only: 0 "A" … 4 "E"

    // Obstructions on both sides (optTwoSide) or on one (optOneSide); the word
    // shown in the report, "한쪽" or "양쪽", empty when neither is on.
    bool bothSides = false;
    std::string sideText;

    Int16 V;                   // volume (operational) or DDHV (design), veh/h
    float PHF = 0;             // peak-hour factor
    Int16 N;                   // lanes per direction (operational)
    double mediumPercent = 0;  // the medium-vehicle share (general terrain), %
    double largePercent = 0;   // the large-vehicle share (general terrain), %
    double heavyPercent = 0;   // the heavy-vehicle share (specific grade), %

    // Texts as the window shows them, for the report: list texts, and number
    // fields as typed once they were read as numbers (without the blanks
    // around them); empty where the analysis does not read the field.
    std::string designSpeedText;
    std::string laneWidthText;
    std::string sideDistanceText;
    std::string lanesText;
    std::string mediumText;
    std::string largeText;
    std::string heavyText;
    std::string targetLevelText;
};

// What both analyses share: the two adjustment factors.
struct Factors {
    float fw = 0;   // lane width and lateral clearance
    float fhv = 0;  // heavy vehicles, rounded through "#.##"
    float E = 0;    // passenger-car equivalent (specific grade only)
};

struct OperationalResult {
    Int16 Vp;  // peak 15-minute flow rate, veh/h
    Factors factors;
    std::array<Int16, 5> MSF;  // maximum service flow per lane, levels A to E
    std::array<Int16, 5> SF;   // service flows of the segment, levels A to E
    char level = 'F';
};

struct DesignResult {
    Int16 PDDHV;  // design peak flow rate, veh/h
    Int16 MSFi;   // maximum service flow per lane of the target level
    Factors factors;
    Int16 SF;                 // service flow per lane
    float lanesQuotient = 0;  // PDDHV / SF
    Int16 N;                  // lanes per direction
};

}  // namespace verosa::analyses::freeway
