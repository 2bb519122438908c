// What the airspeed tables and their art both need.
#pragma once

namespace tavrel::gauges::airspeed_scale {

// The mph dial stores its marks in knots, the variable's unit.
inline constexpr double kKnotsPerMph = 0.8688;

}  // namespace tavrel::gauges::airspeed_scale
