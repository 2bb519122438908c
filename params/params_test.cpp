// The parameter-string readers on their own: numbers and the key finder.
// (Native only: these are the module's internals, not host records.)
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>
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

// The rule as written out: the first occurrence of the key, unless the
// first '/', the first '#' or the first apostrophe of the text stands
// before it.
const char* key_by_the_rule(const char* text, const char* key) {
  const char* at = std::strstr(text, key);
  if (at == nullptr) return nullptr;
  for (char comment : {'/', '#', '\''}) {
    const char* hidden_from = std::strchr(text, comment);
    if (hidden_from != nullptr && hidden_from < at) return nullptr;
  }
  return at;
}

// Random texts and keys from a small alphabet of letters, blanks, comment
// characters and underscores, so that keys recur, overlap, begin with or
// contain comment characters, run off the end of the text, or are empty.
TEST(ParameterReaders, KeyFinderAgreesWithTheRuleOnRandomTexts) {
  constexpr char kAlphabet[] = "abt_ /#'";
  std::mt19937 random(1300);
  std::uniform_int_distribution<size_t> letter(0, sizeof kAlphabet - 2);
  std::uniform_int_distribution<int> text_length(0, 12);
  std::uniform_int_distribution<int> key_length(0, 3);
  int found = 0;
  for (int i = 0; i < 100000; ++i) {
    std::string text, key;
    for (int n = text_length(random); n > 0; --n) text += kAlphabet[letter(random)];
    for (int n = key_length(random); n > 0; --n) key += kAlphabet[letter(random)];
    const char* expected = key_by_the_rule(text.c_str(), key.c_str());
    ASSERT_EQ(params::find_key(text.c_str(), key.c_str()), expected)
        << "\"" << text << "\" key \"" << key << "\"";
    if (expected != nullptr) ++found;
  }
  // Both outcomes were tried often.
  EXPECT_GT(found, 20000);
  EXPECT_LT(found, 80000);
}

}  // namespace
}  // namespace tavrel
