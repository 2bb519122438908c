// Flight-state settings as both builds read them, and the values the
// variables then hold: the host's non-finite values, and enumerated tokens
// set from numbers outside the 32-bit range.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "host/state_file.h"
#include "host/variables.h"

namespace tavrel::host {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

double read(const std::string& text) {
  VariableSetting setting;
  std::string error;
  EXPECT_TRUE(parse_setting(text, setting, error)) << text << ": " << error;
  return setting.value;
}

TEST(Settings, TakeNotANumberAndInfinities) {
  EXPECT_TRUE(std::isnan(read("61=nan")));
  EXPECT_TRUE(std::isnan(read("61 = NaN")));
  EXPECT_EQ(read("61=inf"), kInf);
  EXPECT_EQ(read("61=+inf"), kInf);
  EXPECT_EQ(read("61=-inf"), -kInf);
  EXPECT_EQ(read("61=-INF"), -kInf);

  std::istringstream in("61=nan   # no airspeed\n391=-inf\n");
  std::vector<VariableSetting> settings;
  std::string error;
  ASSERT_TRUE(parse_state(in, "odd.state", settings, error)) << error;
  ASSERT_EQ(settings.size(), 2u);
  VariableStore vars;
  apply_settings(settings, vars);
  EXPECT_TRUE(std::isnan(vars.number(61)));
  EXPECT_EQ(vars.number(391), -kInf);
}

TEST(Settings, TakeDecimalNumbersOnly) {
  EXPECT_EQ(read("61=.5"), 0.5);
  EXPECT_EQ(read("61=5."), 5.0);
  EXPECT_EQ(read("61=-2.5e3"), -2500.0);
  EXPECT_EQ(read("61=+1E+2"), 100.0);
  EXPECT_EQ(read("61=1e-400"), 0.0);  // too small for a double
  // What some C libraries read and others do not is refused everywhere.
  for (const char* bad : {"61=0x10", "61=infinity", "61=nan(1)", "61=-nan", "61=1e", "61=.", "61=-",
                          "61=1.2.3", "61=1e999", "61=--1", "61=1 2", "61=e5"}) {
    VariableSetting setting;
    std::string error;
    EXPECT_FALSE(parse_setting(bad, setting, error)) << bad;
    EXPECT_NE(error.find("is not a number"), std::string::npos) << bad << ": " << error;
  }
}

TEST(Settings, EnumeratedTokensSaturateAtTheEndsOfTheirRange) {
  VariableStore vars;
  struct Case {
    double value;
    int32_t held;
  } cases[] = {
      {3.7, 3},
      {-3.7, -3},
      {2147483647.0, INT32_MAX},
      {2147483647.9, INT32_MAX},
      {4294967296.0, INT32_MAX},
      {1e300, INT32_MAX},
      {kInf, INT32_MAX},
      {-2147483648.0, INT32_MIN},
      {-2147483648.9, INT32_MIN},
      {-1e300, INT32_MIN},
      {-kInf, INT32_MIN},
      {std::nan(""), 0},
  };
  for (uint32_t token : {307u, 355u, 46u}) {
    for (const Case& c : cases) {
      vars.set(token, c.value);
      EXPECT_EQ(vars.raw(token).integer, c.held) << token << " set to " << c.value;
      EXPECT_EQ(vars.number(token), c.held);
    }
  }
  // Any other token keeps the float as it is.
  vars.set(308, 1e300);
  EXPECT_EQ(vars.number(308), 1e300);
}

}  // namespace
}  // namespace tavrel::host
