// Sampling: where a picture lands on the canvas, the inverse map from canvas
// pixels back to picture positions in fixed point, and bilinear samples of
// a picture's level one at a time or a row at a time.
#pragma once

#include <cstdint>
#include <vector>

#include "host/bitmaps.h"
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
  bool clamp = false;
  int64_t au = 0, bu = 0, cu = 0;
  int64_t av = 0, bv = 0, cv = 0;
};

Sampling make_sampling(const Surface& surface, const PictureMap& m, const Placement& at,
                       bool clamp);

// The canvas pixels a picture can touch (a little generous).
IntRect canvas_bounds(int width, int height, const PictureMap& m, const Placement& at);

// True when the sampling lands every canvas pixel on one level pixel: the
// picture is drawn at its own size (of the level) at a whole-pixel place.
bool one_to_one(const Sampling& s);

// n / d rounded down and up (d not 0).
int64_t floor_div(int64_t n, int64_t d);
int64_t ceil_div(int64_t n, int64_t d);

// Narrows [k0, k1) to the k for which lo <= a + d k <= hi (empty: k1 <= k0).
void keep_within(int64_t a, int64_t d, int64_t lo, int64_t hi, int64_t& k0, int64_t& k1);

// The bilinear sample at a level position whose pixel centres sit on whole
// numbers (16 fraction bits).
uint32_t sample(const Surface::Level& level, int64_t u, int64_t v, bool clamp);

// out[k] = sample(level, u + du k, v + dv k, clamp) for k below count.
void sample_row(const Surface::Level& level, int64_t u, int64_t v, int64_t du, int64_t dv,
                int count, bool clamp, uint32_t* out);

// The samples of every canvas pixel of a rectangle, row by row.
std::vector<uint32_t> resample(const Sampling& sampling, const IntRect& bounds);

}  // namespace tavrel::host::render
