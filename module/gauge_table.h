// The gauges of the module, in catalogue order. Each gauge file defines its
// header; the module record lists them in the order of kGaugeTable.
#pragma once

#include "module/records.h"

namespace tavrel::gauges {

extern GaugeHeader turn_coordinator;
extern GaugeHeader thrust_controls;
extern GaugeHeader battery_switch;
extern GaugeHeader carb_temperature;
extern GaugeHeader registration;
extern GaugeHeader vertical_speed;
extern GaugeHeader airspeed_mph;
extern GaugeHeader airspeed_kts;
extern GaugeHeader magnetic_compass;
extern GaugeHeader fuel_quantity;
extern GaugeHeader tachometer;
extern GaugeHeader altimeter;
extern GaugeHeader flaps;
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
extern GaugeHeader landing_gear;
extern GaugeHeader fuel_selector;
extern GaugeHeader bendix_dme;
extern GaugeHeader vor1_indicator;
extern GaugeHeader rmi;
extern GaugeHeader adf_indicator;
extern GaugeHeader tank_selector;
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
extern GaugeHeader instrument_zoom;
extern GaugeHeader fuel_zoom;
extern GaugeHeader close_subpanel;
extern GaugeHeader view_radios;
extern GaugeHeader show_yoke;
extern GaugeHeader landing_view_toggle;
extern GaugeHeader nav_instruments_toggle;
extern GaugeHeader kneeboard_toggle;
extern GaugeHeader atc_toggle;
extern GaugeHeader map_toggle;

inline constexpr GaugeHeader* kGaugeTable[] = {
    &turn_coordinator,        // 1
    &thrust_controls,         // 2
    &battery_switch,          // 3
    &carb_temperature,        // 4
    &registration,            // 5
    &vertical_speed,          // 6
    &airspeed_mph,            // 7
    &airspeed_kts,            // 8
    &magnetic_compass,        // 9
    &fuel_quantity,           // 10
    &tachometer,              // 11
    &altimeter,               // 12
    &flaps,                   // 13
    &manifold_pressure,       // 14
    &attitude,                // 15
    &suction_indicator,       // 16
    &hourmeter,               // 17
    &oil_temp_press,          // 18
    &cht_indicator,           // 19
    &voltmeter,               // 20
    &ammeter,                 // 21
    &gyro_compass,            // 22
    &directionnal_gyro,       // 23
    &landing_gear,            // 24
    &fuel_selector,           // 25
    &bendix_dme,              // 26
    &vor1_indicator,          // 27
    &rmi,                     // 28
    &adf_indicator,           // 29
    &tank_selector,           // 30
    &low_fuel_lamp,           // 31
    &magnetos_switch,         // 32
    &panel_lights_switch,     // 33
    &strobe_lights_switch,    // 34
    &nav_lights_switch,       // 35
    &landing_lights_switch,   // 36
    &beacon_lights_switch,    // 37
    &stall_warning_light,     // 38
    &starter_switch,          // 39
    &pitot_heat,              // 40
    &avionics_switch,         // 41
    &instrument_zoom,         // 42
    &fuel_zoom,               // 43
    &close_subpanel,          // 44
    &view_radios,             // 45
    &show_yoke,               // 46
    &landing_view_toggle,     // 47
    &nav_instruments_toggle,  // 48
    &kneeboard_toggle,        // 49
    &atc_toggle,              // 50
    &map_toggle,              // 51
};

}  // namespace tavrel::gauges
