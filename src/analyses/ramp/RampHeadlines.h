#pragma once
// The headline results of the ramp-junction analysis (docs/headlines.md).
#include <string>
#include <vector>

#include "analyses/ramp/Ramp.h"
#include "form/Headline.h"

namespace verosa::analyses::ramp {

const std::vector<std::string>& rampHeadlineNames();
// The density is none where a capacity check decided the level (F).
std::vector<form::HeadlineValue> rampHeadlines(const RampResult& r);

}  // namespace verosa::analyses::ramp
