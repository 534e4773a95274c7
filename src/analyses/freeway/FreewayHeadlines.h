#pragma once
// The headline results of the two freeway analyses (docs/headlines.md): the
// names in order and the values of a result as its report shows them.
#include <string>
#include <vector>

#include "analyses/freeway/Records.h"
#include "form/Headline.h"

namespace verosa::analyses::freeway {

const std::vector<std::string>& operationalHeadlineNames();
std::vector<form::HeadlineValue> operationalHeadlines(const OperationalResult& r);

const std::vector<std::string>& designHeadlineNames();
std::vector<form::HeadlineValue> designHeadlines(const DesignResult& r);

}  // namespace verosa::analyses::freeway
