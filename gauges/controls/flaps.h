// What the flap indicator's records, its scale plate and the host's flap
// events share.
#pragma once

#include <cstdint>

namespace tavrel::gauges::flap {

constexpr double kFlapsFull = 16383.0;
// The plate marks four positions evenly from CLIMB/CRUISE to FULL FLAP.
constexpr int kFlapNotches = 3;

}  // namespace tavrel::gauges::flap
