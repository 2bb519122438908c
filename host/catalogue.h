// The catalogue of the host's numbers (module/catalogue.h) for the host's
// readers: look-ups by number and by name, the tooltip texts, and the
// catalogue written out whole, as JSON for the web page and as the tables
// of docs/catalogue.md.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "module/catalogue.h"

namespace tavrel::host {

// The token with this number or short name, or null.
const catalogue::Token* find_token(uint32_t number);
const catalogue::Token* find_token(std::string_view name);
// The key event with this number, or null.
const catalogue::KeyEvent* find_key_event(uint32_t number);

// The text for a help id, or an empty view when the catalogue has none.
std::string_view help_text(uint32_t help_id);

// A text as a JSON string, quotes and escapes included.
std::string json_string(std::string_view text);

// The whole catalogue as one JSON object: {"tokens": [...], "key_events":
// [...], "tooltips": [...], "panel_windows": [...]}.
std::string catalogue_json();

// The whole catalogue as Markdown tables (what docs/catalogue.md holds).
std::string catalogue_markdown();

}  // namespace tavrel::host
