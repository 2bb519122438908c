// The gauge reference: every gauge's facts (host/gauge_facts.h) as a
// Markdown page, with its picture by day and at night beside it.
#pragma once

#include <string>
#include <vector>

#include "host/gauge_facts.h"
#include "host/render.h"
#include "host/state_file.h"

namespace tavrel::gaugedoc {

// The page, its pictures named `pictures`/NAME-day.png and -night.png
// relative to it.
std::string reference_markdown(const std::vector<host::GaugeFacts>& facts,
                               const std::string& pictures);

// Draws each gauge alone as the page shows it, with `state` set (night
// with the state's panel lights), over the panel's colour, into
// `folder`/NAME-day.png and NAME-night.png. Throws HostError when a picture
// cannot be drawn or written.
void draw_reference_pictures(host::Host& host, host::Renderer& renderer,
                             const std::vector<host::GaugeFacts>& facts,
                             const std::vector<host::VariableSetting>& state,
                             const std::string& folder);

}  // namespace tavrel::gaugedoc
