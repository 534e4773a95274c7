#pragma once
// The headline results of the unsignalized-intersection analysis
// (docs/headlines.md): for each movement that yields, in the order computed,
// its conflicting flow, potential capacity, utilization and impedance.
#include <string>
#include <vector>

#include "analyses/unsignalized/Unsignalized.h"
#include "form/Headline.h"

namespace verosa::analyses::unsignalized {

const std::vector<std::string>& unsignalizedHeadlineNames();
std::vector<form::HeadlineValue> unsignalizedHeadlines(const UnsignalizedResult& r);

}  // namespace verosa::analyses::unsignalized
