// A bitmap prepared for drawing: premultiplied red, green, blue, alpha, one
// 32-bit word a pixel (red in the lowest byte), top-down rows, with halved
// levels for drawing it smaller. In the keyed form pure black is clear
// (alpha 0); in the plain form every pixel is opaque.
#pragma once

#include <cstdint>
#include <vector>

#include "resources/dib/dib.h"

namespace tavrel::host {

struct Surface {
  struct Level {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
  };
  std::vector<Level> levels;  // levels[0] is the bitmap itself
  int width() const { return levels.empty() ? 0 : levels[0].width; }
  int height() const { return levels.empty() ? 0 : levels[0].height; }
};

// Builds a surface from a decoded picture.
Surface make_surface(const dib::Image& image, bool black_is_clear);

}  // namespace tavrel::host
