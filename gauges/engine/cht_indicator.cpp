// Cylinder-head temperature: 0 to 300 degrees Celsius across an upper arc,
// the needle pivoting low in the dial.
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;

extern StaticImageElement dial;
extern NeedleElement cht_needle;
extern StaticImageElement bezel;
extern NonlinearityEntry rankine_table[5];
extern MouseList mouse;

}  // namespace

constinit GaugeHeader cht_indicator =
    gauge_header({.name = "CHT_Indicator", .size_x_mm = 100, .root = root<dial>, .mouse = mouse});

namespace {

constinit auto needle_failures = failures({2, 0});

constinit StaticImageElement dial = static_image(
    cht_indicator, {.bitmap = 1240, .flags = kLitFace, .children = children<cht_needle>});
constinit NeedleElement cht_needle =
    needle(cht_indicator,
           {.bitmap = 1250,
            .position = {140, 230},
            .flags = kLitMovingPart,
            .children = children<bezel>,
            .failures = needle_failures,
            .offset = {0, 5}},
           {.var = token::kCylinderHeadTemperature, .table = table(rankine_table)});
constinit StaticImageElement bezel = static_image(cht_indicator, {.bitmap = 1260});

// Degrees Celsius in degrees Rankine; every point 135 pixels from the pivot.
constinit NonlinearityEntry rankine_table[5] = {
    entry(44, 135, 489.87),    //  -1
    entry(44, 135, 491.67),    //   0
    entry(157, 96, 851.67),    // 200
    entry(237, 136, 1121.67),  // 350
    entry(237, 136, 1391.67),  // 500
};

constinit MouseList mouse = mouse_list(outer_parent(tooltip::kCylinderHeadTemperature));

}  // namespace
}  // namespace tavrel::gauges
