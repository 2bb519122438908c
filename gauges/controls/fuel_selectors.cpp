// Two pictures of one four-position fuel tank selector, both driven by the
// tank selector token and both setting it through the same four events.
// Drawing either one moves a selector value the plates cannot show to the
// front tank.
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/elements.h"
#include "module/gauge_table.h"
#include "module/services.h"

namespace tavrel::gauges {
namespace {
using namespace build;

extern StaticImageElement fuel_plate;
extern IconElement fuel_handle;
extern MouseList fuel_mouse;
extern StaticImageElement tank_plate;
extern IconElement tank_handle;
extern MouseList tank_mouse;

double TAVREL_STDCALL fuel_selector_cb(ElementHeader* element);

}  // namespace

constinit GaugeHeader fuel_selector = gauge_header(
    {.name = "Fuel_Selector", .size_x_mm = 100, .root = root<fuel_plate>, .mouse = fuel_mouse});
constinit GaugeHeader tank_selector = gauge_header(
    {.name = "Tank_Selector", .size_x_mm = 100, .root = root<tank_plate>, .mouse = tank_mouse});

namespace {

// Fuel_Selector: OFF at the top, CNTR right, REAR bottom, FRNT left.
constinit StaticImageElement fuel_plate =
    static_image(fuel_selector, {.bitmap = 2110, .children = children<fuel_handle>});
// 2120 towards FRNT, 2121 REAR, 2122 CNTR, 2123 OFF.
constinit IconElement fuel_handle =
    icon(fuel_selector, {.bitmap = 2120},
         {.var = token::kTankSelector, .callback = fuel_selector_cb, .count = 4});

// Tank_Selector: CENTRE TANK at the top, FRONT TANK left, REAR TANK right,
// OFF at the bottom, under FUEL SELECTOR.
constinit StaticImageElement tank_plate =
    static_image(tank_selector, {.bitmap = 2280, .children = children<tank_handle>});
// 2290 pointing left to FRONT TANK, 2291 right to REAR TANK, 2292 up to
// CENTRE TANK, 2293 down to OFF.
constinit IconElement tank_handle =
    icon(tank_selector, {.bitmap = 2290},
         {.var = token::kTankSelector, .callback = fuel_selector_cb, .count = 4});

// The handle of both plates: icon 0 front, 1 rear, 2 centre, 3 off. Any
// other selector value is one the plates cannot show: select the front
// tank, once per update, until the host has moved the selector there.
double TAVREL_STDCALL fuel_selector_cb(ElementHeader* element) {
  const uint32_t selected = element_as<IconElement>(element)->source_var.var_value.flags;
  switch (selected) {
    case 0:
      return 3.0;
    case 2:
      return 0.0;
    case 3:
      return 1.0;
    case 6:
      return 2.0;
    default:
      host_services::trigger_key_event(key_event::kTankSelectFront, 0);
      return 0.0;
  }
}

constinit MouseList fuel_mouse = mouse_list(outer_parent(tooltip::kTankSelector),
                                            click({.box = {23, 0, 27, 22},
                                                   .cursor = kCursorHand,
                                                   .flags = kClick,
                                                   .event = key_event::kTankSelectOff}),
                                            click({.box = {50, 22, 23, 23},
                                                   .cursor = kCursorHand,
                                                   .flags = kClick,
                                                   .event = key_event::kTankSelectCentre}),
                                            click({.box = {0, 22, 23, 29},
                                                   .cursor = kCursorHand,
                                                   .flags = kClick,
                                                   .event = key_event::kTankSelectFront}),
                                            click({.box = {23, 51, 27, 22},
                                                   .cursor = kCursorHand,
                                                   .flags = kClick,
                                                   .event = key_event::kTankSelectRear}));

constinit MouseList tank_mouse = mouse_list(outer_parent(tooltip::kTankSelector),
                                            click({.box = {23, 51, 27, 22},
                                                   .cursor = kCursorHand,
                                                   .flags = kClick,
                                                   .event = key_event::kTankSelectOff}),
                                            click({.box = {23, 0, 27, 22},
                                                   .cursor = kCursorHand,
                                                   .flags = kClick,
                                                   .event = key_event::kTankSelectCentre}),
                                            click({.box = {0, 23, 24, 31},
                                                   .cursor = kCursorHand,
                                                   .flags = kClick,
                                                   .event = key_event::kTankSelectFront}),
                                            click({.box = {50, 23, 24, 31},
                                                   .cursor = kCursorHand,
                                                   .flags = kClick,
                                                   .event = key_event::kTankSelectRear}));

}  // namespace
}  // namespace tavrel::gauges
