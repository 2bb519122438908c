// The gauges of the module, in catalogue order. Each gauge file defines its
// header; the module record lists them in this order.
#pragma once

#include "module/records.h"

namespace tavrel::gauges {

extern GaugeHeader battery_switch;

}  // namespace tavrel::gauges
