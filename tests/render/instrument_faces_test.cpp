// The module's own pictures as a pilot sees them, drawn by the stand-in
// host: the horizon card fills the attitude indicator's window, the horizon
// meets the miniature aircraft's wings in level flight, and the distance
// display's texts stand whole inside their boxes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "host/host.h"
#include "host/render.h"
#include "module/catalogue.h"
#include "module/records.h"

namespace tavrel {
namespace {

struct Module {
  host::Host host{host::bind_module("", nullptr)};
  host::FontLibrary fonts;
  host::Renderer renderer{host.bitmaps(), fonts};
};

struct Rgb {
  int r, g, b;
};

Rgb colour_at(const host::Canvas& canvas, int x, int y) {
  const uint32_t p = canvas.at(x, y);
  return {int(p & 0xFF), int((p >> 8) & 0xFF), int((p >> 16) & 0xFF)};
}

// ---- Attitude ----------------------------------------------------------------

using token::kBank;
using token::kPitch;
constexpr uint32_t kAircraftHeight = token::kMiniatureAircraft;

// What a pixel of the window shows. Near black (every channel below 40) is a
// hole: neither card nor interior paints it. The card is sky (clearly blue),
// ground (clearly brown) or its white marks; anything else is the
// instrument's interior, seen where the card does not reach.
enum class Seen { kHole, kCard, kInterior };

Seen seen(Rgb c) {
  if (std::max({c.r, c.g, c.b}) < 40) return Seen::kHole;
  const bool sky = c.b - c.r > 40;
  const bool ground = c.r - c.b > 30;
  const bool marking = std::min({c.r, c.g, c.b}) > 150;
  return sky || ground || marking ? Seen::kCard : Seen::kInterior;
}

// The window: the clear (black) pixels of the card's mask joined to its
// centre.
std::vector<std::pair<int, int>> window_of(host::Host& host, int mask_id) {
  const dib::Image* mask = host.bitmaps().image(mask_id, host.language());
  EXPECT_NE(mask, nullptr);
  if (mask == nullptr) return {};
  auto clear = [&](int x, int y) {
    const uint8_t* p = &mask->rgba[(static_cast<size_t>(y) * mask->width + x) * 4];
    return p[0] == 0 && p[1] == 0 && p[2] == 0;
  };
  std::vector<std::pair<int, int>> window, todo{{mask->width / 2, mask->height / 2}};
  std::vector<bool> met(static_cast<size_t>(mask->width) * mask->height, false);
  while (!todo.empty()) {
    auto [x, y] = todo.back();
    todo.pop_back();
    if (x < 0 || y < 0 || x >= mask->width || y >= mask->height) continue;
    const size_t i = static_cast<size_t>(y) * mask->width + x;
    if (met[i] || !clear(x, y)) continue;
    met[i] = true;
    window.push_back({x, y});
    todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
  }
  return window;
}

TEST(AttitudeWindow, ShowsOnlySkyAndGroundWithin20DegreesAndNoHoleUpToTheClamp) {
  Module module;
  host::GaugeInstance& attitude = module.host.place("Attitude");
  const std::vector<std::pair<int, int>> window = window_of(module.host, 1061);
  // A window, not a pinhole: a disc of radius 56 or more.
  ASSERT_GT(window.size(), 10000u);
  // The miniature aircraft out of the way (far below the window), so that
  // only the card and what lies behind it show.
  module.host.variables().set(kAircraftHeight, -2000);
  const host::Lighting day = host::lighting_of(module.host.variables(), false);
  for (double pitch = -40; pitch <= 40; pitch += 5) {
    for (double bank = -180; bank <= 180; bank += 15) {
      module.host.variables().set(kPitch, pitch);
      module.host.variables().set(kBank, bank);
      module.host.update();
      const host::Canvas canvas = host::render_gauge(module.renderer, attitude, 0, day);
      int holes = 0, interior = 0;
      for (auto [x, y] : window) {
        const Seen s = seen(colour_at(canvas, x, y));
        holes += s == Seen::kHole;
        interior += s == Seen::kInterior;
      }
      EXPECT_EQ(holes, 0) << "pitch " << pitch << ", bank " << bank;
      if (std::fabs(pitch) <= 20) {
        EXPECT_EQ(interior, 0) << "pitch " << pitch << ", bank " << bank;
      }
    }
  }
}

TEST(AttitudeWindow, LevelFlightPutsTheHorizonOnTheWings) {
  Module module;
  host::GaugeInstance& attitude = module.host.place("Attitude");
  const host::Lighting day = host::lighting_of(module.host.variables(), false);
  module.host.variables().set(kPitch, 0);
  module.host.variables().set(kBank, 0);
  // The centre row of the whitest band in a column, from rows 80 to 170.
  auto white_centre = [](const host::Canvas& canvas, int x) {
    double weight = 0, moment = 0;
    for (int y = 80; y < 170; ++y) {
      const Rgb c = colour_at(canvas, x, y);
      const double w = std::max(0, std::min({c.r, c.g, c.b}) - 150);
      weight += w;
      moment += w * (y + 0.5);
    }
    return weight > 0 ? moment / weight : -1.0;
  };
  // The wings' centre row in a column, by their orange.
  auto orange_centre = [](const host::Canvas& canvas, int x) {
    double weight = 0, moment = 0;
    for (int y = 80; y < 170; ++y) {
      const Rgb c = colour_at(canvas, x, y);
      const double w = std::max(0, (c.r - c.b) - 120);
      weight += w;
      moment += w * (y + 0.5);
    }
    return weight > 0 ? moment / weight : -1.0;
  };
  // The horizon beside the wings, with the aircraft moved away; the wings
  // where they stand at rest.
  module.host.variables().set(kAircraftHeight, -2000);
  module.host.update();
  const host::Canvas card = host::render_gauge(module.renderer, attitude, 0, day);
  module.host.variables().set(kAircraftHeight, 0);
  module.host.update();
  const host::Canvas level = host::render_gauge(module.renderer, attitude, 0, day);
  for (int x : {80, 90, 160, 170}) {
    const double horizon = white_centre(card, x), wings = orange_centre(level, x);
    ASSERT_GT(horizon, 0) << x;
    ASSERT_GT(wings, 0) << x;
    EXPECT_NEAR(horizon, wings, 0.5) << "column " << x;
  }
}

// ---- Bendix_DME --------------------------------------------------------------

constexpr uint32_t kDistance = token::kDmeDistance, kSpeed = token::kDmeSpeed,
                   kTime = token::kDmeTime, kSource = token::kDmeSource;

struct Box {
  int x0, y0, x1, y1;  // pixels x0 <= x < x1, y0 <= y < y1
};

bool lit_segment(Rgb c) {
  return c.r > 110 && c.r > 2 * c.g;
}

// The columns of a box with lit segments, as runs: one run a character when
// the characters stand apart.
std::vector<std::pair<int, int>> ink_runs(const host::Canvas& canvas, const Box& box) {
  std::vector<std::pair<int, int>> runs;
  for (int x = box.x0; x < box.x1; ++x) {
    bool ink = false;
    for (int y = box.y0; y < box.y1; ++y) ink = ink || lit_segment(colour_at(canvas, x, y));
    if (!ink) continue;
    if (!runs.empty() && runs.back().second == x - 1) {
      runs.back().second = x;
    } else {
      runs.push_back({x, x});
    }
  }
  return runs;
}

TEST(DmeDisplay, TheLongestTextsStandWholeAndApartInTheirBoxes) {
  Module module;
  host::GaugeInstance& dme = module.host.place("Bendix_DME");
  std::vector<std::pair<Box, const host::ElementState*>> strings;
  const host::Lighting day = host::lighting_of(module.host.variables(), false);
  // The widest texts each readout shows: four digits and four dashes for
  // distance and speed, two digits for the time; the labels never change.
  struct Reading {
    double distance, speed, time;
    std::vector<std::string> texts;
  };
  const Reading readings[] = {
      {8888, 888, 88, {"8888", "888", "88", "NM", "KT", "MIN"}},
      {-1, 888, 88, {"----", "----", "88", "NM", "KT", "MIN"}},
      {18.8, 888, 88, {"18.8", "888", "88", "NM", "KT", "MIN"}},
  };
  for (const Reading& reading : readings) {
    module.host.variables().set(kDistance, reading.distance);
    module.host.variables().set(kSpeed, reading.speed);
    module.host.variables().set(kTime, reading.time);
    module.host.variables().set(kSource, 1);
    module.host.update();
    const host::Canvas canvas = host::render_gauge(module.renderer, dme, 0, day);
    size_t n = 0;
    int readout_bottom = 0, label_top = 1 << 20;
    for (const host::ElementState& state : dme.elements()) {
      if (state.element->element_type != kString) continue;
      const auto* text = element_as<StringElement>(state.element);
      const Box box{text->header.position.x, text->header.position.y,
                    text->header.position.x + text->box_size.x,
                    text->header.position.y + text->box_size.y};
      ASSERT_LT(n, reading.texts.size());
      const std::string& expected = reading.texts[n++];
      ASSERT_EQ(state.text, expected);
      SCOPED_TRACE("\"" + expected + "\" at " + std::to_string(box.x0) + "," +
                   std::to_string(box.y0));
      // Not cut at its sides (the host draws nothing outside the box, so a
      // text too wide for it would be lit up to its edge columns).
      const std::vector<std::pair<int, int>> runs = ink_runs(canvas, box);
      ASSERT_FALSE(runs.empty());
      EXPECT_GT(runs.front().first, box.x0) << "cut at the left";
      EXPECT_LT(runs.back().second, box.x1 - 1) << "cut at the right";
      // Readings of eights (every segment lit) and ones: one run of lit
      // columns a character, a point in its own narrow cell; the
      // characters stand apart, legible.
      if (expected.find_first_not_of("18.") == std::string::npos) {
        EXPECT_EQ(runs.size(), expected.size());
      }
      // Readouts on the upper line, labels below, with dark rows between.
      for (int y = box.y0; y < box.y1; ++y) {
        for (int x = box.x0; x < box.x1; ++x) {
          if (!lit_segment(colour_at(canvas, x, y))) continue;
          if (n <= 3) readout_bottom = std::max(readout_bottom, y);
          if (n > 3) label_top = std::min(label_top, y);
        }
      }
    }
    EXPECT_EQ(n, 6u);
    EXPECT_GE(label_top - readout_bottom, 2) << "the two lines run together";
  }
}

}  // namespace
}  // namespace tavrel
