#include "registry.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

#include "families.h"

namespace tavrel::art {

void Registry::add(int id, DrawFn draw) {
  const auto at = std::lower_bound(drawers_.begin(), drawers_.end(), id,
                                   [](const Drawer& d, int key) { return d.id < key; });
  if (at != drawers_.end() && at->id == id)
    throw std::logic_error("art: bitmap " + std::to_string(id) + " has two drawers");
  drawers_.insert(at, Drawer{id, std::move(draw)});
}

const Drawer* Registry::find(int id) const {
  const auto at = std::lower_bound(drawers_.begin(), drawers_.end(), id,
                                   [](const Drawer& d, int key) { return d.id < key; });
  return at != drawers_.end() && at->id == id ? &*at : nullptr;
}

Canvas canvas_for(int id) {
  const BitmapEntry* entry = find_bitmap(id);
  if (entry == nullptr)
    throw std::runtime_error("art: bitmap " + std::to_string(id) + " is not in the resource list");
  return Canvas(entry->width, entry->height, entry->bits_per_pixel);
}

Canvas draw_picture(const Drawer& drawer, Lang lang) {
  Canvas canvas = canvas_for(drawer.id);
  drawer.draw(canvas, lang);
  return canvas;
}

const Registry& all_drawers() {
  static const Registry registry = [] {
    Registry r;
    add_switch_drawers(r);
    add_flight_drawers(r);
    add_engine_drawers(r);
    add_hotspot_drawers(r);
    add_radio_drawers(r);
    add_control_drawers(r);
    return r;
  }();
  return registry;
}

Canvas picture_of(int id, Lang lang) {
  const Drawer* drawer = all_drawers().find(id);
  if (drawer == nullptr)
    throw std::runtime_error("art: bitmap " + std::to_string(id) + " has no drawer");
  return draw_picture(*drawer, lang);
}

}  // namespace tavrel::art
