#pragma once
// Stairways (the flow per metre of usable width, rated for platoon or
// non-platoon flow) and waiting areas (the area each waiting pedestrian has).
#include <string>

#include "numeric/CheckedInt.h"

namespace verosa::analyses::pedestrian {

enum class StairwayFlow {
    None,        // no flow type chosen
    Platoon,     // 보행군일 경우
    NonPlatoon,  // 비보행군일 경우
};

struct StairwayInput {
    float We = 0;  // usable stair width, m
    Int16 V15;     // peak 15-minute pedestrian volume
    StairwayFlow flow = StairwayFlow::None;
};

struct StairwayResult {
    Int16 Vp;              // pedestrians per minute per metre
    std::string flowWord;  // "   보행군" or "비보행군"
    char los = 'F';
};

// Refuses no flow type, no usable width, a negative volume and a flow rate
// beyond 16 bits. checkStairwayFlow() is its first part, the flow type, which
// the window checks before it reads the numbers.
void checkStairwayFlow(const StairwayInput& in);
void checkStairway(const StairwayInput& in);
StairwayResult analyseStairway(const StairwayInput& in);
// Level of a stairway flow rate; each bound belongs to the better level.
char stairwayLevel(StairwayFlow flow, Int16 Vp);

struct WaitAreaInput {
    float A = 0;  // total waiting area, m²
    Int16 P;      // maximum observed pedestrians
};

struct WaitAreaResult {
    float M = 0;  // m² per pedestrian
    char los = 'F';
};

// Refuses a negative area and no (or a negative number of) pedestrians.
void checkWaitArea(const WaitAreaInput& in);
WaitAreaResult analyseWaitArea(const WaitAreaInput& in);
// Level of the area per pedestrian (single-precision bounds, each belonging
// to the better level).
char waitAreaLevel(float M);

}  // namespace verosa::analyses::pedestrian
