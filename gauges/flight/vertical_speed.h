// What the vertical speed indicator's table and its art both need.
#pragma once

namespace tavrel::gauges::climb_scale {

// The host gives the vertical speed in metres per second times 256.
constexpr double host_units(double feet_per_minute) {
  return feet_per_minute * 256.0 / (60.0 * 3.28084);
}

}  // namespace tavrel::gauges::climb_scale
