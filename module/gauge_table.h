// The gauges of the module, in catalogue order. Each gauge file defines its
// header; the module record lists them in the order of kGaugeTable.
#pragma once

#include "module/records.h"

namespace tavrel::gauges {

extern GaugeHeader battery_switch;

inline constexpr GaugeHeader* kGaugeTable[] = {
    &battery_switch,
};

}  // namespace tavrel::gauges
