#include "host/panel_config.h"
#include "host/text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string_view>

namespace tavrel::host {
namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool parse_int(std::string_view text, int& out) {
  std::string s(trim(text));
  if (s.empty() || s.size() > 9) return false;
  size_t start = (s[0] == '-' || s[0] == '+') ? 1 : 0;
  if (start == s.size() || s.find_first_not_of("0123456789", start) != std::string::npos) {
    return false;
  }
  out = std::atoi(s.c_str());
  return true;
}

// Splits at commas.
std::vector<std::string_view> fields_of(std::string_view s) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  while (true) {
    size_t comma = s.find(',', start);
    fields.push_back(s.substr(start, comma == std::string_view::npos ? s.npos : comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return fields;
}

// Reads a gauge line's value; false with a reason.
bool parse_gauge(std::string_view value, PanelGauge& gauge, std::string& reason) {
  size_t comma = value.find(',');
  std::string_view target = trim(value.substr(0, comma));
  size_t bang = target.find('!');
  if (bang == std::string_view::npos) {
    reason = "expected " + std::string(kModuleName) + "!Gauge_Name, x, y";
    return false;
  }
  std::string_view module = trim(target.substr(0, bang));
  gauge.name = std::string(trim(target.substr(bang + 1)));
  if (lower(module) != lower(kModuleName)) {
    reason = "gauge " + gauge.name + " of module " + std::string(module) + ", not " + kModuleName +
             "; skipped";
    return false;
  }
  if (gauge.name.empty()) {
    reason = "no gauge name after '!'";
    return false;
  }
  if (comma == std::string_view::npos) {
    reason = "no position for " + gauge.name;
    return false;
  }
  std::string_view rest = value.substr(comma + 1);
  std::vector<std::string_view> fields = fields_of(rest);
  if (fields.size() < 2 || !parse_int(fields[0], gauge.x) || !parse_int(fields[1], gauge.y)) {
    reason = "the position of " + gauge.name + " is not two whole numbers";
    return false;
  }
  // Up to two more numbers are the size; the first field that is not a
  // number starts the parameter string, which runs to the end of the line.
  size_t index = 2;
  int number = 0;
  if (index < fields.size() && parse_int(fields[index], number)) {
    gauge.width = number;
    ++index;
    if (index < fields.size() && parse_int(fields[index], number)) {
      gauge.height = number;
      ++index;
    }
  }
  if ((gauge.width && *gauge.width <= 0) || (gauge.height && *gauge.height <= 0)) {
    reason = "the size of " + gauge.name + " is not positive";
    return false;
  }
  if (index < fields.size()) {
    size_t offset = static_cast<size_t>(fields[index].data() - rest.data());
    gauge.parameters = std::string(trim(rest.substr(offset)));
  }
  return true;
}

}  // namespace

PanelConfig parse_panel_config(std::istream& in, const std::string& file) {
  PanelConfig config;
  config.file = file;
  std::string line;
  int number = 0;
  enum class Section { kNone, kWindow, kOther } section = Section::kNone;
  bool window_read = false;
  auto problem = [&](const std::string& reason) {
    config.problems.push_back(file + ":" + std::to_string(number) + ": " + reason);
  };
  while (std::getline(in, line)) {
    ++number;
    // Comments run from "//" to the end of the line, also after a value,
    // where they would otherwise become part of it (a gauge's parameter
    // string, whose letters would act as keys).
    if (size_t comment = line.find("//"); comment != std::string::npos) line.erase(comment);
    std::string_view text = trim(line);
    if (text.empty() || text[0] == ';') continue;
    if (text[0] == '[') {
      size_t close = text.find(']');
      std::string name(
          trim(text.substr(1, close == std::string_view::npos ? text.npos : close - 1)));
      std::string key = lower(name);
      bool is_window = key.size() > 6 && key.compare(0, 6, "window") == 0 &&
                       key.find_first_not_of("0123456789", 6) == std::string::npos;
      if (is_window && !window_read) {
        section = Section::kWindow;
        window_read = true;
        config.window = name;
      } else {
        if (is_window)
          problem("only the first window section is drawn; [" + name + "] passed over");
        section = Section::kOther;
      }
      continue;
    }
    if (section != Section::kWindow) continue;
    size_t equals = text.find('=');
    if (equals == std::string_view::npos) continue;
    std::string key = lower(trim(text.substr(0, equals)));
    std::string_view value = trim(text.substr(equals + 1));
    if (key.compare(0, 5, "gauge") == 0 && key.size() > 5 &&
        key.find_first_not_of("0123456789", 5) == std::string::npos) {
      ++config.gauge_lines;
      PanelGauge gauge;
      gauge.line = number;
      gauge.key = std::string(trim(text.substr(0, equals)));
      std::string reason;
      if (parse_gauge(value, gauge, reason)) {
        config.gauges.push_back(std::move(gauge));
      } else {
        problem(reason);
      }
    } else if (key == "size_mm") {
      std::vector<std::string_view> fields = fields_of(value);
      int w = 0, h = 0;
      if (!parse_int(fields[0], w) || w <= 0 ||
          (fields.size() > 1 && (!parse_int(fields[1], h) || h <= 0))) {
        problem("size_mm is not a positive width (and height)");
        continue;
      }
      config.width = w;
      if (fields.size() > 1) config.height = h;
    } else if (key == "background_color") {
      std::vector<std::string_view> fields = fields_of(value);
      int c[3] = {0, 0, 0};
      bool ok = fields.size() == 3;
      for (size_t i = 0; ok && i < 3; ++i)
        ok = parse_int(fields[i], c[i]) && c[i] >= 0 && c[i] <= 255;
      if (!ok) {
        problem("background_color is not three numbers 0 to 255");
        continue;
      }
      config.background = uint32_t(c[0]) | uint32_t(c[1]) << 8 | uint32_t(c[2]) << 16;
    }
  }
  if (!window_read) {
    config.problems.push_back(file + ": no [Window00] section; no gauges placed");
  }
  return config;
}

bool read_panel_config(const std::string& path, PanelConfig& out, std::string& error) {
  std::ifstream file(path);
  if (!file) {
    error = "cannot read panel configuration " + path;
    return false;
  }
  out = parse_panel_config(file, path);
  if (file.bad()) {
    error = "cannot read panel configuration " + path;
    return false;
  }
  return true;
}

}  // namespace tavrel::host
