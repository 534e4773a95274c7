#pragma once
// The signalized-intersection analysis as one pure computation: the input
// record and the window's three manual tables in, the result record out.
// Volume adjustment, lane groups and saturation flows (with the right-turn
// procedure and the pedestrians on the crosswalks) come first, then capacity,
// delay and level of service of the through and left-turn groups, the
// approaches and the intersection. Input the method cannot compute with is
// refused before the first step; a failure met while computing names the step
// and the approach.
#include <string>

#include "analyses/signalized/Records.h"
#include "tables/LookupTable.h"

namespace verosa::analyses::signalized {

struct SignalizedTables {
    tables::LookupTable rightTurn;    // "2-3-9": SRT by curb radius (rows) and cross-street lanes (columns)
    tables::LookupTable busStop;      // "2-3-13": fbb by bus volume, stop position, activity / bay
    tables::LookupTable progression;  // "2-3-18": PF by offset ratio (rows), distance and v/c (columns)
};

SignalizedTables openSignalizedTables(const tables::LookupTableStore& store);

// Refuses ("입력오류", naming the approach and the field, focus on it) what
// no step can compute with: lists a step reads left without a choice, an
// approach with no lane for through or right traffic, a PHF of 0 or below,
// an exclusive left-turn lane with a left green below 1 s, negative volumes,
// shares, widths or greens.
void checkIntersectionInput(const IntersectionInput& in);

// The whole analysis (checks first). Arithmetic failures name their step.
IntersectionResult analyseIntersection(const IntersectionInput& in, const SignalizedTables& t);

// Pieces of the method, for the tests.
float laneWidthFactor(float meanWidth);
float leftTurnFactor(Int16 leftCodeSum);
// The row(s) of "2-3-9" for a curb radius: one row, or two rows whose
// midpoint is taken (second > 0).
struct RadiusRows {
    int first = 0;
    int second = 0;
};
RadiusRows radiusRows(float R);
float pedestrianBlocking(double pedestrians);
float progressionFactor(float X, float P06, float P08, float P10);
float uniformDelay(Int16 C, float gOverC, float X);
float randomDelay(float X, Int16 c);
char delayLevel(float d);

// The control names the refusals focus.
std::string approachControl(const char* name, int approach);

}  // namespace verosa::analyses::signalized
