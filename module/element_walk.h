// Walking a gauge's element tree in the host's order: parent before children,
// children in list order. The stand-in host, the art program, the tools and
// the tests all walk trees this way; this is the one walk they share.
// Header-only, so it costs the shipped module nothing unless a gauge uses it.
#pragma once

#include <type_traits>

#include "module/elements.h"
#include "module/records.h"

namespace tavrel {

// Bounds on what a walk visits, so that damaged records (a cycle, a list
// without its null) cannot run away.
constexpr int kMaxWalkDepth = 64;
constexpr int kMaxWalkChildren = 256;
constexpr int kMaxWalkElements = 4096;

namespace walk_detail {

// Returns false when the visitor asked to stop.
template <typename Visit>
bool visit_tree(const ElementHeader* element, int depth, int& budget, Visit& visit) {
  if (element == nullptr || depth > kMaxWalkDepth || budget <= 0) return true;
  --budget;
  if constexpr (std::is_same_v<decltype(visit(*element, depth)), bool>) {
    if (!visit(*element, depth)) return false;
  } else {
    visit(*element, depth);
  }
  if (element->next_element == nullptr) return true;
  for (int i = 0; i < kMaxWalkChildren && element->next_element[i] != nullptr; ++i) {
    if (!visit_tree(element->next_element[i], depth + 1, budget, visit)) return false;
  }
  return true;
}

}  // namespace walk_detail

// Calls visit(const ElementHeader& element, int depth) for every element of
// the tree under root (depth 0), in tree order. A visitor that returns bool
// stops the walk by returning false.
template <typename Visit>
void for_each_element(const ElementHeader* root, Visit&& visit) {
  int budget = kMaxWalkElements;
  walk_detail::visit_tree(root, 0, budget, visit);
}

// The same over a gauge's tree, from its single root.
template <typename Visit>
void for_each_element(const GaugeHeader& gauge, Visit&& visit) {
  if (gauge.element_list == nullptr) return;
  for_each_element(gauge.element_list[0], visit);
}

// The first element in tree order whose own bitmap id is bitmap_id (for an
// icon run, a moving image or a sprite: the first id, not the later ones or
// the mask), or null when the gauge has none.
inline const ElementHeader* find_element(const GaugeHeader& gauge, int bitmap_id) {
  const ElementHeader* found = nullptr;
  for_each_element(gauge, [&](const ElementHeader& e, int) {
    if (e.resource_id != bitmap_id) return true;
    found = &e;
    return false;
  });
  return found;
}

}  // namespace tavrel
