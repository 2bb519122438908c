#include "host/help_texts.h"

#include <algorithm>
#include <iterator>

namespace tavrel::host {
namespace {

struct HelpText {
  uint32_t id;
  std::string_view text;
};

// Sorted by id.
constexpr HelpText kHelpTexts[] = {
    {12808, "Directional gyro: set it to the magnetic compass"},
    {40975, "Carburettor air temperature"},
    {42756, "Distance measuring equipment (DME)"},
    {42760, "DME source: NAV 1 or NAV 2"},
    {43776, "ADF indicator"},
    {43777, "ADF card heading knob"},
    {43778, "Airspeed indicator"},
    {43783, "Altimeter"},
    {43787, "Ammeter"},
    {43789, "Attitude indicator"},
    {43791, "Avionics master switch"},
    {43795, "Battery master switch"},
    {43797, "Cylinder head temperature"},
    {43807, "Engine hour meter"},
    {43814, "Fuel quantity"},
    {43819, "Low fuel warning light"},
    {43820, "Fuel pressure"},
    {43821, "Fuel tank selector"},
    {43824, "Landing gear lever"},
    {43827, "Heading bug knob"},
    {43828, "Directional gyro"},
    {43829, "Directional gyro setting knob"},
    {43834, "Altimeter setting knob (QNH)"},
    {43837, "Beacon light switch"},
    {43838, "Landing light switch"},
    {43839, "Navigation lights switch"},
    {43840, "Panel lights switch"},
    {43842, "Strobe lights switch"},
    {43845, "Magnetos and starter key"},
    {43846, "Manifold pressure"},
    {43854, "Oil pressure"},
    {43855, "Oil temperature"},
    {43863, "Pitot heat switch"},
    {43866, "Radio magnetic indicator (RMI)"},
    {43873, "Turn coordinator: slip ball"},
    {43877, "Starter"},
    {43878, "Suction"},
    {43880, "Tachometer (RPM)"},
    {43882, "Throttle quadrant: yellow lever"},
    {43883, "Throttle quadrant: red lever"},
    {43884, "Throttle quadrant: black lever"},
    {43889, "Turn coordinator: rate of turn"},
    {43890, "VOR 1 course deviation indicator"},
    {43891, "VOR 1 course selector (OBS)"},
    {43894, "Vertical speed indicator"},
    {43895, "Gyro compass"},
    {43901, "Flaps lever"},
    {43910, "Show or hide the radio stack"},
    {43911, "Show or hide the GPS"},
    {43912, "Show or hide the throttle quadrant"},
    {43913, "Show or hide the compass"},
    {43914, "Show or hide the fuel panel"},
    {43915, "Show or hide the collective"},
    {43918, "Stall warning light"},
    {43919, "Show or hide the map"},
    {43923, "Show or hide the kneeboard"},
    {43924, "Show or hide the ATC window"},
};

static_assert(std::is_sorted(std::begin(kHelpTexts), std::end(kHelpTexts),
                             [](const HelpText& a, const HelpText& b) { return a.id < b.id; }));

}  // namespace

std::string_view help_text(uint32_t help_id) {
  const auto* found =
      std::lower_bound(std::begin(kHelpTexts), std::end(kHelpTexts), help_id,
                       [](const HelpText& entry, uint32_t id) { return entry.id < id; });
  return found != std::end(kHelpTexts) && found->id == help_id ? found->text : std::string_view{};
}

}  // namespace tavrel::host
