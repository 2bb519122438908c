// Turn coordinator: a turn pointer that swings either way from the top of
// the dial, and a ball rolling in a curved tube below it. The ball rises
// along a parabola towards both ends of the tube.
#include "gauges/flight/turn_coordinator.h"

#include "module/builders.h"
#include "module/catalogue.h"
#include "module/elements.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;

extern StaticImageElement dial;
extern SliderElement ball;
extern StaticImageElement tube_glass;
extern NeedleElement turn_pointer_needle;
extern StaticImageElement bezel;
extern NonlinearityEntry turn_scale[4];
extern MouseList mouse;

}  // namespace

double TAVREL_STDCALL turn_ball_height_cb(ElementHeader* element);
double TAVREL_STDCALL turn_rate_cb(ElementHeader* element);

constinit GaugeHeader turn_coordinator = gauge_header(
    {.name = "Turn_Coordinator", .size_x_mm = 100, .root = root<dial>, .mouse = mouse});

namespace {

constinit auto pointer_failures = failures({18, 1}, {20, 2});

// The dial: L and R, TURN, the centre square with its index triangles, the
// tube band.
constinit StaticImageElement dial =
    static_image(turn_coordinator, {.bitmap = 100, .flags = kLitFace, .children = children<ball>});
// The ball: half a pixel sideways per unit of deflection, and up by the
// square of the deflection times 5/16384.
constinit SliderElement ball = slider(
    turn_coordinator,
    {.bitmap = 120,
     .position = {87, 94},
     .flags = kLitMovingPart,
     .children = children<tube_glass>},
    {.var = token::kBallDeflection, .scale = 0.5},
    {.var = token::kBallDeflection, .callback = turn_ball_height_cb, .scale = -0.00030517578125});
// The two glass marks of the tube, over the ball.
constinit StaticImageElement tube_glass =
    static_image(turn_coordinator,
                 {.bitmap = 130, .position = {7, 82}, .children = children<turn_pointer_needle>});
// The turn pointer with its fan-shaped hub.
constinit NeedleElement turn_pointer_needle =
    needle(turn_coordinator,
           {.bitmap = 110,
            .position = {100, 146},
            .flags = kLitMovingPart,
            .children = children<bezel>,
            .failures = pointer_failures,
            .offset = {50, 35}},
           {.var = token::kTurnRate, .callback = turn_rate_cb, .table = table(turn_scale)});
// The bezel ring over everything.
constinit StaticImageElement bezel = static_image(turn_coordinator, {.bitmap = 150});

}  // namespace

// The ball's height: the square of its deflection.
double TAVREL_STDCALL turn_ball_height_cb(ElementHeader* element) {
  const double d = element_as<SliderElement>(element)->y.source_var.var_value.number;
  return d * d;
}

// The turn rate in the table's units.
double TAVREL_STDCALL turn_rate_cb(ElementHeader* element) {
  return turn_pointer::scaled_turn_rate(
      element_as<NeedleElement>(element)->source_var.var_value.number);
}

namespace {

// 45 degrees either side of straight up from the pivot; the outer entries
// repeat the inner points, so the pointer stops there.
constinit NonlinearityEntry turn_scale[4] = {
    entry(67, 113, -5.0),
    entry(67, 113, -4.5),
    entry(133, 113, 4.5),
    entry(133, 113, 5.0),
};

// No clicks; the pointer and the ball tube each have their own tooltip.
constinit MouseList mouse =
    mouse_list(outer_parent(0), group(parent({0, 0, 200, 90}, tooltip::kTurnRate)),
               group(parent({0, 90, 200, 45}, tooltip::kSlipBall)));

}  // namespace
}  // namespace tavrel::gauges
