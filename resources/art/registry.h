// Which routine draws which bitmap. Each gauge family keeps its drawers in its
// own file (switches.cpp, ...) and adds them in one function named in
// families.h; the registry holds them all, by bitmap id.
#ifndef TAVREL_RESOURCES_ART_REGISTRY_H
#define TAVREL_RESOURCES_ART_REGISTRY_H

#include <functional>
#include <vector>

#include "kit.h"
#include "resource_list.h"

namespace tavrel::art {

// Draws one bitmap in the given language and returns the finished canvas,
// whose size and depth must be the bitmap's. A drawer of a bitmap with an
// English version is called once for each language.
using DrawFn = std::function<Canvas(Lang)>;

struct Drawer {
  int id = 0;
  DrawFn draw;
  // For previews only: the bitmap this one is drawn over in its gauge (an
  // icon over its background, a needle over its face), 0 when none.
  int drawn_over = 0;
};

class Registry {
 public:
  // Throws std::logic_error when the id already has a drawer.
  void add(int id, DrawFn draw, int drawn_over = 0);

  // nullptr when the id has no drawer yet.
  const Drawer* find(int id) const;

  // Every drawer, in ascending id order.
  const std::vector<Drawer>& drawers() const { return drawers_; }

 private:
  std::vector<Drawer> drawers_;
};

// The drawers of every gauge family.
const Registry& all_drawers();

}  // namespace tavrel::art

#endif  // TAVREL_RESOURCES_ART_REGISTRY_H
