#include "host/panel_config.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <map>

#include "host/text.h"
#include "host/text_file.h"
#include "module/catalogue.h"

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

// A plain decimal fraction: digits with at most one point ("0.25", "1",
// ".5").
bool parse_fraction(std::string_view text, double& out) {
  std::string s(trim(text));
  if (s.empty() || s.size() > 20 || s.find_first_not_of("0123456789.") != std::string::npos ||
      std::count(s.begin(), s.end(), '.') > 1 || s == ".") {
    return false;
  }
  out = std::strtod(s.c_str(), nullptr);
  return std::isfinite(out);
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

// "gauge" and digits, or "window" and digits: the number, else -1.
int numbered(std::string_view lowered, std::string_view stem) {
  if (lowered.size() <= stem.size() || lowered.size() > stem.size() + 9 ||
      lowered.substr(0, stem.size()) != stem ||
      lowered.find_first_not_of("0123456789", stem.size()) != std::string_view::npos) {
    return -1;
  }
  return std::atoi(std::string(lowered.substr(stem.size())).c_str());
}

size_t edit_distance(std::string_view a, std::string_view b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      const bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                        std::tolower(static_cast<unsigned char>(b[j - 1]));
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The keys of a window section this reader acts on (besides gauge lines).
const std::vector<std::string>& window_keys() {
  static const std::vector<std::string> keys = {"ident",      "visible",         "position",
                                                "window_pos", "window_size",     "size_mm",
                                                "file",       "background_color"};
  return keys;
}

std::string panel_window_names() {
  std::string names;
  for (const catalogue::PanelWindow& w : catalogue::kPanelWindows) {
    names += (names.empty() ? "" : ", ") + std::string(w.name);
  }
  return names;
}

// A window ident: a number, or a panel-window name of the catalogue.
bool parse_ident(std::string_view value, uint32_t& out) {
  int number = 0;
  if (parse_int(value, number)) {
    if (number < 0) return false;
    out = static_cast<uint32_t>(number);
    return true;
  }
  for (const catalogue::PanelWindow& w : catalogue::kPanelWindows) {
    if (lower(value) == lower(w.name)) {
      out = static_cast<uint32_t>(w.ident);
      return true;
    }
  }
  return false;
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
  for (const auto& [side, size] : {std::pair{"width", gauge.width}, {"height", gauge.height}}) {
    if (size && *size > kLargestGauge) {
      reason = "the " + std::string(side) + " " + std::to_string(*size) + " of " + gauge.name +
               " is larger than the largest gauge, " + std::to_string(kLargestGauge) +
               " pixels; the line is passed over";
      return false;
    }
  }
  if (index < fields.size()) {
    size_t offset = static_cast<size_t>(fields[index].data() - rest.data());
    gauge.parameters = std::string(trim(rest.substr(offset)));
  }
  return true;
}

// The reader's state while it walks the lines.
class Reader {
 public:
  explicit Reader(PanelConfig& config) : config_(config) {}

  void line(int number, std::string_view text) {
    number_ = number;
    if (text[0] == '[') {
      section(text);
    } else {
      size_t equals = text.find('=');
      if (equals == std::string_view::npos) return;
      key(std::string(trim(text.substr(0, equals))), trim(text.substr(equals + 1)));
    }
  }

  void finish() {
    end_section();
    for (PanelWindowConfig& window : config_.windows) {
      auto title = titles_.find(window.number);
      if (title != titles_.end()) window.title = title->second;
    }
    if (config_.windows.empty()) {
      // One message says it all: the lines before any section are part of it.
      config_.problems.push_back(
          config_.file + ": no [Window00] section (nor any [WindowNN]), so none of its " +
          std::to_string(stray_.size() + other_gauge_lines_) +
          " gauge line(s) is placed: a panel configuration gives each window a section "
          "[Window00], [Window01], ... with its gauge lines under it");
    } else {
      config_.problems.insert(config_.problems.begin(), stray_.begin(), stray_.end());
    }
  }

 private:
  enum class Kind { kNone, kTitles, kWindow, kOther };

  void problem(const std::string& text) {
    config_.problems.push_back(config_.file + ":" + std::to_string(number_) + ": " + text);
  }

  void section(std::string_view text) {
    end_section();
    size_t close = text.find(']');
    name_ =
        std::string(trim(text.substr(1, close == std::string_view::npos ? text.npos : close - 1)));
    section_line_ = number_;
    other_gauges_ = 0;
    const std::string key = lower(name_);
    const int window = numbered(key, "window");
    kind_ = Kind::kOther;
    if (key == "window titles") {
      kind_ = Kind::kTitles;
    } else if (window >= 0) {
      auto first = window_lines_.find(window);
      if (first != window_lines_.end()) {
        problem("[" + name_ + "] is given a second time (first at line " +
                std::to_string(first->second) +
                "); the host reads the first, so this one is passed over: give it a number of "
                "its own");
        repeated_ = true;
        return;
      }
      window_lines_[window] = number_;
      kind_ = Kind::kWindow;
      PanelWindowConfig& w = config_.windows.emplace_back();
      w.section = name_;
      w.number = window;
      w.line = number_;
      gauge_keys_.clear();
    }
  }

  // A section that is not a window but holds gauge lines is a window
  // misnamed: its gauges would silently not be there.
  void end_section() {
    if (kind_ == Kind::kOther && other_gauges_ > 0 && !repeated_ &&
        lower(name_).rfind("vcockpit", 0) != 0) {
      size_t digits = name_.find_last_not_of("0123456789") + 1;
      std::string number = name_.substr(digits);
      if (number.empty()) number = "00";
      config_.problems.push_back(
          config_.file + ":" + std::to_string(section_line_) + ": [" + name_ +
          "] is not a window section, so its " + std::to_string(other_gauges_) +
          " gauge line(s) are not placed; a window section is named [WindowNN] (did you mean "
          "[Window" +
          number + "]?)");
    }
    repeated_ = false;
  }

  void key(const std::string& written, std::string_view value) {
    const std::string key = lower(written);
    const bool gauge_line = numbered(key, "gauge") >= 0;
    if (kind_ == Kind::kTitles) {
      if (int window = numbered(key, "window"); window >= 0) titles_[window] = std::string(value);
      return;
    }
    if (kind_ != Kind::kWindow) {
      if (!gauge_line) return;
      if (kind_ == Kind::kNone) {
        stray_.push_back(config_.file + ":" + std::to_string(number_) + ": " + written +
                         " comes before any section, so it is not placed: put it under a "
                         "[WindowNN] section");
      } else {
        ++other_gauge_lines_;
      }
      ++other_gauges_;
      return;
    }
    PanelWindowConfig& window = config_.windows.back();
    if (gauge_line) {
      gauge(window, written, key, value);
    } else if (key == "ident") {
      uint32_t ident = 0;
      if (parse_ident(value, ident)) {
        window.ident = ident;
      } else {
        std::vector<std::string> names;
        for (const catalogue::PanelWindow& w : catalogue::kPanelWindows) names.push_back(w.name);
        std::vector<std::string> near = nearest_names(value, names);
        problem("ident=" + std::string(value) + " is neither a number nor a panel-window name (" +
                (near.empty() ? panel_window_names() : "did you mean " + near[0] + "?") +
                "); the key is passed over");
      }
    } else if (key == "visible") {
      if (value == "0" || value == "1") {
        window.visible = value == "1";
      } else {
        problem("visible=" + std::string(value) + " is neither 0 nor 1; the window is visible");
      }
    } else if (key == "position") {
      int code = 0;
      if (parse_int(value, code) && code >= 0 && code <= 8) {
        window.position = code;
      } else {
        problem("position=" + std::string(value) +
                " is not a place 0 to 8 (0 top left, 4 centre, 8 bottom right); the key is "
                "passed over");
      }
    } else if (key == "window_pos" || key == "window_size") {
      fractions(window, key, value);
    } else if (key == "size_mm") {
      size_mm(window, value);
    } else if (key == "file") {
      window.bitmap = std::string(value);
      window.bitmap_line = number_;
    } else if (key == "background_color") {
      std::vector<std::string_view> fields = fields_of(value);
      int c[3] = {0, 0, 0};
      bool ok = fields.size() == 3;
      for (size_t i = 0; ok && i < 3; ++i) {
        ok = parse_int(fields[i], c[i]) && c[i] >= 0 && c[i] <= 255;
      }
      if (!ok) {
        problem("background_color is not three numbers 0 to 255");
        return;
      }
      window.background = uint32_t(c[0]) | uint32_t(c[1]) << 8 | uint32_t(c[2]) << 16;
    } else {
      misspelt(written, key);
    }
  }

  void gauge(PanelWindowConfig& window, const std::string& written, const std::string& key,
             std::string_view value) {
    ++window.gauge_lines;
    auto first = gauge_keys_.find(key);
    if (first != gauge_keys_.end()) {
      problem(written + " is given a second time in [" + window.section + "] (first at line " +
              std::to_string(first->second) +
              "); the host reads the first, so this line is not placed: give it a number of its "
              "own");
      return;
    }
    gauge_keys_[key] = number_;
    PanelGauge gauge;
    gauge.line = number_;
    gauge.key = written;
    std::string reason;
    if (!parse_gauge(value, gauge, reason)) {
      problem(reason);
      return;
    }
    if (!gauge.parameters.empty() && gauge.parameters[0] == '"') {
      problem("the parameter string of " + gauge.name +
              " is in quotes; the host passes the quotes on as part of the string: write it "
              "without them");
    }
    window.gauges.push_back(std::move(gauge));
  }

  void fractions(PanelWindowConfig& window, const std::string& key, std::string_view value) {
    std::vector<std::string_view> fields = fields_of(value);
    ScreenFraction f;
    const bool size = key == "window_size";
    bool ok = fields.size() == 2 && parse_fraction(fields[0], f.x) &&
              parse_fraction(fields[1], f.y) && f.x <= 1.0 && f.y <= 1.0;
    if (ok && size) ok = f.x > 0.0 && f.y > 0.0;
    if (!ok) {
      problem(key + "=" + std::string(value) + " is not two fractions of the screen, 0 to 1 (" +
              (size ? "window_size=0.5,0.25: half the screen's width, a quarter of its height"
                    : "window_pos=0.5,0: the top edge, from the middle") +
              "); the key is passed over");
      return;
    }
    (size ? window.window_size : window.window_pos) = f;
  }

  void size_mm(PanelWindowConfig& window, std::string_view value) {
    std::vector<std::string_view> fields = fields_of(value);
    int w = 0, h = 0;
    if (fields.size() > 2 || !parse_int(fields[0], w) || w <= 0 ||
        (fields.size() > 1 && (!parse_int(fields[1], h) || h <= 0))) {
      problem("size_mm is not a positive width (and height)");
      return;
    }
    if (w > kLargestWindow || h > kLargestWindow) {
      problem("size_mm=" + std::string(value) + " is larger than the largest window, " +
              std::to_string(kLargestWindow) + " x " + std::to_string(kLargestWindow) +
              " pixels; the key is passed over");
      return;
    }
    window.width = w;
    if (fields.size() > 1) window.height = h;
  }

  // Keys the reader does not know pass quietly, unless they look like a
  // misspelt gauge key (then a gauge is missing) or window key (a note).
  void misspelt(const std::string& written, const std::string& key) {
    const size_t letters = key.find_last_not_of("0123456789") + 1;
    if (letters < key.size() && edit_distance(key.substr(0, letters), "gauge") <= 2) {
      problem(written + " is not a gauge key, so its gauge is not placed: write gauge" +
              key.substr(letters));
      return;
    }
    std::vector<std::string> near = nearest_names(key, window_keys());
    if (!near.empty()) {
      config_.notes.push_back(config_.file + ":" + std::to_string(number_) + ": " + written +
                              " is not a key gaugeview reads; did you mean " + near[0] + "?");
    }
  }

  PanelConfig& config_;
  int number_ = 0;
  Kind kind_ = Kind::kNone;
  std::string name_;
  int section_line_ = 0;
  int other_gauges_ = 0;
  bool repeated_ = false;
  std::vector<std::string> stray_;         // gauge lines before any section, as problems
  size_t other_gauge_lines_ = 0;           // gauge lines in sections that are not windows
  std::map<int, int> window_lines_;        // window number: its section's line
  std::map<std::string, int> gauge_keys_;  // gauge key of this window: its line
  std::map<int, std::string> titles_;
};

}  // namespace

PanelConfig parse_panel_config(std::string_view bytes, const std::string& file) {
  PanelConfig config;
  config.file = file;
  std::string text, reason;
  if (!decode_text(bytes, text, reason)) {
    config.problems.push_back(file + ": " + reason);
    return config;
  }
  Reader reader(config);
  int number = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    // Comments run from "//" to the end of the line, also after a value,
    // where they would otherwise become part of it (a gauge's parameter
    // string, whose letters would act as keys).
    if (size_t comment = line.find("//"); comment != std::string::npos) line.erase(comment);
    std::string_view trimmed = trim(line);
    if (trimmed.empty() || trimmed[0] == ';') continue;
    reader.line(number, trimmed);
  }
  reader.finish();
  return config;
}

PanelConfig parse_panel_config(std::istream& in, const std::string& file) {
  std::string bytes(std::istreambuf_iterator<char>(in), {});
  return parse_panel_config(bytes, file);
}

bool read_panel_config(const std::string& path, PanelConfig& out, std::string& error) {
  std::string text;
  if (!read_text_file(path, text, error)) {
    error = "panel configuration: " + error;
    return false;
  }
  out = parse_panel_config(text, path);
  size_t slash = path.find_last_of("/\\");
  out.folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  return true;
}

std::vector<std::string> nearest_names(std::string_view name,
                                       const std::vector<std::string>& known) {
  // Close enough to be a slip: a third of the name's letters, at least two.
  const size_t limit = std::max<size_t>(2, name.size() / 3);
  std::vector<std::pair<size_t, std::string>> scored;
  for (const std::string& k : known) {
    size_t d = edit_distance(name, k);
    if (d <= limit) scored.emplace_back(d, k);
  }
  std::stable_sort(scored.begin(), scored.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> out;
  for (size_t i = 0; i < scored.size() && i < 3; ++i) out.push_back(scored[i].second);
  return out;
}

}  // namespace tavrel::host
