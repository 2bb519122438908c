#include "registry.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

#include "families.h"

namespace tavrel::art {

void Registry::add(int id, DrawFn draw, int drawn_over) {
  const auto at = std::lower_bound(drawers_.begin(), drawers_.end(), id,
                                   [](const Drawer& d, int key) { return d.id < key; });
  if (at != drawers_.end() && at->id == id)
    throw std::logic_error("art: bitmap " + std::to_string(id) + " has two drawers");
  drawers_.insert(at, Drawer{id, std::move(draw), drawn_over});
}

const Drawer* Registry::find(int id) const {
  const auto at = std::lower_bound(drawers_.begin(), drawers_.end(), id,
                                   [](const Drawer& d, int key) { return d.id < key; });
  return at != drawers_.end() && at->id == id ? &*at : nullptr;
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

}  // namespace tavrel::art
