// The gauges of the module, in catalogue order. Each gauge file defines its
// header; the module record lists them in the order of kGaugeTable.
#pragma once

#include "module/records.h"

namespace tavrel::gauges {

extern GaugeHeader battery_switch;
extern GaugeHeader carb_temperature;
extern GaugeHeader fuel_quantity;
extern GaugeHeader tachometer;
extern GaugeHeader manifold_pressure;
extern GaugeHeader suction_indicator;
extern GaugeHeader hourmeter;
extern GaugeHeader oil_temp_press;
extern GaugeHeader cht_indicator;
extern GaugeHeader voltmeter;
extern GaugeHeader ammeter;
extern GaugeHeader low_fuel_lamp;
extern GaugeHeader magnetos_switch;
extern GaugeHeader panel_lights_switch;
extern GaugeHeader strobe_lights_switch;
extern GaugeHeader nav_lights_switch;
extern GaugeHeader landing_lights_switch;
extern GaugeHeader beacon_lights_switch;
extern GaugeHeader stall_warning_light;
extern GaugeHeader starter_switch;
extern GaugeHeader pitot_heat;
extern GaugeHeader avionics_switch;

inline constexpr GaugeHeader* kGaugeTable[] = {
    &battery_switch,
    &carb_temperature,
    &fuel_quantity,
    &tachometer,
    &manifold_pressure,
    &suction_indicator,
    &hourmeter,
    &oil_temp_press,
    &cht_indicator,
    &voltmeter,
    &ammeter,
    &low_fuel_lamp,
    &magnetos_switch,
    &panel_lights_switch,
    &strobe_lights_switch,
    &nav_lights_switch,
    &landing_lights_switch,
    &beacon_lights_switch,
    &stall_warning_light,
    &starter_switch,
    &pitot_heat,
    &avionics_switch,
};

}  // namespace tavrel::gauges
