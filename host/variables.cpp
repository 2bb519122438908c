#include "host/variables.h"

#include <cmath>

namespace tavrel::host {
namespace {

// Whole numbers toward zero, held at the ends of the 32-bit range; not a
// number gives 0 (a plain cast of any of these is undefined).
int32_t saturated(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return INT32_MAX;
  if (value <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(value);
}

}  // namespace

bool VariableStore::is_enumerated(uint32_t token) {
  // Selected fuel tank, DME source selector and the RMI's flag variable.
  return token == 307 || token == 355 || token == 46;
}

void VariableStore::set(uint32_t token, double value) {
  if (is_enumerated(token)) {
    set_integer(token, saturated(value));
    return;
  }
  VarValue v{};
  v.number = value;
  store(token, v);
}

void VariableStore::set_integer(uint32_t token, int32_t value) {
  VarValue v{};
  v.integer = value;
  store(token, v);
}

void VariableStore::store(uint32_t token, VarValue value) {
  values_[token] = value;
  if (token < kTableSize) table_[token] = value;
}

VarValue VariableStore::raw(uint32_t token) const {
  if (token < kTableSize) return table_[token];
  auto found = values_.find(token);
  if (found != values_.end()) return found->second;
  VarValue zero{};
  zero.number = 0.0;
  return zero;
}

double VariableStore::number(uint32_t token) const {
  VarValue v = raw(token);
  return is_enumerated(token) ? static_cast<double>(v.integer) : v.number;
}

void VariableStore::fill(ModuleVar& var) const {
  var.var_old = var.var_value;
  var.var_value = raw(var.id);
}

}  // namespace tavrel::host
