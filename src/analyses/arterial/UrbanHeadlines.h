#pragma once
// The headline results of the urban arterial analysis (docs/headlines.md):
// the arterial's class, free-flow speed, travel speed and level, then for each
// of the ten possible segments its travel speed and level and its
// intersection's progression-adjusted delay and level (none beyond the
// segment count), every value as the result window shows it.
#include <string>
#include <vector>

#include "analyses/arterial/Urban.h"
#include "form/Headline.h"

namespace verosa::analyses::arterial {

const std::vector<std::string>& urbanHeadlineNames();
std::vector<form::HeadlineValue> urbanHeadlines(const UrbanResult& r);

}  // namespace verosa::analyses::arterial
