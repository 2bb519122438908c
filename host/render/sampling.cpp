#include "host/render/sampling.h"

namespace tavrel::host::render {

Sampling make_sampling(const Surface& surface, const PictureMap& m, const Placement& at,
                       bool clamp) {
  // Canvas point C to picture point s:
  //   s = anchor + K^-1 R^T (S^-1 (C - origin) - position)
  const double c = m.cosine, s = m.sine;
  const double kx = m.scale_x, ky = m.scale_y;
  const double sx = at.scale_x, sy = at.scale_y;
  const double qx = at.x / sx + m.position_x;
  const double qy = at.y / sy + m.position_y;
  const double m00 = c / (kx * sx), m01 = s / (kx * sy);
  const double m10 = -s / (ky * sx), m11 = c / (ky * sy);
  const double tx = m.anchor_x - (c * qx + s * qy) / kx;
  const double ty = m.anchor_y - (-s * qx + c * qy) / ky;

  // Smaller pictures sample a halved level, so that no level is shrunk
  // below 0.6 of its size.
  double magnification = std::min(std::fabs(kx * sx), std::fabs(ky * sy));
  size_t level = 0;
  double divisor = 1.0;
  while (magnification < 0.6 && level + 1 < surface.levels.size()) {
    magnification *= 2.0;
    divisor *= 2.0;
    ++level;
  }
  Sampling out;
  out.level = &surface.levels[level];
  out.texel = divisor;
  out.clamp = clamp;
  // Pixel centres: canvas X + 0.5 maps to a level position whose pixel
  // centres are at whole numbers.
  out.au = to_fixed(m00 / divisor);
  out.bu = to_fixed(m01 / divisor);
  out.cu = to_fixed((0.5 * m00 + 0.5 * m01 + tx) / divisor - 0.5);
  out.av = to_fixed(m10 / divisor);
  out.bv = to_fixed(m11 / divisor);
  out.cv = to_fixed((0.5 * m10 + 0.5 * m11 + ty) / divisor - 0.5);
  return out;
}

IntRect canvas_bounds(int width, int height, const PictureMap& m, const Placement& at,
                      const Sampling& sampling) {
  double xs[4], ys[4];
  const double reach = 1.5 * sampling.texel;
  const double x0 = -reach, y0 = -reach, x1 = width + reach, y1 = height + reach;
  const double corners[4][2] = {{x0, y0}, {x1, y0}, {x0, y1}, {x1, y1}};
  for (int i = 0; i < 4; ++i) {
    double px = (corners[i][0] - m.anchor_x) * m.scale_x;
    double py = (corners[i][1] - m.anchor_y) * m.scale_y;
    double gx = m.position_x + m.cosine * px - m.sine * py;
    double gy = m.position_y + m.sine * px + m.cosine * py;
    xs[i] = at.x + at.scale_x * gx;
    ys[i] = at.y + at.scale_y * gy;
  }
  return {round_to_int(*std::min_element(xs, xs + 4)) - 2,
          round_to_int(*std::min_element(ys, ys + 4)) - 2,
          round_to_int(*std::max_element(xs, xs + 4)) + 2,
          round_to_int(*std::max_element(ys, ys + 4)) + 2};
}

bool one_to_one(const Sampling& s) {
  return s.au == 0x10000 && s.bv == 0x10000 && s.bu == 0 && s.av == 0 && (s.cu & 0xFFFF) == 0 &&
         (s.cv & 0xFFFF) == 0;
}

void sample_row(const Surface::Level& level, int64_t u, int64_t v, int64_t du, int64_t dv,
                int count, bool clamp, uint32_t* out) {
  // The samples whose four pixels all lie inside the level go without edge
  // tests.
  int64_t k0 = 0, k1 = level.width < 2 || level.height < 2 ? 0 : count;
  keep_within(u, du, 0, (int64_t{level.width - 1} << 16) - 1, k0, k1);
  keep_within(v, dv, 0, (int64_t{level.height - 1} << 16) - 1, k0, k1);
  if (k1 <= k0) k0 = k1 = count;
  for (int64_t k = 0; k < k0; ++k) out[k] = sample(level, u + du * k, v + dv * k, clamp);
  if (k0 < k1) {
    const uint32_t* px = level.pixels.data();
    const ptrdiff_t w = level.width;
    int64_t uu = u + du * k0, vv = v + dv * k0;
    if (dv == 0) {
      // Along a row of the level: the same two rows throughout.
      const uint32_t* top = px + (vv >> 16) * w;
      const uint32_t fv = static_cast<uint32_t>((vv >> 8) & 0xFF);
      for (int64_t k = k0; k < k1; ++k, uu += du) {
        const ptrdiff_t iu = static_cast<ptrdiff_t>(uu >> 16);
        out[k] = bilinear(top[iu], top[iu + 1], top[w + iu], top[w + iu + 1],
                          static_cast<uint32_t>((uu >> 8) & 0xFF), fv);
      }
    } else {
      for (int64_t k = k0; k < k1; ++k, uu += du, vv += dv) {
        const uint32_t* p = px + (vv >> 16) * w + (uu >> 16);
        out[k] = bilinear(p[0], p[1], p[w], p[w + 1], static_cast<uint32_t>((uu >> 8) & 0xFF),
                          static_cast<uint32_t>((vv >> 8) & 0xFF));
      }
    }
  }
  for (int64_t k = k1; k < count; ++k) out[k] = sample(level, u + du * k, v + dv * k, clamp);
}

std::vector<uint32_t> resample(const Sampling& sampling, const IntRect& bounds) {
  const int w = bounds.x1 - bounds.x0;
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * (bounds.y1 - bounds.y0));
  uint32_t* to = pixels.data();
  for (int y = bounds.y0; y < bounds.y1; ++y, to += w) {
    sample_row(*sampling.level, sampling.au * bounds.x0 + sampling.bu * y + sampling.cu,
               sampling.av * bounds.x0 + sampling.bv * y + sampling.cv, sampling.au, sampling.av, w,
               sampling.clamp, to);
  }
  return pixels;
}

}  // namespace tavrel::host::render
