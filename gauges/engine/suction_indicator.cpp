// Suction: the vacuum for the gyros, 0 at the lower left, 5 at the top and
// 10 at the lower right.
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;

extern StaticImageElement dial;
extern NeedleElement suction_needle;
extern StaticImageElement bezel;
extern NonlinearityEntry suction_table[5];
extern MouseList mouse;

}  // namespace

constinit GaugeHeader suction_indicator = gauge_header(
    {.name = "Suction_Indicator", .size_x_mm = 100, .root = root<dial>, .mouse = mouse});

namespace {

constinit auto needle_failures = failures({2, 0}, {4, 0});

constinit StaticImageElement dial = static_image(
    suction_indicator, {.bitmap = 1100, .flags = kLitFace, .children = children<suction_needle>});
constinit NeedleElement suction_needle =
    needle(suction_indicator,
           {.bitmap = 1110,
            .position = {75, 75},
            .flags = kLitMovingPart,
            .children = children<bezel>,
            .failures = needle_failures,
            .offset = {32, 9}},
           {.var = token::kSuction, .table = table(suction_table)});
constinit StaticImageElement bezel = static_image(suction_indicator, {.bitmap = 1120});

// Below zero the needle drops under the zero mark (-1 has a point of its
// own); above 10 it rests on the 10 mark.
constinit NonlinearityEntry suction_table[5] = {
    entry(61, 133, -1),  entry(46, 126, 0),   entry(75, 20, 5),
    entry(104, 125, 10), entry(104, 125, 11),
};

constinit MouseList mouse = mouse_list(outer_parent(tooltip::kSuction));

}  // namespace
}  // namespace tavrel::gauges
