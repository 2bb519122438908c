#include "host/variables.h"

#include <array>
#include <cmath>

#include "host/catalogue.h"

namespace tavrel::host {
namespace {

// Which tokens below the table's size the host holds as integers, from the
// catalogue, found without a search (every element's update asks).
constexpr auto kIntegerTokens = [] {
  std::array<bool, VariableStore::kTableSize> integer{};
  for (const catalogue::Token& t : catalogue::kTokens) {
    if (t.number < integer.size()) integer[t.number] = t.holds == catalogue::Holds::kInteger;
  }
  return integer;
}();

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
  if (token < kTableSize) return kIntegerTokens[token];
  const catalogue::Token* known = find_token(token);
  return known != nullptr && known->holds == catalogue::Holds::kInteger;
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
