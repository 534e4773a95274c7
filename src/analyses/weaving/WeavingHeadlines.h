#pragma once
// The headline results of the weaving analyses (docs/headlines.md): the names
// in order and the values of a result as its report shows them. The two
// operational forms (mainline-to-ramp, ramp-to-ramp) share one list; a value
// the ramp-to-ramp form does not compute is none.
#include <string>
#include <vector>

#include "analyses/weaving/Records.h"
#include "form/Headline.h"

namespace verosa::analyses::weaving {

const std::vector<std::string>& operationHeadlineNames();
std::vector<form::HeadlineValue> operationHeadlines(const MainlineResult& r);
std::vector<form::HeadlineValue> operationHeadlines(const RampToRampResult& r);

const std::vector<std::string>& designHeadlineNames();
std::vector<form::HeadlineValue> designHeadlines(const DesignResult& r);

}  // namespace verosa::analyses::weaving
