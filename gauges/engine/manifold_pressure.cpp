// Manifold pressure: one needle over a 20 to 100 inHg dial that runs
// clockwise around nearly the whole circle.
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;

extern StaticImageElement dial;
extern NeedleElement pressure_needle;
extern StaticImageElement bezel;
extern NonlinearityEntry inhg_table[6];
extern MouseList mouse;

}  // namespace

constinit GaugeHeader manifold_pressure = gauge_header(
    {.name = "Manifold_Pressure", .size_x_mm = 100, .root = root<dial>, .mouse = mouse});

namespace {

constinit auto needle_failures = failures({2, 0}, {20, 2});

// 20 to 100 clockwise, a red mark near 40.
constinit StaticImageElement dial = static_image(
    manifold_pressure, {.bitmap = 1020, .flags = kLitFace, .children = children<pressure_needle>});
constinit NeedleElement pressure_needle =
    needle(manifold_pressure,
           {.bitmap = 1030,
            .position = {140, 140},
            .flags = kLitMovingPart,
            .children = children<bezel>,
            .failures = needle_failures,
            .offset = {66, 10}},
           {.var = token::kManifoldPressure, .table = table(inhg_table)});
constinit StaticImageElement bezel = static_image(manifold_pressure, {.bitmap = 1040});

// Inches of mercury times 70.7328. The needle rests on the stop from -1 to
// 0 and on the 100 mark from 100 to 200; from 50 to 100 it sweeps 204
// degrees clockwise.
constinit NonlinearityEntry inhg_table[6] = {
    entry(34, 92, -70.7328),   // -1
    entry(34, 92, 0),          //  0, the stop
    entry(37, 81, 1060.992),   // 15
    entry(262, 127, 3536.64),  // 50
    entry(28, 104, 7073.28),   // 100
    entry(28, 104, 14146.56),  // 200
};

constinit MouseList mouse = mouse_list(outer_parent(tooltip::kManifoldPressure));

}  // namespace
}  // namespace tavrel::gauges
