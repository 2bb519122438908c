// Vertical speed indicator: zero at 9 o'clock, 1,000 ft/min straight up and
// down, stops at 2,000 ft/min either side of 3 o'clock. The host gives the
// vertical speed in metres per second times 256; the table holds the marks
// converted to that unit.
#include "gauges/flight/vertical_speed.h"

#include "module/builders.h"
#include "module/catalogue.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;
using climb_scale::host_units;

extern StaticImageElement dial;
extern NeedleElement needle_element;
extern StaticImageElement bezel;
extern NonlinearityEntry rate_scale[7];
extern MouseList mouse;

}  // namespace

constinit GaugeHeader vertical_speed =
    gauge_header({.name = "Vertical_Speed", .size_x_mm = 100, .root = root<dial>, .mouse = mouse});

namespace {

constinit auto needle_failures = failures({19, 1}, {3, 2});

// The dial: 0 at 9 o'clock, 5 to 20 above and below, UP and DOWN, the
// legends, the stop bracket at 3 o'clock.
constinit StaticImageElement dial = static_image(
    vertical_speed, {.bitmap = 260, .flags = kLitFace, .children = children<needle_element>});
// A white pointer with a dark counterweight tail.
constinit NeedleElement needle_element =
    needle(vertical_speed,
           {.bitmap = 270,
            .position = {141, 141},
            .flags = kLitMovingPart,
            .children = children<bezel>,
            .failures = needle_failures,
            .offset = {66, 10}},
           {.var = token::kVerticalSpeed, .table = table(rate_scale)});
constinit StaticImageElement bezel = static_image(vertical_speed, {.bitmap = 280});

// The outer entries repeat the stop points: the needle holds at the stop
// bracket for any greater rate.
constinit NonlinearityEntry rate_scale[7] = {
    entry(263, 163, host_units(-3000)),  // -3901.4398751539243
    entry(263, 163, host_units(-2000)),  // -2600.9599167692827
    entry(141, 260, host_units(-1000)),  // -1300.4799583846413
    entry(20, 142, 0.0),
    entry(141, 20, host_units(1000)),   // 1300.4799583846413
    entry(262, 121, host_units(2000)),  // 2600.9599167692827
    entry(262, 121, host_units(3000)),  // 3901.4398751539243
};

constinit MouseList mouse = mouse_list(outer_parent(tooltip::kVerticalSpeed));

}  // namespace
}  // namespace tavrel::gauges
