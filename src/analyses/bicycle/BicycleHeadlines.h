#pragma once
// The headline results of the bicycle analysis (docs/headlines.md): one list
// for both flow types; what the case's path type or intersection count does
// not compute is none.
#include <string>
#include <vector>

#include "analyses/bicycle/Bicycle.h"
#include "form/Headline.h"

namespace verosa::analyses::bicycle {

const std::vector<std::string>& bicycleHeadlineNames();
std::vector<form::HeadlineValue> bicycleHeadlines(const BikePathInput& in, const BikePathResult& r);
std::vector<form::HeadlineValue> bicycleHeadlines(const BikeStreetInput& in, const BikeStreetResult& r);

}  // namespace verosa::analyses::bicycle
