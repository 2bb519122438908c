// Hour meter: four white-on-black digit drums for the hours, a tenths drum in
// inverse colours and a scrolling hourglass that shows the meter runs. It
// adds up the rises of the engine time into one total for the whole module,
// kept from one run to the next in "gauges/<parameter string>.fhr".
#include "gauges/engine/hourmeter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "module/builders.h"
#include "module/catalogue.h"
#include "module/elements.h"
#include "module/gauge_table.h"
#include "module/services.h"

namespace tavrel::gauges {
namespace {
using namespace build;

// A drum rolls to its next digit during the last 36 seconds (0.01 hour)
// before the digit changes.
constexpr double kRollSeconds = 36.0;

extern StaticImageElement face;
extern MovingImageElement hourglass_drum;
extern MovingImageElement tenths_drum;
extern MovingImageElement units_drum;
extern MovingImageElement tens_drum;
extern MovingImageElement hundreds_drum;
extern MovingImageElement thousands_drum;
extern StaticImageElement glass;
extern MouseList mouse;
void TAVREL_STDCALL hourmeter_gauge_cb(GaugeHeader* gauge, uint32_t service, uintptr_t extra);
double TAVREL_STDCALL hourmeter_drum_cb(ElementHeader* element);

}  // namespace

constinit GaugeHeader hourmeter = gauge_header({.name = parameter_gauge::kHourmeter,
                                                .size_x_mm = 100,
                                                .root = root<face>,
                                                .mouse = mouse,
                                                .callback = hourmeter_gauge_cb});

namespace {

// One drum: a strip sliding behind its one-cell mask, its vertical value
// the seconds counted, its maximum one turn of the drum.
constexpr MovingImageElement drum(int bitmap, int x, double maximum, ElementHeader** next) {
  return moving_image(
      hourmeter,
      {.bitmap = bitmap, .position = {x, 122}, .flags = kLitMovingPart, .children = next},
      unused_range(0, 0),
      {.var = token::kEngineTime, .callback = hourmeter_drum_cb, .minimum = 0, .maximum = maximum});
}

// The face, with the counter window.
constinit StaticImageElement face = static_image(
    hourmeter, {.bitmap = 1130, .flags = kLitFace, .children = children<hourglass_drum>});
// 1170: eleven hourglasses; 1160: the tenths, black on white; 1150: the
// digits, white on black.
constinit MovingImageElement hourglass_drum = drum(1170, 137, 360, children<tenths_drum>);
constinit MovingImageElement tenths_drum = drum(1160, 120, 3600, children<units_drum>);
constinit MovingImageElement units_drum = drum(1150, 103, 36000, children<tens_drum>);
constinit MovingImageElement tens_drum = drum(1150, 86, 360000, children<hundreds_drum>);
constinit MovingImageElement hundreds_drum = drum(1150, 69, 3600000, children<thousands_drum>);
constinit MovingImageElement thousands_drum = drum(1150, 52, 36000000, children<glass>);
// The glass over the window.
constinit StaticImageElement glass = static_image(hourmeter, {.bitmap = 1140});

// The module's engine time, shared by every instance, and the engine-time
// reading it was last advanced from.
double hours_total = 0.0;
double hours_last_reading = 0.0;

constexpr double kSecondsPerHour = 3600.0;
constexpr double kHoursPerSecond = 0.0002777777777777778;  // multiplied, never divided
constexpr size_t kPathRoom = parameter_gauge::kHoursPathRoom;
constexpr int kLineRoom = 50;  // at most 49 characters of the first line

// The hours file of an instance, in `path`. False when the instance has no
// parameter string, or when the name would not fit: such a meter neither
// reads nor writes, rather than use a name cut short.
bool hours_file(const GaugeHeader* gauge, char (&path)[kPathRoom]) {
  const char* stem = gauge->parameters;
  if (stem == nullptr || stem[0] == '\0') return false;
  const int length = std::snprintf(path, sizeof path, parameter_gauge::kHoursFile, stem);
  return length > 0 && static_cast<size_t>(length) < sizeof path;
}

// The decimal number that begins a line, as the Windows runtime's atof reads
// it: blanks, a sign, digits with a point, an exponent. Other C libraries
// also read hexadecimal ("0x10" as 16) and words ("inf"); the meter reads
// neither, in every build, so a file reads alike everywhere ("0x10" is 0).
// The line is cut after the number.
double decimal_at_start(char* line) {
  auto digits = [](char* p) {
    while (*p >= '0' && *p <= '9') ++p;
    return p;
  };
  char* p = line;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  if (*p == '+' || *p == '-') ++p;
  char* end = digits(p);
  if (*end == '.') end = digits(end + 1);
  if (end > p + 1 || (end == p + 1 && *p != '.')) {
    char* exponent = end + 1;
    if (*end == 'e' || *end == 'E') {
      if (*exponent == '+' || *exponent == '-') ++exponent;
      if (*exponent >= '0' && *exponent <= '9') end = digits(exponent);
    }
  }
  *end = '\0';
  return std::atof(line);
}

void load_hours(const GaugeHeader* gauge) {
  char path[kPathRoom];
  if (!hours_file(gauge, path)) return;
  FILE* file = std::fopen(path, "r");
  if (file == nullptr) return;
  char line[kLineRoom];
  if (std::fgets(line, sizeof line, file) != nullptr) {
    // A line that reads as infinity or not-a-number, or as so many hours
    // that their seconds overflow, holds no usable total; taking it would
    // poison every later reading and be written back.
    const double seconds = decimal_at_start(line) * kSecondsPerHour;
    hours_total = std::isfinite(seconds) ? seconds : 0.0;
  }
  std::fclose(file);
}

void save_hours(const GaugeHeader* gauge) {
  char path[kPathRoom];
  // A total that is no longer finite would overwrite the file with a line
  // that reads as nothing: keep the older file instead.
  if (!hours_file(gauge, path) || !std::isfinite(hours_total)) return;
  FILE* file = std::fopen(path, "w");
  if (file == nullptr) return;
  std::fprintf(file, "%f\n", hours_total * kHoursPerSecond);
  std::fclose(file);
}

// Install reads the file and takes the current engine time as the base, so
// time before the gauge existed is not counted; every update adds the rise
// since the last reading (a reading that falls only re-bases); kill saves.
void TAVREL_STDCALL hourmeter_gauge_cb(GaugeHeader* gauge, uint32_t service, uintptr_t) {
  switch (service) {
    case kServiceInstall:
      hours_last_reading = host_services::read_number(token::kEngineTime);
      load_hours(gauge);
      break;
    case kServiceUpdate: {
      const double reading = host_services::read_number(token::kEngineTime);
      // A rise that would carry the total past the largest double (an
      // engine time of infinity, or one near the top of the range) is no
      // time the engine ran: the total stays as it was.
      const double advanced = (reading - hours_last_reading) + hours_total;
      if (reading > hours_last_reading && std::isfinite(advanced)) hours_total = advanced;
      hours_last_reading = reading;
      break;
    }
    case kServicePreKill:
      save_hours(gauge);
      break;
    default:
      break;
  }
}

// Every drum: the total reduced to one turn of the drum rests on its digit,
// except in the last 36 seconds before the digit changes, when it rolls to
// the next one; the drums above roll in the same 36 seconds, like the wheels
// of a mechanical counter. The hourglass (a cell of 36 s) always rolls.
double TAVREL_STDCALL hourmeter_drum_cb(ElementHeader* element) {
  const double cell = element_as<MovingImageElement>(element)->y.maximum * 0.1;
  const double turn = cell * drums::kDigitsPerTurn;
  const double t = hours_total;
  const double r = t - std::floor(t / turn) * turn;
  const double lo = std::floor(r / cell) * cell;
  const double hi = std::ceil(r / cell) * cell;
  const double gap = hi - r;
  if (gap >= kRollSeconds) return lo;
  return hi + (lo - hi) * gap * 0.027777777777777776;
}

constinit MouseList mouse = mouse_list(outer_parent(tooltip::kHourmeter));

}  // namespace
}  // namespace tavrel::gauges
