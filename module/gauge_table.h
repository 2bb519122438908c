// The gauges of the module, in catalogue order. Each gauge file defines its
// header; the module record lists them in the order of kGaugeTable.
#pragma once

#include "module/records.h"

namespace tavrel::gauges {

extern GaugeHeader thrust_controls;
extern GaugeHeader battery_switch;
extern GaugeHeader flaps;
extern GaugeHeader landing_gear;
extern GaugeHeader fuel_selector;
extern GaugeHeader bendix_dme;
extern GaugeHeader vor1_indicator;
extern GaugeHeader rmi;
extern GaugeHeader adf_indicator;
extern GaugeHeader tank_selector;

inline constexpr GaugeHeader* kGaugeTable[] = {
    &thrust_controls,  // 2
    &battery_switch,   // 3
    &flaps,            // 13
    &landing_gear,     // 24
    &fuel_selector,    // 25
    &bendix_dme,       // 26
    &vor1_indicator,   // 27
    &rmi,              // 28
    &adf_indicator,    // 29
    &tank_selector,    // 30
};

}  // namespace tavrel::gauges
