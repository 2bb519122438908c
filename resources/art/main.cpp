// tavrel_art_gen OUTDIR [--preview]: draws every bitmap that has a drawer and
// the click sound into OUTDIR (see generate.h), and the sample panel's window
// backgrounds into OUTDIR/panel (panel_backdrops.h).
#include <cstdio>
#include <cstring>
#include <exception>

#include "generate.h"
#include "panel_backdrops.h"

int main(int argc, char** argv) {
  tavrel::art::GenerateOptions options;
  const char* out_dir = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--preview") == 0) {
      options.previews = true;
    } else if (out_dir == nullptr && argv[i][0] != '-') {
      out_dir = argv[i];
    } else {
      out_dir = nullptr;
      break;
    }
  }
  if (out_dir == nullptr) {
    std::fprintf(stderr, "usage: tavrel_art_gen OUTDIR [--preview]\n");
    return 2;
  }
  try {
    tavrel::art::write_panel_backdrops(out_dir);
    tavrel::art::generate(tavrel::art::all_drawers(), out_dir, options);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tavrel_art_gen: %s\n", e.what());
    return 1;
  }
  return 0;
}
