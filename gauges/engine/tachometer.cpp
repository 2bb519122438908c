// Tachometer: a needle that turns once per thousand rpm over a 0 to 9 dial
// shows the hundreds; a disc behind a small window at the left shows the
// thousands, stepped a quarter turn per thousand up to 3999 rpm.
#include "gauges/engine/tachometer.h"

#include "module/builders.h"
#include "module/catalogue.h"
#include "module/elements.h"
#include "module/gauge_table.h"

namespace tavrel::gauges {
namespace {
using namespace build;

extern StaticImageElement dial;
extern SpriteElement thousands_disc;
extern NeedleElement hundreds_needle;
extern StaticImageElement bezel;
extern NonlinearityEntry rpm_table[2];
extern MouseList mouse;
double TAVREL_STDCALL tach_thousands_cb(ElementHeader* element);

}  // namespace

constinit GaugeHeader tachometer =
    gauge_header({.name = "Tachometer", .size_x_mm = 100, .root = root<dial>, .mouse = mouse});

namespace {

// The disc and the needle freeze together.
constinit auto engine_failures = failures({2, 0});

// 0 to 9 around the whole circle, 0 at the top; the window near 7 and 8.
constinit StaticImageElement dial = static_image(
    tachometer, {.bitmap = 390, .flags = kLitFace, .children = children<thousands_disc>});
// 400: the disc, 0 at the right, 1 at the top, 2 at the left, 3 at the
// bottom; 401: the quarter-turn window.
constinit SpriteElement thousands_disc =
    sprite(tachometer,
           {.bitmap = 400,
            .position = {63, 113},
            .flags = kLitMovingPart,
            .children = children<hundreds_needle>,
            .failures = engine_failures,
            .offset = {60, 140}},
           {.texture_scale_x = 1.0f,
            .texture_scale_y = 1.0f,
            .x = unused_channel(1.0),
            .y = unused_channel(1.0),
            .rotation = {.var = token::kEngineRpm, .callback = tach_thousands_cb, .scale = 0.09}});
constinit NeedleElement hundreds_needle =
    needle(tachometer,
           {.bitmap = 380,
            .position = {140, 140},
            .flags = kLitMovingPart,
            .children = children<bezel>,
            .failures = engine_failures,
            .offset = {66, 10}},
           {.var = token::kEngineRpm, .table = table(rpm_table)});
constinit StaticImageElement bezel = static_image(tachometer, {.bitmap = 370});

// The disc steps a quarter turn clockwise per thousand rpm, each step
// bringing the next digit upright into the window; from 4000 on it follows
// the engine speed. Each band includes its lower bound; a reading that is
// not a number falls through every comparison to 0.
double TAVREL_STDCALL tach_thousands_cb(ElementHeader* element) {
  const double rpm = element_as<SpriteElement>(element)->rotation.source_var.var_value.number;
  if (rpm >= tach::kContinuousFrom) return -rpm;
  if (rpm >= 3 * tach::kThousand) return -3 * tach::kThousand;
  if (rpm >= 2 * tach::kThousand) return -2 * tach::kThousand;
  if (rpm >= tach::kThousand) return -tach::kThousand;
  return 0.0;
}

// 0 straight up, 500 straight down: one turn per thousand rpm.
constinit NonlinearityEntry rpm_table[2] = {
    entry(140, 20, 0),
    entry(140, 260, 500),
};

constinit MouseList mouse = mouse_list(outer_parent(tooltip::kTachometer));

}  // namespace
}  // namespace tavrel::gauges
