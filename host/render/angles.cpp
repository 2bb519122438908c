// Sine and cosine of a needle's or a sprite's angle from basic arithmetic,
// so that every build turns pictures by the same bits.
#include <cmath>
#include <utility>

#include "host/render.h"

namespace tavrel::host {

void sin_cos_degrees(double degrees, double& sine, double& cosine) {
  if (!std::isfinite(degrees)) degrees = 0.0;
  double d = std::fmod(degrees, 360.0);
  d = std::floor(d * 4096.0 + 0.5) / 4096.0;
  if (d < 0) d += 360.0;
  if (d >= 360.0) d -= 360.0;
  // Quadrant, then the nearer of sine and cosine of an angle up to 45.
  int quadrant = static_cast<int>(d / 90.0);
  if (quadrant > 3) quadrant = 3;
  double r = d - 90.0 * quadrant;
  bool swap = r > 45.0;
  if (swap) r = 90.0 - r;
  const double x = r * (3.14159265358979323846 / 180.0);
  const double x2 = x * x;
  // Taylor series, good to well below a double's last bit for |x| <= pi/4.
  double s =
      x * (1.0 +
           x2 * (-1.0 / 6 +
                 x2 * (1.0 / 120 +
                       x2 * (-1.0 / 5040 +
                             x2 * (1.0 / 362880 + x2 * (-1.0 / 39916800 +
                                                        x2 * (1.0 / 6227020800.0 +
                                                              x2 * (-1.0 / 1307674368000.0))))))));
  double c =
      1.0 +
      x2 * (-0.5 + x2 * (1.0 / 24 +
                         x2 * (-1.0 / 720 +
                               x2 * (1.0 / 40320 +
                                     x2 * (-1.0 / 3628800 + x2 * (1.0 / 479001600.0 +
                                                                  x2 * (-1.0 / 87178291200.0)))))));
  if (swap) std::swap(s, c);
  switch (quadrant) {
    case 0:
      sine = s, cosine = c;
      break;
    case 1:
      sine = c, cosine = -s;
      break;
    case 2:
      sine = -s, cosine = -c;
      break;
    default:
      sine = -c, cosine = s;
      break;
  }
}

}  // namespace tavrel::host
