// Hotspot art: the seven icons a configurable hotspot may show (1300 to
// 1360), the three fixed hotspots' icons (40, 50, 60), and the registration
// plate's background (250), which is black throughout so only its text shows.
//
// Each icon is a small dark metal button with an off-white pictogram, so it
// reads on any panel colour by day and stays discreet at night.
#include <cairo.h>

#include <cmath>

#include "families.h"
#include "kit.h"

namespace tavrel::art {
namespace {

// The button face: a rounded square of dark metal, lit from the upper left,
// with a dark rim. `size` is the bitmap's side.
void button(cairo_t* cr, double size) {
  const double inset = 0.5, radius = size * 0.18;
  rounded_rect(cr, inset, inset, size - 2 * inset, size - 2 * inset, radius);
  fill_metal(cr, colours::kMetal, {0, 0}, {size, size});
  set_colour(cr, scaled(colours::kMetal, 0.4));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

// Pictogram strokes: off-white, round ends.
void pen(cairo_t* cr, double width) {
  set_colour(cr, colours::kLegend);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
}

// Left unpainted: black, so wholly transparent.
void blank(Canvas&, Lang) {}

// 1310: a fuel pump with its hose and nozzle.
void fuel_pump(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  button(cr, canvas.width());
  set_colour(cr, colours::kLegend);
  rounded_rect(cr, 4.5, 4, 6.5, 11, 1);  // the pump body
  cairo_fill(cr);
  cairo_rectangle(cr, 3.5, 14.5, 8.5, 1.5);  // its base
  cairo_fill(cr);
  set_colour(cr, colours::kMetal);
  cairo_rectangle(cr, 5.7, 5.3, 4.1, 3.2);  // the dial window
  cairo_fill(cr);
  pen(cr, 1.1);
  cairo_move_to(cr, 11, 6.5);  // hose to the nozzle on the side
  cairo_curve_to(cr, 14.5, 6.5, 14.5, 9.5, 14.5, 12);
  cairo_line_to(cr, 13.3, 13.3);
  cairo_stroke(cr);
}

// 1320: a cross.
void cross(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  button(cr, canvas.width());
  pen(cr, 2.2);
  cairo_move_to(cr, 5.5, 5.5);
  cairo_line_to(cr, 13.5, 13.5);
  cairo_move_to(cr, 13.5, 5.5);
  cairo_line_to(cr, 5.5, 13.5);
  cairo_stroke(cr);
}

// 1330: a radio mast sending waves either side.
void radio_mast(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  button(cr, canvas.width());
  pen(cr, 1.2);
  cairo_move_to(cr, 9.5, 6);  // the lattice mast
  cairo_line_to(cr, 6.5, 15);
  cairo_move_to(cr, 9.5, 6);
  cairo_line_to(cr, 12.5, 15);
  cairo_move_to(cr, 8.2, 10);
  cairo_line_to(cr, 10.8, 10);
  cairo_move_to(cr, 7.4, 12.6);
  cairo_line_to(cr, 11.6, 12.6);
  cairo_stroke(cr);
  cairo_arc(cr, 9.5, 5, 1.3, 0, 2 * kPi);
  cairo_fill(cr);
  pen(cr, 1.0);
  for (double r : {3.0, 5.2}) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, 9.5, 5, r, -kPi * 0.85, -kPi * 0.55);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 9.5, 5, r, -kPi * 0.45, -kPi * 0.15);
  }
  cairo_stroke(cr);
}

// 1340: a control yoke, its horns up, on its column.
void yoke(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  button(cr, canvas.width());
  pen(cr, 1.8);
  cairo_move_to(cr, 4, 6);
  cairo_line_to(cr, 4, 9);
  cairo_curve_to(cr, 4, 11.5, 6, 11.5, 9.5, 11.5);
  cairo_curve_to(cr, 13, 11.5, 15, 11.5, 15, 9);
  cairo_line_to(cr, 15, 6);
  cairo_stroke(cr);
  pen(cr, 2.2);
  cairo_move_to(cr, 9.5, 11.5);  // the column
  cairo_line_to(cr, 9.5, 15.5);
  cairo_stroke(cr);
}

// An arrow from (x0, y0) to (x1, y1) with its head at the end.
void arrow(cairo_t* cr, double x0, double y0, double x1, double y1) {
  // A bold head, 5 pixels long and 6 wide, so that it still reads as a
  // head on the 19-pixel icon; the shaft stops inside it.
  const double length = std::hypot(x1 - x0, y1 - y0), head = 5.0, half = 3.0;
  const double ux = (x1 - x0) / length, uy = (y1 - y0) / length;
  const double bx = x1 - head * ux, by = y1 - head * uy;
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, bx + ux, by + uy);
  cairo_stroke(cr);
  polygon(cr, {{x1, y1}, {bx - half * uy, by + half * ux}, {bx + half * uy, by - half * ux}});
  cairo_fill(cr);
}

// 1350: an arrow straight ahead and one ahead and down.
void landing_view(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  button(cr, canvas.width());
  pen(cr, 1.5);
  arrow(cr, 3, 6, 16, 6);
  arrow(cr, 3, 8.5, 14.5, 15.5);
}

// 1360: two round instruments side by side, each with its needle.
void two_instruments(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  button(cr, canvas.width());
  for (double cx : {6.0, 13.0}) {
    pen(cr, 1.1);
    cairo_new_path(cr);
    cairo_arc(cr, cx, 9.5, 3.3, 0, 2 * kPi);
    cairo_stroke(cr);
    cairo_move_to(cr, cx, 9.5);
    cairo_line_to(cr, cx + 1.6, 7.6);
    cairo_stroke(cr);
  }
}

// 40: a tick, for the kneeboard's check lists (24 bits per pixel).
void tick(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  button(cr, canvas.width());
  pen(cr, 2.4);
  set_colour(cr, rgb(120, 206, 110));
  cairo_move_to(cr, 4.8, 10);
  cairo_line_to(cr, 8, 13.5);
  cairo_line_to(cr, 14.5, 5.5);
  cairo_stroke(cr);
}

// 60: a headset, for air traffic control.
void headset(Canvas& canvas, Lang) {
  cairo_t* cr = canvas.cr();
  button(cr, canvas.width());
  pen(cr, 1.4);
  cairo_new_path(cr);
  cairo_arc(cr, 9.5, 10, 5.5, kPi, 2 * kPi);  // the band
  cairo_stroke(cr);
  set_colour(cr, colours::kLegend);
  rounded_rect(cr, 3, 9.5, 3, 5, 1);  // the ear cups
  cairo_fill(cr);
  rounded_rect(cr, 13, 9.5, 3, 5, 1);
  cairo_fill(cr);
  pen(cr, 1.0);
  cairo_move_to(cr, 4.5, 14.5);  // the microphone boom
  cairo_curve_to(cr, 5, 16.5, 7, 16.5, 9.5, 16);
  cairo_stroke(cr);
  cairo_arc(cr, 10, 16, 1, 0, 2 * kPi);
  cairo_fill(cr);
}

// 50: a compass rose, 12 x 12, on the same square tile as the other icons:
// four points, the north one red.
void compass_rose(Canvas& canvas, Lang) {
  const double side = canvas.width(), c = side / 2;
  cairo_t* cr = canvas.cr();
  button(cr, side);
  const double outer = 4.4, inner = 1.3;
  for (int quarter = 0; quarter < 4; ++quarter) {
    const double a = quarter * kPi / 2 - kPi / 2;  // north first
    polygon(cr, {{c + outer * std::cos(a), c + outer * std::sin(a)},
                 {c + inner * std::cos(a + kPi / 2), c + inner * std::sin(a + kPi / 2)},
                 {c, c},
                 {c + inner * std::cos(a - kPi / 2), c + inner * std::sin(a - kPi / 2)}});
    set_colour(cr, quarter == 0 ? rgb(214, 52, 40) : colours::kLegend);
    cairo_fill(cr);
  }
}

}  // namespace

void add_hotspot_drawers(Registry& registry) {
  registry.add(40, tick);
  registry.add(50, compass_rose);
  registry.add(60, headset);
  registry.add(250, blank);
  registry.add(1300, blank);
  registry.add(1310, fuel_pump);
  registry.add(1320, cross);
  registry.add(1330, radio_mast);
  registry.add(1340, yoke);
  registry.add(1350, landing_view);
  registry.add(1360, two_instruments);
}

}  // namespace tavrel::art
