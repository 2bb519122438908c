// Fuel quantity: three small dials on one face, REAR at the top, FRONT at
// the bottom left and CENTER at the bottom right, each needle on its tank's
// level.
#include "module/builders.h"
#include "module/catalogue.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;

// Tank levels: a fraction of a full tank times 8388608.

extern StaticImageElement face;
extern NeedleElement center_needle;
extern NeedleElement rear_needle;
extern NeedleElement front_needle;
extern StaticImageElement glass;
extern NonlinearityEntry center_table[10];
extern NonlinearityEntry rear_table[8];
extern NonlinearityEntry front_table[10];
extern MouseList mouse;

}  // namespace

constinit GaugeHeader fuel_quantity =
    gauge_header({.name = "Fuel_Quantity", .size_x_mm = 100, .root = root<face>, .mouse = mouse});

namespace {

// The three needles freeze together.
constinit auto needle_failures = failures({2, 0}, {20, 2});

constinit StaticImageElement face = static_image(
    fuel_quantity, {.bitmap = 340, .flags = kLitFace, .children = children<center_needle>});
constinit NeedleElement center_needle =
    needle(fuel_quantity,
           {.bitmap = 350,
            .position = {200, 173},
            .flags = kLitMovingPart,
            .children = children<rear_needle>,
            .failures = needle_failures,
            .offset = {19, 7}},
           {.var = token::kCenterTank, .table = table(center_table)});
constinit NeedleElement rear_needle = needle(fuel_quantity,
                                             {.bitmap = 350,
                                              .position = {140, 65},
                                              .flags = kLitMovingPart,
                                              .children = children<front_needle>,
                                              .failures = needle_failures,
                                              .offset = {19, 7}},
                                             {.var = token::kRearTank, .table = table(rear_table)});
constinit NeedleElement front_needle =
    needle(fuel_quantity,
           {.bitmap = 350,
            .position = {80, 173},
            .flags = kLitMovingPart,
            .children = children<glass>,
            .failures = needle_failures,
            .offset = {19, 7}},
           {.var = token::kFrontTank, .table = table(front_table)});
constinit StaticImageElement glass = static_image(fuel_quantity, {.bitmap = 360});

// Each value is floor(8388608 x gallons / capacity): 35 US gallons in the
// front and center tanks, 26 in the rear. The points run clockwise from the
// empty mark at the bottom round to F at the lower right; -1 shares the
// empty point.
constinit NonlinearityEntry center_table[10] = {
    entry(200, 220, -1),      entry(200, 220, 0),        // empty
    entry(176, 214, 479349),  entry(166, 206, 958698),   //  2,  4
    entry(155, 181, 1917396), entry(160, 150, 2876094),  //  8, 12
    entry(181, 132, 3834792), entry(219, 131, 4793490),  // 16, 20
    entry(246, 160, 5752188), entry(224, 214, 8388608),  // 24, F
};
constinit NonlinearityEntry rear_table[8] = {
    entry(140, 111, -1),     entry(140, 111, 0),        // empty
    entry(117, 103, 645277), entry(97, 84, 1290555),    //  2,  4
    entry(97, 48, 2581110),  entry(133, 21, 3871665),   //  8, 12
    entry(171, 33, 5162220), entry(163, 103, 8388608),  // 16, F
};
// The center dial's points, 120 pixels to the left.
constinit NonlinearityEntry front_table[10] = {
    entry(80, 220, -1),       entry(80, 220, 0),         // empty
    entry(56, 214, 479349),   entry(46, 206, 958698),    //  2,  4
    entry(35, 181, 1917396),  entry(40, 150, 2876094),   //  8, 12
    entry(61, 132, 3834792),  entry(99, 131, 4793490),   // 16, 20
    entry(126, 160, 5752188), entry(104, 214, 8388608),  // 24, F
};

constinit MouseList mouse = mouse_list(outer_parent(tooltip::kFuelQuantity));

}  // namespace
}  // namespace tavrel::gauges
