#pragma once
// The basic freeway segment reports: the operational analysis and the design analysis.
#include <string>

#include "analyses/freeway/Freeway.h"

namespace verosa::analyses::freeway {

std::string operationalReport(const FreewayInput& in, const OperationalResult& r);
std::string designReport(const FreewayInput& in, const DesignResult& r);

}  // namespace verosa::analyses::freeway
