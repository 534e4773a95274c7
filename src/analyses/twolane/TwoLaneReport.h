#pragma once
// The two-lane road report.
#include <string>

#include "analyses/twolane/TwoLane.h"

namespace verosa::analyses::twolane {

std::string twoLaneReport(const TwoLaneInput& in, const TwoLaneResult& r);

}  // namespace verosa::analyses::twolane
