// Engine, fuel and systems art: the hour meter's face, drums and glass, the
// tachometer's thousands disc and its window, and the two warning lamps.
#include <cairo.h>

#include <cmath>
#include <string>

#include "families.h"
#include "gauges/engine/hourmeter.h"
#include "gauges/engine/tachometer.h"
#include "kit.h"

namespace tavrel::art {
namespace {

namespace drums = gauges::drums;
namespace tach = gauges::tach;

constexpr Colour kDrumBlack = rgb(24, 24, 24);
constexpr Colour kDrumWhite = rgb(236, 234, 226);
constexpr Colour kInk = rgb(14, 14, 14);
constexpr Colour kLampRed = rgb(214, 30, 22);

// ------------------------------------------------------------------ lamps

// A round warning lamp in a thin metal ring: the lens glows bright red when
// lit, and is a dark tinted glass with a small glint when not.
Canvas warning_lamp(int size, bool lit) {
  Canvas canvas(size, size, 8);
  cairo_t* cr = canvas.cr();
  const double c = size / 2.0;
  const double ring = c - 0.3;
  const double lens = ring - 2.2;
  cairo_arc(cr, c, c, ring, 0, 2 * kPi);
  fill_metal(cr, colours::kMetal, {0, 0}, {double(size), double(size)});
  cairo_new_path(cr);
  cairo_arc(cr, c, c, lens, 0, 2 * kPi);
  if (lit) {
    cairo_pattern_t* glow =
        cairo_pattern_create_radial(c - lens * 0.3, c - lens * 0.3, 0, c, c, lens);
    cairo_pattern_add_color_stop_rgb(glow, 0.0, 1.0, 0.86, 0.72);
    cairo_pattern_add_color_stop_rgb(glow, 0.45, 1.0, 0.30, 0.18);
    cairo_pattern_add_color_stop_rgb(glow, 1.0, kLampRed.r * 0.85, kLampRed.g, kLampRed.b);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
  } else {
    fill_gradient(cr, {0, c - lens}, rgb(96, 22, 18), {0, c + lens}, rgb(44, 12, 10));
    cairo_new_path(cr);
    cairo_arc(cr, c - lens * 0.35, c - lens * 0.35, std::max(1.0, lens * 0.22), 0, 2 * kPi);
    set_colour(cr, rgb(150, 80, 72));
    cairo_fill(cr);
  }
  return canvas;
}

// ------------------------------------------------------------ hour meter

constexpr double kStripHeight = drums::kCellHeight * drums::kStripCells;
static_assert(drums::kCellHeight * drums::kStripCells == 264, "a strip is eleven cells");

// A drum strip: the digits 0 to 9 and 0 again, one per cell, centred, with
// the drum's curve shown by a darker band at each cell's top and bottom.
Canvas digit_strip(Colour paper, Colour ink) {
  Canvas canvas(drums::kDrumWidth, static_cast<int>(kStripHeight), 8);
  cairo_t* cr = canvas.cr();
  for (int cell = 0; cell < drums::kStripCells; ++cell) {
    const double top = cell * drums::kCellHeight;
    cairo_rectangle(cr, 0, top, drums::kDrumWidth, drums::kCellHeight);
    cairo_pattern_t* curve = cairo_pattern_create_linear(0, top, 0, top + drums::kCellHeight);
    const Colour edge = scaled(paper, paper.r > 0.5 ? 0.72 : 0.6);
    cairo_pattern_add_color_stop_rgb(curve, 0.0, edge.r, edge.g, edge.b);
    cairo_pattern_add_color_stop_rgb(curve, 0.22, paper.r, paper.g, paper.b);
    cairo_pattern_add_color_stop_rgb(curve, 0.78, paper.r, paper.g, paper.b);
    cairo_pattern_add_color_stop_rgb(curve, 1.0, edge.r, edge.g, edge.b);
    cairo_set_source(cr, curve);
    cairo_fill(cr);
    cairo_pattern_destroy(curve);
    text(cr, std::to_string(cell % 10), drums::kDrumWidth / 2.0, top + 19, 18, ink);
  }
  return canvas;
}

// A small hourglass, the sign that the meter runs.
void hourglass(cairo_t* cr, double cx, double top) {
  const double w = 5.5, h = 8.5, waist = 0.9;
  const double cy = top + drums::kCellHeight / 2.0;
  polygon(cr, {{cx - w, cy - h},
               {cx + w, cy - h},
               {cx + waist, cy},
               {cx + w, cy + h},
               {cx - w, cy + h},
               {cx - waist, cy}});
  set_colour(cr, rgb(44, 44, 46));
  cairo_fill_preserve(cr);
  set_colour(cr, colours::kLegend);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  // Sand: a little left above, a heap below, a thread between.
  polygon(cr, {{cx - 2.2, cy - 3}, {cx + 2.2, cy - 3}, {cx, cy - 0.6}});
  set_colour(cr, rgb(226, 182, 96));
  cairo_fill(cr);
  polygon(cr, {{cx - 4.2, cy + h - 0.8}, {cx + 4.2, cy + h - 0.8}, {cx, cy + 3}});
  cairo_fill(cr);
  cairo_rectangle(cr, cx - 0.5, cy - 0.6, 1, 3.8);
  cairo_fill(cr);
  // Caps top and bottom.
  cairo_rectangle(cr, cx - w - 1.5, cy - h - 1.8, 2 * w + 3, 1.8);
  cairo_rectangle(cr, cx - w - 1.5, cy + h, 2 * w + 3, 1.8);
  set_colour(cr, colours::kLegend);
  cairo_fill(cr);
}

Canvas hourglass_strip(Lang) {
  Canvas canvas(drums::kDrumWidth, static_cast<int>(kStripHeight), 8);
  cairo_t* cr = canvas.cr();
  cairo_rectangle(cr, 0, 0, drums::kDrumWidth, kStripHeight);
  set_colour(cr, kDrumBlack);
  cairo_fill(cr);
  for (int cell = 0; cell < drums::kStripCells; ++cell) {
    hourglass(cr, drums::kDrumWidth / 2.0, cell * drums::kCellHeight);
  }
  return canvas;
}

// The window of one drum: clear (black) where the cell shows, a dark edge
// along its right side that parts it from the next drum.
Canvas drum_window(Lang) {
  Canvas canvas(drums::kDrumWidth, drums::kCellHeight, 8);
  cairo_t* cr = canvas.cr();
  cairo_rectangle(cr, drums::kDrumWidth - 1, 0, 1, drums::kCellHeight);
  set_colour(cr, colours::kRecess);
  cairo_fill(cr);
  return canvas;
}

// The counter window on the face: the drums stand in it side by side.
constexpr double kWindowLeft = drums::kDrumX[drums::kDrumCount - 1];
constexpr double kWindowRight = drums::kDrumX[0] + drums::kDrumWidth;
constexpr double kWindowTop = drums::kDrumY;
constexpr double kWindowBottom = drums::kDrumY + drums::kCellHeight;

Canvas hourmeter_face(Lang lang) {
  Canvas canvas(200, 200, 8);
  cairo_t* cr = canvas.cr();
  const double c = 100;
  // The case: a dark metal ring round a matte face.
  cairo_arc(cr, c, c, 99, 0, 2 * kPi);
  fill_metal(cr, colours::kMetal, {20, 20}, {180, 180});
  cairo_new_path(cr);
  cairo_arc(cr, c, c, 88, 0, 2 * kPi);
  set_colour(cr, colours::kRecess);
  cairo_fill(cr);
  cairo_arc(cr, c, c, 86.5, 0, 2 * kPi);
  set_colour(cr, colours::kFace);
  cairo_fill(cr);

  const bool english = lang == Lang::kEnglish;
  text(cr, english ? "HOURS" : "HEURES", c, 104, 21, colours::kLegend);
  // The recess the drums turn in.
  rounded_rect(cr, kWindowLeft - 3, kWindowTop - 3, kWindowRight - kWindowLeft + 6,
               kWindowBottom - kWindowTop + 6, 2);
  set_colour(cr, colours::kRecess);
  cairo_fill(cr);
  // Under the tenths, its fraction; under the hourglass, what it means.
  const double tenths_centre = drums::kDrumX[1] + drums::kDrumWidth / 2.0;
  text(cr, "1/10", tenths_centre, kWindowBottom + 15, 10, colours::kLegend);
  text(cr, english ? "ENGINE TIME" : "TEMPS MOTEUR", c, kWindowBottom + 34, 10,
       mix(colours::kLegend, colours::kFace, 0.25));
  // Two screws hold the movement.
  for (double x : {c - 62, c + 62}) {
    cairo_new_path(cr);
    cairo_arc(cr, x, 70, 3.2, 0, 2 * kPi);
    fill_metal(cr, mix(colours::kMetal, colours::kLegend, 0.25), {x - 2, 68}, {x + 2, 72});
    cairo_new_path(cr);
    cairo_move_to(cr, x - 2.4, 71);
    cairo_line_to(cr, x + 2.4, 69);
    set_colour(cr, colours::kRecess);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
  return canvas;
}

// The glass over the window: its metal frame; clear everywhere else, so
// the drums show undimmed.
Canvas hourmeter_glass(Lang) {
  Canvas canvas(200, 200, 8);
  cairo_t* cr = canvas.cr();
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  rounded_rect(cr, kWindowLeft - 5, kWindowTop - 5, kWindowRight - kWindowLeft + 10,
               kWindowBottom - kWindowTop + 10, 3);
  cairo_rectangle(cr, kWindowLeft, kWindowTop, kWindowRight - kWindowLeft,
                  kWindowBottom - kWindowTop);
  fill_metal(cr, colours::kMetal, {kWindowLeft, kWindowTop - 5}, {kWindowRight, kWindowBottom + 5});
  cairo_new_path(cr);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, kWindowLeft - 4.5, kWindowBottom + 4.5);
  cairo_line_to(cr, kWindowRight + 4.5, kWindowBottom + 4.5);
  set_colour(cr, mix(colours::kMetal, colours::kLegend, 0.45));
  cairo_stroke(cr);
  return canvas;
}

// ------------------------------------------------------------ tachometer

// The thousands disc: 0 at the right, 1 at the top, 2 at the left, 3 at the
// bottom, each turned with its place so that it stands upright once the
// disc has carried it to the right, where the window is.
constexpr double kDiscDigitRadius = 22;
constexpr double kDiscDigitSize = 21;

Canvas thousands_disc(Lang) {
  Canvas canvas(tach::kDiscSize, tach::kDiscSize, 8);
  cairo_t* cr = canvas.cr();
  const double c = tach::kDiscSize / 2.0;
  cairo_arc(cr, c, c, c - 0.5, 0, 2 * kPi);
  set_colour(cr, rgb(30, 30, 31));
  cairo_fill(cr);
  for (int digit = 0; digit < 4; ++digit) {
    cairo_save(cr);
    cairo_translate(cr, c, c);
    cairo_rotate(cr, -digit * kPi / 2);  // a quarter turn anticlockwise per digit
    text(cr, std::to_string(digit), kDiscDigitRadius, kDiscDigitSize * 0.36, kDiscDigitSize,
         colours::kLegend);
    cairo_restore(cr);
  }
  return canvas;
}

// The window onto the disc: a quarter-turn annular sector centred on the
// disc's centre, clear; round it, the dial's face with a thin lit rim.
constexpr double kWindowInner = 9, kWindowOuter = 34.5;

Canvas thousands_window(Lang) {
  Canvas canvas(tach::kWindowW, tach::kWindowH, 8);
  cairo_t* cr = canvas.cr();
  const double cx = tach::kDiscCentreX - tach::kWindowX;
  const double cy = tach::kDiscCentreY - tach::kWindowY;
  const double half = kPi / 4;
  auto sector = [&](double inner, double outer) {
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, outer, -half, half);
    cairo_arc_negative(cr, cx, cy, inner, half, -half);
    cairo_close_path(cr);
  };
  cairo_rectangle(cr, 0, 0, tach::kWindowW, tach::kWindowH);
  set_colour(cr, colours::kFace);
  cairo_fill(cr);
  // The rim, then the opening cut back to black.
  sector(kWindowInner - 1.6, kWindowOuter + 1.6);
  set_colour(cr, mix(colours::kMetal, colours::kLegend, 0.3));
  cairo_fill(cr);
  sector(kWindowInner, kWindowOuter);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  return canvas;
}

}  // namespace

void add_engine_drawers(Registry& registry) {
  // Tachometer.
  registry.add(400, thousands_disc, 390);
  registry.add(401, thousands_window, 390);
  // Hour meter.
  registry.add(1130, hourmeter_face);
  registry.add(1140, hourmeter_glass, 1130);
  registry.add(
      1150, [](Lang) { return digit_strip(kDrumBlack, kDrumWhite); }, 1130);
  registry.add(1151, drum_window, 1130);
  registry.add(
      1160, [](Lang) { return digit_strip(kDrumWhite, kInk); }, 1130);
  registry.add(1161, drum_window, 1130);
  registry.add(1170, hourglass_strip, 1130);
  registry.add(1171, drum_window, 1130);
  // Low-fuel lamp and stall-warning lamp.
  registry.add(1370, [](Lang) { return warning_lamp(15, false); });
  registry.add(
      1380, [](Lang) { return warning_lamp(15, true); }, 1370);
  registry.add(2090, [](Lang) { return warning_lamp(19, false); });
  registry.add(
      2100, [](Lang) { return warning_lamp(19, true); }, 2090);
}

}  // namespace tavrel::art
