// An error the host reports to its user (an unknown gauge, a gauge without
// its background bitmap, bad input), and the system's words for why a file
// could not be opened.
#pragma once

#include <cstring>
#include <stdexcept>
#include <string>

namespace tavrel::host {

class HostError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The C library's words for an errno value ("No such file or directory").
inline std::string system_reason(int error_number) {
  return std::strerror(error_number);
}

}  // namespace tavrel::host
