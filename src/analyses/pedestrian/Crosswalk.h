#pragma once
// Signalized crosswalks, by one of two methods: the average delay of a
// pedestrian waiting for the green, or the time-space each pedestrian has
// while crossing.
#include <string>

#include "numeric/CheckedInt.h"

namespace verosa::analyses::pedestrian {

enum class CrosswalkMethod {
    None,   // no method chosen
    Delay,  // 보행자 지체를 이용
    Area,   // 보행자 공간을 이용
};

struct CrosswalkInput {
    CrosswalkMethod method = CrosswalkMethod::None;
    float C = 0;          // cycle length, s
    float G = 0;          // pedestrian green, s
    float L = 0;          // crosswalk length, m (area method)
    float W = 0;          // crosswalk width, m (area method)
    double entering = 0;  // entering pedestrians per 15 min (area method)
    double leaving = 0;   // leaving pedestrians per 15 min (area method)
    float S = 0;          // walking speed, m/s (area method)
};

struct CrosswalkResult {
    // Delay method.
    float dp = 0;  // average pedestrian delay, s
    // Area method.
    Int16 Vi;      // entering pedestrians per cycle
    Int16 Vo;      // leaving pedestrians per cycle
    float N = 0;   // pedestrians waiting when the pedestrian green starts
    float t = 0;   // time those pedestrians need to cross, s
    float TS = 0;  // time-space the crosswalk offers, m²·s
    float T = 0;   // total occupancy time, pedestrian·s
    float M = 0;   // space per pedestrian, m²
    char los = 'F';
};

// Refuses what the chosen method cannot compute with: no method, no cycle, a
// green outside the cycle, no width or walking speed, negative volumes,
// per-cycle volumes beyond 16 bits, no pedestrian at all (zero occupancy time).
// checkCrosswalkMethod() is its first part, the method, which the window
// checks before it reads the numbers (the method decides which are read).
void checkCrosswalkMethod(const CrosswalkInput& in);
void checkCrosswalk(const CrosswalkInput& in);
CrosswalkResult analyseCrosswalk(const CrosswalkInput& in);

// Level from the average delay: below 15 s is A, the other bounds belong to
// the better level.
char crosswalkDelayLevel(float dp);
// Level from the space per pedestrian (single-precision bounds, each
// belonging to the better level).
char crosswalkSpaceLevel(float M);

}  // namespace verosa::analyses::pedestrian
