#pragma once
// The bicycle reports: plain lines for a path and for an urban street.
#include <string>

#include "analyses/bicycle/Bicycle.h"

namespace verosa::analyses::bicycle {

std::string pathReport(const BikePathInput& in, const BikePathResult& r);
std::string streetReport(const BikeStreetInput& in, const BikeStreetResult& r);

}  // namespace verosa::analyses::bicycle
