// The parameter-string readers on their own: numbers and the key finder.
// (Native only: these are the module's internals, not host records.)
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "params/params.h"

namespace tavrel {
namespace {

TEST(ParameterReaders, NumbersReadAsAtoiWithoutOverflow) {
  EXPECT_EQ(params::read_decimal(" \t\n+42x"), 42);
  EXPECT_EQ(params::read_decimal("-17 3"), -17);
  EXPECT_EQ(params::read_decimal("- 5"), 0);
  EXPECT_EQ(params::read_decimal(""), 0);
  EXPECT_EQ(params::read_decimal("2147483647"), INT32_MAX);
  EXPECT_EQ(params::read_decimal("2147483648"), INT32_MAX);
  EXPECT_EQ(params::read_decimal("-2147483648"), INT32_MIN);
  EXPECT_EQ(params::read_decimal("-2147483649"), INT32_MIN);
  EXPECT_EQ(params::read_decimal(std::string(5000, '9').c_str()), INT32_MAX);
}

TEST(ParameterReaders, KeyFinderHidesKeysAfterTheFirstCommentCharacter) {
  const char* text = "ab/cb";
  EXPECT_EQ(params::find_key(text, "b"), text + 1);
  EXPECT_EQ(params::find_key(text, "c"), nullptr);
  EXPECT_EQ(params::find_key("x#y", "y"), nullptr);
  EXPECT_EQ(params::find_key("x'y", "y"), nullptr);
  EXPECT_EQ(params::find_key("y#'/", "y") != nullptr, true);
  EXPECT_EQ(params::find_key("abc", "z"), nullptr);
  EXPECT_EQ(params::find_key(nullptr, "a"), nullptr);
}

}  // namespace
}  // namespace tavrel
