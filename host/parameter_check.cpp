#include "host/parameter_check.h"

#include <cctype>
#include <cstdlib>

#include "module/catalogue.h"

namespace tavrel::host {
namespace {

constexpr std::string_view kCommentCharacters = "/#'";
constexpr std::string_view kHotspotKeys = "bhaoctp";

bool is_hotspot(std::string_view gauge) {
  for (const char* name : parameter_gauge::kHotspots) {
    if (gauge == name) return true;
  }
  return false;
}

// A key written as one: its letter starts a word and a value follows it
// (a digit, a sign or a capital, as in "c50", "tGPS_PANEL", "r255").
bool key_at(std::string_view text, size_t at, std::string_view letters) {
  if (letters.find(text[at]) == std::string_view::npos || at + 1 >= text.size()) return false;
  const bool word_start = at == 0 || std::isspace(static_cast<unsigned char>(text[at - 1])) ||
                          text[at - 1] == ';' || text[at - 1] == ',' ||
                          kCommentCharacters.find(text[at - 1]) != std::string_view::npos;
  const unsigned char next = static_cast<unsigned char>(text[at + 1]);
  return word_start && (std::isdigit(next) || std::isupper(next) || next == '-');
}

void hotspot_notes(std::string_view text, std::vector<std::string>& notes) {
  const size_t comment = text.find_first_of(kCommentCharacters);
  if (comment != std::string_view::npos) {
    for (size_t at = comment + 1; at < text.size(); ++at) {
      if (!key_at(text, at, kHotspotKeys)) continue;
      size_t end = text.find_first_of(" ;", at);
      notes.push_back("the key " + std::string(text.substr(at, end - at)) +
                      " comes after the comment character '" + text[comment] +
                      "', so it is not read: move it before the comment");
    }
  }
  const size_t b = text.substr(0, comment).find('b');
  if (b != std::string_view::npos) {
    const long icon = std::strtol(std::string(text.substr(b + 1)).c_str(), nullptr, 10);
    if (icon < 1300 || icon > 1360 || icon % 10 != 0) {
      notes.push_back("b" + std::to_string(icon) +
                      " is not one of the icons 1300, 1310, ... 1360, so the hotspot keeps its "
                      "icon and its h tooltip is not applied either: give one of them");
    }
  }
}

void registration_notes(std::string_view text, std::vector<std::string>& notes) {
  const size_t blank = text.find(' ');
  if (text.empty() || text[0] != 't' || blank == std::string_view::npos) return;
  size_t font = std::string_view::npos;
  for (size_t at = blank + 1; at < text.size(); ++at) {
    if (font == std::string_view::npos && text[at] == 'f' &&
        std::isspace(static_cast<unsigned char>(text[at - 1]))) {
      font = at;
    } else if (font != std::string_view::npos && key_at(text, at, "rgb")) {
      notes.push_back("the font key f comes before the colour key " + std::string(1, text[at]) +
                      ", which becomes part of the font name: put f and its font last");
    }
  }
}

void hours_file_notes(std::string_view name, std::vector<std::string>& notes) {
  constexpr std::string_view kRefused = "\\/:*?\"<>|";
  for (char c : name) {
    if (kRefused.find(c) != std::string_view::npos || static_cast<unsigned char>(c) < 32) {
      notes.push_back("the hours file name " + std::string(name) + " holds '" + c +
                      "', which Windows refuses in a file name (or which leaves the gauges "
                      "folder), so the meter keeps no hours: use letters, digits, '-' and '_'");
      return;
    }
  }
  std::string stem(name.substr(0, name.find('.')));
  for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const bool device = stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" ||
                      ((stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) &&
                       stem.size() == 4 && std::isdigit(static_cast<unsigned char>(stem[3])));
  if (device) {
    notes.push_back("the hours file name " + std::string(name) +
                    " is a device's name on Windows, not a file's, so the meter keeps no hours: "
                    "choose another");
  }
  const size_t room = parameter_gauge::kHoursPathRoom - 1 - std::string_view("gauges\\").size() -
                      std::string_view(parameter_gauge::kHoursExtension).size();
  if (name.size() > room) {
    notes.push_back("the hours file name is longer than " + std::to_string(room) +
                    " characters, so the meter keeps no hours: shorten it");
  }
}

}  // namespace

std::vector<std::string> parameter_notes(std::string_view gauge, std::string_view parameters) {
  std::vector<std::string> notes;
  if (is_hotspot(gauge)) hotspot_notes(parameters, notes);
  if (gauge == parameter_gauge::kRegistration) registration_notes(parameters, notes);
  if (gauge == parameter_gauge::kHourmeter && !parameters.empty()) {
    hours_file_notes(parameters, notes);
  }
  return notes;
}

}  // namespace tavrel::host
