#pragma once
// The headline results of the two-lane road analysis (docs/headlines.md).
#include <string>
#include <vector>

#include "analyses/twolane/TwoLane.h"
#include "form/Headline.h"

namespace verosa::analyses::twolane {

const std::vector<std::string>& twoLaneHeadlineNames();
std::vector<form::HeadlineValue> twoLaneHeadlines(const TwoLaneResult& r);

}  // namespace verosa::analyses::twolane
