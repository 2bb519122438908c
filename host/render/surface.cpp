#include "host/render/surface.h"

#include "host/render/pixels.h"

namespace tavrel::host {
namespace {

// One level down: each pixel the mean of a 2 x 2 block; a block that runs
// past an odd edge counts the missing pixels as clear, so every level covers
// exactly the same area as the bitmap.
Surface::Level halve(const Surface::Level& from) {
  Surface::Level to;
  to.width = (from.width + 1) / 2;
  to.height = (from.height + 1) / 2;
  to.pixels.assign(static_cast<size_t>(to.width) * to.height, 0);
  auto at = [&](int x, int y) -> uint32_t {
    if (x >= from.width || y >= from.height) return 0;
    return from.pixels[static_cast<size_t>(y) * from.width + x];
  };
  for (int y = 0; y < to.height; ++y) {
    for (int x = 0; x < to.width; ++x) {
      uint32_t p[4] = {at(2 * x, 2 * y), at(2 * x + 1, 2 * y), at(2 * x, 2 * y + 1),
                       at(2 * x + 1, 2 * y + 1)};
      uint32_t out = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        uint32_t sum = 2;  // round to nearest
        for (uint32_t v : p) sum += (v >> shift) & 0xFF;
        out |= (sum / 4) << shift;
      }
      to.pixels[static_cast<size_t>(y) * to.width + x] = out;
    }
  }
  return to;
}

}  // namespace

Surface make_surface(const dib::Image& image, bool black_is_clear) {
  Surface surface;
  Surface::Level base;
  base.width = image.width;
  base.height = image.height;
  base.pixels.resize(static_cast<size_t>(image.width) * image.height);
  for (size_t i = 0; i < base.pixels.size(); ++i) {
    const uint8_t* p = &image.rgba[i * 4];
    bool clear = black_is_clear && p[0] == 0 && p[1] == 0 && p[2] == 0;
    base.pixels[i] = clear ? 0 : render::rgba_word(p[0], p[1], p[2]);
  }
  surface.levels.push_back(std::move(base));
  while (surface.levels.back().width > 1 || surface.levels.back().height > 1) {
    surface.levels.push_back(halve(surface.levels.back()));
  }
  return surface;
}

}  // namespace tavrel::host
