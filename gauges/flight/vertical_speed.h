// What the vertical speed indicator's table and its art both need.
#pragma once

#include "module/catalogue.h"

namespace tavrel::gauges::climb_scale {

// The host gives the vertical speed in metres per second times 256: feet
// a minute times 256 / (60 × 3.28084), the factor worked first, so the
// table holds the sheet's own values bit for bit.
constexpr double host_units(double feet_per_minute) {
  return feet_per_minute * token::kVerticalSpeed.shown.per_unit;
}

}  // namespace tavrel::gauges::climb_scale
