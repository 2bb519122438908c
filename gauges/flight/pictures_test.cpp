// Pixel probes on the flight instruments as the host draws them from the
// art: the airspeed needle's tip on its dial's marks, compass tape labels
// under the lubber line.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>

#include "host/fonts.h"
#include "host/render.h"
#include "module/needle_map.h"
#include "tests/flight/placed_gauge.h"

namespace tavrel {
namespace {

using flight_testing::on_dial;
using flight_testing::PlacedGauge;

constexpr double kDegree = 3.14159265358979323846 / 180.0;

struct Rgb {
  int r, g, b;
};
Rgb rgb_at(const host::Canvas& canvas, int x, int y) {
  const uint32_t p = canvas.at(x, y);
  return {static_cast<int>(p & 0xff), static_cast<int>(p >> 8 & 0xff),
          static_cast<int>(p >> 16 & 0xff)};
}
bool light(Rgb c) {
  return c.r > 150 && c.g > 150 && c.b > 150;
}

class Pictures : public PlacedGauge {
 protected:
  explicit Pictures(const char* name) : PlacedGauge(name) {}
  host::Canvas render(int width = 0) {
    host.update();
    return host::render_gauge(renderer, gauge, width, host::lighting_of(host.variables(), false));
  }
  host::FontLibrary fonts;
  host::Renderer renderer{host.bitmaps(), fonts};
};

class AirspeedPictures : public Pictures {
 protected:
  AirspeedPictures() : Pictures("Airspeed_Mph") {}
};

// With the needle at a table value, the needle's farthest pixel (of those
// that change when the needle moves there from straight up) lies on the
// table point's bearing and reaches the marks, and the mark itself is drawn
// at that bearing.
TEST_F(AirspeedPictures, NeedleTipSitsOnItsMarkAtEachTableValue) {
  const PixPoint pivot{141, 141};
  host.variables().set(61, 0.0);
  const host::Canvas upright = render();
  for (auto [x, y, knots] : {std::tuple{167, 74, 34.752},
                             {205, 104, 52.128},
                             {136, 216, 95.568},
                             {89, 194, 112.944},
                             {66, 141, 139.008},
                             {118, 78, 173.76}}) {
    const double mark = bearing_of(pivot, {x, y});
    const double a = mark * kDegree;
    // The mark, under the needle's tip, with the needle out of the way.
    for (double r : {96.0, 100.0}) {
      const int px = static_cast<int>(std::floor(141 + r * std::sin(a)));
      const int py = static_cast<int>(std::floor(141 - r * std::cos(a)));
      EXPECT_TRUE(light(rgb_at(upright, px, py))) << knots << " kt: no mark at r " << r;
    }
    host.variables().set(61, knots);
    const host::Canvas pointed = render();
    double farthest = -1, tip_bearing = 0;
    for (int py = 0; py < pointed.height(); ++py) {
      for (int px = 0; px < pointed.width(); ++px) {
        if (pointed.at(px, py) == upright.at(px, py) || !light(rgb_at(pointed, px, py))) continue;
        const double dx = px + 0.5 - 141, dy = py + 0.5 - 141;
        const double r = std::hypot(dx, dy);
        if (r > farthest) farthest = r, tip_bearing = std::atan2(dx, -dy) / kDegree;
      }
    }
    EXPECT_NEAR(on_dial(tip_bearing - mark), 0.0, 2.0) << knots << " kt";
    EXPECT_GE(farthest, 96.0) << knots << " kt: the tip stops short of the mark";
    EXPECT_LE(farthest, 108.0) << knots << " kt: the tip runs past the mark";
  }
}

class CompassPictures : public Pictures {
 protected:
  CompassPictures() : Pictures("Magnetic_Compass") {}
  // Light pixels in each column of the label band either side of the
  // lubber line (4x, so a label's strokes are several pixels wide), as
  // runs down the rightmost inked column: an N has one stem there, an E
  // three bars.
  int right_edge_runs(double heading) {
    host.variables().set(83, heading);
    const host::Canvas c = render(444);
    int rightmost = -1;
    for (int x = 180; x < 264; ++x) {
      if (x >= 216 && x <= 228) continue;  // the lubber line
      for (int y = 160; y < 250; ++y)
        if (light(rgb_at(c, x, y))) rightmost = std::max(rightmost, x);
    }
    if (rightmost < 0) return 0;
    int runs = 0;
    bool in_run = false;
    for (int y = 160; y < 250; ++y) {
      const bool ink = light(rgb_at(c, rightmost - 2, y));
      if (ink && !in_run) ++runs;
      in_run = ink;
    }
    return runs;
  }
};

TEST_F(CompassPictures, NorthUnderTheLubberLineAtZeroAndEastAt90) {
  EXPECT_EQ(right_edge_runs(0), 1);  // N: a full-height stem
  EXPECT_EQ(right_edge_runs(360), 1);
  EXPECT_EQ(right_edge_runs(90), 3);  // E: three bars
  EXPECT_EQ(right_edge_runs(15), 0);  // between labels, nothing at the index
}

}  // namespace
}  // namespace tavrel
