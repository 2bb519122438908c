// The gauges of the module, in catalogue order. Each gauge file defines its
// header; the module record lists them in the order of kGaugeTable.
#pragma once

#include "module/records.h"

namespace tavrel::gauges {

extern GaugeHeader battery_switch;
extern GaugeHeader magnetos_switch;
extern GaugeHeader panel_lights_switch;
extern GaugeHeader strobe_lights_switch;
extern GaugeHeader nav_lights_switch;
extern GaugeHeader landing_lights_switch;
extern GaugeHeader beacon_lights_switch;
extern GaugeHeader starter_switch;
extern GaugeHeader pitot_heat;
extern GaugeHeader avionics_switch;

inline constexpr GaugeHeader* kGaugeTable[] = {
    &battery_switch,    &magnetos_switch,       &panel_lights_switch,  &strobe_lights_switch,
    &nav_lights_switch, &landing_lights_switch, &beacon_lights_switch, &starter_switch,
    &pitot_heat,        &avionics_switch,
};

}  // namespace tavrel::gauges
