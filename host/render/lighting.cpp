// The light on an element: by day none; by night a dim blue-grey, or the
// warm panel light on luminous elements when the panel lights are on.
#include "host/render.h"
#include "module/catalogue.h"

namespace tavrel::host {

Light light_for(uint32_t image_flags, const Lighting& lighting) {
  if (!lighting.night || (image_flags & kBright)) return {};
  if (lighting.panel_lights && (image_flags & kLuminous)) return {250, 196, 132};  // warm
  return {70, 72, 92};  // dark, a little blue
}

Lighting lighting_of(const VariableStore& variables, bool night) {
  Lighting lighting;
  lighting.night = night;
  lighting.panel_lights = variables.number(token::kPanelLights) != 0.0;
  return lighting;
}

}  // namespace tavrel::host
