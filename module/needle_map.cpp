#include "module/needle_map.h"

#include <cmath>

namespace tavrel {
namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

double along(double value, double v0, double v1, double a0, double a1) {
  if (v1 == v0) return a0;
  return a0 + (value - v0) / (v1 - v0) * (a1 - a0);
}

}  // namespace

double bearing_of(PixPoint pivot, PixPoint point) {
  double dx = point.x - pivot.x;
  double dy = point.y - pivot.y;
  if (dx == 0 && dy == 0) return 0.0;
  double degrees = std::atan2(dx, -dy) * kDegreesPerRadian;
  return degrees < 0 ? degrees + 360.0 : degrees;
}

NeedleMap::NeedleMap(PixPoint pivot, const NonlinearityEntry* entries, int count) {
  if (entries == nullptr || count <= 0) return;
  double previous_bearing = 0.0;
  for (int i = 0; i < count; ++i) {
    double b = bearing_of(pivot, entries[i].point);
    if (i == 0) {
      angles_.push_back(b);
    } else {
      double turn = std::fmod(b - previous_bearing + 360.0, 360.0);
      if (entries[i].point.x == entries[i - 1].point.x &&
          entries[i].point.y == entries[i - 1].point.y) {
        turn = 0.0;
      }
      angles_.push_back(angles_.back() + turn);
    }
    previous_bearing = b;
    values_.push_back(entries[i].value);
  }
}

double NeedleMap::bearing(double value) const {
  const size_t n = values_.size();
  if (n == 0) return std::isnan(value) ? 0.0 : value;
  if (n == 1 || std::isnan(value)) return angles_[0];
  // A table runs rising or falling; "before" the table is the side of the
  // first value away from the second.
  const bool rising = values_.back() >= values_.front();
  auto before = [&](double a, double b) { return rising ? a < b : a > b; };
  if (before(value, values_.front())) {
    return along(value, values_[0], values_[1], angles_[0], angles_[1]);
  }
  for (size_t i = 0; i + 1 < n; ++i) {
    double lo = std::fmin(values_[i], values_[i + 1]);
    double hi = std::fmax(values_[i], values_[i + 1]);
    if (value >= lo && value <= hi) {
      return along(value, values_[i], values_[i + 1], angles_[i], angles_[i + 1]);
    }
  }
  // Past the last entry: extend the last segment with a different value
  // (two equal end points hold the needle).
  return along(value, values_[n - 2], values_[n - 1], angles_[n - 2], angles_[n - 1]);
}

}  // namespace tavrel
