// The host's token variables: 64-bit floats in the host's units, except the
// enumerated and flag variables, which hold a 32-bit integer in the first
// four bytes of the value (which ones, the catalogue says).
#pragma once

#include <array>
#include <cstdint>
#include <map>

#include "module/records.h"

namespace tavrel::host {

class VariableStore {
 public:
  static bool is_enumerated(uint32_t token);

  // Sets a variable from a number: stored as a float, or truncated toward
  // zero to an integer for enumerated variables (held at the ends of the
  // 32-bit range; not a number gives 0).
  void set(uint32_t token, double value);
  void set_integer(uint32_t token, int32_t value);

  // The value as a number (enumerated variables converted from their
  // integer); 0 for a variable never set.
  double number(uint32_t token) const;
  VarValue raw(uint32_t token) const;

  // Fills a source variable the way the host does before an element is
  // drawn: the previous value moves to var_old.
  void fill(ModuleVar& var) const;

  // Every variable ever set, by token.
  const std::map<uint32_t, VarValue>& all() const { return values_; }

  // Tokens below this are also kept in a table indexed by token, which every
  // element's update reads (a tree look-up per variable per element showed
  // as a fifth of the host's update).
  static constexpr uint32_t kTableSize = 1024;

 private:
  void store(uint32_t token, VarValue value);

  std::map<uint32_t, VarValue> values_;
  std::array<VarValue, kTableSize> table_{};  // zero: never set
};

}  // namespace tavrel::host
