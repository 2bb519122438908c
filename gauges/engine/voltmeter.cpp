// Voltmeter: the bus voltage, 0 to 30 volts DC on an upper arc, in a square
// bezel whose cover plate hides the needle's pivot.
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;

extern StaticImageElement dial;
extern NeedleElement volt_needle;
extern StaticImageElement bezel;
extern NonlinearityEntry volt_table[5];
extern MouseList mouse;

}  // namespace

constinit GaugeHeader voltmeter =
    gauge_header({.name = "Voltmeter", .size_x_mm = 100, .root = root<dial>, .mouse = mouse});

namespace {

constinit auto needle_failures = failures({2, 0}, {20, 2});

constinit StaticImageElement dial =
    static_image(voltmeter, {.bitmap = 1270, .flags = kLitFace, .children = children<volt_needle>});
constinit NeedleElement volt_needle =
    needle(voltmeter,
           {.bitmap = 1280,
            .position = {100, 137},
            .flags = kLitMovingPart,
            .children = children<bezel>,
            .failures = needle_failures,
            .offset = {0, 2}},
           {.var = token::kBusVoltage, .table = table(volt_table)});
constinit StaticImageElement bezel = static_image(voltmeter, {.bitmap = 1290});

// Volts; the needle rests on the 0 mark below 0 and on the 30 mark above 30.
constinit NonlinearityEntry volt_table[5] = {
    entry(54, 91, -1), entry(54, 91, 0), entry(118, 69, 20), entry(148, 89, 30), entry(148, 89, 40),
};

// No tooltip.
constinit MouseList mouse = mouse_list(outer_parent(0));

}  // namespace
}  // namespace tavrel::gauges
