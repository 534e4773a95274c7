#pragma once
// The headline results of the multilane highway analysis (docs/headlines.md).
#include <string>
#include <vector>

#include "analyses/multilane/Multilane.h"
#include "form/Headline.h"

namespace verosa::analyses::multilane {

const std::vector<std::string>& multilaneHeadlineNames();
// The flow rate is none where the speeds were measured.
std::vector<form::HeadlineValue> multilaneHeadlines(const MultilaneInput& in, const MultilaneResult& r);

}  // namespace verosa::analyses::multilane
