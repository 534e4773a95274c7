#pragma once
// The headline results of the two transit analyses (docs/headlines.md).
#include <string>
#include <vector>

#include "analyses/transit/Transit.h"
#include "form/Headline.h"

namespace verosa::analyses::transit {

// The route's stop count, its peak load and the first stop where the bus
// leaves with it, and the level there (the worst of the route; none without a
// bus type).
const std::vector<std::string>& busLoadHeadlineNames();
std::vector<form::HeadlineValue> busLoadHeadlines(const BusLoadResult& r);

const std::vector<std::string>& berthHeadlineNames();
std::vector<form::HeadlineValue> berthHeadlines(const BerthResult& r);

}  // namespace verosa::analyses::transit
