// An error the host reports to its user (an unknown gauge, a gauge without
// its background bitmap, bad input).
#pragma once

#include <stdexcept>

namespace tavrel::host {

class HostError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tavrel::host
