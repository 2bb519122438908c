// Flight states for gaugeview: token variables given as TOKEN=VALUE, on the
// command line (--set) or in a state file, one setting a line, with '#'
// comments and blank lines. TOKEN is a number or the token's name in the
// catalogue (indicated_airspeed=110).
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "host/variables.h"

namespace tavrel::host {

struct VariableSetting {
  uint32_t token = 0;
  double value = 0.0;
};

// Reads "TOKEN=VALUE" (spaces allowed around both): a token number from 1
// up or a token's name, and a decimal number ("12", "-0.5", "2.5e3") or nan, inf, -inf. False
// with the reason in `error`.
bool parse_setting(std::string_view text, VariableSetting& out, std::string& error);

// Reads a state file from its bytes, saved as authors save them
// (host/text_file.h). False at the first bad line, with "NAME:LINE:
// reason" in `error` (`name` is the file name used in messages).
bool parse_state(std::string_view bytes, const std::string& name, std::vector<VariableSetting>& out,
                 std::string& error);
bool parse_state(std::istream& in, const std::string& name, std::vector<VariableSetting>& out,
                 std::string& error);
// The same from a file; an unreadable file is an error too, with the
// system's reason.
bool read_state_file(const std::string& path, std::vector<VariableSetting>& out,
                     std::string& error);

void apply_settings(const std::vector<VariableSetting>& settings, VariableStore& variables);

}  // namespace tavrel::host
