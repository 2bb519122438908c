#include "host/catalogue.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace tavrel::host {
namespace {

using catalogue::Holds;
using catalogue::kKeyEvents;
using catalogue::kPanelWindows;
using catalogue::kTokens;
using catalogue::kTooltipNames;
using catalogue::kTooltips;
using catalogue::Token;

static_assert(std::is_sorted(std::begin(kTooltips), std::end(kTooltips),
                             [](const auto& a, const auto& b) { return a.id < b.id; }));

// A number as the shortest text that reads back to the same double (whole
// numbers without an exponent).
std::string number_text(double value) {
  char text[32];
  if (value == static_cast<double>(static_cast<long long>(value))) {
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    return text;
  }
  for (int digits = 1; digits <= 17; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    double back = 0;
    if (std::sscanf(text, "%lf", &back) == 1 && back == value) break;
  }
  return text;
}

// The unit a token is shown in: its own one, or the host's.
std::string shown_unit(const Token& t) {
  return t.shown.unit != nullptr ? t.shown.unit : t.unit;
}

// A number for people: six significant digits.
std::string rounded_text(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

// How the host's value follows from the shown one, as a reader writes it:
// "× 144", "+ 459.67", "× 1.8 + 491.67", or nothing for the same number.
std::string conversion(const Token& t) {
  std::string text;
  if (t.shown.per_unit != 1.0) text = "× " + rounded_text(t.shown.per_unit);
  if (t.shown.offset != 0.0) text += (text.empty() ? "+ " : " + ") + rounded_text(t.shown.offset);
  return text;
}

}  // namespace

std::string json_string(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

const catalogue::Token* find_token(uint32_t number) {
  for (const Token& t : kTokens) {
    if (t.number == number) return &t;
  }
  return nullptr;
}

const catalogue::Token* find_token(std::string_view name) {
  for (const Token& t : kTokens) {
    if (name == t.name) return &t;
  }
  return nullptr;
}

const catalogue::KeyEvent* find_key_event(uint32_t number) {
  for (const catalogue::KeyEvent& e : kKeyEvents) {
    if (e.number == number) return &e;
  }
  return nullptr;
}

std::string_view help_text(uint32_t help_id) {
  const auto* found =
      std::lower_bound(std::begin(kTooltips), std::end(kTooltips), help_id,
                       [](const catalogue::Tooltip& entry, uint32_t id) { return entry.id < id; });
  return found != std::end(kTooltips) && found->id == help_id ? found->text : std::string_view{};
}

std::string catalogue_json() {
  std::string out = "{\"tokens\":[";
  for (const Token& t : kTokens) {
    if (&t != std::begin(kTokens)) out += ",";
    out += "{\"number\":" + std::to_string(t.number) + ",\"name\":" + json_string(t.name) +
           ",\"meaning\":" + json_string(t.meaning) + ",\"unit\":" + json_string(t.unit) +
           ",\"integer\":" + (t.holds == Holds::kInteger ? "true" : "false") +
           ",\"shown\":{\"unit\":" + json_string(shown_unit(t)) +
           ",\"per_unit\":" + number_text(t.shown.per_unit) +
           ",\"offset\":" + number_text(t.shown.offset) + "},\"low\":" + number_text(t.low) +
           ",\"high\":" + number_text(t.high) + "}";
  }
  out += "],\"key_events\":[";
  for (const catalogue::KeyEvent& e : kKeyEvents) {
    if (&e != std::begin(kKeyEvents)) out += ",";
    out += "{\"number\":" + std::to_string(e.number) + ",\"name\":" + json_string(e.name) +
           ",\"effect\":" + json_string(e.effect) + ",\"value\":" + json_string(e.value) + "}";
  }
  out += "],\"tooltips\":[";
  for (const catalogue::Tooltip& t : kTooltips) {
    if (&t != std::begin(kTooltips)) out += ",";
    out += "{\"id\":" + std::to_string(t.id) + ",\"text\":" + json_string(t.text) + "}";
  }
  out += "],\"panel_windows\":[";
  for (const catalogue::PanelWindow& w : kPanelWindows) {
    if (&w != std::begin(kPanelWindows)) out += ",";
    out += "{\"ident\":" + std::to_string(w.ident) + ",\"name\":" + json_string(w.name) + "}";
  }
  return out + "]}";
}

std::string catalogue_markdown() {
  std::string out =
      "## Token variables\n\n"
      "Values are in the host's unit. Where the instruments are marked in another unit, \"shown\n"
      "in\" names it and the host's value is the shown one with the conversion applied. The\n"
      "range is what the instruments show, in the shown unit. Integer tokens hold a 32-bit\n"
      "integer in the first four bytes of the value.\n\n"
      "| token | name | meaning | host's unit | held as | shown in | conversion | range |\n"
      "| --- | --- | --- | --- | --- | --- | --- | --- |\n";
  for (const Token& t : kTokens) {
    out += "| " + std::to_string(t.number) + " | `" + t.name + "` | " + t.meaning + " | " + t.unit +
           " | " + (t.holds == Holds::kInteger ? "integer" : "float") + " | " + shown_unit(t) +
           " | " + conversion(t) + " | " + number_text(t.low) + " to " + number_text(t.high) +
           " |\n";
  }
  out +=
      "\n## Key events\n\n"
      "| event | name | what the host does | value |\n"
      "| --- | --- | --- | --- |\n";
  for (const catalogue::KeyEvent& e : kKeyEvents) {
    out += "| " + std::to_string(e.number) + " | `" + e.name + "` | " + e.effect + " | " + e.value +
           " |\n";
  }
  out +=
      "\n## Tooltips\n\n"
      "| help id | text |\n"
      "| --- | --- |\n";
  for (const catalogue::Tooltip& t : kTooltips) {
    out += "| " + std::to_string(t.id) + " | " + t.text + " |\n";
  }
  out +=
      "\n## Names in parameter strings\n\n"
      "Panel windows, tried in this order:\n\n"
      "| name | ident |\n"
      "| --- | --- |\n";
  for (const catalogue::PanelWindow& w : kPanelWindows) {
    out += "| `" + std::string(w.name) + "` | " + std::to_string(w.ident) + " |\n";
  }
  out +=
      "\nTooltips, tried in this order:\n\n"
      "| name | help id |\n"
      "| --- | --- |\n";
  for (const catalogue::TooltipName& n : kTooltipNames) {
    out += "| `" + std::string(n.name) + "` | " + std::to_string(n.id) + " |\n";
  }
  return out;
}

}  // namespace tavrel::host
