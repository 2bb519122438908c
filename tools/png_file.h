// Writing a canvas to a PNG file.
#pragma once

#include <string>

#include "host/render.h"

namespace tavrel::tools {

// False, with the reason in `error`, when the file cannot be written. An
// opaque picture is written without its alpha channel (a smaller file).
bool write_png(const std::string& path, const host::Canvas& canvas, std::string& error,
               bool opaque = false);

}  // namespace tavrel::tools
