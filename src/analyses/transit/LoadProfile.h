#pragma once
// The load profile drawn under the stop grid: one bar per stop for the load on
// board, coloured by its level, with the level bounds of the bus type drawn
// as lines across it.
#include "analyses/transit/Transit.h"
#include "form/Control.h"

namespace verosa::analyses::transit {

// Drawing units of the profile.
constexpr double kProfileWidth = 420;
constexpr double kProfileHeight = 200;

// The colour a level is drawn in ("#2e7d32" for A ...); the neutral colour of
// a bar without a level.
std::string levelColour(std::optional<char> level);

// Before any analysis: the axes and a note.
form::DrawingData emptyLoadProfile();
// Bars "bar1" ... "barN", bound lines "boundA" ... "boundE" (none without a
// bus type), their labels, the axes and the stop numbers.
form::DrawingData loadProfile(BusType type, const BusLoadResult& r);

}  // namespace verosa::analyses::transit
