#pragma once
// Freeway weaving areas: the weaving step (speeds and density of a
// mainline-to-ramp weaving area at one length), the heavy-vehicle factor and
// the two operational analyses, mainline-to-ramp and ramp-to-ramp.
#include <string>
#include <string_view>
#include <vector>

#include "analyses/weaving/Records.h"

namespace verosa::analyses::weaving {

// The controls an input refusal puts the focus on.
namespace field {
inline constexpr const char* kMainVolume = "txtMainVolume";
inline constexpr const char* kEnteringVolume = "txtInVolume";
inline constexpr const char* kExitingVolume = "txtOutVolume";
inline constexpr const char* kDesignSpeed = "cboDesignSpeed";
inline constexpr const char* kAverageSpeed = "txtAvgSpeed";
inline constexpr const char* kLanes = "txtLane";
inline constexpr const char* kPHF = "txtPHF";
inline constexpr const char* kHeavyPercent = "txtHeavyPer";
inline constexpr const char* kTerrain = "cboLandType";
inline constexpr const char* kLength = "txtLength";
inline constexpr const char* kTarget = "cboLos";
}  // namespace field

// The weaving step at s.L: the intensities Wnw and Ww, the speeds Snw and Sw,
// the space mean speed, the density and its level (mainline-to-ramp bounds).
void runWeavingStep(WeavingStep& s);

// Level of service of a mainline-to-ramp density (bounds 6, 12, 17, 22, 27) and
// of a ramp-to-ramp density (7.5, 12.5, 17.5, 25, 37.5); a bound keeps the
// better level.
char mainlineLevel(float D);
char rampLevel(float D);

// fhv of a heavy-vehicle share (%) on a terrain ("평지", "구릉지", "산지"),
// rounded through "#0.00".
float heavyVehicleFactor(double heavyPercent, std::string_view terrain);

MainlineResult analyseMainline(const WeavingInput& in);
RampToRampResult analyseRampToRamp(const WeavingInput& in);

// ---- the inputs, as both analyses check them ----

// The two items of the design-speed list, " 80 " and "100".
const std::vector<std::string>& designSpeedItems();
// A volume (veh/h) within limits::kVolume; `name` names it in the message.
double checkedVolume(double volume, const char* control, const char* name);
// PHF within limits::kPHF.
float checkedPHF(float PHF);
// int16(volume / divisor): a peak passenger-car flow; refused beyond 16 bits.
Int16 peakFlow(double volume, float divisor, const char* control, const char* name);
// The two-way lane count; refused where N = lanes / 2 + 1 leaves no lane.
double checkedLanes(double lanes);
// L = int16(length) of a length within limits::kLength; `name` is the field's
// caption.
Int16 lengthOf(double length, const char* name);
// S: the number in the design-speed item; refused when no speed is chosen.
Int16 designSpeedOf(const std::string& item);
// The mainline-to-ramp state of the step from the peak flows and the two-way
// lane count: Vw, Vnw, V, VR = r2(Vw / V), N = int16(lanes / 2 + 1).
WeavingStep mainlineState(Int16 Vin, Int16 Vout, Int16 Vmain, double lanes, Int16 S, Int16 L);

}  // namespace verosa::analyses::weaving
