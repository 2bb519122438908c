// Writing a canvas to a PNG file.
#pragma once

#include <string>

#include "host/render.h"

namespace tavrel::tools {

// False, with the reason in `error`, when the file cannot be written.
bool write_png(const std::string& path, const host::Canvas& canvas, std::string& error);

}  // namespace tavrel::tools
