// The gauges of the module, in catalogue order. Each gauge file defines its
// header; the module record lists them in the order of kGaugeTable.
#pragma once

#include "module/records.h"

namespace tavrel::gauges {

extern GaugeHeader turn_coordinator;
extern GaugeHeader battery_switch;
extern GaugeHeader carb_temperature;
extern GaugeHeader vertical_speed;
extern GaugeHeader airspeed_mph;
extern GaugeHeader airspeed_kts;
extern GaugeHeader magnetic_compass;
extern GaugeHeader fuel_quantity;
extern GaugeHeader tachometer;
extern GaugeHeader altimeter;
extern GaugeHeader manifold_pressure;
extern GaugeHeader attitude;
extern GaugeHeader suction_indicator;
extern GaugeHeader hourmeter;
extern GaugeHeader oil_temp_press;
extern GaugeHeader cht_indicator;
extern GaugeHeader voltmeter;
extern GaugeHeader ammeter;
extern GaugeHeader gyro_compass;
extern GaugeHeader directionnal_gyro;
extern GaugeHeader low_fuel_lamp;
extern GaugeHeader stall_warning_light;

inline constexpr GaugeHeader* kGaugeTable[] = {
    &turn_coordinator,     // 1
    &battery_switch,       // 3
    &carb_temperature,     // 4
    &vertical_speed,       // 6
    &airspeed_mph,         // 7
    &airspeed_kts,         // 8
    &magnetic_compass,     // 9
    &fuel_quantity,        // 10
    &tachometer,           // 11
    &altimeter,            // 12
    &manifold_pressure,    // 14
    &attitude,             // 15
    &suction_indicator,    // 16
    &hourmeter,            // 17
    &oil_temp_press,       // 18
    &cht_indicator,        // 19
    &voltmeter,            // 20
    &ammeter,              // 21
    &gyro_compass,         // 22
    &directionnal_gyro,    // 23
    &low_fuel_lamp,        // 31
    &stall_warning_light,  // 38
};

}  // namespace tavrel::gauges
