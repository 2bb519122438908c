// Ammeter: the electrical load, -25 to +25 amperes on an upper arc with 0 at
// the top; a cover plate over the lower half hides the needle's pivot.
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;

extern StaticImageElement dial;
extern NeedleElement load_needle;
extern StaticImageElement bezel;
extern NonlinearityEntry ampere_table[5];
extern MouseList mouse;

}  // namespace

constinit GaugeHeader ammeter =
    gauge_header({.name = "Ammeter", .size_x_mm = 100, .root = root<dial>, .mouse = mouse});

namespace {

constinit auto needle_failures = failures({2, 0}, {20, 2});

constinit StaticImageElement dial =
    static_image(ammeter, {.bitmap = 70, .flags = kLitFace, .children = children<load_needle>});
constinit NeedleElement load_needle =
    needle(ammeter,
           {.bitmap = 80,
            .position = {100, 137},
            .flags = kLitMovingPart,
            .children = children<bezel>,
            .failures = needle_failures,
            .offset = {0, 2}},
           {.var = token::kElectricalLoad, .table = table(ampere_table)});
// The bezel and the cover plate.
constinit StaticImageElement bezel = static_image(ammeter, {.bitmap = 90});

// Amperes; the needle rests on the end marks beyond -35 and 35.
constinit NonlinearityEntry ampere_table[5] = {
    entry(40, 78, -40), entry(40, 78, -35), entry(100, 50, 0),
    entry(150, 78, 35), entry(150, 78, 40),
};

constinit MouseList mouse = mouse_list(outer_parent(tooltip::kAmmeter));

}  // namespace
}  // namespace tavrel::gauges
