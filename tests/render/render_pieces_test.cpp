// The renderer's pieces against plain arithmetic: the wide pixel mix
// against the narrow one, row sampling against sampling one pixel at a
// time, the rounded divisions and the column range they give against
// counting, and the runs a picture is cut into against its pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "host/render/pictures.h"
#include "host/render/pixels.h"
#include "host/render/reference.h"
#include "host/render/sampling.h"

namespace tavrel {
namespace {
using namespace host::render;

// Premultiplied pixels: every colour channel at most the alpha, with the
// extremes (clear, opaque white, opaque black) often.
uint32_t premultiplied(std::mt19937& random) {
  switch (random() % 6) {
    case 0:
      return 0;
    case 1:
      return 0xFFFFFFFFu;
    case 2:
      return 0xFF000000u;
    default: {
      const uint32_t a = random() % 256;
      uint32_t p = a << 24;
      for (int c = 0; c < 3; ++c) p |= (a == 0 ? 0 : random() % (a + 1)) << (8 * c);
      return p;
    }
  }
}

TEST(RenderPieces, TheWideMixEqualsTheNarrowMixAtEveryFraction) {
  std::mt19937 random(7);
  for (int i = 0; i < 20000; ++i) {
    const uint32_t a = premultiplied(random), b = premultiplied(random), c = premultiplied(random),
                   d = premultiplied(random);
    const uint32_t fu = random() % 257, fv = random() % 257;
    ASSERT_EQ(bilinear(a, b, c, d, fu, fv), bilinear_narrow(a, b, c, d, fu, fv))
        << std::hex << a << " " << b << " " << c << " " << d << std::dec << " at " << fu << ", "
        << fv;
  }
  // Full weight on one corner gives that corner, unchanged.
  EXPECT_EQ(bilinear(0x80402010u, 0xFFFFFFFFu, 0, 0, 0, 0), 0x80402010u);
  EXPECT_EQ(bilinear(0, 0xFFFFFFFFu, 0, 0, 256, 0), 0xFFFFFFFFu);
}

TEST(RenderPieces, OverIsBlendOverAndKeepsColoursWithinAlpha) {
  std::mt19937 random(11);
  for (int i = 0; i < 20000; ++i) {
    const uint32_t dst = premultiplied(random), src = premultiplied(random);
    uint32_t blended = dst;
    blend_over(blended, src);
    ASSERT_EQ(over(dst, src), blended) << std::hex << dst << " " << src;
    for (int c = 0; c < 3; ++c) {
      ASSERT_LE((blended >> (8 * c)) & 0xFF, blended >> 24) << std::hex << dst << " " << src;
    }
  }
}

TEST(RenderPieces, RoundedDivisionsAndColumnRangesAgreeWithCounting) {
  for (int64_t n = -40; n <= 40; ++n) {
    for (int64_t d : {-7, -3, -1, 1, 2, 5}) {
      EXPECT_EQ(floor_div(n, d), static_cast<int64_t>(std::floor(double(n) / double(d))))
          << n << " / " << d;
      EXPECT_EQ(ceil_div(n, d), static_cast<int64_t>(std::ceil(double(n) / double(d))))
          << n << " / " << d;
    }
  }
  // keep_within against trying every k.
  for (int64_t a = -30; a <= 30; a += 7) {
    for (int64_t step : {-5, -1, 0, 1, 3}) {
      int64_t k0 = 0, k1 = 20;
      keep_within(a, step, -4, 11, k0, k1);
      for (int64_t k = 0; k < 20; ++k) {
        const bool inside = a + step * k >= -4 && a + step * k <= 11;
        EXPECT_EQ(inside, k >= k0 && k < k1) << "a " << a << " step " << step << " k " << k;
      }
    }
  }
}

TEST(RenderPieces, RowSamplingEqualsSamplingEachPixelAlone) {
  std::mt19937 random(3);
  for (int size : {1, 2, 5, 17}) {
    host::Surface::Level level;
    level.width = size;
    level.height = size + 1;
    for (int i = 0; i < level.width * level.height; ++i) {
      level.pixels.push_back(premultiplied(random));
    }
    for (int trial = 0; trial < 200; ++trial) {
      // Starts and steps that run from outside the level, across it and
      // out again, in any direction.
      const int64_t u = static_cast<int64_t>(random() % (size * 0x30000)) - size * 0x10000;
      const int64_t v = static_cast<int64_t>(random() % (size * 0x30000)) - size * 0x10000;
      const int64_t du = static_cast<int64_t>(random() % 0x30000) - 0x18000;
      const int64_t dv = trial % 3 == 0 ? 0 : static_cast<int64_t>(random() % 0x30000) - 0x18000;
      const bool clamp = trial % 2 == 0;
      std::vector<uint32_t> row(40);
      sample_row(level, u, v, du, dv, 40, clamp, row.data());
      for (int k = 0; k < 40; ++k) {
        ASSERT_EQ(row[k], reference_sample(level, u + du * k, v + dv * k, clamp))
            << "size " << size << " trial " << trial << " k " << k;
        ASSERT_EQ(row[k], sample(level, u + du * k, v + dv * k, clamp));
      }
    }
  }
}

TEST(RenderPieces, RunsCoverEveryRowAndHoldTheirKindOfPixel) {
  std::mt19937 random(5);
  const int width = 50, height = 6;
  std::vector<uint32_t> pixels;
  for (int y = 0; y < height; ++y) {
    // Stretches of clear, opaque and part-clear pixels of random lengths.
    for (int x = 0; x < width;) {
      const int length = 1 + static_cast<int>(random() % 15);
      const int kind = static_cast<int>(random() % 3);
      for (int k = 0; k < length && x < width; ++k, ++x) {
        pixels.push_back(kind == 0 ? 0 : kind == 1 ? 0xFF102030u : 0x40101010u);
      }
    }
  }
  const Runs runs = find_runs(pixels.data(), width, height);
  ASSERT_EQ(runs.rows.size(), static_cast<size_t>(height) + 1);
  for (int y = 0; y < height; ++y) {
    int column = 0;
    for (size_t i = runs.rows[y]; i < runs.rows[y + 1]; ++i) {
      const Runs::Run& run = runs.runs[i];
      EXPECT_EQ(run.begin, column) << "row " << y;
      EXPECT_GT(run.end, run.begin);
      for (int x = run.begin; x < run.end; ++x) {
        const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
        if (run.kind == Runs::kClear) EXPECT_EQ(p, 0u) << y << ", " << x;
        if (run.kind == Runs::kOpaque) EXPECT_EQ(p >> 24, 255u) << y << ", " << x;
      }
      if (run.kind != Runs::kMixed) EXPECT_GE(run.end - run.begin, kShortestRun);
      column = run.end;
    }
    EXPECT_EQ(column, width) << "row " << y;
  }
}

}  // namespace
}  // namespace tavrel
