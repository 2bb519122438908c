// What the turn coordinator's callbacks and its art both need.
#pragma once

namespace tavrel::gauges::turn_pointer {

// The turn pointer's table is in turn-rate units of 256.
inline constexpr double kTurnRateUnit = 256.0;

// The index triangles either side of the centre square mark a standard-rate
// turn, half the pointer's travel.
inline constexpr double kStandardRate = 2.25;

constexpr double scaled_turn_rate(double rate) {
  return rate / kTurnRateUnit;
}

}  // namespace tavrel::gauges::turn_pointer
