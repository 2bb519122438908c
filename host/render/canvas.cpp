// The canvas: premultiplied pixels, filled fast, written out straight.
#include <algorithm>
#include <cstring>

#include "host/render.h"

namespace tavrel::host {

Canvas::Canvas(int width, int height, uint32_t fill)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      pixels_(static_cast<size_t>(width_) * height_, fill) {}

void Canvas::fill(uint32_t colour) {
  if (pixels_.empty()) return;
  // The first row pixel by pixel, the others as copies of it, which the
  // library copies a wide word at a time.
  uint32_t* first = pixels_.data();
  std::fill(first, first + width_, colour);
  for (int y = 1; y < height_; ++y) std::memcpy(row(y), first, sizeof(uint32_t) * width_);
}

void Canvas::fill(const render::IntRect& area, uint32_t colour) {
  const render::IntRect inside = area.meet({0, 0, width_, height_});
  for (int y = inside.y0; y < inside.y1; ++y)
    std::fill(row(y) + inside.x0, row(y) + inside.x1, colour);
}

void Canvas::blend(const render::IntRect& area, uint32_t colour) {
  const render::IntRect inside = area.meet({0, 0, width_, height_});
  for (int y = inside.y0; y < inside.y1; ++y) {
    uint32_t* pixels = row(y);
    for (int x = inside.x0; x < inside.x1; ++x) render::blend_over(pixels[x], colour);
  }
}

std::vector<uint8_t> Canvas::straight_rgba() const {
  std::vector<uint8_t> out(pixels_.size() * 4);
  for (size_t i = 0; i < pixels_.size(); ++i) {
    uint32_t p = pixels_[i];
    uint32_t a = p >> 24;
    for (int c = 0; c < 3; ++c) {
      uint32_t v = (p >> (8 * c)) & 0xFF;
      out[i * 4 + c] = static_cast<uint8_t>(a == 0 ? 0 : std::min(255u, (v * 255 + a / 2) / a));
    }
    out[i * 4 + 3] = static_cast<uint8_t>(a);
  }
  return out;
}

}  // namespace tavrel::host
