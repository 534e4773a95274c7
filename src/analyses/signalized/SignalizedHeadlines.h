#pragma once
// The headline results of the signalized-intersection analysis
// (docs/headlines.md): the intersection's delay and level, then each
// approach's, in the order EB, WB, NB, SB.
#include <string>
#include <vector>

#include "analyses/signalized/Records.h"
#include "form/Headline.h"

namespace verosa::analyses::signalized {

const std::vector<std::string>& intersectionHeadlineNames();
std::vector<form::HeadlineValue> intersectionHeadlines(const IntersectionResult& r);

}  // namespace verosa::analyses::signalized
