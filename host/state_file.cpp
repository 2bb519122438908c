#include "host/state_file.h"
#include "host/text.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>

namespace tavrel::host {
namespace {}  // namespace

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
  if (!digits || number == 0 || number > 0xFFFFFFFFull) {
    error = "\"" + token + "\" is not a token number (1 to 4294967295)";
    return false;
  }
  if (value.empty()) {
    error = "no value for token " + token;
    return false;
  }
  errno = 0;
  char* end = nullptr;
  double v = std::strtod(value.c_str(), &end);
  if (end == value.c_str() || *end != '\0' || errno == ERANGE || !std::isfinite(v)) {
    error = "\"" + value + "\" is not a number (token " + token + ")";
    return false;
  }
  out.token = static_cast<uint32_t>(number);
  out.value = v;
  return true;
}

bool parse_state(std::istream& in, const std::string& name, std::vector<VariableSetting>& out,
                 std::string& error) {
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    std::string_view text(line);
    size_t hash = text.find('#');
    if (hash != std::string_view::npos) text = text.substr(0, hash);
    text = trim(text);
    if (text.empty()) continue;
    VariableSetting setting;
    std::string reason;
    if (!parse_setting(text, setting, reason)) {
      error = name + ":" + std::to_string(number) + ": " + reason;
      return false;
    }
    out.push_back(setting);
  }
  if (in.bad()) {
    error = name + ": cannot be read";
    return false;
  }
  return true;
}

bool read_state_file(const std::string& path, std::vector<VariableSetting>& out,
                     std::string& error) {
  std::ifstream file(path);
  if (!file) {
    error = "cannot read state file " + path;
    return false;
  }
  return parse_state(file, path, out, error);
}

void apply_settings(const std::vector<VariableSetting>& settings, VariableStore& variables) {
  for (const VariableSetting& s : settings) variables.set(s.token, s.value);
}

}  // namespace tavrel::host
