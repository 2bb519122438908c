// The gauges of the module, in catalogue order. Each gauge file defines its
// header; the module record lists them in the order of kGaugeTable.
#pragma once

#include "module/records.h"

namespace tavrel::gauges {

extern GaugeHeader battery_switch;
extern GaugeHeader registration;
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
    &battery_switch,         &registration,     &instrument_zoom, &fuel_zoom,
    &close_subpanel,         &view_radios,      &show_yoke,       &landing_view_toggle,
    &nav_instruments_toggle, &kneeboard_toggle, &atc_toggle,      &map_toggle,
};

}  // namespace tavrel::gauges
