// hosttrace: runs every gauge of the module through the same scripted
// sequence on the stand-in host and writes the trace (see trace.h).
//
//   hosttrace [--module PATH] [-o FILE]
//
// The native build traces the linked module (--module is ignored); the
// win32 build loads the .gau at PATH (default: Tavrel_Instr.gau next to the
// program). Without -o the trace goes to standard output.
#include <cstdio>
#include <cstring>
#include <string>

#include "host/host.h"
#include "trace.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
  std::string module_path;
  std::string output;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--module") == 0 && i + 1 < argc) {
      module_path = argv[++i];
    } else if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc) {
      output = argv[++i];
    } else {
      std::fprintf(stderr, "usage: hosttrace [--module PATH] [-o FILE]\n");
      return 2;
    }
  }

  std::string error;
  auto binding = tavrel::host::bind_module(module_path, &error);
  if (binding == nullptr) {
    std::fprintf(stderr, "hosttrace: %s\n", error.c_str());
    return 1;
  }
  std::string text;
  {
    tavrel::host::Host host(std::move(binding));
    tavrel::hosttrace::Tracer tracer(host);
    tracer.run_all();
    text = tracer.text();
  }

  FILE* out = stdout;
  if (!output.empty()) {
    out = std::fopen(output.c_str(), "wb");
    if (out == nullptr) {
      std::fprintf(stderr, "hosttrace: cannot write %s\n", output.c_str());
      return 1;
    }
  } else {
#if defined(_WIN32)
    _setmode(_fileno(stdout), _O_BINARY);  // the same bytes as the native trace
#endif
  }
  bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  written = (out == stdout ? std::fflush(out) : std::fclose(out)) == 0 && written;
  if (!written) {
    std::fprintf(stderr, "hosttrace: writing the trace failed\n");
    return 1;
  }
  return 0;
}
