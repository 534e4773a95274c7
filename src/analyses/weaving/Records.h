#pragma once
// The records of the weaving window: its inputs as the fields hold them, the
// weaving step that the operational and the design analyses share, and what
// each analysis computes.
//
// Data flow: the form reads its number fields strictly within the ranges
// below into WeavingInput (list texts as shown, the fields the reports echo as
// typed); each analysis works in the method's precisions (16-bit flows,
// single-precision speeds and densities rounded through patterns) and returns
// its result record, from which the report writer and the diagram take their
// values.
#include <string>
#include <vector>

#include "analyses/Limits.h"
#include "numeric/CheckedInt.h"
#include "numeric/Wording.h"

namespace verosa::analyses::weaving {

// The values the window's number fields admit. The form declares them on its
// fields; the analyses refuse volumes, PHF and shares outside them where they
// are called without the form.
namespace limits {
// Volumes (veh/h): a flow beyond 16 bits cannot be a peak passenger-car flow;
// five digits fill the report's field.
inline constexpr Bounds kVolume = analyses::limits::kVolume16;
inline constexpr Bounds kPHF = analyses::limits::kPeakHourFactor;
inline constexpr Bounds kShare = analyses::limits::kShare;
// Lanes in both directions: one each way at least.
inline constexpr Bounds kLanes{2.0, 16.0};
// Lengths (m) of a weaving area, and the maximum length of the design search;
// a whole metre at least, so that the 16-bit length the powers divide by is
// never 0.
inline constexpr Bounds kLength{1.0, 2000.0};
// The average space speed (km/h) of a ramp-to-ramp weaving area, likewise a
// whole unit at least (the density divides by its 16-bit value).
inline constexpr Bounds kSpeed{1.0, 150.0};
}  // namespace limits

// The weaving window's inputs: the numbers of its fields and the texts of its
// lists as shown.
struct WeavingInput {
    double mainVolume = 0;      // txtMainVolume, veh/h
    double enteringVolume = 0;  // txtInVolume, veh/h
    double exitingVolume = 0;   // txtOutVolume, veh/h
    std::string designSpeed;    // cboDesignSpeed text (" 80 ", "100"), empty for none
    double averageSpeed = 0;    // txtAvgSpeed, km/h (ramp-to-ramp)
    double lanes = 0;           // txtLane, lanes in both directions
    float PHF = 0;              // txtPHF
    double heavyPercent = 0;    // txtHeavyPer, %
    std::string terrain;        // cboLandType text ("평지", "구릉지", "산지")
    double length = 0;          // txtLength, m (the maximum length in design)
    std::string target;         // cboLos text ("A" ... "F"), design only

    // The fields the reports show as typed: each filled once the field was
    // read as a number, without the blanks around it.
    struct Typed {
        std::string mainVolume, enteringVolume, exitingVolume, lanes, heavyPercent;
    } typed;
};

// The weaving step at one length. The window keeps V, N, VR, L, S, Vw and Vnw;
// the step writes the speeds, the density and the level back.
struct WeavingStep {
    // State set before the step.
    Int16 V;       // total flow, pcph
    Int16 N;       // lanes used in the weaving formulas
    float VR = 0;  // volume ratio Vw / V
    Int16 L;       // weaving length, m
    Int16 S;       // design speed, km/h
    Int16 Vw;      // weaving flow, pcph
    Int16 Vnw;     // non-weaving flow, pcph
    // Written by the step.
    float Wnw = 0;   // weaving intensity of the non-weaving flow
    float Ww = 0;    // weaving intensity of the weaving flow
    float Snw = 0;   // non-weaving speed, km/h
    float Sw = 0;    // weaving speed, km/h
    float Sbar = 0;  // space mean speed, km/h
    float D = 0;     // density, pcpkmpl
    char los = 'F';
};

// Mainline-to-ramp operational analysis.
struct MainlineResult {
    float PHF = 0;
    float fhv = 0;           // heavy-vehicle factor, rounded to 0.01
    Int16 Vin, Vout, Vmain;  // peak passenger-car flows, pcph
    WeavingStep step;        // V, N, VR, L, S, Vw, Vnw and the step's results
};

// Ramp-to-ramp (side road) operational analysis.
struct RampToRampResult {
    float PHF = 0;
    float fhv = 0;
    Int16 Vin, Vout;
    Int16 Vp;     // weaving flow Vin + Vout, pcph
    Int16 Sa;     // average space speed, km/h
    Int16 L;      // length, m (reported only)
    float D = 0;  // density, pcpkmpl
    char los = 'F';
};

// Design analysis: the shortest length that keeps the target level.
struct DesignResult {
    float PHF = 0;
    Int16 Vin, Vout, Vmain;
    WeavingStep base;  // V, N, VR, S, Vw, Vnw (L = Lmax)
    Int16 VperN;       // int16(V / N), for the report
    Int16 Lmax;
    Int16 Dmax;   // density bound of the target level
    Int16 Lstar;  // the shortest length whose density stays within Dmax
    std::string target;
    // The reported step runs, in order: Lmax, L* + 20, L* + 10, L*, L* - 10.
    std::vector<WeavingStep> blocks;
};

}  // namespace verosa::analyses::weaving
