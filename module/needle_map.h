// How the host turns a needle: from a value to the bearing its tip points
// at, clockwise from straight up, in degrees. One mapping, used by the
// stand-in host to turn needles and by the art program to place the marks
// they point at. Not part of the shipped module: it lives in the
// tavrel_gauge_data library.
#pragma once

#include <vector>

#include "module/records.h"

namespace tavrel {

// The bearing of `point` seen from `pivot`, clockwise from straight up
// (screen y grows downwards), in [0, 360).
double bearing_of(PixPoint pivot, PixPoint point);

class NeedleMap {
 public:
  // A needle with a nonlinearity table. Entry i's angle is the bearing of
  // its point; from one entry to the next the needle turns clockwise by the
  // clockwise difference of the two bearings (0 when the points coincide),
  // so a table can sweep half a turn or more.
  NeedleMap(PixPoint pivot, const NonlinearityEntry* entries, int count);

  // The bearing for a value: linear between neighbouring entries (rising or
  // falling tables), and the end segments extended linearly beyond the
  // table. Not reduced to [0, 360): it may run past a full turn.
  double bearing(double value) const;

  // Each entry's value and cumulative angle, in table order (empty without
  // a table), for tests and for the art.
  const std::vector<double>& values() const { return values_; }
  const std::vector<double>& angles() const { return angles_; }

 private:
  std::vector<double> values_;
  std::vector<double> angles_;
};

}  // namespace tavrel
