#include "host/render.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <tuple>

namespace tavrel::host {
namespace {

// ---- Fixed-point pixels ----------------------------------------------------

constexpr double kFixedOne = 65536.0;  // sample positions carry 16 fraction bits

int64_t to_fixed(double v) {
  return static_cast<int64_t>(std::floor(v * kFixedOne + 0.5));
}

#if defined(__GNUC__)
#define TAVREL_HOT inline __attribute__((always_inline))
#else
#define TAVREL_HOT inline
#endif

// Pixel words are worked on two channels at a time: red and blue in the
// 16-bit lanes of (p & kLanes), green and alpha in those of (p >> 8) & kLanes.
constexpr uint32_t kLanes = 0x00FF00FF;
constexpr uint32_t kLaneHalf = 0x00800080;

// a + (b - a) * f / 256 in every channel, rounded; f in 0..256.
TAVREL_HOT uint32_t lerp_pixel(uint32_t a, uint32_t b, uint32_t f) {
  const uint32_t g = 256 - f;
  uint32_t rb = (((a & kLanes) * g + (b & kLanes) * f + kLaneHalf) >> 8) & kLanes;
  uint32_t ga = ((((a >> 8) & kLanes) * g + ((b >> 8) & kLanes) * f + kLaneHalf) >> 8) & kLanes;
  return rb | ga << 8;
}

// The bilinear mix of pixels a b (top) and c d (bottom) at fractions fu
// across and fv down (0..256): lerp_pixel(lerp_pixel(a, b, fu),
// lerp_pixel(c, d, fu), fv), with the same rounding at every step. With
// 64-bit words all four channels go in one word's 16-bit lanes.
#if UINTPTR_MAX > 0xFFFFFFFFu
constexpr uint64_t kWideLanes = 0x00FF00FF00FF00FF;
constexpr uint64_t kWideHalf = 0x0080008000800080;
TAVREL_HOT uint64_t widen(uint32_t p) {
  return (p & kLanes) | uint64_t{p & ~kLanes} << 24;
}
TAVREL_HOT uint64_t lerp_wide(uint64_t a, uint64_t b, uint32_t f) {
  return ((a * (256 - f) + b * f + kWideHalf) >> 8) & kWideLanes;
}
TAVREL_HOT uint32_t bilinear(uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t fu,
                             uint32_t fv) {
  const uint64_t w =
      lerp_wide(lerp_wide(widen(a), widen(b), fu), lerp_wide(widen(c), widen(d), fu), fv);
  return static_cast<uint32_t>(w & kLanes) | (static_cast<uint32_t>(w >> 24) & ~kLanes);
}
#else
TAVREL_HOT uint32_t bilinear(uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t fu,
                             uint32_t fv) {
  return lerp_pixel(lerp_pixel(a, b, fu), lerp_pixel(c, d, fu), fv);
}
#endif

// Every channel times k / 255, rounded; k in 0..255.
TAVREL_HOT uint32_t scale_pixel(uint32_t p, uint32_t k) {
  uint32_t rb = (p & kLanes) * k + kLaneHalf;
  rb = ((rb + ((rb >> 8) & kLanes)) >> 8) & kLanes;
  uint32_t ga = ((p >> 8) & kLanes) * k + kLaneHalf;
  ga = ((ga + ((ga >> 8) & kLanes)) >> 8) & kLanes;
  return rb | ga << 8;
}

// Premultiplied source over destination.
TAVREL_HOT void blend_over(uint32_t& dst, uint32_t src) {
  uint32_t alpha = src >> 24;
  if (alpha == 255) {
    dst = src;
  } else if (alpha != 0) {
    dst = src + scale_pixel(dst, 255 - alpha);
  }
}

// The same without branches: a clear source (all zero, as clear pixels are
// when premultiplied) leaves the destination, an opaque one replaces it.
TAVREL_HOT uint32_t over(uint32_t dst, uint32_t src) {
  return src + scale_pixel(dst, 255 - (src >> 24));
}

// An element's light, held in locals so that loops need not reload it.
struct Lamp {
  explicit Lamp(const Light& light)
      : r(light.r), g(light.g), b(light.b), neutral(r == 256 && g == 256 && b == 256) {}
  uint32_t r, g, b;
  bool neutral;
};

TAVREL_HOT uint32_t apply_light(uint32_t p, const Lamp light) {
  if (light.neutral) return p;
  uint32_t r = ((p & 0xFF) * light.r) >> 8;
  uint32_t g = (((p >> 8) & 0xFF) * light.g) >> 8;
  uint32_t b = (((p >> 16) & 0xFF) * light.b) >> 8;
  return r | g << 8 | b << 16 | (p & 0xFF000000u);
}

// Bilinear sample at a position in pixels of the level whose pixel centres
// sit on whole numbers (16 fraction bits). Outside the level the picture is
// clear, or with `clamp` its edge pixels continue.
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

// ---- Geometry --------------------------------------------------------------

struct IntRect {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // half-open
  bool empty() const { return x1 <= x0 || y1 <= y0; }
  IntRect meet(const IntRect& o) const {
    return {std::max(x0, o.x0), std::max(y0, o.y0), std::min(x1, o.x1), std::min(y1, o.y1)};
  }
};

int round_to_int(double v) {
  if (!(v > -1e8)) return -100000000;
  if (!(v < 1e8)) return 100000000;
  return static_cast<int>(std::floor(v + 0.5));
}

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
struct Sampling {
  const Surface::Level* level = nullptr;
  bool clamp = false;
  int64_t au = 0, bu = 0, cu = 0;
  int64_t av = 0, bv = 0, cv = 0;
};

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

// The canvas pixels a picture can touch (a little generous).
IntRect canvas_bounds(int width, int height, const PictureMap& m, const Placement& at) {
  double xs[4], ys[4];
  const double corners[4][2] = {
      {0, 0}, {double(width), 0}, {0, double(height)}, {double(width), double(height)}};
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

// True when the sampling lands every canvas pixel on one level pixel: the
// picture is drawn at its own size (of the level) at a whole-pixel place.
bool one_to_one(const Sampling& s) {
  return s.au == 0x10000 && s.bv == 0x10000 && s.bu == 0 && s.av == 0 && (s.cu & 0xFFFF) == 0 &&
         (s.cv & 0xFFFF) == 0;
}

// ---- Pictures ready to copy -------------------------------------------------

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

Runs::Kind kind_of(uint32_t p) {
  return p == 0 ? Runs::kClear : (p >> 24) == 255 ? Runs::kOpaque : Runs::kMixed;
}

Runs find_runs(const uint32_t* pixels, int width, int height) {
  Runs out;
  out.rows.reserve(static_cast<size_t>(height) + 1);
  for (int y = 0; y < height; ++y) {
    out.rows.push_back(out.runs.size());
    const uint32_t* row = pixels + static_cast<size_t>(y) * width;
    for (int x = 0; x < width;) {
      Runs::Kind kind = kind_of(row[x]);
      int end = x + 1;
      while (end < width && kind_of(row[end]) == kind) ++end;
      if (end - x < kShortestRun) kind = Runs::kMixed;
      const bool joins = out.runs.size() > out.rows.back() && out.runs.back().kind == Runs::kMixed;
      if (kind == Runs::kMixed && joins) {
        out.runs.back().end = end;
      } else {
        out.runs.push_back({x, end, kind});
      }
      x = end;
    }
  }
  out.rows.push_back(out.runs.size());
  return out;
}

// A picture whose pixel (0, 0) lands on canvas pixel (x, y), one to one.
struct Ready {
  const uint32_t* pixels = nullptr;
  int width = 0, height = 0;
  int x = 0, y = 0;
  const Runs* runs = nullptr;
};

template <bool kLit>
void draw_ready_rows(Canvas& canvas, const IntRect& inside, const Ready& picture,
                     const Lamp light) {
  const int c0 = inside.x0 - picture.x, c1 = inside.x1 - picture.x;
  for (int y = inside.y0; y < inside.y1; ++y) {
    const int r = y - picture.y;
    const uint32_t* from = picture.pixels + static_cast<size_t>(r) * picture.width;
    uint32_t* to = canvas.row(y);
    const int dx = picture.x;
    for (size_t i = picture.runs->rows[r]; i < picture.runs->rows[r + 1]; ++i) {
      const Runs::Run& run = picture.runs->runs[i];
      const int b = std::max(run.begin, c0), e = std::min(run.end, c1);
      if (b >= e || run.kind == Runs::kClear) continue;
      if (run.kind == Runs::kOpaque) {
        if (kLit) {
          for (int c = b; c < e; ++c) to[c + dx] = apply_light(from[c], light);
        } else {
          std::copy(from + b, from + e, to + b + dx);
        }
      } else {
        for (int c = b; c < e; ++c) {
          to[c + dx] = over(to[c + dx], apply_light(from[c], light));
        }
      }
    }
  }
}

void draw_ready(Canvas& canvas, const IntRect& area, const Ready& picture,
                const Light& element_light) {
  // Only the rows and columns that fall on the picture.
  const IntRect inside =
      area.meet({picture.x, picture.y, picture.x + picture.width, picture.y + picture.height});
  if (inside.empty()) return;
  const Lamp light(element_light);
  if (light.neutral) {
    draw_ready_rows<false>(canvas, inside, picture, light);
  } else {
    draw_ready_rows<true>(canvas, inside, picture, light);
  }
}

// ---- Sampling along rows ------------------------------------------------------

// n / d rounded down and up (d not 0).
int64_t floor_div(int64_t n, int64_t d) {
  int64_t q = n / d;
  if (n % d != 0 && (n < 0) != (d < 0)) --q;
  return q;
}
int64_t ceil_div(int64_t n, int64_t d) {
  int64_t q = n / d;
  if (n % d != 0 && (n < 0) == (d < 0)) ++q;
  return q;
}

// Narrows [k0, k1) to the k for which lo <= a + d k <= hi (empty: k1 <= k0).
void keep_within(int64_t a, int64_t d, int64_t lo, int64_t hi, int64_t& k0, int64_t& k1) {
  if (d == 0) {
    if (a < lo || a > hi) k1 = k0;
    return;
  }
  k0 = std::max(k0, d > 0 ? ceil_div(lo - a, d) : ceil_div(hi - a, d));
  k1 = std::min(k1, (d > 0 ? floor_div(hi - a, d) : floor_div(lo - a, d)) + 1);
}

// out[k] = sample(level, u + du k, v + dv k, clamp) for k below count: the
// samples whose four pixels all lie inside the level without edge tests.
void sample_row(const Surface::Level& level, int64_t u, int64_t v, int64_t du, int64_t dv,
                int count, bool clamp, uint32_t* out) {
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

template <bool kLit>
void blend_row(uint32_t* to, const uint32_t* from, int count, const Lamp light) {
  for (int k = 0; k < count; ++k) to[k] = over(to[k], apply_light(from[k], light));
}

template <bool kLit>
void draw_sampled_rows(Canvas& canvas, const IntRect& area, const Sampling& sampling,
                       const Lamp light, uint32_t* samples) {
  const Surface::Level& level = *sampling.level;
  for (int y = area.y0; y < area.y1; ++y) {
    // The sample position at x = 0 of the row.
    const int64_t u = sampling.bu * y + sampling.cu, v = sampling.bv * y + sampling.cv;
    int64_t x0 = area.x0, x1 = area.x1;
    if (!sampling.clamp) {
      // Only the columns whose sample can touch the picture: the others
      // are clear.
      keep_within(u, sampling.au, -0x10000, (int64_t{level.width} << 16) - 1, x0, x1);
      keep_within(v, sampling.av, -0x10000, (int64_t{level.height} << 16) - 1, x0, x1);
    }
    if (x1 <= x0) continue;
    const int count = static_cast<int>(x1 - x0);
    sample_row(level, u + sampling.au * x0, v + sampling.av * x0, sampling.au, sampling.av, count,
               sampling.clamp, samples);
    blend_row<kLit>(canvas.row(y) + x0, samples, count, light);
  }
}

// A turned or scaled picture, sampled afresh.
void draw_sampled(Canvas& canvas, const IntRect& area, const Sampling& sampling,
                  const Light& element_light, std::vector<uint32_t>& scratch) {
  scratch.resize(static_cast<size_t>(area.x1 - area.x0));
  const Lamp light(element_light);
  if (light.neutral) {
    draw_sampled_rows<false>(canvas, area, sampling, light, scratch.data());
  } else {
    draw_sampled_rows<true>(canvas, area, sampling, light, scratch.data());
  }
}

// A picture resampled once, for a still picture or a mask: the samples of
// every canvas pixel of its bounds, before lighting.
struct Resampled {
  IntRect rect;
  std::vector<uint32_t> pixels;
  Runs runs;
  Ready ready() const {
    return {pixels.data(), rect.x1 - rect.x0, rect.y1 - rect.y0, rect.x0, rect.y0, &runs};
  }
};

Resampled resample(const Sampling& sampling, const IntRect& bounds) {
  Resampled out;
  out.rect = bounds;
  const int w = bounds.x1 - bounds.x0;
  out.pixels.resize(static_cast<size_t>(w) * (bounds.y1 - bounds.y0));
  uint32_t* to = out.pixels.data();
  for (int y = bounds.y0; y < bounds.y1; ++y, to += w) {
    sample_row(*sampling.level, sampling.au * bounds.x0 + sampling.bu * y + sampling.cu,
               sampling.av * bounds.x0 + sampling.bv * y + sampling.cv, sampling.au, sampling.av, w,
               sampling.clamp, to);
  }
  out.runs = find_runs(out.pixels.data(), w, bounds.y1 - bounds.y0);
  return out;
}

template <bool kLit>
void draw_masked_rows(Canvas& canvas, const Ready& mask, const Sampling& picture, const Lamp light,
                      uint32_t* behind) {
  for (int r = 0; r < mask.height; ++r) {
    const int y = mask.y + r;
    const uint32_t* m = mask.pixels + static_cast<size_t>(r) * mask.width;
    uint32_t* to = canvas.row(y) + mask.x;
    const int64_t pu = picture.au * mask.x + picture.bu * y + picture.cu;
    const int64_t pv = picture.av * mask.x + picture.bv * y + picture.cv;
    for (size_t i = mask.runs->rows[r]; i < mask.runs->rows[r + 1]; ++i) {
      const Runs::Run& run = mask.runs->runs[i];
      const int b = run.begin, n = run.end - run.begin;
      if (run.kind == Runs::kOpaque) {
        // The mask hides the picture.
        for (int c = b; c < run.end; ++c) to[c] = apply_light(m[c], light);
        continue;
      }
      sample_row(*picture.level, pu + picture.au * b, pv + picture.av * b, picture.au, picture.av,
                 n, picture.clamp, behind);
      if (run.kind == Runs::kClear) {
        blend_row<kLit>(to + b, behind, n, light);
      } else {
        for (int k = 0; k < n; ++k) {
          const uint32_t over_picture = m[b + k] + scale_pixel(behind[k], 255 - (m[b + k] >> 24));
          to[b + k] = over(to[b + k], apply_light(over_picture, light));
        }
      }
    }
  }
}

// A picture behind a mask: inside the mask's rectangle, the mask's own
// pixels over the picture (the mask's black pixels being clear). The mask
// comes resampled over the rectangle.
void draw_masked(Canvas& canvas, const Ready& mask, const Sampling& picture,
                 const Light& element_light, std::vector<uint32_t>& scratch) {
  scratch.resize(static_cast<size_t>(mask.width));
  const Lamp light(element_light);
  if (light.neutral) {
    draw_masked_rows<false>(canvas, mask, picture, light, scratch.data());
  } else {
    draw_masked_rows<true>(canvas, mask, picture, light, scratch.data());
  }
}

void fill_rect(Canvas& canvas, const IntRect& area, uint32_t colour) {
  for (int y = area.y0; y < area.y1; ++y) {
    uint32_t* row = canvas.row(y);
    for (int x = area.x0; x < area.x1; ++x) blend_over(row[x], colour);
  }
}

uint32_t colour_of(uint32_t bgr) {
  return rgba_word(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

// Text of a gauge: single bytes in the Western Windows code page; the
// printable upper half is Latin-1.
int codepoint_of(char c) {
  return static_cast<unsigned char>(c);
}

}  // namespace

// ---- Canvas, light, angles -------------------------------------------------

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

Light light_for(uint32_t image_flags, const Lighting& lighting) {
  if (!lighting.night || (image_flags & kBright)) return {};
  if (lighting.panel_lights && (image_flags & kLuminous)) return {250, 196, 132};  // warm
  return {70, 72, 92};  // dark, a little blue
}

Lighting lighting_of(Host& host, bool night) {
  Lighting lighting;
  lighting.night = night;
  lighting.panel_lights = host.variables().number(kPanelLightsToken) != 0.0;
  return lighting;
}

void sin_cos_degrees(double degrees, double& sine, double& cosine) {
  if (!std::isfinite(degrees)) degrees = 0.0;
  double d = std::fmod(degrees, 360.0);
  d = std::floor(d * 4096.0 + 0.5) / 4096.0;
  if (d < 0) d += 360.0;
  if (d >= 360.0) d -= 360.0;
  // Quadrant, then the nearer of sine and cosine of an angle up to 45.
  int quadrant = static_cast<int>(d / 90.0);
  if (quadrant > 3) quadrant = 3;
  double r = d - 90.0 * quadrant;
  bool swap = r > 45.0;
  if (swap) r = 90.0 - r;
  const double x = r * (3.14159265358979323846 / 180.0);
  const double x2 = x * x;
  // Taylor series, good to well below a double's last bit for |x| <= pi/4.
  double s =
      x * (1.0 +
           x2 * (-1.0 / 6 +
                 x2 * (1.0 / 120 +
                       x2 * (-1.0 / 5040 +
                             x2 * (1.0 / 362880 + x2 * (-1.0 / 39916800 +
                                                        x2 * (1.0 / 6227020800.0 +
                                                              x2 * (-1.0 / 1307674368000.0))))))));
  double c =
      1.0 +
      x2 * (-0.5 + x2 * (1.0 / 24 +
                         x2 * (-1.0 / 720 +
                               x2 * (1.0 / 40320 +
                                     x2 * (-1.0 / 3628800 + x2 * (1.0 / 479001600.0 +
                                                                  x2 * (-1.0 / 87178291200.0)))))));
  if (swap) std::swap(s, c);
  switch (quadrant) {
    case 0:
      sine = s, cosine = c;
      break;
    case 1:
      sine = c, cosine = -s;
      break;
    case 2:
      sine = -s, cosine = -c;
      break;
    default:
      sine = -c, cosine = s;
      break;
  }
}

// ---- Renderer --------------------------------------------------------------

struct Renderer::Context {
  Canvas& canvas;
  Placement at;
  Lighting lighting;
  IntRect clip;  // the gauge's rectangle on the canvas
  std::string gauge;
};

struct Renderer::Cache {
  struct Key {
    const Surface::Level* level;
    int64_t au, bu, cu, av, bv, cv;
    bool clamp;
    IntRect bounds;
    bool operator<(const Key& o) const {
      return std::tie(level, au, bu, cu, av, bv, cv, clamp, bounds.x0, bounds.y0, bounds.x1,
                      bounds.y1) < std::tie(o.level, o.au, o.bu, o.cu, o.av, o.bv, o.cv, o.clamp,
                                            o.bounds.x0, o.bounds.y0, o.bounds.x1, o.bounds.y1);
    }
  };
  std::map<Key, Resampled> pictures;
  size_t pixels = 0;
  // The runs of the levels drawn one to one.
  std::map<const Surface::Level*, Runs> level_runs;
  // A row of samples.
  std::vector<uint32_t> scratch;
  // Glyphs rasterised, by font, character, scale and shift (their bits).
  std::map<std::tuple<const Font*, int, uint32_t, uint32_t>, GlyphCoverage> glyphs;
};

namespace {
// Enough for every still picture of a large panel at a few sizes.
constexpr size_t kMaxCachedPixels = size_t{24} << 20;
// Enough for the readouts and labels of a panel.
constexpr size_t kMaxCachedGlyphs = 4096;

uint32_t bits_of(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}
}  // namespace

Renderer::Renderer(Host& host, FontLibrary& fonts)
    : host_(host), fonts_(fonts), bitmaps_(host.binding()), cache_(std::make_unique<Cache>()) {}

Renderer::~Renderer() = default;

namespace {

const Resampled& resampled(Renderer::Cache& cache, const Sampling& sampling,
                           const IntRect& bounds) {
  Renderer::Cache::Key key{sampling.level, sampling.au, sampling.bu,    sampling.cu, sampling.av,
                           sampling.bv,    sampling.cv, sampling.clamp, bounds};
  auto found = cache.pictures.find(key);
  if (found != cache.pictures.end()) return found->second;
  Resampled picture = resample(sampling, bounds);
  if (cache.pixels + picture.pixels.size() > kMaxCachedPixels) {
    cache.pictures.clear();
    cache.pixels = 0;
  }
  cache.pixels += picture.pixels.size();
  return cache.pictures.emplace(key, std::move(picture)).first->second;
}

// A level drawn at its own size on whole pixels, as it is.
Ready one_to_one_picture(Renderer::Cache& cache, const Sampling& sampling) {
  const Surface::Level& level = *sampling.level;
  auto found = cache.level_runs.find(&level);
  if (found == cache.level_runs.end()) {
    found =
        cache.level_runs.emplace(&level, find_runs(level.pixels.data(), level.width, level.height))
            .first;
  }
  return {level.pixels.data(),
          level.width,
          level.height,
          static_cast<int>(-(sampling.cu >> 16)),
          static_cast<int>(-(sampling.cv >> 16)),
          &found->second};
}

}  // namespace

const GlyphCoverage& Renderer::glyph(const Font& font, int codepoint, float scale, float shift_x) {
  auto key = std::make_tuple(&font, codepoint, bits_of(scale), bits_of(shift_x));
  auto found = cache_->glyphs.find(key);
  if (found != cache_->glyphs.end()) return found->second;
  if (cache_->glyphs.size() >= kMaxCachedGlyphs) cache_->glyphs.clear();
  return cache_->glyphs.emplace(key, font.glyph(codepoint, scale, shift_x)).first->second;
}

void Renderer::warn(const std::string& message) {
  if (warned_.insert(message).second) warnings_.push_back(message);
}

std::vector<std::string> Renderer::take_warnings() {
  for (const std::string& file : fonts_.missing()) {
    warn("font file " + file + " not found; its text is not drawn");
  }
  std::vector<std::string> out;
  out.swap(warnings_);
  return out;
}

bool Renderer::background_size(const GaugeInstance& instance, int& width, int& height) {
  ElementHeader* root = instance.root();
  if (root == nullptr) return false;
  const dib::Image* image = bitmaps_.image(root->resource_id, host_.language());
  if (image == nullptr) return false;
  width = image->width;
  height = image->height;
  return true;
}

const Surface* Renderer::surface(Context& context, int id, bool black_is_clear) {
  const Surface* found = bitmaps_.surface(id, host_.language(), black_is_clear);
  if (found == nullptr) warn(context.gauge + ": " + bitmaps_.error());
  return found;
}

void Renderer::draw(const GaugeInstance& instance, Canvas& canvas, const Placement& at,
                    const Lighting& lighting) {
  int width = 0, height = 0;
  Context context{canvas, at, lighting, {}, instance.name()};
  if (!background_size(instance, width, height)) {
    warn(context.gauge + ": no background bitmap; gauge not drawn");
    return;
  }
  IntRect gauge{round_to_int(at.x), round_to_int(at.y), round_to_int(at.x + width * at.scale_x),
                round_to_int(at.y + height * at.scale_y)};
  context.clip = gauge.meet({0, 0, canvas.width(), canvas.height()});
  if (context.clip.empty()) return;
  for (const ElementState& state : instance.elements()) draw_element(context, state);
}

void Renderer::draw_element(Context& context, const ElementState& state) {
  const ElementHeader* e = state.element;
  const uint32_t flags = e->image_flags;
  const bool keyed = (flags & kTransparentBlack) != 0;
  const Light light = light_for(flags, context.lighting);
  PictureMap map;
  map.position_x = e->position.x;
  map.position_y = e->position.y;

  // Static images and icons move only with the panel: drawn scaled, their
  // resampled pictures are kept and copied on later frames.
  const bool still = e->element_type == kStaticImage || e->element_type == kIcon;
  auto draw_plain = [&](int id) {
    const Surface* picture = surface(context, id, keyed);
    if (picture == nullptr) return;
    IntRect bounds = canvas_bounds(picture->width(), picture->height(), map, context.at);
    IntRect area = bounds.meet(context.clip);
    if (area.empty()) return;
    Sampling sampling = make_sampling(*picture, map, context.at, false);
    if (one_to_one(sampling)) {
      draw_ready(context.canvas, area, one_to_one_picture(*cache_, sampling), light);
    } else if (still && sampling.bu == 0 && sampling.av == 0) {
      draw_ready(context.canvas, area, resampled(*cache_, sampling, bounds).ready(), light);
    } else {
      draw_sampled(context.canvas, area, sampling, light, cache_->scratch);
    }
  };
  // The mask's rectangle: the canvas pixels whose centres fall inside it.
  auto mask_area = [&](const Surface& mask) {
    const Placement& at = context.at;
    double left = at.x + at.scale_x * e->position.x;
    double top = at.y + at.scale_y * e->position.y;
    double right = left + at.scale_x * mask.width();
    double bottom = top + at.scale_y * mask.height();
    IntRect r{static_cast<int>(std::ceil(left - 0.5)), static_cast<int>(std::ceil(top - 0.5)),
              static_cast<int>(std::ceil(right - 0.5)), static_cast<int>(std::ceil(bottom - 0.5))};
    return r.meet(context.clip);
  };

  switch (e->element_type) {
    case kStaticImage:
      draw_plain(e->resource_id);
      break;
    case kIcon:
      if (state.icon_index >= 0) draw_plain(e->resource_id + state.icon_index);
      break;
    case kSlider:
      map.position_x += state.slider_offset.x;
      map.position_y += state.slider_offset.y;
      draw_plain(e->resource_id);
      break;
    case kNeedle: {
      const auto* needle = element_as<NeedleElement>(e);
      bool table = needle->nonlinearity != nullptr && needle->nonlinearity_count > 0;
      // A table needle's picture points right (+x): turn +x onto the
      // bearing. Without a table it stands upright and turns by the bearing.
      sin_cos_degrees(table ? state.needle_bearing - 90.0 : state.needle_bearing, map.sine,
                      map.cosine);
      map.anchor_x = e->offset.x;
      map.anchor_y = e->offset.y;
      draw_plain(e->resource_id);
      break;
    }
    case kMovingImage:
    case kSprite: {
      const Surface* mask = surface(context, e->resource_id + 1, true);
      const Surface* picture = surface(context, e->resource_id, keyed);
      if (mask == nullptr || picture == nullptr) break;
      PictureMap mask_map = map;
      if (e->element_type == kMovingImage) {
        PixPoint offset = state.moving_offset.value_or(PixPoint{0, 0});
        map.position_x += offset.x;
        map.position_y += offset.y;
      } else {
        const auto* sprite = element_as<SpriteElement>(e);
        map.position_x = state.sprite_center_x;
        map.position_y = state.sprite_center_y;
        map.anchor_x = picture->width() / 2.0;
        map.anchor_y = picture->height() / 2.0;
        map.scale_x = sprite->texture_scale_x;
        map.scale_y = sprite->texture_scale_y;
        if (map.scale_x == 0.0 || map.scale_y == 0.0) break;
        // Positive turns anticlockwise; the map turns clockwise.
        sin_cos_degrees(-state.sprite_rotation, map.sine, map.cosine);
      }
      IntRect area = mask_area(*mask);
      if (area.empty()) break;
      // The mask stays where it is: resampled once and kept.
      const Resampled& window =
          resampled(*cache_, make_sampling(*mask, mask_map, context.at, true), area);
      draw_masked(context.canvas, window.ready(), make_sampling(*picture, map, context.at, false),
                  light, cache_->scratch);
      break;
    }
    case kString:
      draw_string(context, state);
      break;
    default:
      break;
  }
}

void Renderer::draw_string(Context& context, const ElementState& state) {
  const auto* text = element_as<StringElement>(state.element);
  const ElementHeader* e = state.element;
  const Placement& at = context.at;
  const Light light = light_for(e->image_flags, context.lighting);
  const double left = at.x + at.scale_x * e->position.x;
  const double top = at.y + at.scale_y * e->position.y;
  const double box_width = at.scale_x * text->box_size.x;
  const double box_height = at.scale_y * text->box_size.y;
  IntRect box{round_to_int(left), round_to_int(top), round_to_int(left + box_width),
              round_to_int(top + box_height)};
  box = box.meet(context.clip);
  if (box.empty()) return;

  // The box's background, unless it is black and black is transparent.
  if (!(text->background_color == 0 && (e->image_flags & kTransparentBlack))) {
    fill_rect(context.canvas, box, apply_light(colour_of(text->background_color), Lamp(light)));
  }
  if (state.text.empty() || box_height <= 0) return;

  char face_name[sizeof(text->font.face_name) + 1] = {};
  std::copy(std::begin(text->font.face_name), std::end(text->font.face_name), face_name);
  const Font* font = fonts_.font(face_name, text->font.weight);
  if (font == nullptr) return;
  const float scale = font->scale_for_height(static_cast<float>(box_height));

  std::vector<std::string> lines;
  if (text->text_flags & kTextSingleLine) {
    std::string line = state.text;
    for (char& c : line) {
      if (c == '\n' || c == '\r') c = ' ';
    }
    lines.push_back(line);
  } else {
    std::string line;
    for (char c : state.text) {
      if (c == '\n') {
        lines.push_back(line);
        line.clear();
      } else if (c != '\r') {
        line += c;
      }
    }
    lines.push_back(line);
  }

  const uint32_t colour = apply_light(colour_of(text->foreground_color), Lamp(light));
  const double line_height = box_height;
  double first_top = top;
  // Vertical centring applies to a single line, as Windows does it.
  if ((text->text_flags & kTextVCenter) && (text->text_flags & kTextSingleLine)) {
    first_top = top + (box_height - line_height) / 2.0;
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    double line_width = 0;
    for (size_t k = 0; k < line.size(); ++k) {
      line_width += font->advance(codepoint_of(line[k])) * double(scale);
      if (k + 1 < line.size()) {
        line_width +=
            font->kerning(codepoint_of(line[k]), codepoint_of(line[k + 1])) * double(scale);
      }
    }
    double pen = left;
    if (text->text_flags & kTextCenter) {
      pen = left + (box_width - line_width) / 2.0;
    } else if (text->text_flags & kTextRight) {
      pen = left + box_width - line_width;
    }
    double baseline = first_top + i * line_height + font->ascent() * double(scale);
    int base = round_to_int(baseline);
    for (size_t k = 0; k < line.size(); ++k) {
      int cp = codepoint_of(line[k]);
      int whole = static_cast<int>(std::floor(pen));
      const GlyphCoverage& g = glyph(*font, cp, scale, static_cast<float>(pen - whole));
      for (int gy = 0; gy < g.height; ++gy) {
        int y = base + g.top + gy;
        if (y < box.y0 || y >= box.y1) continue;
        uint32_t* row = context.canvas.row(y);
        for (int gx = 0; gx < g.width; ++gx) {
          int x = whole + g.left + gx;
          if (x < box.x0 || x >= box.x1) continue;
          uint32_t cover = g.coverage[static_cast<size_t>(gy) * g.width + gx];
          if (cover == 0) continue;
          blend_over(row[x], scale_pixel(colour, cover));
        }
      }
      pen += font->advance(cp) * double(scale);
      if (k + 1 < line.size()) pen += font->kerning(cp, codepoint_of(line[k + 1])) * double(scale);
    }
  }
}

double Renderer::text_width(std::string_view text, double height, FontFace face, bool bold) {
  const Font* font = fonts_.font(face, bold);
  if (font == nullptr) return 0;
  const double scale = font->scale_for_height(static_cast<float>(height));
  double width = 0;
  for (char c : text) width += font->advance(codepoint_of(c)) * scale;
  return width;
}

double Renderer::draw_text(Canvas& canvas, double x, double y, std::string_view text, double height,
                           uint32_t rgb, FontFace face, bool bold) {
  const Font* font = fonts_.font(face, bold);
  if (font == nullptr) return 0;
  const float scale = font->scale_for_height(static_cast<float>(height));
  const uint32_t colour = rgba_word(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
  const int base = round_to_int(y + font->ascent() * double(scale));
  double pen = x;
  for (char c : text) {
    int cp = codepoint_of(c);
    int whole = static_cast<int>(std::floor(pen));
    const GlyphCoverage& g = glyph(*font, cp, scale, static_cast<float>(pen - whole));
    for (int gy = 0; gy < g.height; ++gy) {
      int py = base + g.top + gy;
      if (py < 0 || py >= canvas.height()) continue;
      uint32_t* row = canvas.row(py);
      for (int gx = 0; gx < g.width; ++gx) {
        int px = whole + g.left + gx;
        if (px < 0 || px >= canvas.width()) continue;
        uint32_t cover = g.coverage[static_cast<size_t>(gy) * g.width + gx];
        if (cover != 0) blend_over(row[px], scale_pixel(colour, cover));
      }
    }
    pen += font->advance(cp) * double(scale);
  }
  return pen - x;
}

void Renderer::draw_hotspots(const GaugeInstance& instance, Canvas& canvas, const Placement& at) {
  int width = 0, height = 0;
  if (!background_size(instance, width, height)) return;
  const IntRect all{0, 0, canvas.width(), canvas.height()};
  const int thickness = std::max(1, round_to_int(std::min(at.scale_x, at.scale_y) / 1.5));
  const double label_height = 11.0;

  auto outline = [&](const IntRect& r, uint32_t colour) {
    fill_rect(canvas, IntRect{r.x0, r.y0, r.x1, r.y0 + thickness}.meet(all), colour);
    fill_rect(canvas, IntRect{r.x0, r.y1 - thickness, r.x1, r.y1}.meet(all), colour);
    fill_rect(canvas, IntRect{r.x0, r.y0, r.x0 + thickness, r.y1}.meet(all), colour);
    fill_rect(canvas, IntRect{r.x1 - thickness, r.y0, r.x1, r.y1}.meet(all), colour);
  };
  // A label on a dark plate, so it reads over any art.
  auto label = [&](double x, double y, const std::string& text, uint32_t rgb) {
    double w = text_width(text, label_height, FontFace::kSans, true);
    fill_rect(canvas,
              IntRect{round_to_int(x), round_to_int(y), round_to_int(x + w + 2),
                      round_to_int(y + label_height)}
                  .meet(all),
              rgba_word(0, 0, 0, 170));
    draw_text(canvas, x + 1, y, text, label_height, rgb, FontFace::kSans, true);
  };
  auto on_canvas = [&](const MouseArea& area) {
    if (area.whole_gauge) {
      return IntRect{round_to_int(at.x), round_to_int(at.y),
                     round_to_int(at.x + width * at.scale_x),
                     round_to_int(at.y + height * at.scale_y)};
    }
    return IntRect{round_to_int(at.x + area.box.x * at.scale_x),
                   round_to_int(at.y + area.box.y * at.scale_y),
                   round_to_int(at.x + (area.box.x + area.box.width) * at.scale_x),
                   round_to_int(at.y + (area.box.y + area.box.height) * at.scale_y)};
  };

  const uint32_t kTooltipColour = 0x00FFC800;  // 0x00BBGGRR: cyan-blue
  const uint32_t kEventColour = 0x0030E030;
  const uint32_t kFunctionColour = 0x00FF40FF;
  for (const MouseArea& area : instance.mouse().areas()) {
    const MouseRect& rect = *area.record;
    if (rect.type == kMouseParent && rect.help_id != 0) {
      IntRect r = on_canvas(area);
      outline(r, colour_of(kTooltipColour));
      label(r.x0 + thickness, r.y1 - thickness - label_height, "? " + std::to_string(rect.help_id),
            kTooltipColour);
    }
  }
  for (const MouseArea& area : instance.mouse().areas()) {
    const MouseRect& rect = *area.record;
    if (rect.type != kMouseChild) continue;
    IntRect r = on_canvas(area);
    bool event = rect.event_id != 0;
    uint32_t rgb = event ? kEventColour : kFunctionColour;
    outline(r, colour_of(rgb));
    std::string text = event ? std::to_string(rect.event_id) : "fn";
    if (rect.mouse_flags & kMouseRepeatWhileHeld) text += " R";
    if (rect.mouse_flags & kMouseDrag) text += " D";
    label(r.x0 + thickness, r.y0 + thickness, text, rgb);
  }
}

Canvas render_gauge(Renderer& renderer, const GaugeInstance& instance, int width,
                    const Lighting& lighting, bool hotspots) {
  int background_width = 0, background_height = 0;
  if (!renderer.background_size(instance, background_width, background_height)) {
    throw HostError(instance.name() + ": its background bitmap is missing (" +
                    renderer.bitmaps().error() + ")");
  }
  if (width <= 0) width = background_width;
  const double scale = static_cast<double>(width) / background_width;
  const int height = std::max(1, round_to_int(background_height * scale));
  Canvas canvas(width, height);
  Placement at{0.0, 0.0, scale, scale};
  renderer.draw(instance, canvas, at, lighting);
  if (hotspots) renderer.draw_hotspots(instance, canvas, at);
  return canvas;
}

}  // namespace tavrel::host
