// Landing gear lever in its slot under WHEELS, drawn up or down; the upper
// and lower halves of the slot move it.
#include "gauges/controls/landing_gear.h"
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/elements.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;

extern StaticImageElement slot;
extern IconElement lever;
extern MouseList mouse;

double TAVREL_STDCALL gear_lever_cb(ElementHeader* element);

}  // namespace

constinit GaugeHeader landing_gear =
    gauge_header({.name = "Landing_Gear", .size_x_mm = 45, .root = root<slot>, .mouse = mouse});

namespace {

// The WHEELS label over an empty slot.
constinit StaticImageElement slot =
    static_image(landing_gear, {.bitmap = 2300, .children = children<lever>});
// 2310: lever up; 2311: lever down.
constinit IconElement lever =
    icon(landing_gear, {.bitmap = 2310, .position = {5, 10}},
         {.var = token::kGearPosition, .callback = gear_lever_cb, .count = 2});

// The lever shows down only once the gear is all the way down; in travel,
// and for a value that does not compare, it shows up.
double TAVREL_STDCALL gear_lever_cb(ElementHeader* element) {
  const double gear = element_as<IconElement>(element)->source_var.var_value.number;
  return gear >= gear::kDown ? 1.0 : 0.0;
}

constinit MouseList mouse =
    mouse_list(outer_parent(0), group(parent({5, 10, 20, 90}, tooltip::kGearLever),
                                      click({.box = {0, 0, 20, 45},
                                             .cursor = kCursorPlus,
                                             .flags = kClick,
                                             .event = key_event::kGearUp}),
                                      click({.box = {0, 45, 20, 45},
                                             .cursor = kCursorMinus,
                                             .flags = kClick,
                                             .event = key_event::kGearDown})));

}  // namespace
}  // namespace tavrel::gauges
