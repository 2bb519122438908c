// What the throttle quadrant's records, its lever drag and its art share.
#pragma once

#include <cstdint>

#include "module/records.h"

namespace tavrel::gauges {

// The header of the Thrust_Controls instance whose gauge callback ran last;
// the lever drags read their box heights from its mouse list.
extern GaugeHeader* thrust_controls_header;

namespace thrust {

// A lever's event value runs from 0 (pulled right back) to full forward.
constexpr int32_t kFullForward = 16384;

}  // namespace thrust
}  // namespace tavrel::gauges
