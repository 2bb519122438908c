// The gauges of the module, in catalogue order. Each gauge file defines its
// header; the module record lists them in the order of kGaugeTable.
#pragma once

#include "module/records.h"

namespace tavrel::gauges {

extern GaugeHeader turn_coordinator;
extern GaugeHeader battery_switch;
extern GaugeHeader vertical_speed;
extern GaugeHeader airspeed_mph;
extern GaugeHeader airspeed_kts;
extern GaugeHeader magnetic_compass;
extern GaugeHeader altimeter;
extern GaugeHeader attitude;
extern GaugeHeader gyro_compass;
extern GaugeHeader directionnal_gyro;

inline constexpr GaugeHeader* kGaugeTable[] = {
    &turn_coordinator,   // 1
    &battery_switch,     // 3
    &vertical_speed,     // 6
    &airspeed_mph,       // 7
    &airspeed_kts,       // 8
    &magnetic_compass,   // 9
    &altimeter,          // 12
    &attitude,           // 15
    &gyro_compass,       // 22
    &directionnal_gyro,  // 23
};

}  // namespace tavrel::gauges
