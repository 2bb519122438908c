// Pixel arithmetic shared by every part of the renderer: fixed-point sample
// positions, the mix of two pixels, premultiplied blending and an element's
// light. Everything here is integer arithmetic on one 32-bit pixel word
// (red in the lowest byte, alpha in the highest), so every build draws the
// same bits. It knows nothing of the host.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tavrel::host::render {

// Colours in a canvas: premultiplied red, green, blue, alpha in one word,
// red in the lowest byte.
constexpr uint32_t rgba_word(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
  return uint32_t{r} | uint32_t{g} << 8 | uint32_t{b} << 16 | uint32_t{a} << 24;
}

// Light multipliers (0..256 a channel) for an element.
struct Light {
  int r = 256;
  int g = 256;
  int b = 256;
  bool operator==(const Light& o) const { return r == o.r && g == o.g && b == o.b; }
};

#if defined(__GNUC__)
#define TAVREL_HOT inline __attribute__((always_inline))
#else
#define TAVREL_HOT inline
#endif

constexpr double kFixedOne = 65536.0;  // sample positions carry 16 fraction bits

inline int64_t to_fixed(double v) {
  return static_cast<int64_t>(std::floor(v * kFixedOne + 0.5));
}

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
// across and fv down (0..256), one pair of channels at a time: the plain
// form, which the reference drawing uses and the wide form must equal.
TAVREL_HOT uint32_t bilinear_narrow(uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t fu,
                                    uint32_t fv) {
  return lerp_pixel(lerp_pixel(a, b, fu), lerp_pixel(c, d, fu), fv);
}

// The same mix with the same rounding at every step; with 64-bit words all
// four channels go in one word's 16-bit lanes.
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
  return bilinear_narrow(a, b, c, d, fu, fv);
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

// A rectangle of canvas pixels.
struct IntRect {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // half-open
  bool empty() const { return x1 <= x0 || y1 <= y0; }
  IntRect meet(const IntRect& o) const {
    return {std::max(x0, o.x0), std::max(y0, o.y0), std::min(x1, o.x1), std::min(y1, o.y1)};
  }
};

inline int round_to_int(double v) {
  if (!(v > -1e8)) return -100000000;
  if (!(v < 1e8)) return 100000000;
  return static_cast<int>(std::floor(v + 0.5));
}

// A colour of the module's records (0x00BBGGRR), opaque.
inline uint32_t colour_of(uint32_t bgr) {
  return rgba_word(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

}  // namespace tavrel::host::render
