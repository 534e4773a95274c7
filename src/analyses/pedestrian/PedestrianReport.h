#pragma once
// The report writers of the pedestrian facilities.
#include <string>

#include "analyses/pedestrian/Crosswalk.h"
#include "analyses/pedestrian/Stairway.h"
#include "analyses/pedestrian/Walkway.h"

namespace verosa::analyses::pedestrian {

std::string walkwayReport(const WalkwayInput& in, const WalkwayResult& r);
std::string stairwayReport(const StairwayInput& in, const StairwayResult& r);
std::string waitAreaReport(const WaitAreaInput& in, const WaitAreaResult& r);
std::string crosswalkReport(const CrosswalkInput& in, const CrosswalkResult& r);

}  // namespace verosa::analyses::pedestrian
