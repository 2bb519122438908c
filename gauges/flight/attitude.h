// What the attitude indicator's callback and its art both need.
#pragma once

namespace tavrel::gauges::horizon_card {

// The horizon card never moves further than 40 degrees of pitch, so it never
// leaves its window. A pitch that is not a number holds it at the low end.
inline constexpr double kPitchLimit = 40.0;

constexpr double held_pitch(double pitch) {
  if (pitch > kPitchLimit) return kPitchLimit;
  if (!(pitch >= -kPitchLimit)) return -kPitchLimit;
  return pitch;
}

}  // namespace tavrel::gauges::horizon_card
