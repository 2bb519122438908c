// The art kit's dial primitives against the host: marks drawn by the kit lie
// on the bearing the host turns the needle to, arcs cover exactly the
// needle's travel between their values, and printed cards and tapes bring a
// value under its index when the host moves them to that value.
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "dial.h"
#include "generate.h"
#include "host/render.h"
#include "kit.h"
#include "module/builders.h"
#include "module/element_walk.h"
#include "module/gauge_table.h"
#include "registry.h"
#include "tests/host/fake_module.h"

namespace tavrel {
namespace {
using namespace build;
using art::Canvas;
using art::Dial;
using art::Point;

// ---- "Dial": an airspeed-like needle with an uneven eight-entry table --------

extern GaugeHeader dial_gauge;
NonlinearityEntry airspeed_table[] = {
    {{141, 71}, 0.0, 0},     {{167, 74}, 34.752, 0},   {{205, 104}, 52.128, 0},
    {{136, 216}, 95.568, 0}, {{89, 194}, 112.944, 0},  {{66, 141}, 139.008, 0},
    {{118, 78}, 173.76, 0},  {{118, 78}, 174.6288, 0},
};
NeedleElement dial_needle = needle(dial_gauge, {.bitmap = 110, .position = {141, 141}},
                                   {.var = 940, .table = table(airspeed_table)});
ElementHeader* dial_children[] = {&dial_needle.header, nullptr};
StaticImageElement dial_face = static_image(dial_gauge, {.bitmap = 100, .children = dial_children});
ElementHeader* dial_root[] = {&dial_face.header};
MouseRect no_mouse[] = {outer_parent(0), close_parent(), end_of_list()};
GaugeHeader dial_gauge =
    gauge_header({.name = "Dial", .size_x_mm = 70, .root = dial_root, .mouse = no_mouse});

// The host's bearing for the needle at each value, from a placed instance.
std::vector<double> host_bearings(const std::vector<double>& values) {
  auto module = std::make_unique<testing::FakeModule>(std::vector<GaugeHeader*>{&dial_gauge});
  module->add_bitmap(100, 282, 282);
  module->add_bitmap(110, 60, 8);
  host::Host host(std::move(module));
  host::GaugeInstance& instance = host.place("Dial");
  std::vector<double> bearings;
  for (double v : values) {
    host.variables().set(940, v);
    host.update();
    bearings.push_back(instance.elements()[1].needle_bearing);
  }
  return bearings;
}

// A channel measure of a kit canvas's pixels, sampled between pixel
// centres (bilinear).
template <typename Measure>
double sampled(const Canvas& canvas, double x, double y, Measure measure) {
  cairo_surface_t* s = canvas.surface();
  cairo_surface_flush(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  auto at = [&](int i, int j) -> double {
    if (i < 0 || j < 0 || i >= canvas.width() || j >= canvas.height()) return 0.0;
    uint32_t p = *reinterpret_cast<const uint32_t*>(data + j * stride + i * 4);
    return measure((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  };
  const double fx = x - 0.5, fy = y - 0.5;
  const int i = static_cast<int>(std::floor(fx)), j = static_cast<int>(std::floor(fy));
  const double tx = fx - i, ty = fy - j;
  return (at(i, j) * (1 - tx) + at(i + 1, j) * tx) * (1 - ty) +
         (at(i, j + 1) * (1 - tx) + at(i + 1, j + 1) * tx) * ty;
}

// Brightness: the sum of the channels, 0..765.
double brightness(const Canvas& canvas, double x, double y) {
  return sampled(canvas, x, y, [](uint32_t r, uint32_t g, uint32_t b) { return r + g + b; });
}

Point along(Point pivot, double bearing, double radius, double across = 0.0) {
  const double a = bearing * art::kPi / 180.0;
  return {pivot.x + radius * std::sin(a) + across * std::cos(a),
          pivot.y - radius * std::cos(a) + across * std::sin(a)};
}

constexpr double kFaceBrightness = 60;  // 3 × 20

// How far across the bearing the ink at a radius is centred (positive:
// clockwise of it), over `half` pixels either side: ink is what `measure`
// finds above `ground`.
template <typename Measure>
double centre_across(const Canvas& canvas, Point pivot, double bearing, double radius, double half,
                     double ground, Measure measure) {
  double weight = 0, moment = 0;
  for (double t = -half; t <= half; t += 0.05) {
    const Point p = along(pivot, bearing, radius, t);
    const double ink = std::fmax(0.0, measure(canvas, p.x, p.y) - ground);
    weight += ink;
    moment += ink * t;
  }
  return weight > 0 ? moment / weight : 1e9;
}

// The same for a mark of the kit's on its matte face.
double ink_centre_across(const Canvas& canvas, Point pivot, double bearing, double radius) {
  return centre_across(canvas, pivot, bearing, radius, 5, kFaceBrightness, brightness);
}

// The radius along the bearing where the ink falls to half of what it is
// well inside the mark.
double ink_end_radius(const Canvas& canvas, Point pivot, double bearing, double inside) {
  const Point deep = along(pivot, bearing, inside);
  const double half = kFaceBrightness + (brightness(canvas, deep.x, deep.y) - kFaceBrightness) / 2;
  for (double r = inside; r < inside + 20; r += 0.02) {
    const Point p = along(pivot, bearing, r);
    if (brightness(canvas, p.x, p.y) < half) return r;
  }
  return 1e9;
}

constexpr double kInner = 100, kOuter = 118, kArcInner = 121, kArcOuter = 127;

void face(cairo_t* cr, int w, int h) {
  cairo_rectangle(cr, 0, 0, w, h);
  art::set_colour(cr, art::colours::kFace);
  cairo_fill(cr);
}

TEST(DialMarks, LongMarksLieOnTheBearingTheHostTurnsTheNeedleTo) {
  // Entries, points between them, and the held end.
  const std::vector<double> values = {0, 20, 34.752, 45, 52.128, 80, 112.944, 150, 173.76};
  const std::vector<double> host = host_bearings(values);

  for (Point origin : {Point{0, 0}, Point{31, 17}}) {
    // The face drawn as the background, then as a child picture placed at
    // `origin`: the pivot moves with it.
    Canvas canvas(282 - static_cast<int>(origin.x), 282 - static_cast<int>(origin.y), 8);
    cairo_t* cr = canvas.cr();
    face(cr, canvas.width(), canvas.height());
    const Dial dial(dial_needle, origin);
    art::marks(cr, dial, values, kInner, kOuter, 2.5);
    const Point pivot{141 - origin.x, 141 - origin.y};
    for (size_t i = 0; i < values.size(); ++i) {
      SCOPED_TRACE(::testing::Message() << "value " << values[i] << ", origin " << origin.x);
      // Across: centred on the host's bearing just inside the tip and at the
      // inner end.
      EXPECT_NEAR(ink_centre_across(canvas, pivot, host[i], kOuter - 1.0), 0.0, 0.5);
      EXPECT_NEAR(ink_centre_across(canvas, pivot, host[i], kInner + 1.0), 0.0, 0.5);
      // Along: the tip ends at the outer radius.
      EXPECT_NEAR(ink_end_radius(canvas, pivot, host[i], kOuter - 3), kOuter, 0.5);
    }
  }
}

TEST(DialMarks, ArcsCoverTheNeedlesTravelBetweenTheirValuesAndNoMore) {
  // The green arc crosses two uneven segments of the table; the red line
  // ends it.
  const double from = 40, to = 100, red = 130;
  const std::vector<double> host = host_bearings({from, 60, 90, to, red});
  Canvas canvas(282, 282, 8);
  cairo_t* cr = canvas.cr();
  face(cr, 282, 282);
  const Dial dial(dial_needle);
  art::arc(cr, dial, from, to, kArcInner, kArcOuter, art::colours::kArcGreen);
  art::marks(cr, dial, {red}, kArcInner, kArcOuter, 2.5, art::colours::kArcRed);

  const Point pivot{141, 141};
  const double mid = (kArcInner + kArcOuter) / 2;
  auto green_at = [&](double bearing) {
    const Point p = along(pivot, bearing, mid);
    cairo_surface_flush(canvas.surface());
    const unsigned char* data = cairo_image_surface_get_data(canvas.surface());
    const int stride = cairo_image_surface_get_stride(canvas.surface());
    uint32_t px = *reinterpret_cast<const uint32_t*>(data + static_cast<int>(p.y) * stride +
                                                     static_cast<int>(p.x) * 4);
    return ((px >> 8) & 0xFF) > 120 && ((px >> 16) & 0xFF) < 80;
  };
  // Inside, near both ends and over the table entries it passes.
  EXPECT_TRUE(green_at(host[0] + 1.5));
  EXPECT_TRUE(green_at(host[1]));
  EXPECT_TRUE(green_at(host[2]));
  EXPECT_TRUE(green_at(host[3] - 1.5));
  // Outside, just past each end.
  EXPECT_FALSE(green_at(host[0] - 1.5));
  EXPECT_FALSE(green_at(host[3] + 1.5));
  // The red line: on its bearing across the band.
  EXPECT_NEAR(ink_centre_across(canvas, pivot, host[4], mid), 0.0, 0.5);
}

TEST(DialMarks, NumeralsStandUprightCentredOnTheirPoint) {
  Canvas canvas(282, 282, 8);
  cairo_t* cr = canvas.cr();
  face(cr, 282, 282);
  const Dial dial(dial_needle);
  const double radius = 80;
  art::numerals(cr, dial, {{95.568, "88"}}, radius, 16);
  // The ink's box: centred on the point, wider than tall (two upright digits).
  int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;
  for (int y = 0; y < 282; ++y) {
    for (int x = 0; x < 282; ++x) {
      if (brightness(canvas, x + 0.5, y + 0.5) > 380) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
  }
  ASSERT_GE(right, 0);
  const Point want = dial.point(95.568, radius);  // straight down, left of the pivot
  EXPECT_NEAR((left + right + 1) / 2.0, want.x, 1.0);
  EXPECT_NEAR((top + bottom + 1) / 2.0, want.y, 1.0);
  EXPECT_GT(right - left, bottom - top);
}

// ---- "Card" and "Tape": a sprite card and a moving-image strip, rendered --

extern GaugeHeader card_gauge;
SpriteElement compass_card = sprite(
    card_gauge, {.bitmap = 210, .position = {10, 10}, .flags = kLitMovingPart, .offset = {50, 50}},
    {.x = {.scale = 1.0}, .y = {.scale = 1.0}, .rotation = {.var = 950, .scale = -2.0}});
MovingImageElement strip =
    moving_image(card_gauge, {.bitmap = 220, .position = {110, 10}, .flags = kLitMovingPart}, {},
                 {.var = 960, .minimum = 0, .maximum = 100});
ElementHeader* card_children[] = {&compass_card.header, &strip.header, nullptr};
StaticImageElement card_face = static_image(card_gauge, {.bitmap = 200, .children = card_children});
ElementHeader* card_root[] = {&card_face.header};
GaugeHeader card_gauge =
    gauge_header({.name = "Card", .size_x_mm = 60, .root = card_root, .mouse = no_mouse});

constexpr double kCardValue = 30, kTapeValue = 37;
constexpr double kTapeIndex = 20;  // the strip's index: 20 px down the window

Canvas plain(int w, int h, art::Colour colour) {
  Canvas canvas(w, h, 24);
  cairo_rectangle(canvas.cr(), 0, 0, w, h);
  art::set_colour(canvas.cr(), colour);
  cairo_fill(canvas.cr());
  return canvas;
}

void card_pictures(testing::FakeModule& m) {
  m.add_picture(200, art::encode_canvas(plain(140, 100, art::rgb(60, 60, 60))));
  // The card: one mark, printed where it comes under an index at the top
  // when the card reads kCardValue.
  Canvas texture = plain(80, 80, art::colours::kFace);
  art::marks(texture.cr(), art::card(compass_card, 80, 80, 0.0), {kCardValue}, 26, 38, 3);
  m.add_picture(210, art::encode_canvas(texture));
  m.add_picture(211, art::encode_canvas(Canvas(80, 80, 24)));  // all window
  // The strip: one bar, printed where it shows at the index at kTapeValue.
  Canvas tape = plain(20, 200, art::colours::kFace);
  const art::Tape scale(strip.y, 200, 40);
  cairo_rectangle(tape.cr(), 0, scale.position(kTapeValue, kTapeIndex) - 1, 20, 2);
  art::set_colour(tape.cr(), art::colours::kLegend);
  cairo_fill(tape.cr());
  m.add_picture(220, art::encode_canvas(tape));
  m.add_picture(221, art::encode_canvas(Canvas(20, 40, 24)));
}

int sum_at(const host::Canvas& canvas, int x, int y) {
  uint32_t p = canvas.at(x, y);
  return int(p & 0xFF) + int((p >> 8) & 0xFF) + int((p >> 16) & 0xFF);
}

TEST(DialMarks, CardsAndTapesBringAPrintedValueUnderItsIndex) {
  auto module = std::make_unique<testing::FakeModule>(std::vector<GaugeHeader*>{&card_gauge});
  card_pictures(*module);
  host::Host host(std::move(module));
  host::FontLibrary fonts;
  host::Renderer renderer(host.bitmaps(), fonts);
  host::GaugeInstance& instance = host.place("Card");
  auto shown = [&](double card_value, double tape_value) {
    host.variables().set(950, card_value);
    host.variables().set(960, tape_value);
    host.update();
    return host::render_gauge(renderer, instance, 0, host::lighting_of(host.variables(), false));
  };

  host::Canvas at_value = shown(kCardValue, kTapeValue);
  // The card's mark straight above the centre (50, 50), 32 px out.
  EXPECT_GT(sum_at(at_value, 49, 18), 500);
  EXPECT_GT(sum_at(at_value, 50, 18), 500);
  EXPECT_LT(sum_at(at_value, 44, 18), 200);
  EXPECT_LT(sum_at(at_value, 56, 18), 200);
  // The strip's bar on the index rows (window top 10, index 20 down).
  EXPECT_GT(sum_at(at_value, 120, 10 + 19), 500);
  EXPECT_GT(sum_at(at_value, 120, 10 + 20), 500);
  EXPECT_LT(sum_at(at_value, 120, 10 + 17), 200);
  EXPECT_LT(sum_at(at_value, 120, 10 + 22), 200);

  // At other values the mark and bar are elsewhere.
  host::Canvas elsewhere = shown(kCardValue + 10, kTapeValue + 5);
  EXPECT_LT(sum_at(elsewhere, 50, 18), 200);
  EXPECT_LT(sum_at(elsewhere, 120, 10 + 20), 200);
}

TEST(DialMarks, AnArtFileFindsItsGaugesRecordsOrStopsTheProgram) {
  const NeedleElement& hand = art::element_of<NeedleElement>(dial_gauge, 110);
  EXPECT_EQ(&hand, &dial_needle);
  // A missing bitmap or an element of another kind: the art and its gauge
  // disagree, and the art program must not draw marks from a wrong record.
  EXPECT_THROW(art::element_of<NeedleElement>(dial_gauge, 111), std::runtime_error);
  EXPECT_THROW(art::element_of<NeedleElement>(dial_gauge, 100), std::runtime_error);
  EXPECT_THROW(art::element_of<SpriteElement>(card_gauge, 220), std::runtime_error);
  EXPECT_EQ(&art::element_of<SpriteElement>(card_gauge, 210), &compass_card);
}

// ---- the module's own dials ---------------------------------------------------

// A gauge's still pictures (its face and whatever static images lie over it)
// as the art program draws them, layered in tree order at 1x: the dial a
// needle moves over, without the needle.
Canvas still_dial(const GaugeHeader& gauge) {
  const ElementHeader& root = *gauge.element_list[0];
  Canvas dial = art::canvas_for(root.resource_id);
  for_each_element(gauge, [&](const ElementHeader& e, int) {
    if (e.element_type != kStaticImage) return;
    const Canvas picture = art::picture_of(e.resource_id, art::Lang::kFrench);
    cairo_set_source_surface(dial.cr(), picture.surface(), e.position.x, e.position.y);
    cairo_paint(dial.cr());
  });
  return dial;
}

// The strongest channel (0..255): white and coloured marks alike stand out
// of a dark face.
double peak(const Canvas& canvas, double x, double y) {
  return sampled(canvas, x, y, [](uint32_t r, uint32_t g, uint32_t b) {
    return std::max({r, g, b});
  });
}

// Where along a bearing from the pivot the outermost mark crosses it: of
// the outermost run of radii (4 pixels or longer) at which the bearing line
// is bright and the dial 3.5 pixels either side of it is not (across a mark,
// not along an arc or a numeral), a pixel inside its inner end, where no arc
// lies beside it. Negative when there is none.
double outermost_mark(const Canvas& canvas, Point pivot, double bearing) {
  double run_end = -1;
  for (double r = 150; r > 8; r -= 0.25) {
    const Point c = along(pivot, bearing, r), a = along(pivot, bearing, r, -3.5),
                b = along(pivot, bearing, r, 3.5);
    const double middle = peak(canvas, c.x, c.y);
    const bool mark =
        middle > 120 && peak(canvas, a.x, a.y) < middle / 2 && peak(canvas, b.x, b.y) < middle / 2;
    if (mark && run_end < 0) run_end = r;
    if (!mark && run_end > 0) {
      if (run_end - r >= 4) return r + 1.25;
      run_end = -1;
    }
  }
  return -1;
}

// How far across the bearing the ink at a radius is centred, against the
// darker of the dial either side (a face of any shade).
double mark_centre_across(const Canvas& canvas, Point pivot, double bearing, double radius) {
  const Point a = along(pivot, bearing, radius, -4), b = along(pivot, bearing, radius, 4);
  const double ground = std::fmin(peak(canvas, a.x, a.y), peak(canvas, b.x, b.y));
  return centre_across(canvas, pivot, bearing, radius, 3.5, ground, peak);
}

TEST(DialMarks, EveryTablePointOfTheModulesDialsFallsOnAMark) {
  // The lit needles that read a scale on their dial (the knobs turn without
  // one), through every entry of their tables, the ends included.
  const char* dials[] = {"Airspeed_Mph", "Airspeed_Kts",    "Vertical_Speed", "Altimeter",
                         "Tachometer",   "Oil_Temp_Press",  "CHT_Indicator",  "Ammeter",
                         "Voltmeter",    "Carb_Temperature"};
  for (const GaugeHeader* gauge : gauges::kGaugeTable) {
    bool listed = false;
    for (const char* name : dials) listed = listed || std::string(name) == gauge->name;
    if (!listed) continue;
    const Canvas dial = still_dial(*gauge);
    for_each_element(*gauge, [&](const ElementHeader& e, int) {
      if (e.element_type != kNeedle || !(e.image_flags & kLuminous)) return;
      const auto& needle = *element_as<NeedleElement>(&e);
      const Dial scale(needle);
      const Point pivot = scale.pivot();
      for (int i = 0; i < needle.nonlinearity_count; ++i) {
        const double value = needle.nonlinearity[i].value;
        const double bearing = scale.bearing(value);
        SCOPED_TRACE(::testing::Message() << gauge->name << ", needle " << e.resource_id
                                          << ", entry " << i + 1 << " (" << value << ")");
        const double radius = outermost_mark(dial, pivot, bearing);
        if (radius < 0) {
          ADD_FAILURE() << "no mark on the bearing " << bearing;
          continue;
        }
        EXPECT_NEAR(mark_centre_across(dial, pivot, bearing, radius), 0.0, 0.5)
            << "at radius " << radius;
      }
    });
  }
}

// ---- the test picture, for the eye ----------------------------------------

// With TAVREL_DIAL_PREVIEW=<file.png> in the environment, writes a dial
// drawn with the kit (marks, numerals, arcs, bezel, needle, knob, lamps).
TEST(DialMarks, PreviewPicture) {
  const char* path = std::getenv("TAVREL_DIAL_PREVIEW");
  if (path == nullptr) GTEST_SKIP() << "set TAVREL_DIAL_PREVIEW to write the picture";
  Canvas canvas(282, 282, 8);
  cairo_t* cr = canvas.cr();
  const Point c{141, 141};
  cairo_arc(cr, c.x, c.y, 140, 0, 2 * art::kPi);
  art::set_colour(cr, art::colours::kFace);
  cairo_fill(cr);
  art::bezel(cr, c, 141, 128);
  const Dial dial(dial_needle);
  art::arc(cr, dial, 34.752, 52.128, 120, 126, art::colours::kArcWhite);
  art::arc(cr, dial, 45, 112.944, 114, 120, art::colours::kArcGreen);
  art::arc(cr, dial, 112.944, 150, 114, 120, art::colours::kArcYellow);
  art::marks(cr, dial, {150}, 112, 126, 3, art::colours::kArcRed);
  art::marks(cr, dial, art::steps(0, 170, 5), 112, 122, 1.4);
  art::marks(cr, dial, art::steps(0, 170, 10), 104, 122, 2.4);
  std::vector<art::Numeral> labels;
  for (int v = 0; v <= 160; v += 20) labels.push_back({double(v), std::to_string(v)});
  art::numerals(cr, dial, labels, 88, 26);
  art::text(cr, "MPH", 141, 190, 14, art::colours::kLegend);
  art::knurled_knob(cr, {30, 252}, 20);
  art::lamp(cr, {252, 30}, 11, art::colours::kArcRed, true);
  art::lamp(cr, {252, 252}, 11, art::colours::kArcRed, false);
  cairo_save(cr);
  cairo_translate(cr, c.x, c.y);
  cairo_rotate(cr, (dial.bearing(100) - 90) * art::kPi / 180);
  art::needle(cr, {0, 0}, 110, 26, 7, 9);
  cairo_restore(cr);
  ASSERT_EQ(cairo_surface_write_to_png(canvas.surface(), path), CAIRO_STATUS_SUCCESS);
  // And three times larger, pixels kept square, beside it.
  cairo_surface_t* big = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 3 * 282, 3 * 282);
  cairo_t* bcr = cairo_create(big);
  cairo_scale(bcr, 3, 3);
  cairo_set_source_surface(bcr, canvas.surface(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(bcr), CAIRO_FILTER_NEAREST);
  cairo_paint(bcr);
  const std::string big_path = std::string(path) + ".3x.png";
  EXPECT_EQ(cairo_surface_write_to_png(big, big_path.c_str()), CAIRO_STATUS_SUCCESS);
  cairo_destroy(bcr);
  cairo_surface_destroy(big);
}

}  // namespace
}  // namespace tavrel
