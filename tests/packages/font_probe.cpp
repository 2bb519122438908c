// Asks the renderer's font library for every face it stands in for, regular
// and bold, and prints the file each comes from, so that a trace of this
// program sees every font file the renderer can open. Exit 1 when a face is
// missing.
#include <cstdio>

#include "host/fonts.h"

int main() {
  using tavrel::host::FontFace;
  tavrel::host::FontLibrary fonts;
  for (FontFace face : {FontFace::kSans, FontFace::kArial, FontFace::kSevenSegment}) {
    for (bool bold : {false, true}) {
      const tavrel::host::Font* font = fonts.font(face, bold);
      std::printf("%s\n", font != nullptr ? font->path().c_str() : "-");
    }
  }
  for (const std::string& file : fonts.missing()) {
    std::fprintf(stderr, "font_probe: %s not found\n", file.c_str());
  }
  return fonts.missing().empty() ? 0 : 1;
}
