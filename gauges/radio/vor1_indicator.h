// What the VOR indicator's records and its art share: where the dial, the
// needles' pivots and the knob stand.
#pragma once

#include "module/records.h"

namespace tavrel::gauges::vor1 {

constexpr PixPoint kDialCentre{150, 150};
constexpr int32_t kCardBitmap = 2210;  // the mask is 2211
constexpr PixPoint kLateralPivot{150, 74};
constexpr PixPoint kVerticalPivot{74, 150};
constexpr PixPoint kObsKnobCentre{33, 265};
// The deviation dots: full scale 58 pixels across, 48 up and down.
constexpr int32_t kLateralFullScale = 58;
constexpr int32_t kVerticalFullScale = 48;

}  // namespace tavrel::gauges::vor1
