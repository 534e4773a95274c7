#pragma once
// Basic freeway segments: the heavy-vehicle and lane-width factors, the
// operational analysis (service flows of levels A to E and the level of the
// given volume) and the design analysis (lanes per direction for a target
// level), computed from the manual tables 4-2, 4-3 and 4-5.
#include <string>

#include "analyses/freeway/Records.h"
#include "tables/LookupTable.h"

namespace verosa::analyses::freeway {

// The three tables of the window, all in 2001QORA.
struct FreewayTables {
    tables::LookupTable msf;  // 4-2: MSF and v/c by level (rows 1-5) and design speed
    tables::LookupTable fw;   // 4-3: lane width and lateral clearance factor
    tables::LookupTable pce;  // 4-5: passenger-car equivalents on specific grades
};

// Opens 4-2, 4-3 and 4-5; a missing file or table throws (MissingTable).
FreewayTables openFreewayTables(const tables::LookupTableStore& store);

// Refuses a list the analysis needs left without a choice, no obstruction
// side, and a target level F (the form asks this before it reads its numbers).
void checkFreewayChoices(const FreewayInput& in, bool design);
// Refuses, before any table is read, an input the method cannot compute with:
// the choices above, a PHF outside (0, 1], a heavy-vehicle share above 50 %
// where table 4-5 is read.
void checkFreewayInput(const FreewayInput& in, bool design);

// The heavy-vehicle factor fhv (rounded through "#.##") and, on a specific
// grade, the passenger-car equivalent E used for it.
void heavyVehicleFactor(const FreewayInput& in, const FreewayTables& t, Factors& f);
// The lane width and lateral clearance factor fw of table 4-3, from the block
// of two lanes (rows 1-4) or of three or more lanes (rows 5-8).
float laneWidthFactor(const FreewayInput& in, const FreewayTables& t, bool threeOrMoreLanes);

// The first level A to E whose service flow reaches Vp (a tie keeps the better
// level); 'F' when even SF(E) is below Vp.
char freewayLevel(const std::array<Int16, 5>& SF, Int16 Vp);

OperationalResult analyseOperational(const FreewayInput& in, const FreewayTables& t);
DesignResult analyseDesign(const FreewayInput& in, const FreewayTables& t);

}  // namespace verosa::analyses::freeway
