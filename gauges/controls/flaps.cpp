// Flap position indicator: a yellow pointer that slides along the scale
// plate. No code: the slider follows the flap variable and the two ends of
// the plate step the flaps.
#include "gauges/controls/flaps.h"

#include "module/builders.h"
#include "module/catalogue.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;
using namespace flap;

extern StaticImageElement plate;
extern SliderElement pointer;
extern MouseList mouse;

}  // namespace

constinit GaugeHeader flaps =
    gauge_header({.name = "Flaps", .size_x_mm = 33, .root = root<plate>, .mouse = mouse});

namespace {

// The scale plate: FULL FLAP, LANDING, TAKE-OFF, CLIMB/CRUISE.
constinit StaticImageElement plate =
    static_image(flaps, {.bitmap = 1000, .children = children<pointer>});
// At 0 over CLIMB/CRUISE; 3/512 pixel left per unit, to x 24 over FULL FLAP.
constinit SliderElement pointer =
    slider(flaps, {.bitmap = 1010, .position = {120, 25}},
           {.var = token::kFlapPosition, .scale = -0.005859375}, unused_channel(0.0));

// The middle of the plate, columns 50 to 107, fires nothing.
constinit MouseList mouse = mouse_list(outer_parent(tooltip::kFlapsLever),
                                       click({.box = {108, 0, 50, 90},
                                              .cursor = kCursorMinus,
                                              .flags = kClick,
                                              .event = key_event::kFlapsUp}),
                                       click({.box = {0, 0, 50, 90},
                                              .cursor = kCursorPlus,
                                              .flags = kClick,
                                              .event = key_event::kFlapsDown}));

}  // namespace
}  // namespace tavrel::gauges
