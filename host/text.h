// Small text helpers shared by the readers of panel configurations and
// flight-state files.
#pragma once

#include <string_view>

namespace tavrel::host {

// The text without leading and trailing blanks and line ends.
inline std::string_view trim(std::string_view s) {
  size_t first = s.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  size_t last = s.find_last_not_of(" \t\r\n");
  return s.substr(first, last - first + 1);
}

}  // namespace tavrel::host
