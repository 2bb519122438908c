#include "host/variables.h"

namespace tavrel::host {

bool VariableStore::is_enumerated(uint32_t token) {
  // Selected fuel tank, DME source selector and the RMI's flag variable.
  return token == 307 || token == 355 || token == 46;
}

void VariableStore::set(uint32_t token, double value) {
  if (is_enumerated(token)) {
    // The integer's 32 bits, also for values written unsigned (4294967295
    // is -1); a value that is no 32-bit integer at all reads as 0.
    const bool integral = value >= -2147483648.0 && value <= 4294967295.0;
    const int64_t whole = integral ? static_cast<int64_t>(value) : 0;
    set_integer(token, static_cast<int32_t>(static_cast<uint32_t>(whole)));
    return;
  }
  VarValue v{};
  v.number = value;
  values_[token] = v;
}

void VariableStore::set_integer(uint32_t token, int32_t value) {
  VarValue v{};
  v.integer = value;
  values_[token] = v;
}

VarValue VariableStore::raw(uint32_t token) const {
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
