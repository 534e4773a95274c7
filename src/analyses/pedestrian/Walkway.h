#pragma once
// Walkways: the effective width, the pedestrian flow rate per metre and its
// level of service.
#include <string>

#include "numeric/CheckedInt.h"

namespace verosa::analyses::pedestrian {

struct WalkwayInput {
    float Wt = 0;         // total walkway width, m
    float Wo = 0;         // total width of obstructions, m
    Int16 V15;            // peak 15-minute pedestrian volume
    double V15typed = 0;  // the volume as typed, read as a number (shown on the input line)
};

struct WalkwayResult {
    float We = 0;  // effective width, m
    Int16 Vp;      // pedestrians per minute per metre
    char los = 'F';
};

// Refuses an input the method cannot compute with (negative or no effective
// width, a negative volume, a flow rate beyond 16 bits).
void checkWalkway(const WalkwayInput& in);
WalkwayResult analyseWalkway(const WalkwayInput& in);

// Level of service of a walkway flow rate (pedestrians/min/m); a bound belongs
// to the better level.
char walkwayLevel(Int16 Vp);

}  // namespace verosa::analyses::pedestrian
