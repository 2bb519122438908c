// What `gaugeview check` says about a gauge's parameter string: slips that
// the gauge would take quietly (a key hidden by a comment, an icon it
// refuses, a font key that swallows the colours, an hours file Windows
// cannot create). The rules are the parameter languages README.md
// describes; the module's own readers are not called, so the check works on
// the Windows build's module too.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavrel::host {

// The notes for one gauge line, each "what, and the way out"; none for a
// gauge whose string means nothing or holds no slip.
std::vector<std::string> parameter_notes(std::string_view gauge, std::string_view parameters);

}  // namespace tavrel::host
