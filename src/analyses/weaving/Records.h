#pragma once
// The records of the weaving window: its inputs as the fields hold them, the
// weaving step that the operational and the design analyses share, and what
// each analysis computes.
//
// Data flow: the form copies its fields into WeavingInput (texts as typed, list
// texts as shown); each analysis reads the numbers from them with num(), works
// in the method's precisions (16-bit flows, single-precision speeds and
// densities rounded through patterns) and returns its result record, from which
// the report writer and the diagram take their values.
#include <string>
#include <vector>

#include "numeric/CheckedInt.h"

namespace verosa::analyses::weaving {

// The weaving window's inputs. Texts are what the user typed (shown as typed in
// the reports); list fields hold the text of the chosen item, empty for none.
struct WeavingInput {
    std::string mainVolume;      // txtMainVolume, veh/h
    std::string enteringVolume;  // txtInVolume, veh/h
    std::string exitingVolume;   // txtOutVolume, veh/h
    std::string designSpeed;     // cboDesignSpeed text (" 80 ", "100")
    std::string averageSpeed;    // txtAvgSpeed, km/h (ramp-to-ramp)
    std::string lanes;           // txtLane, lanes in both directions
    std::string PHF;             // txtPHF
    std::string heavyPercent;    // txtHeavyPer, %
    std::string terrain;         // cboLandType text ("평지", "구릉지", "산지")
    std::string length;          // txtLength, m (the maximum length in design)
    std::string target;          // cboLos text ("A" ... "F"), design only
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
