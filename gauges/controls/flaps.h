// What the flap indicator's records and its scale plate share.
#pragma once

#include <cstdint>

namespace tavrel::gauges::flap {

constexpr uint32_t kFlapPosition = 329;  // 0 up .. 16383 full
constexpr double kFlapsFull = 16383.0;
// The plate marks four positions evenly from CLIMB/CRUISE to FULL FLAP.
constexpr int kFlapNotches = 3;

}  // namespace tavrel::gauges::flap
