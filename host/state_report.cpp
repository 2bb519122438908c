#include "host/state_report.h"

#include <cmath>
#include <set>

#include "module/catalogue.h"
#include "module/elements.h"

namespace tavrel::host {
namespace {

// The decimal digits of a whole double of 2^53 and more: its 53-bit
// mantissa doubled exponent times, in limbs of nine digits (least
// significant first). Exact, and no library formatting.
std::string whole_digits(double whole) {
  int exponent = 0;
  double mantissa = std::frexp(whole, &exponent);  // whole = mantissa * 2^exponent
  auto bits = static_cast<uint64_t>(std::ldexp(mantissa, 53));
  exponent -= 53;
  std::vector<uint32_t> limbs;
  for (uint64_t m = bits; m != 0; m /= 1000000000u) limbs.push_back(m % 1000000000u);
  for (; exponent > 0; exponent -= 16) {
    unsigned shift = exponent < 16 ? exponent : 16;
    uint64_t carry = 0;
    for (uint32_t& limb : limbs) {
      uint64_t v = (uint64_t{limb} << shift) + carry;
      limb = static_cast<uint32_t>(v % 1000000000u);
      carry = v / 1000000000u;
    }
    for (; carry != 0; carry /= 1000000000u) limbs.push_back(carry % 1000000000u);
  }
  std::string text = std::to_string(limbs.back());
  for (size_t i = limbs.size() - 1; i-- > 0;) {
    std::string part = std::to_string(limbs[i]);
    text += std::string(9 - part.size(), '0') + part;
  }
  return text;
}

std::string pair(int32_t x, int32_t y) {
  return std::to_string(x) + "," + std::to_string(y);
}

}  // namespace

std::string format_number(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  double magnitude = std::fabs(value);
  std::string whole;
  uint32_t fraction = 0;  // ten-thousandths
  if (magnitude < 9.0e14) {
    // The value scaled by 10000 (one rounding) and rounded half away from
    // zero; it fits 64 bits, and the floor and the difference are exact.
    double scaled = magnitude * 10000.0;
    double units = std::floor(scaled);
    auto u = static_cast<uint64_t>(units);
    if (scaled - units >= 0.5) ++u;
    if (u == 0) return "0";
    whole = std::to_string(u / 10000);
    fraction = static_cast<uint32_t>(u % 10000);
  } else if (magnitude < 9007199254740992.0) {
    // Up to 2^53 the fraction is a multiple of 1/8: exact in 4 decimals.
    double integral = std::floor(magnitude);
    whole = std::to_string(static_cast<uint64_t>(integral));
    fraction = static_cast<uint32_t>((magnitude - integral) * 10000.0);
  } else {
    whole = whole_digits(magnitude);
  }
  std::string text = (value < 0 ? "-" : "") + whole;
  if (fraction != 0) {
    std::string digits = std::to_string(fraction);
    digits.insert(0, 4 - digits.size(), '0');
    while (digits.back() == '0') digits.pop_back();
    text += "." + digits;
  }
  return text;
}

std::string format_bearing(double degrees) {
  if (!std::isfinite(degrees)) return format_number(degrees);
  double reduced = std::fmod(degrees, 360.0);  // exact
  if (reduced < 0) reduced += 360.0;
  std::string text = format_number(reduced);
  return text == "360" ? "0" : text;
}

std::string quote_text(std::string_view text) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      out += "\\x";
      out += kDigits[c >> 4];
      out += kDigits[c & 0xF];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string describe_event(const FiredEvent& e) {
  std::string text = "event " + std::to_string(e.event) + " value " + std::to_string(e.value);
  if (e.event == key_event::kPanelWindowToggle)
    text += " (toggles panel window " + std::to_string(e.value) + ")";
  if (e.event == key_event::kPanelWindowOpen)
    text += " (opens panel window " + std::to_string(e.value) + ")";
  if (e.event == key_event::kPanelWindowClose)
    text += " (closes panel window " + std::to_string(e.value) + ")";
  return text;
}

std::string describe_window_toggle(uint32_t ident, bool now_open) {
  return "panel window " + std::to_string(ident) + " toggled (now " +
         (now_open ? "open" : "closed") + ")";
}

std::string describe_open_windows(const Host& host) {
  std::string line = "panel windows open:";
  for (uint32_t ident : host.open_windows()) line += " " + std::to_string(ident);
  return host.open_windows().empty() ? line + " none" : line;
}

std::vector<std::string> describe_activity(const Host& host) {
  std::vector<std::string> lines;
  for (const FiredEvent& e : host.fired()) lines.push_back(describe_event(e));
  const std::vector<uint32_t>& idents = host.toggled_windows();
  for (size_t i = 0; i < idents.size(); ++i) {
    lines.push_back(describe_window_toggle(idents[i], host.toggles_left_open()[i]));
  }
  return lines;
}

std::vector<std::string> describe_elements(const GaugeInstance& instance) {
  std::vector<std::string> lines;
  std::vector<int> place;  // the 1-based index at each depth of the current path
  for (const ElementState& s : instance.elements()) {
    const ElementHeader* e = s.element;
    place.resize(static_cast<size_t>(s.depth) + 1, 0);
    ++place.back();
    std::string line;
    for (size_t i = 0; i < place.size(); ++i) line += (i ? "." : "") + std::to_string(place[i]);
    line += std::string(" ") + element_type_name(e->element_type) + " bitmap " +
            std::to_string(e->resource_id);
    int channels = channel_count(e->element_type);
    for (int i = 0; i < channels; ++i) {
      line += (i ? "," : " value ") + format_number(s.channels[i]);
    }
    switch (e->element_type) {
      case kNeedle:
        line += " bearing " + format_bearing(s.needle_bearing);
        break;
      case kIcon:
        line +=
            s.icon_index < 0 ? std::string(" icon none") : " icon " + std::to_string(s.icon_index);
        break;
      case kSlider:
        line += " shift " + pair(s.slider_offset.x, s.slider_offset.y);
        break;
      case kMovingImage:
        // Without the picture's and the mask's sizes there is no shift.
        if (s.moving_offset) line += " shift " + pair(s.moving_offset->x, s.moving_offset->y);
        break;
      case kSprite:
        line += " centre " + format_number(s.sprite_center_x) + "," +
                format_number(s.sprite_center_y) + " turn " + format_number(s.sprite_rotation);
        break;
      case kString:
        line += " text " + quote_text(s.text);
        break;
      default:
        break;
    }
    if (s.frozen) line += " frozen";
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> run_state_script(Host& host, const StateScript& script) {
  for (uint32_t system : script.failures) host.set_failure(system, true);
  if (!script.steps.empty()) apply_settings(script.steps[0], host.variables());
  GaugeInstance& instance = host.place(script.gauge, script.parameters);
  // Only what the updates fire is reported, not what install and panel
  // open did.
  host.clear_fired();
  const std::set<uint32_t> open_at_start = host.open_windows();
  for (size_t step = 1; step < script.steps.size(); ++step) {
    host.update();
    apply_settings(script.steps[step], host.variables());
  }
  host.update();
  std::vector<std::string> lines = describe_activity(host);
  if (host.open_windows() != open_at_start) lines.push_back(describe_open_windows(host));
  std::vector<std::string> elements = describe_elements(instance);
  lines.insert(lines.end(), elements.begin(), elements.end());
  host.remove(instance);
  return lines;
}

}  // namespace tavrel::host
