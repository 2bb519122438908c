// Carburettor temperature: -40 to +40 degrees Celsius on an arc at the left
// of the dial, the needle pivoting at the right. The reading is computed
// from two host variables.
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/gauge_table.h"
#include "module/services.h"

namespace tavrel::gauges {
namespace {
using namespace build;

extern StaticImageElement dial;
extern NeedleElement carb_needle;
extern StaticImageElement bezel;
extern NonlinearityEntry celsius_table[5];
extern MouseList mouse;
double TAVREL_STDCALL carb_temperature_cb(ElementHeader* element);

}  // namespace

constinit GaugeHeader carb_temperature = gauge_header(
    {.name = "Carb_Temperature", .size_x_mm = 100, .root = root<dial>, .mouse = mouse});

namespace {

constinit auto needle_failures = failures({2, 0}, {20, 2});

constinit StaticImageElement dial = static_image(
    carb_temperature, {.bitmap = 220, .flags = kLitFace, .children = children<carb_needle>});
constinit NeedleElement carb_needle =
    needle(carb_temperature,
           {.bitmap = 230,
            .position = {184, 125},
            .flags = kLitMovingPart,
            .children = children<bezel>,
            .failures = needle_failures,
            .offset = {2, 8}},
           {.var = kNoVariable, .callback = carb_temperature_cb, .table = table(celsius_table)});
constinit StaticImageElement bezel = static_image(carb_temperature, {.bitmap = 240});

// The added temperature plus a tenth of the cylinder-head temperature in
// Celsius, worked in this order so that every build rounds alike.
double TAVREL_STDCALL carb_temperature_cb(ElementHeader*) {
  const double added = host_services::read_number(token::kCarburettorAir);
  const double rankine = host_services::read_number(token::kCylinderHeadTemperature);
  return ((rankine - 459.67) - 32) * 0.5555555555555556 * 0.1 + added;
}

// Degrees Celsius; the needle rests on the end marks beyond -50 and 50.
constinit NonlinearityEntry celsius_table[5] = {
    entry(103, 221, -60), entry(103, 221, -50), entry(60, 125, 0),
    entry(103, 30, 50),   entry(103, 30, 60),
};

constinit MouseList mouse = mouse_list(outer_parent(tooltip::kCarburettorTemperature));

}  // namespace
}  // namespace tavrel::gauges
