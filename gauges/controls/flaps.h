// What the flap indicator's records and its scale plate share.
#pragma once

#include <cstdint>

#include "module/records.h"

namespace tavrel::gauges::flap {

constexpr uint32_t kFlapPosition = 329;  // 0 up .. 16383 full
constexpr double kFlapsFull = 16383.0;
// The pointer stands at x 120 over CLIMB/CRUISE with the flaps up and moves
// left 3/512 pixel per unit, to x 24 over FULL FLAP.
constexpr PixPoint kPointerAtFlapsUp{120, 25};
constexpr double kPointerScale = -0.005859375;
constexpr int32_t kPointerWidth = 13;

}  // namespace tavrel::gauges::flap
