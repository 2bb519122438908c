#include "host/render/reference.h"

namespace tavrel::host::render {

uint32_t reference_sample(const Surface::Level& level, int64_t u, int64_t v, bool clamp) {
  const int64_t iu = floor_div(u, 0x10000), iv = floor_div(v, 0x10000);
  const uint32_t fu = static_cast<uint32_t>((u - iu * 0x10000) / 256);
  const uint32_t fv = static_cast<uint32_t>((v - iv * 0x10000) / 256);
  auto at = [&](int64_t x, int64_t y) -> uint32_t {
    if (clamp) {
      x = std::clamp<int64_t>(x, 0, level.width - 1);
      y = std::clamp<int64_t>(y, 0, level.height - 1);
    } else if (x < 0 || y < 0 || x >= level.width || y >= level.height) {
      return 0;
    }
    return level.pixels[static_cast<size_t>(y) * level.width + static_cast<size_t>(x)];
  };
  return bilinear_narrow(at(iu, iv), at(iu + 1, iv), at(iu, iv + 1), at(iu + 1, iv + 1), fu, fv);
}

void reference_draw(Canvas& canvas, const IntRect& area, const Sampling& picture,
                    const Light& light) {
  const Lamp lamp(light);
  for (int y = area.y0; y < area.y1; ++y) {
    for (int x = area.x0; x < area.x1; ++x) {
      const uint32_t p =
          reference_sample(*picture.level, picture.au * x + picture.bu * y + picture.cu,
                           picture.av * x + picture.bv * y + picture.cv, picture.clamp);
      uint32_t& to = canvas.row(y)[x];
      to = over(to, apply_light(p, lamp));
    }
  }
}

void reference_draw_masked(Canvas& canvas, const IntRect& area, const Sampling& mask,
                           const Sampling& picture, const Light& light) {
  const Lamp lamp(light);
  for (int y = area.y0; y < area.y1; ++y) {
    for (int x = area.x0; x < area.x1; ++x) {
      const uint32_t m = reference_sample(*mask.level, mask.au * x + mask.bu * y + mask.cu,
                                          mask.av * x + mask.bv * y + mask.cv, mask.clamp);
      const uint32_t p =
          reference_sample(*picture.level, picture.au * x + picture.bu * y + picture.cu,
                           picture.av * x + picture.bv * y + picture.cv, picture.clamp);
      uint32_t& to = canvas.row(y)[x];
      to = over(to, apply_light(over(p, m), lamp));
    }
  }
}

}  // namespace tavrel::host::render
