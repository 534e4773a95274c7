#pragma once
// The headline results of the four pedestrian analyses (docs/headlines.md).
#include <string>
#include <vector>

#include "analyses/pedestrian/Crosswalk.h"
#include "analyses/pedestrian/Stairway.h"
#include "analyses/pedestrian/Walkway.h"
#include "form/Headline.h"

namespace verosa::analyses::pedestrian {

const std::vector<std::string>& walkwayHeadlineNames();
std::vector<form::HeadlineValue> walkwayHeadlines(const WalkwayResult& r);

const std::vector<std::string>& stairwayHeadlineNames();
std::vector<form::HeadlineValue> stairwayHeadlines(const StairwayResult& r);

const std::vector<std::string>& waitAreaHeadlineNames();
std::vector<form::HeadlineValue> waitAreaHeadlines(const WaitAreaResult& r);

// The delay is none under the space method, the space none under the delay method.
const std::vector<std::string>& crosswalkHeadlineNames();
std::vector<form::HeadlineValue> crosswalkHeadlines(CrosswalkMethod method, const CrosswalkResult& r);

}  // namespace verosa::analyses::pedestrian
