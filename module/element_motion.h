// Where the host puts the moving parts other than needles: how far a moving
// image's picture slides behind its mask, and the whole-pixel rounding of
// slider and picture offsets. Shared by the stand-in host, which moves the
// pictures, and the art program, which prints tapes so that a value comes
// under its index. Header-only: the shipped module does not need it.
#pragma once

#include <cmath>
#include <cstdint>

namespace tavrel {

// How far a value lies from minimum to maximum, held to 0..1; 0 when the two
// ends are equal or the value is not a number.
inline double moving_fraction(double value, double minimum, double maximum) {
  if (maximum == minimum || std::isnan(value)) return 0.0;
  double f = (value - minimum) / (maximum - minimum);
  return std::fmin(1.0, std::fmax(0.0, f));
}

// A displacement in whole pixels: rounded half away from zero, held within a
// million pixels, 0 for a value that is not finite.
inline int32_t whole_pixels(double v) {
  if (!std::isfinite(v)) return 0;
  return static_cast<int32_t>(std::lround(std::fmax(-1e6, std::fmin(1e6, v))));
}

// On one axis of a moving image, the picture's top-left relative to the
// mask's: the picture slides back by the fraction of its overhang.
inline int32_t moving_picture_offset(double value, double minimum, double maximum, int picture_size,
                                     int mask_size) {
  return whole_pixels(-moving_fraction(value, minimum, maximum) * (picture_size - mask_size));
}

}  // namespace tavrel
