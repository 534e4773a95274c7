#pragma once
// The multilane highway report, in its road-condition and survey forms.
#include <string>

#include "analyses/multilane/Multilane.h"

namespace verosa::analyses::multilane {

std::string multilaneReport(const MultilaneInput& in, const MultilaneResult& r);

}  // namespace verosa::analyses::multilane
