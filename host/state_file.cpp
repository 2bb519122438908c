#include "host/state_file.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <limits>

#include "host/catalogue.h"
#include "host/text.h"
#include "host/text_file.h"

namespace tavrel::host {
namespace {

bool same_letters(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != lower[i]) return false;
  }
  return true;
}

// A decimal number: sign, digits with at most one point (at least one
// digit), and an optional exponent. Nothing else the C library reads (hex,
// "infinity", "nan(...)"), so that both builds read the same texts.
bool decimal(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(text[i]))) {
      ++digits;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t exponent = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) ++exponent;
    if (exponent == 0) return false;
  }
  return i == text.size();
}

// The values the host itself delivers besides numbers: nan, inf and -inf
// (any case; +inf too).
bool special(std::string_view text, double& out) {
  if (same_letters(text, "nan")) {
    out = std::numeric_limits<double>::quiet_NaN();
  } else if (same_letters(text, "inf") || same_letters(text, "+inf")) {
    out = std::numeric_limits<double>::infinity();
  } else if (same_letters(text, "-inf")) {
    out = -std::numeric_limits<double>::infinity();
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool parse_setting(std::string_view text, VariableSetting& out, std::string& error) {
  size_t equals = text.find('=');
  if (equals == std::string_view::npos) {
    error = "expected TOKEN=VALUE, got \"" + std::string(trim(text)) + "\"";
    return false;
  }
  std::string token(trim(text.substr(0, equals)));
  std::string value(trim(text.substr(equals + 1)));
  bool digits = !token.empty() && token.size() <= 10 &&
                token.find_first_not_of("0123456789") == std::string::npos;
  unsigned long long number = digits ? std::strtoull(token.c_str(), nullptr, 10) : 0;
  if (const catalogue::Token* named = digits ? nullptr : find_token(token)) number = named->number;
  if (number == 0 || number > 0xFFFFFFFFull) {
    error = "\"" + token +
            "\" is neither a token number (1 to 4294967295) nor a token's name (gaugeview "
            "catalogue lists them)";
    return false;
  }
  if (value.empty()) {
    error = "no value for token " + token;
    return false;
  }
  double v = 0.0;
  if (!special(value, v)) {
    // Too large for a double ("1e999") is refused; a tiny one reads as (about) 0.
    char* end = nullptr;
    v = decimal(value) ? std::strtod(value.c_str(), &end) : 0.0;
    if (end == nullptr || *end != '\0' || !std::isfinite(v)) {
      error = "\"" + value + "\" is not a number (token " + token + ")";
      return false;
    }
  }
  out.token = static_cast<uint32_t>(number);
  out.value = v;
  return true;
}

bool parse_state(std::string_view bytes, const std::string& name, std::vector<VariableSetting>& out,
                 std::string& error) {
  std::string text, reason;
  if (!decode_text(bytes, text, reason)) {
    error = name + ": " + reason;
    return false;
  }
  int number = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line = std::string_view(text).substr(start, end - start);
    start = end + 1;
    ++number;
    size_t hash = line.find('#');
    if (hash != std::string_view::npos) line = line.substr(0, hash);
    line = trim(line);
    if (line.empty()) continue;
    VariableSetting setting;
    if (!parse_setting(line, setting, reason)) {
      error = name + ":" + std::to_string(number) + ": " + reason;
      return false;
    }
    out.push_back(setting);
  }
  return true;
}

bool parse_state(std::istream& in, const std::string& name, std::vector<VariableSetting>& out,
                 std::string& error) {
  std::string bytes(std::istreambuf_iterator<char>(in), {});
  if (in.bad()) {
    error = name + ": cannot be read";
    return false;
  }
  return parse_state(bytes, name, out, error);
}

bool read_state_file(const std::string& path, std::vector<VariableSetting>& out,
                     std::string& error) {
  std::string bytes;
  if (!read_file_bytes(path, kLargestTextFile, bytes, error)) {
    error = "state file: " + error;
    return false;
  }
  return parse_state(bytes, path, out, error);
}

void apply_settings(const std::vector<VariableSetting>& settings, VariableStore& variables) {
  for (const VariableSetting& s : settings) variables.set(s.token, s.value);
}

}  // namespace tavrel::host
