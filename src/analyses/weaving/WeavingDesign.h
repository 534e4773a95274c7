#pragma once
// The design analysis of a mainline-to-ramp weaving area: starting at the
// maximum allowed length, the weaving step is run at lengths 10 m shorter each
// time until the density exceeds the bound of the target level; the shortest
// length that kept the bound is the minimum weaving length L*.
#include <functional>
#include <string>

#include "analyses/weaving/Records.h"

namespace verosa::analyses::weaving {

// Density bound of a target level: "A" 6, "B" 12, "C" 17, "D" 22, "E" 27.
// "F" has no bound and is refused, as is no choice.
Int16 densityBound(const std::string& target);

struct LengthSearch {
    bool found = false;  // the density went beyond the bound at some positive length
    Int16 Lstar;         // found: the last length whose density stayed within the bound
    Int16 shortest;      // not found: the shortest length evaluated (within the bound)
};

// L = Lmax; while densityAt(L) <= Dmax, L = L - 10; L* = L + 10. A length of
// 0 or less is never evaluated: when the next length would be one, the search
// ends without finding the minimum.
LengthSearch searchMinimumLength(Int16 Lmax, Int16 Dmax, const std::function<float(Int16)>& densityAt);

// The whole design analysis: flows, the search and the five reported step runs
// (Lmax, L* + 20, L* + 10, L*, L* - 10). A search without result is refused
// with a message saying so.
DesignResult analyseDesign(const WeavingInput& in);

}  // namespace verosa::analyses::weaving
