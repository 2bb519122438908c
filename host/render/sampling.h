// Sampling: where a picture lands on the canvas, the inverse map from canvas
// pixels back to picture positions in fixed point, and bilinear samples of
// a picture's level one at a time or a row at a time.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "host/bitmaps.h"
#include "host/render.h"
#include "host/render/pixels.h"

namespace tavrel::host::render {

// How a picture lands on the canvas: its point `anchor` (picture pixels)
// goes to gauge point `position`, the picture scaled by `scale` and turned
// clockwise on screen by an angle (given as its sine and cosine); the gauge
// then lands on the canvas by the placement.
struct PictureMap {
  double anchor_x = 0, anchor_y = 0;
  double position_x = 0, position_y = 0;
  double scale_x = 1, scale_y = 1;
  double sine = 0, cosine = 1;
};

// The inverse, in fixed point: for canvas pixel (X, Y), the sample position
// in pixels of a chosen level is (au X + bu Y + cu, av X + bv Y + cv).
// Outside the level the picture is clear, or with `clamp` its edge pixels
// continue.
struct Sampling {
  const Surface::Level* level = nullptr;
  double texel = 1.0;  // picture pixels a pixel of the level spans
  bool clamp = false;
  int64_t au = 0, bu = 0, cu = 0;
  int64_t av = 0, bv = 0, cv = 0;
};

Sampling make_sampling(const Surface& surface, const PictureMap& m, const Placement& at,
                       bool clamp);

// The canvas pixels a picture sampled so can touch (a little generous): its
// rectangle grown by the reach of the samples beyond it. A sample mixes in
// the level's edge pixels up to half a level pixel outside them, and a
// halved level of an odd size runs up to one level pixel past the picture,
// which zoomed far is many canvas pixels.
IntRect canvas_bounds(int width, int height, const PictureMap& m, const Placement& at,
                      const Sampling& sampling);

// True when the sampling lands every canvas pixel on one level pixel: the
// picture is drawn at its own size (of the level) at a whole-pixel place.
bool one_to_one(const Sampling& s);

// n / d rounded down and up (d not 0).
inline int64_t floor_div(int64_t n, int64_t d) {
  int64_t q = n / d;
  if (n % d != 0 && (n < 0) != (d < 0)) --q;
  return q;
}

inline int64_t ceil_div(int64_t n, int64_t d) {
  int64_t q = n / d;
  if (n % d != 0 && (n < 0) == (d < 0)) ++q;
  return q;
}

// Narrows [k0, k1) to the k for which lo <= a + d k <= hi (empty: k1 <= k0).
inline void keep_within(int64_t a, int64_t d, int64_t lo, int64_t hi, int64_t& k0, int64_t& k1) {
  if (d == 0) {
    if (a < lo || a > hi) k1 = k0;
    return;
  }
  k0 = std::max(k0, d > 0 ? ceil_div(lo - a, d) : ceil_div(hi - a, d));
  k1 = std::min(k1, (d > 0 ? floor_div(hi - a, d) : floor_div(lo - a, d)) + 1);
}

// The bilinear sample at a level position whose pixel centres sit on whole
// numbers (16 fraction bits).
TAVREL_HOT uint32_t sample(const Surface::Level& level, int64_t u, int64_t v, bool clamp) {
  int64_t iu = u >> 16;
  int64_t iv = v >> 16;
  const uint32_t fu = static_cast<uint32_t>((u >> 8) & 0xFF);
  const uint32_t fv = static_cast<uint32_t>((v >> 8) & 0xFF);
  const int w = level.width;
  const int h = level.height;
  const uint32_t* px = level.pixels.data();
  if (iu >= 0 && iv >= 0 && iu + 1 < w && iv + 1 < h) {
    const uint32_t* p = px + static_cast<size_t>(iv) * w + iu;
    if ((fu | fv) == 0) return p[0];
    return bilinear(p[0], p[1], p[w], p[w + 1], fu, fv);
  }
  if (!clamp && (iu < -1 || iv < -1 || iu >= w || iv >= h)) return 0;
  // Along an edge: the missing neighbours are clear, or the edge repeats.
  int x0 = static_cast<int>(std::clamp<int64_t>(iu, -1, w));
  int y0 = static_cast<int>(std::clamp<int64_t>(iv, -1, h));
  uint32_t q[4];
  for (int k = 0; k < 4; ++k) {
    int x = x0 + (k & 1), y = y0 + (k >> 1);
    if (clamp) {
      x = std::clamp(x, 0, w - 1);
      y = std::clamp(y, 0, h - 1);
      q[k] = px[static_cast<size_t>(y) * w + x];
    } else {
      q[k] = (x < 0 || y < 0 || x >= w || y >= h) ? 0 : px[static_cast<size_t>(y) * w + x];
    }
  }
  return bilinear(q[0], q[1], q[2], q[3], fu, fv);
}

// out[k] = sample(level, u + du k, v + dv k, clamp) for k below count.
void sample_row(const Surface::Level& level, int64_t u, int64_t v, int64_t du, int64_t dv,
                int count, bool clamp, uint32_t* out);

// The samples of every canvas pixel of a rectangle, row by row.
std::vector<uint32_t> resample(const Sampling& sampling, const IntRect& bounds);

}  // namespace tavrel::host::render
