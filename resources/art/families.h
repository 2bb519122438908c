// One function a gauge family: it adds that family's drawers to the registry.
// A new family gets its own source file and a line here and in registry.cpp.
#ifndef TAVREL_RESOURCES_ART_FAMILIES_H
#define TAVREL_RESOURCES_ART_FAMILIES_H

#include "registry.h"

namespace tavrel::art {

void add_switch_drawers(Registry& registry);   // switches.cpp
void add_flight_drawers(Registry& registry);   // flight.cpp
void add_engine_drawers(Registry& registry);   // engine.cpp
void add_hotspot_drawers(Registry& registry);  // hotspots.cpp
void add_radio_drawers(Registry& registry);    // radio.cpp
void add_control_drawers(Registry& registry);  // controls.cpp

}  // namespace tavrel::art

#endif  // TAVREL_RESOURCES_ART_FAMILIES_H
