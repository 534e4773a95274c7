#pragma once
// The weaving reports (frame runs of 38 "─", 83 columns): mainline-to-ramp and
// ramp-to-ramp operational reports, the design report, and the step block that
// the mainline-to-ramp report and the design report share.
#include <string>

#include "analyses/weaving/Records.h"
#include "report/BoxReport.h"

namespace verosa::analyses::weaving {

// The operational block ends with the density line; the design block's
// density line carries an arrow to the level of that length.
enum class BlockForm { Operation, Design };

// One empty line, "L = ...m일 때", an empty line, the Ww, Wnw, Sw, Snw, S and D lines.
void writeStepBlock(report::BoxReport& b, const WeavingStep& s, BlockForm form);

std::string mainlineReport(const WeavingInput& in, const MainlineResult& r);
std::string rampToRampReport(const WeavingInput& in, const RampToRampResult& r);
std::string designReport(const WeavingInput& in, const DesignResult& r);

}  // namespace verosa::analyses::weaving
