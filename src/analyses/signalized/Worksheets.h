#pragma once
// The four worksheet pages of the signalized-intersection analysis: volume
// adjustment, right-turn factor, saturation-flow adjustment, capacity and
// level of service. Fixed-width box tables whose lines start at the left
// margin, each line ending in CR LF.
#include <string>

#include "analyses/signalized/Records.h"

namespace verosa::analyses::signalized {

constexpr int kWorksheetPages = 4;

std::string volumeAdjustmentPage(const IntersectionInput& in, const IntersectionResult& r);
// The cross-street lane count shown is the one the analysis used (the exit
// leg's count in the input record).
std::string rightTurnPage(const IntersectionInput& in, const IntersectionResult& r);
std::string saturationFlowPage(const IntersectionResult& r);
std::string capacityPage(const IntersectionResult& r);

// Page 0 ... 3.
std::string worksheetPage(int page, const IntersectionInput& in, const IntersectionResult& r);

}  // namespace verosa::analyses::signalized
