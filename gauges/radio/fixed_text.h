// Numbers as fixed-point text for the DME's readouts, digit by digit: the
// same characters the C library's "%-W.Pf" and "%0W.Pf" give, without
// running printf on every frame.
#pragma once

#include <cstddef>

namespace tavrel::gauges {

struct FixedFormat {
  enum class Pad { kBlanksAfter, kZerosBefore };  // the '-' and the '0' flag
  int width;                                      // minimum field width
  int precision;                                  // digits after the point, 0 to 3
  Pad pad;
};

// The widest text format_fixed writes: any value of 1e15 or more has 16
// digits before its point, so a longer text could not be told apart.
inline constexpr size_t kFixedMaxRoom = 15;

// Writes value into out, which holds room characters and a terminating
// zero, as printf would with that format (rounded to the nearest on the
// exact binary value, halfway cases to even; a negative zero keeps its
// sign), and returns out. Writes nothing and returns null when value is not
// a finite number or its text is longer than room characters (room is
// taken as at most kFixedMaxRoom).
const char* format_fixed(char* out, size_t room, double value, FixedFormat format);

}  // namespace tavrel::gauges
