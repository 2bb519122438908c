// Battery master switch: a red rocker on a slanted bar. No code: the icon
// follows the battery master variable and the mouse list fires the toggle.
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;

extern StaticImageElement bar;
extern IconElement rocker;
extern MouseList mouse;

}  // namespace

constinit GaugeHeader battery_switch =
    gauge_header({.name = "Battery_Switch", .size_x_mm = 30, .root = root<bar>, .mouse = mouse});

namespace {

// The slanted bar the switch sits on; black elsewhere, so transparent.
constinit StaticImageElement bar =
    static_image(battery_switch, {.bitmap = 200, .children = children<rocker>});
// 210: the rocker raised at its right end (off); 211: raised at its left end (on).
constinit IconElement rocker =
    icon(battery_switch, {.bitmap = 210}, {.var = token::kBatteryMaster, .count = 2});

constinit MouseList mouse = mouse_list(outer_parent(tooltip::kBatteryMaster),
                                       click({.box = {0, 0, 55, 35},
                                              .cursor = kCursorHand,
                                              .flags = kClick,
                                              .event = key_event::kBatteryMasterToggle}));

}  // namespace
}  // namespace tavrel::gauges
