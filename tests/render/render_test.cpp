// The renderer on hand-made gauges with real pixels: pixel probes of where
// needles, sprites, moving images, text and transparent parts land, and of
// night lighting.
#include "host/render.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "module/builders.h"
#include "resources/dib/dib.h"
#include "tests/host/fake_module.h"

namespace tavrel {
namespace {
using namespace build;

struct Rgb {
  int r = 0, g = 0, b = 0;
};
struct Paint {
  int x, y, w, h;
  Rgb colour;
};

// A 24-bit picture of one colour with rectangles painted over it.
std::vector<uint8_t> picture(int w, int h, Rgb fill, const std::vector<Paint>& paints = {}) {
  std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
  auto put = [&](int x, int y, Rgb c) {
    uint8_t* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
    p[0] = static_cast<uint8_t>(c.r), p[1] = static_cast<uint8_t>(c.g),
    p[2] = static_cast<uint8_t>(c.b);
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) put(x, y, fill);
  }
  for (const Paint& p : paints) {
    for (int y = p.y; y < p.y + p.h; ++y) {
      for (int x = p.x; x < p.x + p.w; ++x) put(x, y, p.colour);
    }
  }
  return dib::encode_24bit(w, h, rgb);
}

// The same as an 8-bit paletted picture (black, then the fill, then paint).
std::vector<uint8_t> picture_8bit(int w, int h, Rgb fill, const std::vector<Paint>& paints) {
  std::vector<std::array<uint8_t, 3>> palette = {{0, 0, 0}};
  auto index_of = [&](Rgb c) {
    std::array<uint8_t, 3> entry{uint8_t(c.r), uint8_t(c.g), uint8_t(c.b)};
    for (size_t i = 0; i < palette.size(); ++i) {
      if (palette[i] == entry) return static_cast<uint8_t>(i);
    }
    palette.push_back(entry);
    return static_cast<uint8_t>(palette.size() - 1);
  };
  std::vector<uint8_t> indices(static_cast<size_t>(w) * h, index_of(fill));
  for (const Paint& p : paints) {
    uint8_t i = index_of(p.colour);
    for (int y = p.y; y < p.y + p.h; ++y) {
      for (int x = p.x; x < p.x + p.w; ++x) indices[static_cast<size_t>(y) * w + x] = i;
    }
  }
  return dib::encode_8bit(w, h, palette, indices);
}

Rgb rgb_at(const host::Canvas& canvas, int x, int y) {
  uint32_t p = canvas.at(x, y);
  return {int(p & 0xFF), int((p >> 8) & 0xFF), int((p >> 16) & 0xFF)};
}
int alpha_at(const host::Canvas& canvas, int x, int y) {
  return int(canvas.at(x, y) >> 24);
}

bool near(Rgb a, Rgb b, int tolerance = 2) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

::testing::AssertionResult colour_is(const host::Canvas& canvas, int x, int y, Rgb want,
                                     int tolerance = 2) {
  Rgb got = rgb_at(canvas, x, y);
  if (near(got, want, tolerance)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "pixel (" << x << ", " << y << ") is (" << got.r << ", " << got.g << ", " << got.b
         << "), expected (" << want.r << ", " << want.g << ", " << want.b << ")";
}

const Rgb kGrey{60, 60, 60};
const Rgb kRed{220, 20, 20};
const Rgb kWhite{255, 255, 255};
const Rgb kBlack{0, 0, 0};

// A host on a hand-made module, with a renderer.
struct Stage {
  explicit Stage(std::vector<GaugeHeader*> gauges,
                 const std::function<void(testing::FakeModule&)>& pictures) {
    auto module = std::make_unique<testing::FakeModule>(std::move(gauges));
    pictures(*module);
    host = std::make_unique<host::Host>(std::move(module));
    renderer = std::make_unique<host::Renderer>(host->bitmaps(), fonts);
  }
  host::GaugeInstance& show(const char* name) {
    host::GaugeInstance& instance = host->place(name);
    host->update();
    return instance;
  }
  host::Canvas render(const host::GaugeInstance& instance, int width = 0, bool night = false) {
    return host::render_gauge(*renderer, instance, width,
                              host::lighting_of(host->variables(), night));
  }
  std::unique_ptr<host::Host> host;
  host::FontLibrary fonts;
  std::unique_ptr<host::Renderer> renderer;
};

MouseRect no_mouse[] = {outer_parent(0), close_parent(), end_of_list()};

// ---- "Layers": static images, icons, sliders ----------------------------

extern GaugeHeader layers;
// Bitmap 20: black with a red square; 30: a white square; 40/41: icons.
StaticImageElement keyed = static_image(layers, {.bitmap = 20, .position = {10, 10}});
StaticImageElement opaque =
    static_image(layers, {.bitmap = 20, .position = {40, 10}, .flags = kEraseBeforeDraw});
StaticImageElement bright =
    static_image(layers, {.bitmap = 30, .position = {70, 10}, .flags = kBrightImage});
StaticImageElement plain = static_image(layers, {.bitmap = 30, .position = {70, 30}});
StaticImageElement lit =
    static_image(layers, {.bitmap = 30, .position = {85, 30}, .flags = kLitFace});
IconElement lamp = icon(layers, {.bitmap = 40, .position = {10, 35}}, {.var = 901, .count = 2});
SliderElement slide =
    slider(layers, {.bitmap = 30, .position = {40, 35}}, {.var = 902, .scale = 2.0}, {});
ElementHeader* layer_children[] = {&keyed.header, &opaque.header, &bright.header, &plain.header,
                                   &lit.header,   &lamp.header,   &slide.header,  nullptr};
StaticImageElement layers_face = static_image(layers, {.bitmap = 10, .children = layer_children});
ElementHeader* layers_root[] = {&layers_face.header};
GaugeHeader layers =
    gauge_header({.name = "Layers", .size_x_mm = 50, .root = layers_root, .mouse = no_mouse});

void layer_pictures(testing::FakeModule& m) {
  m.add_picture(10, picture(100, 60, kGrey));
  m.add_picture(20, picture(20, 20, kBlack, {{5, 5, 10, 10, kRed}}));
  m.add_picture(30, picture(10, 10, kWhite));
  m.add_picture(40, picture(10, 10, {0, 0, 200}));
  m.add_picture(41, picture(10, 10, {0, 200, 0}));
}

TEST(Render, BlackIsTransparentOnlyUnderFlag1) {
  Stage stage({&layers}, layer_pictures);
  host::Canvas canvas = stage.render(stage.show("Layers"));
  ASSERT_EQ(canvas.width(), 100);
  ASSERT_EQ(canvas.height(), 60);
  // Keyed image: black corners leave the background exactly as it was.
  EXPECT_TRUE(colour_is(canvas, 11, 11, kGrey, 0));
  EXPECT_TRUE(colour_is(canvas, 29, 29, kGrey, 0));
  EXPECT_TRUE(colour_is(canvas, 20, 20, kRed, 0));
  // Without flag 0x1 black is paint.
  EXPECT_TRUE(colour_is(canvas, 41, 11, kBlack, 0));
  EXPECT_TRUE(colour_is(canvas, 50, 20, kRed, 0));
  // Background pixels are opaque; nothing is drawn outside the gauge.
  EXPECT_EQ(alpha_at(canvas, 0, 0), 255);
}

TEST(Render, ScaledGaugeKeepsProportionsAndPlacesElementsByScale) {
  Stage stage({&layers}, layer_pictures);
  host::GaugeInstance& instance = stage.show("Layers");
  host::Canvas canvas = stage.render(instance, 300);
  ASSERT_EQ(canvas.width(), 300);
  ASSERT_EQ(canvas.height(), 180);
  // The red square (background pixels 15..24) is at 45..74, smoothly
  // edged; the keyed corners still show the background.
  EXPECT_TRUE(colour_is(canvas, 60, 60, kRed, 0));
  EXPECT_TRUE(colour_is(canvas, 35, 35, kGrey, 0));
  EXPECT_TRUE(colour_is(canvas, 40, 60, kGrey, 0));
  // Half size: sampled from the halved level, still the right colours.
  host::Canvas half = stage.render(instance, 50);
  ASSERT_EQ(half.height(), 30);
  EXPECT_TRUE(colour_is(half, 10, 10, kRed, 3));
  EXPECT_TRUE(colour_is(half, 2, 2, kGrey, 0));
}

// The same picture as a static image (resampled once and kept) and as a
// slider (sampled on every frame) draws the same pixels, frame after frame.
extern GaugeHeader still;
extern GaugeHeader moving;
StaticImageElement still_dot = static_image(still, {.bitmap = 20, .position = {13, 7}});
ElementHeader* still_children[] = {&still_dot.header, nullptr};
StaticImageElement still_face = static_image(still, {.bitmap = 10, .children = still_children});
ElementHeader* still_root[] = {&still_face.header};
GaugeHeader still =
    gauge_header({.name = "Still", .size_x_mm = 50, .root = still_root, .mouse = no_mouse});
SliderElement moving_dot = slider(moving, {.bitmap = 20, .position = {13, 7}}, {}, {});
ElementHeader* moving_children[] = {&moving_dot.header, nullptr};
SliderElement moving_face = slider(moving, {.bitmap = 10, .children = moving_children}, {}, {});
ElementHeader* moving_root[] = {&moving_face.header};
GaugeHeader moving =
    gauge_header({.name = "Moving", .size_x_mm = 50, .root = moving_root, .mouse = no_mouse});

TEST(Render, KeptStillPicturesDrawAsFreshlySampledOnes) {
  Stage stage({&still, &moving}, layer_pictures);
  host::GaugeInstance& a = stage.show("Still");
  host::GaugeInstance& b = stage.show("Moving");
  for (int width : {37, 130, 100, 130}) {
    host::Canvas kept = stage.render(a, width);
    host::Canvas fresh = stage.render(b, width);
    ASSERT_EQ(kept.pixels(), fresh.pixels()) << "width " << width;
  }
}

TEST(Render, IconsFollowTheirIndexAndSlidersTheirOffset) {
  Stage stage({&layers}, layer_pictures);
  host::GaugeInstance& instance = stage.show("Layers");
  EXPECT_TRUE(colour_is(stage.render(instance), 15, 40, {0, 0, 200}, 0));  // value 0: bitmap 40
  stage.host->variables().set(901, 1);
  stage.host->update();
  EXPECT_TRUE(colour_is(stage.render(instance), 15, 40, {0, 200, 0}, 0));  // value 1: bitmap 41
  stage.host->variables().set(901, -1);
  stage.host->update();
  EXPECT_TRUE(colour_is(stage.render(instance), 15, 40, kGrey, 0));  // no icon
  stage.host->variables().set(902, 5);                               // 10 pixels right
  stage.host->update();
  host::Canvas canvas = stage.render(instance);
  EXPECT_TRUE(colour_is(canvas, 45, 40, kGrey, 0));
  EXPECT_TRUE(colour_is(canvas, 55, 40, kWhite, 0));
}

TEST(Render, ElementsStayInsideTheirGaugeOnAPanel) {
  Stage stage({&layers}, layer_pictures);
  host::GaugeInstance& instance = stage.show("Layers");
  stage.host->variables().set(902, 28);  // the slider moves 56 px, over the right edge
  stage.host->update();
  const uint32_t backdrop = host::rgba_word(1, 2, 3);
  host::Canvas canvas(200, 100, backdrop);
  stage.renderer->draw(instance, canvas, {20, 10, 1, 1}, {});
  EXPECT_TRUE(colour_is(canvas, 20 + 99, 10 + 40, kWhite, 0));  // inside: drawn
  EXPECT_EQ(canvas.at(20 + 100, 10 + 40), backdrop);            // outside: untouched
  EXPECT_EQ(canvas.at(19, 9), backdrop);
  EXPECT_TRUE(colour_is(canvas, 20, 10, kGrey, 0));
}

TEST(Render, NightDarkensAllButBrightElementsAndPanelLightsWarmLuminousOnes) {
  Stage stage({&layers}, layer_pictures);
  host::GaugeInstance& instance = stage.show("Layers");
  host::Canvas day = stage.render(instance);
  host::Canvas night = stage.render(instance, 0, true);
  Rgb plain_night = rgb_at(night, 75, 35);
  Rgb lit_night = rgb_at(night, 90, 35);
  EXPECT_TRUE(colour_is(day, 75, 35, kWhite, 0));
  EXPECT_LT(plain_night.r, 128);
  EXPECT_LT(plain_night.g, 128);
  EXPECT_LT(rgb_at(night, 5, 5).r, kGrey.r);         // the background too
  EXPECT_TRUE(near(lit_night, plain_night, 0));      // luminous, but the lights are off
  EXPECT_TRUE(colour_is(night, 75, 15, kWhite, 0));  // 0x4: not darkened

  stage.host->variables().set(token::kPanelLights, 1);
  stage.host->update();
  host::Canvas lights = stage.render(instance, 0, true);
  Rgb warm = rgb_at(lights, 90, 35);
  EXPECT_GT(warm.r, 200);
  EXPECT_GT(warm.r, warm.g);
  EXPECT_GT(warm.g, warm.b);
  EXPECT_TRUE(near(rgb_at(lights, 75, 35), plain_night, 0));  // not luminous: still dark
}

// ---- "Dial": needles ------------------------------------------------------

extern GaugeHeader dial;
// The table runs clockwise from the top, a quarter turn per 10 units; its
// points lie 60 px from the pivot, the length of the needle.
NonlinearityEntry dial_table[] = {entry(100, 40, 0), entry(160, 100, 10), entry(100, 160, 20),
                                  entry(40, 100, 30), entry(100, 40, 40)};
// Bitmap 110: a white bar 60 x 4 pointing right from its pivot (0, 2).
NeedleElement table_needle =
    needle(dial, {.bitmap = 110, .position = {100, 100}, .flags = kLitMovingPart, .offset = {0, 2}},
           {.var = 910, .table = table(dial_table)});
// Bitmap 120: a green bar 4 x 50 standing up from its pivot (2, 50).
NeedleElement bare_needle = needle(
    dial, {.bitmap = 120, .position = {100, 100}, .flags = kLitMovingPart, .offset = {2, 50}},
    {.var = 911});
ElementHeader* dial_children[] = {&table_needle.header, &bare_needle.header, nullptr};
StaticImageElement dial_face = static_image(dial, {.bitmap = 100, .children = dial_children});
ElementHeader* dial_root[] = {&dial_face.header};
GaugeHeader dial =
    gauge_header({.name = "Dial", .size_x_mm = 100, .root = dial_root, .mouse = no_mouse});

void dial_pictures(testing::FakeModule& m) {
  m.add_picture(100, picture(200, 200, {30, 30, 30}));
  m.add_picture(110, picture_8bit(60, 4, kWhite, {}));
  m.add_picture(120, picture_8bit(4, 50, {0, 230, 0}, {}));
}

// The middle of the needle's far end: the mean of the needle pixels within
// a pixel and a half of the farthest one from the pivot.
struct Tip {
  double x = 0, y = 0;
  bool found = false;
};
Tip tip_of(const host::Canvas& canvas, double pivot_x, double pivot_y,
           const std::function<bool(Rgb)>& is_needle) {
  std::vector<std::pair<double, std::pair<double, double>>> pixels;
  double best = -1;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      if (!is_needle(rgb_at(canvas, x, y))) continue;
      double d = std::hypot(x + 0.5 - pivot_x, y + 0.5 - pivot_y);
      pixels.push_back({d, {x + 0.5, y + 0.5}});
      best = std::max(best, d);
    }
  }
  Tip tip;
  int count = 0;
  for (const auto& [d, at] : pixels) {
    if (d < best - 1.5) continue;
    tip.x += at.first, tip.y += at.second, ++count;
  }
  if (count > 0) tip = {tip.x / count, tip.y / count, true};
  return tip;
}

bool whitish(Rgb c) {
  return c.r > 140 && c.g > 140 && c.b > 140;
}
bool greenish(Rgb c) {
  return c.g > 120 && c.r < 100;
}

TEST(Render, TableNeedleTipLandsOnTheTablePoint) {
  Stage stage({&dial}, dial_pictures);
  host::GaugeInstance& instance = stage.show("Dial");
  stage.host->variables().set(911, 180);  // the other needle points down, out of the way
  struct Case {
    double value, x, y;
  };
  // The table's points, and one between two of them (45 degrees).
  const double d = 60 / std::sqrt(2.0);
  for (Case c :
       {Case{0, 100, 40}, Case{10, 160, 100}, Case{30, 40, 100}, Case{5, 100 + d, 100 - d}}) {
    stage.host->variables().set(910, c.value);
    stage.host->update();
    host::Canvas canvas = stage.render(instance);
    Tip tip = tip_of(canvas, 100, 100, whitish);
    ASSERT_TRUE(tip.found) << "value " << c.value;
    EXPECT_LE(std::hypot(tip.x - c.x, tip.y - c.y), 2.0)
        << "value " << c.value << ": tip at (" << tip.x << ", " << tip.y << ")";
  }
  // Three times the size: the tip lands on three times the point.
  stage.host->variables().set(910, 10);
  stage.host->update();
  Tip big = tip_of(stage.render(instance, 600), 300, 300, whitish);
  EXPECT_LE(std::hypot(big.x - 480, big.y - 300), 3.0) << big.x << ", " << big.y;
}

TEST(Render, NeedleWithoutTableStandsUpAndTurnsClockwise) {
  Stage stage({&dial}, dial_pictures);
  host::GaugeInstance& instance = stage.show("Dial");
  stage.host->variables().set(910, 20);  // the table needle points down
  for (double value : {0.0, 90.0, 180.0, 270.0}) {
    stage.host->variables().set(911, value);
    stage.host->update();
    host::Canvas canvas = stage.render(instance);
    Tip tip = tip_of(canvas, 100, 100, greenish);
    double s = 0, c = 0;
    host::sin_cos_degrees(value, s, c);
    ASSERT_TRUE(tip.found);
    EXPECT_LE(std::hypot(tip.x - (100 + 50 * s), tip.y - (100 - 50 * c)), 2.0)
        << "value " << value << ": tip at (" << tip.x << ", " << tip.y << ")";
  }
}

TEST(Render, TurnedNeedleIsSmoothlyEdged) {
  Stage stage({&dial}, dial_pictures);
  host::GaugeInstance& instance = stage.show("Dial");
  stage.host->variables().set(910, 3.3);  // an odd angle
  stage.host->variables().set(911, 180);
  stage.host->update();
  host::Canvas canvas = stage.render(instance);
  int partial = 0;
  for (int y = 30; y < 100; ++y) {
    for (int x = 100; x < 170; ++x) {
      Rgb c = rgb_at(canvas, x, y);
      if (c.r > 40 && c.r < 230 && c.r == c.g) ++partial;  // between face and needle
    }
  }
  EXPECT_GT(partial, 20);
}

// ---- "Card": a sprite behind its mask --------------------------------------

extern GaugeHeader card;
// Texture 210: dark blue 40 x 40 with a red mark 12 px right of its centre;
// mask 211: 40 x 40, a window except for a white left column.
SpriteElement card_sprite =
    sprite(card, {.bitmap = 210, .position = {10, 10}, .flags = kLitMovingPart, .offset = {30, 30}},
           {.x = {.scale = 1.0}, .y = {.scale = 1.0}, .rotation = {.var = 920, .scale = 1.0}});
ElementHeader* card_children[] = {&card_sprite.header, nullptr};
StaticImageElement card_face = static_image(card, {.bitmap = 200, .children = card_children});
ElementHeader* card_root[] = {&card_face.header};
GaugeHeader card =
    gauge_header({.name = "Card", .size_x_mm = 60, .root = card_root, .mouse = no_mouse});

const Rgb kBlue{0, 0, 120};
void card_pictures(testing::FakeModule& m) {
  m.add_picture(200, picture(60, 60, kGrey));
  m.add_picture(210, picture(40, 40, kBlue, {{30, 18, 4, 4, kRed}}));
  m.add_picture(211, picture(40, 40, kBlack, {{0, 0, 1, 40, kWhite}}));
}

TEST(Render, SpriteTurnsAnticlockwiseAboutItsCentreInsideItsMask) {
  Stage stage({&card}, card_pictures);
  host::GaugeInstance& instance = stage.show("Card");
  host::Canvas still = stage.render(instance);
  EXPECT_TRUE(colour_is(still, 42, 30, kRed, 0));  // the mark: 12 px right of (30, 30)
  EXPECT_TRUE(colour_is(still, 30, 42, kBlue, 0));
  EXPECT_TRUE(colour_is(still, 10, 30, kWhite, 0));  // the mask's own paint
  EXPECT_TRUE(colour_is(still, 5, 30, kGrey, 0));    // outside the mask: background

  stage.host->variables().set(920, 90);
  stage.host->update();
  host::Canvas turned = stage.render(instance);
  EXPECT_TRUE(colour_is(turned, 30, 18, kRed, 0));  // a quarter turn anticlockwise: above
  EXPECT_TRUE(colour_is(turned, 42, 30, kBlue, 0));
  EXPECT_TRUE(colour_is(turned, 10, 30, kWhite, 0));

  stage.host->variables().set(920, -90);  // clockwise: below
  stage.host->update();
  EXPECT_TRUE(colour_is(stage.render(instance), 30, 42, kRed, 0));
}

TEST(Render, SpriteTextureScaleAndCentreMoveTheTexture) {
  Stage stage({&card}, card_pictures);
  host::GaugeInstance& instance = stage.show("Card");
  auto* copy = element_as<SpriteElement>(instance.elements()[1].element);
  copy->texture_scale_x = 1.5f;  // the mark moves to 18 px right of the centre
  stage.host->update();
  host::Canvas canvas = stage.render(instance);
  EXPECT_TRUE(colour_is(canvas, 48, 30, kRed, 0));
  EXPECT_TRUE(colour_is(canvas, 43, 30, kBlue, 0));
}

// ---- "Window": a moving image ----------------------------------------------

extern GaugeHeader window;
// Picture 310: 20 x 100 in ten bands of 10 rows; mask 311: 20 x 10, a
// window but for a white left column.
MovingImageElement drum =
    moving_image(window, {.bitmap = 310, .position = {10, 15}, .flags = kLitMovingPart}, {},
                 {.var = 930, .minimum = 0, .maximum = 9});
ElementHeader* window_children[] = {&drum.header, nullptr};
StaticImageElement window_face = static_image(window, {.bitmap = 300, .children = window_children});
ElementHeader* window_root[] = {&window_face.header};
GaugeHeader window =
    gauge_header({.name = "Window", .size_x_mm = 40, .root = window_root, .mouse = no_mouse});

Rgb band(int k) {
  return {20 + 20 * k, 40, 200 - 15 * k};
}
void window_pictures(testing::FakeModule& m) {
  m.add_picture(300, picture(40, 40, kGrey));
  std::vector<Paint> bands;
  for (int k = 0; k < 10; ++k) bands.push_back({0, 10 * k, 20, 10, band(k)});
  m.add_picture(310, picture(20, 100, kBlack, bands));
  m.add_picture(311, picture(20, 10, kBlack, {{0, 0, 1, 10, kWhite}}));
}

TEST(Render, MovingImageShowsTheBandForItsValueThroughItsMask) {
  Stage stage({&window}, window_pictures);
  host::GaugeInstance& instance = stage.show("Window");
  for (int k : {0, 3, 9}) {
    stage.host->variables().set(930, k);
    stage.host->update();
    host::Canvas canvas = stage.render(instance);
    for (int y = 15; y < 25; ++y) EXPECT_TRUE(colour_is(canvas, 20, y, band(k), 0)) << "band " << k;
    EXPECT_TRUE(colour_is(canvas, 10, 20, kWhite, 0));  // the mask's paint
    EXPECT_TRUE(colour_is(canvas, 20, 26, kGrey, 0));   // below the mask: background
    EXPECT_TRUE(colour_is(canvas, 20, 14, kGrey, 0));
  }
}

// ---- "Text": a string in its box -------------------------------------------

extern GaugeHeader text_gauge;
double TAVREL_STDCALL writes_88(ElementHeader* e) {
  auto* s = element_as<StringElement>(e);
  std::strncpy(s->text, "88", s->char_count);
  return 0;
}
StringElement readout = string_element(text_gauge, {.bitmap = -1, .position = {10, 10}},
                                       {.box = {80, 20},
                                        .foreground = 0x00FFFFFF,
                                        .background = 0,
                                        .font = "Arial",
                                        .text_flags = kTextCenter | kTextVCenter | kTextSingleLine,
                                        .char_count = 8,
                                        .callback = writes_88});
ElementHeader* text_children[] = {&readout.header, nullptr};
StaticImageElement text_face = static_image(text_gauge, {.bitmap = 400, .children = text_children});
ElementHeader* text_root[] = {&text_face.header};
GaugeHeader text_gauge =
    gauge_header({.name = "Text", .size_x_mm = 50, .root = text_root, .mouse = no_mouse});

void text_pictures(testing::FakeModule& m) {
  m.add_picture(400, picture(100, 40, kGrey));
}

struct Box {
  int x0 = 1 << 20, y0 = 1 << 20, x1 = -1, y1 = -1;
};
Box lit_pixels(const host::Canvas& canvas) {
  Box box;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      if (rgb_at(canvas, x, y).r > 160) {
        box.x0 = std::min(box.x0, x), box.y0 = std::min(box.y0, y);
        box.x1 = std::max(box.x1, x), box.y1 = std::max(box.y1, y);
      }
    }
  }
  return box;
}

TEST(Render, StringTextLandsInItsBoxAsItsFlagsSay) {
  Stage stage({&text_gauge}, text_pictures);
  ASSERT_NE(stage.fonts.font("Arial", 400), nullptr) << "Liberation Sans is not installed";
  host::GaugeInstance& instance = stage.show("Text");
  Box centred = lit_pixels(stage.render(instance));
  ASSERT_GE(centred.x1, 0) << "no text drawn";
  EXPECT_GE(centred.x0, 10);
  EXPECT_LE(centred.x1, 89);
  EXPECT_GE(centred.y0, 10);
  EXPECT_LE(centred.y1, 29);
  EXPECT_NEAR((centred.x0 + centred.x1) / 2.0, 50, 3);
  EXPECT_GT(centred.y1 - centred.y0, 8);  // the font is about the box's height

  auto* copy = element_as<StringElement>(instance.elements()[1].element);
  copy->text_flags = kTextRight | kTextSingleLine;
  Box right = lit_pixels(stage.render(instance));
  EXPECT_NEAR(right.x1, 89, 3);
  copy->text_flags = kTextSingleLine;
  Box left = lit_pixels(stage.render(instance));
  EXPECT_NEAR(left.x0, 10, 3);

  // A coloured background fills the box; black under 0x1 stays clear.
  EXPECT_TRUE(colour_is(stage.render(instance), 11, 11, kGrey, 0));
  copy->background_color = 0x000000C0;  // red
  EXPECT_TRUE(colour_is(stage.render(instance), 11, 11, {0xC0, 0, 0}, 0));
  EXPECT_TRUE(colour_is(stage.render(instance), 9, 11, kGrey, 0));
}

// ---- Languages, hotspots, angles ---------------------------------------------

TEST(Render, EnglishBitmapsReplaceFrenchOnesWhereTheyExist) {
  Stage stage({&layers}, [](testing::FakeModule& m) {
    layer_pictures(m);
    m.add_picture(10, picture(100, 60, {0, 90, 0}), host::Language::kEnglish);
  });
  host::GaugeInstance& instance = stage.show("Layers");
  EXPECT_TRUE(colour_is(stage.render(instance), 5, 5, kGrey, 0));
  stage.host->set_language(host::Language::kEnglish);
  host::Canvas english = stage.render(instance);
  EXPECT_TRUE(colour_is(english, 5, 5, {0, 90, 0}, 0));
  EXPECT_TRUE(colour_is(english, 20, 20, kRed, 0));  // French only: still drawn
}

extern GaugeHeader clicker;
int32_t TAVREL_STDCALL no_op(ClickPoint*, uint32_t) {
  return 0;
}
MouseRect clicker_mouse[] = {
    outer_parent(77),
    click({.box = {10, 10, 30, 20}, .cursor = kCursorHand, .flags = kClick, .event = 66241}),
    click(
        {.box = {50, 10, 40, 40}, .cursor = kCursorHand, .flags = kClickRepeat, .function = no_op}),
    close_parent(),
    end_of_list(),
};
StaticImageElement clicker_face = static_image(clicker, {.bitmap = 10});
ElementHeader* clicker_root[] = {&clicker_face.header};
GaugeHeader clicker = gauge_header(
    {.name = "Clicker", .size_x_mm = 50, .root = clicker_root, .mouse = clicker_mouse});

TEST(Render, HotspotsOutlineEventAndCodeBoxesInTheirColours) {
  Stage stage({&clicker}, layer_pictures);
  host::GaugeInstance& instance = stage.show("Clicker");
  host::Canvas canvas = stage.render(instance);
  stage.renderer->draw_hotspots(instance, canvas, {});
  EXPECT_TRUE(colour_is(canvas, 15, 29, {0x30, 0xE0, 0x30}, 0));  // event box, bottom edge
  EXPECT_TRUE(colour_is(canvas, 70, 49, {0xFF, 0x40, 0xFF}, 0));  // code box, bottom edge
  EXPECT_TRUE(colour_is(canvas, 99, 30, {0x00, 0xC8, 0xFF}, 0));  // tooltip area: the gauge
  EXPECT_TRUE(colour_is(canvas, 45, 30, kGrey, 0));               // between boxes: untouched
}

TEST(Render, CanvasFillSetsEveryPixel) {
  for (auto [w, h] : {std::pair{13, 7}, std::pair{1, 5}, std::pair{9, 1}, std::pair{0, 3}}) {
    host::Canvas canvas(w, h, host::rgba_word(9, 9, 9));
    canvas.fill(host::rgba_word(10, 20, 30, 40));
    ASSERT_EQ(canvas.pixels().size(), static_cast<size_t>(w) * h);
    for (uint32_t p : canvas.pixels())
      ASSERT_EQ(p, host::rgba_word(10, 20, 30, 40)) << w << "x" << h;
  }
}

TEST(Render, SinCosAgreeWithTheLibraryAndAreExactOnTheAxes) {
  for (double degrees = -720; degrees <= 720; degrees += 0.75) {
    double s = 0, c = 0;
    host::sin_cos_degrees(degrees, s, c);
    double radians = degrees * 3.14159265358979323846 / 180.0;
    EXPECT_NEAR(s, std::sin(radians), 1e-13) << degrees;
    EXPECT_NEAR(c, std::cos(radians), 1e-13) << degrees;
  }
  double s = 0, c = 0;
  host::sin_cos_degrees(90, s, c);
  EXPECT_EQ(s, 1.0);
  EXPECT_EQ(c, 0.0);
  host::sin_cos_degrees(-180, s, c);
  EXPECT_EQ(c, -1.0);
  host::sin_cos_degrees(std::nan(""), s, c);
  EXPECT_EQ(s, 0.0);
}

}  // namespace
}  // namespace tavrel
