// Oil temperature and pressure: a large oil-temperature scale across the
// top, a small oil-pressure dial at the bottom left and a small
// fuel-pressure dial at the bottom right, on one face.
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;

extern StaticImageElement dial;
extern NeedleElement fuel_pressure_needle;
extern NeedleElement oil_pressure_needle;
extern NeedleElement oil_temperature_needle;
extern StaticImageElement bezel;
extern NonlinearityEntry fuel_pressure_table[5];
extern NonlinearityEntry oil_pressure_table[5];
extern NonlinearityEntry oil_temperature_table[5];
extern MouseList mouse;

}  // namespace

constinit GaugeHeader oil_temp_press =
    gauge_header({.name = "Oil_Temp_Press", .size_x_mm = 100, .root = root<dial>, .mouse = mouse});

namespace {

// The three needles freeze together.
constinit auto needle_failures = failures({2, 0}, {20, 2});

constinit StaticImageElement dial =
    static_image(oil_temp_press,
                 {.bitmap = 1200, .flags = kLitFace, .children = children<fuel_pressure_needle>});
constinit NeedleElement fuel_pressure_needle =
    needle(oil_temp_press,
           {.bitmap = 1220,
            .position = {163, 182},
            .flags = kLitMovingPart,
            .children = children<oil_pressure_needle>,
            .failures = needle_failures,
            .offset = {8, 8}},
           {.var = token::kFuelPressure, .table = table(fuel_pressure_table)});
constinit NeedleElement oil_pressure_needle =
    needle(oil_temp_press,
           {.bitmap = 1220,
            .position = {119, 182},
            .flags = kLitMovingPart,
            .children = children<oil_temperature_needle>,
            .failures = needle_failures,
            .offset = {8, 8}},
           {.var = token::kOilPressure, .table = table(oil_pressure_table)});
constinit NeedleElement oil_temperature_needle =
    needle(oil_temp_press,
           {.bitmap = 1210,
            .position = {141, 141},
            .flags = kLitMovingPart,
            .children = children<bezel>,
            .failures = needle_failures,
            .offset = {65, 10}},
           {.var = token::kOilTemperature, .table = table(oil_temperature_table)});
constinit StaticImageElement bezel = static_image(oil_temp_press, {.bitmap = 1230});

// Psi times 144, highest first: the fuel-pressure needle turns
// counterclockwise as the pressure rises.
constinit NonlinearityEntry fuel_pressure_table[5] = {
    entry(162, 118, 4320),  // 30
    entry(162, 118, 3600),  // 25
    entry(227, 203, 1440),  // 10
    entry(162, 250, 0),     //  0
    entry(162, 250, -144),  // -1
};
constinit NonlinearityEntry oil_pressure_table[5] = {
    entry(118, 250, -144),   //  -1
    entry(118, 250, 0),      //   0
    entry(53, 182, 14400),   // 100
    entry(118, 117, 28800),  // 200
    entry(118, 117, 43200),  // 300
};
// Degrees Fahrenheit plus 459.67.
constinit NonlinearityEntry oil_temperature_table[5] = {
    entry(20, 141, 491.67),   //  32
    entry(17, 130, 499.67),   //  40
    entry(22, 109, 509.67),   //  50
    entry(259, 110, 659.67),  // 200
    entry(261, 142, 671.67),  // 212
};

// The temperature scale, then the two small dials, each its own tooltip.
constinit MouseList mouse =
    mouse_list(outer_parent(0), group(parent({0, 0, 280, 140}, tooltip::kOilTemperature)),
               group(parent({0, 0, 140, 140}, tooltip::kOilPressure)),
               group(parent({140, 140, 140, 140}, tooltip::kFuelPressure)));

}  // namespace
}  // namespace tavrel::gauges
