#include "panel_backdrops.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "generate.h"

namespace tavrel::art {
namespace fs = std::filesystem;

namespace {

constexpr Colour kPanel = rgb(66, 70, 74);         // the panel's paint
constexpr Colour kPlacardPlate = rgb(24, 24, 26);  // switch placards

// Brushed paint: every pixel a little lighter or darker, in streaks that
// run across, so the face reads as metal and not as a flat fill. The
// same picture on every build (a fixed sequence, no clock).
void brush(Canvas& canvas, int strength) {
  cairo_surface_t* surface = canvas.surface();
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  uint32_t seed = 20001;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<int>(seed >> 24) - 128;  // -128 to 127
  };
  for (int y = 0; y < canvas.height(); ++y) {
    const double row = next() * strength / 256.0;
    double streak = 0;
    for (int x = 0; x < canvas.width(); ++x) {
      // Grain that drifts slowly along the row, as a brush leaves it.
      streak = streak * 0.92 + next() * strength / 128.0 * 0.25;
      const int shift = static_cast<int>(std::lround(row + streak));
      uint32_t pixel;
      std::memcpy(&pixel, data + static_cast<size_t>(y) * stride + 4 * x, 4);
      uint32_t out = pixel & 0xff000000u;
      for (int c = 0; c < 3; ++c) {
        const int v = static_cast<int>((pixel >> (8 * c)) & 0xff) + shift;
        out |= static_cast<uint32_t>(std::clamp(v, 8, 255)) << (8 * c);
      }
      std::memcpy(data + static_cast<size_t>(y) * stride + 4 * x, &out, 4);
    }
  }
  cairo_surface_mark_dirty(surface);
}

// A painted face filling the canvas, a shade lighter at the top, brushed.
void painted_face(Canvas& canvas, Colour paint) {
  cairo_t* cr = canvas.cr();
  const double w = canvas.width(), h = canvas.height();
  cairo_rectangle(cr, 0, 0, w, h);
  fill_gradient(cr, {0, 0}, scaled(paint, 1.1), {0, h}, scaled(paint, 0.9));
  cairo_new_path(cr);
  brush(canvas, 6);
}

// The edge of a panel or frame: `width` pixels of metal lit from the upper
// left, a dark line outside and inside.
void frame(cairo_t* cr, double w, double h, double width) {
  cairo_rectangle(cr, 0, 0, w, h);
  cairo_rectangle(cr, width, h - width, w - 2 * width, -(h - 2 * width));  // a hole
  fill_metal(cr, colours::kMetal, {0, 0}, {w, h});
  cairo_new_path(cr);
  set_colour(cr, scaled(colours::kMetal, 0.35));
  cairo_set_line_width(cr, 1);
  cairo_rectangle(cr, 0.5, 0.5, w - 1, h - 1);
  cairo_stroke(cr);
  cairo_rectangle(cr, width - 0.5, width - 0.5, w - 2 * width + 1, h - 2 * width + 1);
  cairo_stroke(cr);
}

// A slotted screw head, its slot turned `degrees`.
void screw(cairo_t* cr, Point at, double radius, double degrees) {
  cairo_new_path(cr);
  cairo_arc(cr, at.x, at.y, radius, 0, 2 * kPi);
  fill_metal(cr, scaled(colours::kMetal, 1.25), {at.x - radius, at.y - radius},
             {at.x + radius, at.y + radius});
  set_colour(cr, scaled(colours::kMetal, 0.4));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_translate(cr, at.x, at.y);
  cairo_rotate(cr, degrees * kPi / 180);
  cairo_rectangle(cr, -radius * 0.8, -0.8, radius * 1.6, 1.6);
  set_colour(cr, colours::kRecess);
  cairo_fill(cr);
  cairo_restore(cr);
}

constexpr double kPlacardCap = 7;  // capitals' height, pixels

// A switch placard: a small black plate, `width` wide, centred on `at`,
// its lettering condensed to `narrow` of the face's width.
void placard(cairo_t* cr, const std::string& name, Point at, double width, double narrow) {
  const double height = 13;
  rounded_rect(cr, at.x - width / 2, at.y - height / 2, width, height, 2);
  set_colour(cr, kPlacardPlate);
  cairo_fill_preserve(cr);
  set_colour(cr, scaled(kPanel, 1.35));  // its edge catches the light
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  placard_text(cr, name, at, kPlacardCap, 0, narrow);
}

// The lettering's condensation that fits `name` on a plate `width` wide
// with a margin each side; no wider than a little condensed.
double narrow_to_fit(cairo_t* cr, const std::string& name, double width) {
  return std::min(0.9, (width - 5) / placard_text_width(cr, name, kPlacardCap));
}

// A placard under a switch placed at (x, y), `w` wide (its gauge line).
struct SwitchPlacard {
  const char* name;
  double x, w;
};

// The main panel, 1140 x 640: its lower-left strip holds the switches of
// the gauge lines gauge20 to gauge29, each named on a placard under it.
void main_panel(Canvas& canvas) {
  cairo_t* cr = canvas.cr();
  const double w = canvas.width(), h = canvas.height();
  painted_face(canvas, kPanel);

  // The glare shield's shadow along the top.
  cairo_rectangle(cr, 0, 0, w, 80);
  cairo_pattern_t* shade = cairo_pattern_create_linear(0, 0, 0, 80);
  cairo_pattern_add_color_stop_rgba(shade, 0, 0, 0, 0, 0.55);
  cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0);
  cairo_set_source(cr, shade);
  cairo_fill(cr);
  cairo_pattern_destroy(shade);

  // The switch strip: a plate a shade darker, screwed at its corners,
  // from the ignition key to the pitot heat switch.
  const double strip_x = 10, strip_y = 462, strip_w = 488, strip_h = 108;
  rounded_rect(cr, strip_x, strip_y, strip_w, strip_h, 5);
  fill_metal(cr, scaled(kPanel, 0.82), {strip_x, strip_y}, {strip_x + strip_w, strip_y + strip_h});
  set_colour(cr, scaled(kPanel, 0.45));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  for (Point at : {Point{strip_x + 7, strip_y + 7}, Point{strip_x + strip_w - 7, strip_y + 7},
                   Point{strip_x + 7, strip_y + strip_h - 7},
                   Point{strip_x + strip_w - 7, strip_y + strip_h - 7}}) {
    screw(cr, at, 3.5, at.x * 7 + at.y);
  }

  // The toggles stand 46 pixels tall from y 480; the placards a row below.
  // Each placard as wide as the 40-pixel pitch of the switches allows, all
  // lettered alike: condensed as the longest name needs.
  const double row = 536.5, width = 37;
  const std::initializer_list<SwitchPlacard> switches = {
      {"STARTER", 100, 30}, {"AVIONICS", 215, 30}, {"PANEL LT", 255, 30}, {"NAV LT", 295, 30},
      {"BEACON", 335, 30},  {"STROBE", 375, 30},   {"LDG LT", 415, 30},   {"PITOT HT", 455, 30}};
  double narrow = 0.9;
  for (const SwitchPlacard& s : switches)
    narrow = std::min(narrow, narrow_to_fit(cr, s.name, width));
  for (const SwitchPlacard& s : switches) placard(cr, s.name, {s.x + s.w / 2, row}, width, narrow);
  // The ignition key's plate (70 wide from x 20, 73 tall from y 470) names
  // its positions; the placard under it names the switch.
  placard(cr, "MAGNETOS", {55, 553}, 60, narrow);

  frame(cr, w, h, 6);
  for (Point at : {Point{16, 16}, Point{w - 16, 16}, Point{16, h - 16}, Point{w - 16, h - 16}}) {
    screw(cr, at, 4.5, at.x + at.y * 3);
  }
}

// A window's frame: a metal border round a dark face.
void framed_window(Canvas& canvas) {
  painted_face(canvas, rgb(34, 36, 39));
  frame(canvas.cr(), canvas.width(), canvas.height(), 5);
}

// The throttle quadrant, 360 x 260: Thrust_Controls at (10, 10), 200 wide
// (its design 340), in its housing with each lever's name under its slot.
void throttle_quadrant(Canvas& canvas) {
  framed_window(canvas);
  cairo_t* cr = canvas.cr();
  const std::vector<Point> names = quadrant_housing(cr, {10, 10}, 200.0 / 340);
  const char* words[] = {"THROTTLE", "PROP", "MIXTURE"};  // black, yellow, red knobs
  const double narrow = 0.85;
  for (size_t i = 0; i < names.size() && i < 3; ++i) {
    const double width = placard_text_width(cr, words[i], kPlacardCap, narrow) + 8;
    placard(cr, words[i], {names[i].x, names[i].y + 12}, width, narrow);
  }
}

}  // namespace

const std::vector<PanelBackdrop>& panel_backdrops() {
  static const std::vector<PanelBackdrop> backdrops = {
      {"Tavrel_Main.bmp", 1140, 640, main_panel},
      {"Tavrel_Radios.bmp", 630, 170, framed_window},
      {"Tavrel_Throttle.bmp", 360, 260, throttle_quadrant},
      {"Tavrel_Compass.bmp", 180, 210, framed_window},
  };
  return backdrops;
}

void write_panel_backdrops(const fs::path& out_dir) {
  std::error_code ec;
  const fs::path folder = out_dir / "panel";
  fs::create_directories(folder, ec);
  if (ec) throw ArtError("cannot create " + folder.string() + ": " + ec.message());
  for (const PanelBackdrop& backdrop : panel_backdrops()) {
    Canvas canvas(backdrop.width, backdrop.height, 24);
    backdrop.draw(canvas);
    const std::vector<uint8_t> bmp = encode_canvas(canvas);
    write_file_if_changed(folder / backdrop.file, std::string(bmp.begin(), bmp.end()));
  }
}

}  // namespace tavrel::art
