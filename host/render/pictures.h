// Drawing pictures onto the canvas: pictures already sampled for their
// place, copied row by row in runs; pictures sampled afresh (turned or
// moving); and pictures behind a mask.
#pragma once

#include <cstdint>
#include <vector>

#include "host/render.h"
#include "host/render/pixels.h"
#include "host/render/sampling.h"

namespace tavrel::host::render {

// The rows of a picture cut into runs by what drawing them takes: clear
// pixels are passed over, opaque ones copied (lit), the rest blended.
struct Runs {
  enum Kind : uint8_t { kClear, kOpaque, kMixed };
  struct Run {
    int begin, end;  // columns, half-open
    Kind kind;
  };
  std::vector<Run> runs;
  std::vector<size_t> rows;  // row r: runs[rows[r]] up to runs[rows[r + 1]]
};

// Clear and opaque stretches shorter than this are drawn with their
// neighbours as mixed ones.
constexpr int kShortestRun = 8;

Runs find_runs(const uint32_t* pixels, int width, int height);

// A picture whose pixel (0, 0) lands on canvas pixel (x, y), one to one.
struct Ready {
  const uint32_t* pixels = nullptr;
  int width = 0, height = 0;
  int x = 0, y = 0;
  const Runs* runs = nullptr;
};

// The part of a ready picture inside `area`, lit.
void draw_ready(Canvas& canvas, const IntRect& area, const Ready& picture, const Light& light);

// A turned or scaled picture, sampled afresh over `area`.
void draw_sampled(Canvas& canvas, const IntRect& area, const Sampling& sampling, const Light& light,
                  std::vector<uint32_t>& scratch);

// A picture behind a mask: inside the mask's rectangle, the mask's own
// pixels over the picture (the mask's black pixels being clear). The mask
// comes resampled over the rectangle; `lit_mask` is the same already lit
// (or null to light it here), used where the mask hides the picture.
void draw_masked(Canvas& canvas, const Ready& mask, const uint32_t* lit_mask,
                 const Sampling& picture, const Light& light, std::vector<uint32_t>& scratch);

}  // namespace tavrel::host::render
