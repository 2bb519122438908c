// What one call of Renderer::draw carries to the routines that draw its
// elements.
#pragma once

#include <string>

#include "host/render.h"
#include "host/render/pixels.h"

namespace tavrel::host {

struct Renderer::Context {
  Canvas& canvas;
  Placement at;
  Lighting lighting;
  render::IntRect clip;  // the gauge's rectangle on the canvas
  std::string gauge;
};

}  // namespace tavrel::host
