// Fixed-point text digit by digit against the C library's printf, over
// dense sweeps of values around every rounding boundary the DME's readouts
// meet, random values of every magnitude, and the values that are not
// numbers at all; then the DME's readouts on the stand-in host against the
// printf rules they show.
#include "gauges/radio/fixed_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "host/host.h"

namespace tavrel::gauges {
namespace {

using Pad = FixedFormat::Pad;

struct Case {
  const char* printf_format;
  FixedFormat format;
};

// The DME's four formats, then wider ones and more decimals.
constexpr Case kReadoutFormats[] = {
    {"%-4.1f", {4, 1, Pad::kBlanksAfter}},
    {"%04.0f", {4, 0, Pad::kZerosBefore}},
    {"%03.0f", {3, 0, Pad::kZerosBefore}},
    {"%02.0f", {2, 0, Pad::kZerosBefore}},
};
constexpr Case kOtherFormats[] = {
    {"%-7.2f", {7, 2, Pad::kBlanksAfter}},   {"%09.3f", {9, 3, Pad::kZerosBefore}},
    {"%-1.0f", {1, 0, Pad::kBlanksAfter}},   {"%.1f", {0, 1, Pad::kZerosBefore}},
    {"%012.1f", {12, 1, Pad::kZerosBefore}},
};

// What printf writes, or nothing where the readout must not show it: not a
// number, or longer than room.
std::optional<std::string> within(const std::string& text, double value, size_t room) {
  if (!std::isfinite(value) || text.size() > room) return {};
  return text;
}

std::string printf_text(const char* format, double value) {
  char text[512];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// The text format_fixed writes into a buffer of room characters and a
// zero; nothing may change beyond them, nor at all when it writes nothing.
std::optional<std::string> fixed_text(FixedFormat format, double value, size_t room) {
  char buffer[64];
  std::fill(std::begin(buffer), std::end(buffer), '#');
  const char* written = format_fixed(buffer, room, value, format);
  const size_t used = written != nullptr ? std::strlen(written) + 1 : 0;
  EXPECT_LE(used, room + 1);
  EXPECT_EQ(std::string(buffer + used, std::end(buffer)), std::string(sizeof buffer - used, '#'))
      << value << " in " << room;
  if (written == nullptr) return {};
  EXPECT_EQ(written, buffer);
  return std::string(written);
}

// Compares every value in both rooms a readout can have and the widest; stops
// at the first few differences so that a fault reads as a short list.
void expect_same(const Case& c, const std::vector<double>& values) {
  int failures = 0;
  for (double value : values) {
    const std::string printed = printf_text(c.printf_format, value);
    for (size_t room : {size_t{2}, size_t{4}, kFixedMaxRoom}) {
      const auto expected = within(printed, value, room);
      const auto actual = fixed_text(c.format, value, room);
      if (expected == actual) continue;
      ADD_FAILURE() << c.printf_format << " of " << std::hexfloat << value << std::defaultfloat
                    << " (" << value << ") in " << room << ": printf "
                    << expected.value_or("(none)") << ", fixed " << actual.value_or("(none)");
      if (++failures == 10) return;
    }
  }
}

double step(double value, int ulps) {
  const double toward = ulps < 0 ? -INFINITY : INFINITY;
  for (int i = 0; i < std::abs(ulps); ++i) value = std::nextafter(value, toward);
  return value;
}

// Values around every rounding boundary of zero and one decimal up to past
// four digits: every multiple of 0.05 (the decimal halves of one decimal,
// the halves of none, and the exact binary halves 0.25, 0.5, 0.75 among
// them) with its neighbours one step of the last bit away, negative ones to
// past three digits (a minus sign and three digits fill a readout), and
// every thousandth up to 12 either side.
std::vector<double> boundary_sweep() {
  std::vector<double> values;
  for (int i = 0; i <= 210000; ++i) {
    for (int ulps = -1; ulps <= 1; ++ulps) {
      const double x = step(i / 20.0, ulps);
      values.push_back(x);
      if (i <= 21000) values.push_back(-x);
    }
  }
  for (int i = 0; i <= 12000; ++i) {
    values.push_back(i / 1000.0);
    values.push_back(-i / 1000.0);
  }
  // The readouts' own edges: 9.95 and 99.95 (one decimal rounding into
  // another digit), 9.5, 99.5, 999.5 and 9999.5 (whole numbers doing so),
  // each within a hundred steps of the last bit.
  for (double edge : {0.05, 0.5, 9.5, 9.95, 99.5, 99.95, 999.5, 999.95, 9999.5, 9999.95}) {
    for (int ulps = -100; ulps <= 100; ++ulps) {
      values.push_back(step(edge, ulps));
      values.push_back(-step(edge, ulps));
    }
  }
  return values;
}

// Not numbers, signed zeros, the smallest and largest doubles, the edge of
// the widest room, and random doubles of every magnitude.
std::vector<double> special_and_random_values() {
  std::vector<double> values = {
      0.0,
      -0.0,
      INFINITY,
      -INFINITY,
      std::numeric_limits<double>::quiet_NaN(),
      -std::numeric_limits<double>::quiet_NaN(),
      std::numeric_limits<double>::signaling_NaN(),
      1e300,
      -1e300,
      DBL_MAX,
      -DBL_MAX,
      DBL_MIN,
      -DBL_MIN,
      std::numeric_limits<double>::denorm_min(),
      -std::numeric_limits<double>::denorm_min(),
      1e15,
      -1e15,
      step(1e15, -1),
      -step(1e15, -1),
      999999999999999.5,
      99999999999999.95,
      4503599627370495.5,
      4503599627370496.0,
      9007199254740993.0,
      0x1p-7,
      0x1p-8,
      0.49999999999999994,
      0.5000000000000001,
      1.5,
      2.5,
      0.25,
      0.75,
      0.125,
      0.375,
      1e-320,
  };
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> readout_range(-12000.0, 12000.0);
  std::uniform_real_distribution<double> magnitude(-20.0, 17.0);
  for (int i = 0; i < 50000; ++i) {
    if (i % 20 == 0) values.push_back(std::bit_cast<double>(random()));  // mostly huge or tiny
    values.push_back(readout_range(random));
    const double x = std::pow(10.0, magnitude(random));
    values.push_back(i % 2 ? x : -x);
  }
  return values;
}

TEST(FixedText, ReadoutFormatsMatchPrintfAroundEveryRoundingBoundary) {
  const std::vector<double> values = boundary_sweep();
  for (const Case& c : kReadoutFormats) expect_same(c, values);
}

TEST(FixedText, ReadoutFormatsMatchPrintfForSpecialAndRandomValues) {
  const std::vector<double> values = special_and_random_values();
  for (const Case& c : kReadoutFormats) expect_same(c, values);
}

TEST(FixedText, OtherWidthsAndDecimalsMatchPrintf) {
  std::vector<double> values = special_and_random_values();
  for (int i = -20000; i <= 20000; i += 3) {
    for (int ulps = -1; ulps <= 1; ++ulps) {
      values.push_back(step(i / 2000.0, ulps));  // halves of the third decimal
      values.push_back(step(i / 16.0, ulps));
    }
  }
  for (const Case& c : kOtherFormats) expect_same(c, values);
}

// The readouts' rooms end where their texts do: a four-character room takes
// "-7.2" but not "12345", which leaves it as it was; the widest room holds
// a fifteen-digit number exactly, and no wider room does more.
TEST(FixedText, FillsExactlyItsRoom) {
  char text[8] = "#######";
  ASSERT_NE(format_fixed(text, 4, -7.25, {4, 1, Pad::kBlanksAfter}), nullptr);
  EXPECT_EQ(std::string(text, 8), std::string("-7.2\0##\0", 8));
  EXPECT_EQ(format_fixed(text, 4, 12345.0, {4, 0, Pad::kZerosBefore}), nullptr);
  EXPECT_EQ(format_fixed(text, 4, 1.0, {5, 0, Pad::kBlanksAfter}), nullptr);
  EXPECT_EQ(std::string(text, 8), std::string("-7.2\0##\0", 8));
  char wide[40];
  ASSERT_NE(format_fixed(wide, 39, 999999999999999.0, {0, 0, Pad::kZerosBefore}), nullptr);
  EXPECT_STREQ(wide, "999999999999999");
  EXPECT_EQ(format_fixed(wide, 39, 1.0, {16, 0, Pad::kZerosBefore}), nullptr);
}

// The DME on the stand-in host: each readout shows printf's text of its
// own variable in its own format, dashes when that text does not fit or is
// no number, and distance and speed dashes for a negative distance.
TEST(DmeReadouts, ShowPrintfTextsOrDashesOverASweep) {
  host::Host host{host::bind_module("", nullptr)};
  host::GaugeInstance& dme = host.place("Bendix_DME");
  const auto shown = [](const char* format, double value, size_t room) {
    return within(printf_text(format, value), value, room).value_or(std::string(room, '-'));
  };
  std::vector<double> values = special_and_random_values();
  values.resize(20000);
  for (int i = -2100; i <= 21000; ++i) values.push_back(step(i / 20.0, i % 3 - 1));
  int failures = 0;
  for (size_t i = 0; i < values.size() && failures < 10; ++i) {
    const double distance = values[i];
    const double speed = values[(i * 7 + 3) % values.size()];
    const double time = values[(i * 13 + 5) % values.size()];
    host.variables().set(372, distance);
    host.variables().set(373, speed);
    host.variables().set(374, time);
    host.update();
    std::string expected_distance = "----";
    std::string expected_speed = "----";
    if (!(distance < 0.0)) {
      const auto tenths =
          distance < 100.0 ? within(printf_text("%-4.1f", distance), distance, 4) : std::nullopt;
      expected_distance = tenths.value_or(shown("%04.0f", distance, 4));
      expected_speed = shown("%03.0f", speed, 4);
    }
    const std::string expected[] = {expected_distance, expected_speed, shown("%02.0f", time, 2)};
    const double given[] = {distance, speed, time};
    for (size_t readout = 0; readout < 3; ++readout) {
      const host::ElementState& state = dme.elements()[1 + readout];
      if (state.text == expected[readout]) continue;
      ADD_FAILURE() << "readout " << readout << " for " << distance << ", " << speed << ", " << time
                    << ": " << state.text << " instead of " << expected[readout];
      ++failures;
    }
    // Each readout gives back its own variable, bit for bit.
    for (size_t readout = 0; readout < 3; ++readout) {
      EXPECT_EQ(std::bit_cast<uint64_t>(dme.elements()[1 + readout].value),
                std::bit_cast<uint64_t>(given[readout]));
    }
  }
}

}  // namespace
}  // namespace tavrel::gauges
