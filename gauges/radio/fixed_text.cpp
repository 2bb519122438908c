#include "gauges/radio/fixed_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace tavrel::gauges {

namespace {

// 10^0 to 10^18.
constexpr auto kPowersOfTen = [] {
  std::array<uint64_t, 19> powers{};
  powers[0] = 1;
  for (size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
  return powers;
}();

// value times 10^precision, rounded to the nearest whole number on the
// exact binary value, halfway to even; |value| below 1e15. The double is
// mantissa times 2^-shift; the product with the power of ten stays below
// 2^63 and is shifted down with its remainder kept for the rounding.
uint64_t scaled_magnitude(uint64_t bits, int precision) {
  const int biased_exponent = static_cast<int>((bits >> 52) & 0x7FF);
  uint64_t mantissa = bits & ((uint64_t{1} << 52) - 1);
  if (biased_exponent != 0) mantissa |= uint64_t{1} << 52;
  const int shift = 1075 - std::max(biased_exponent, 1);
  const uint64_t product = mantissa * kPowersOfTen[precision];
  if (shift <= 0) return product << -shift;  // below 1e18: no bits lost
  if (shift >= 64) return 0;                 // below 2^63 / 2^64: under a half
  const uint64_t whole = product >> shift;
  const uint64_t rest = product & ((uint64_t{1} << shift) - 1);
  const uint64_t half = uint64_t{1} << (shift - 1);
  return whole + ((rest > half || (rest == half && (whole & 1))) ? 1 : 0);
}

// The digits of scaled back to front, ending just before end and beginning
// at first, with the point before the last `precision` of them. Readouts'
// numbers take the 32-bit turn: in the 32-bit module a 64-bit division by
// ten is several multiplications, a 32-bit one is one.
template <typename Unsigned>
void write_digits(char* first, char* end, Unsigned scaled, int precision) {
  char* digit = end;
  for (int i = 0; i < precision; ++i) {
    *--digit = static_cast<char>('0' + scaled % 10);
    scaled /= 10;
  }
  if (precision > 0) *--digit = '.';
  while (digit != first) {
    *--digit = static_cast<char>('0' + scaled % 10);
    scaled /= 10;
  }
}

}  // namespace

const char* format_fixed(char* out, size_t room, double value, FixedFormat format) {
  // NaN fails the comparison too.
  if (!(std::fabs(value) < 1e15)) return nullptr;
  const int precision = std::clamp(format.precision, 0, 3);
  // The double's bits by copy (std::bit_cast is missing from some runtimes
  // the module is built with, Emscripten's among them).
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const bool negative = (bits >> 63) != 0;
  const uint64_t scaled = scaled_magnitude(bits, precision);

  // At least one digit before the point; scaled is below 1e18.
  int digits = precision + 1;
  while (digits < 18 && scaled >= kPowersOfTen[digits]) ++digits;
  const int length = (negative ? 1 : 0) + digits + (precision > 0 ? 1 : 0);
  const int padding = std::max(format.width - length, 0);
  if (static_cast<size_t>(length + padding) > std::min(room, kFixedMaxRoom)) return nullptr;

  char* at = out;
  if (negative) *at++ = '-';
  if (format.pad == FixedFormat::Pad::kZerosBefore) at = std::fill_n(at, padding, '0');
  char* const end = at + length - (negative ? 1 : 0);
  if (scaled <= UINT32_MAX) {
    write_digits(at, end, static_cast<uint32_t>(scaled), precision);
  } else {
    write_digits(at, end, scaled, precision);
  }
  at = end;
  if (format.pad == FixedFormat::Pad::kBlanksAfter) at = std::fill_n(at, padding, ' ');
  *at = '\0';
  return out;
}

}  // namespace tavrel::gauges
