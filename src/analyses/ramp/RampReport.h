#pragma once
// The report "연결로 접속부 운영분석": wide frame, road and traffic conditions as
// typed, the computation step by step, and the density and level of service or
// the capacity check that failed.
#include <string>

#include "analyses/ramp/Ramp.h"

namespace verosa::analyses::ramp {

std::string rampReport(const RampInput& in, const RampResult& r);

}  // namespace verosa::analyses::ramp
