#pragma once
// Physical ranges that every window declares alike for its number fields.
#include "numeric/Wording.h"

namespace verosa::analyses::limits {

// A peak-hour factor is the hourly volume over four times the volume of the
// peak 15 minutes: it lies between 0.25 and 1.
inline constexpr Bounds kPeakHourFactor{0.25, 1.0};

// A share of a whole, in percent.
inline constexpr Bounds kShare{0.0, 100.0};
// A volume or count held in 16 bits.
inline constexpr Bounds kVolume16{0.0, 32767.0};
// A ratio such as g/C: above 0, at most 1.
inline constexpr Bounds kRatio{0.0, 1.0, false, true};
// Values that cannot be negative, and values that must be positive.
inline constexpr Bounds kAtLeastZero{0.0, std::nullopt};
inline constexpr Bounds kAboveZero{0.0, std::nullopt, false};

}  // namespace verosa::analyses::limits
