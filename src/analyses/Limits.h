#pragma once
// Physical ranges that every window declares alike for its number fields.
#include "numeric/Wording.h"

namespace verosa::analyses::limits {

// A peak-hour factor is the hourly volume over four times the volume of the
// peak 15 minutes: it lies between 0.25 and 1.
inline constexpr Bounds kPeakHourFactor{0.25, 1.0};

}  // namespace verosa::analyses::limits
