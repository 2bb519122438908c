// gaugedoc: the documents of a release, written from the module and from
// our Markdown (docs/gaugeview.md, "The gauge reference"):
//
//   gaugedoc reference FOLDER --state FILE
//       FOLDER/reference.md and its pictures, FOLDER/reference/NAME-day.png
//       and NAME-night.png, from the linked module's records
//   gaugedoc html -o OUT.html --title TITLE [--version V] DOC.md...
//       the documents as one self-contained page (pictures inside)
//   gaugedoc text -o OUT.txt [--version V] DOC.md...
//       the documents as plain text with CR LF line ends
//
// "@VERSION@" in a document stands for the --version given.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/binding.h"
#include "host/fonts.h"
#include "host/gauge_facts.h"
#include "host/host.h"
#include "host/render.h"
#include "host/state_file.h"
#include "tools/gaugedoc/markdown.h"
#include "tools/gaugedoc/reference.h"

namespace tavrel::gaugedoc {
namespace {

namespace fs = std::filesystem;

const char kUsage[] =
    "usage: gaugedoc reference FOLDER --state FILE\n"
    "       gaugedoc html -o OUT.html --title TITLE [--version V] DOC.md...\n"
    "       gaugedoc text -o OUT.txt [--version V] DOC.md...\n";

struct Options {
  std::string command;
  std::vector<std::string> positional;
  std::string output, title, version, state;
};

Options parse(int argc, char** argv) {
  if (argc < 2) throw std::invalid_argument("no command given");
  Options o;
  o.command = argv[1];
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw std::invalid_argument(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "-o") {
      o.output = value();
    } else if (arg == "--title") {
      o.title = value();
    } else if (arg == "--version") {
      o.version = value();
    } else if (arg == "--state") {
      o.state = value();
    } else if (!arg.empty() && arg[0] == '-') {
      throw std::invalid_argument("unknown option " + arg);
    } else {
      o.positional.push_back(arg);
    }
  }
  const bool reference = o.command == "reference";
  if (!reference && o.command != "html" && o.command != "text") {
    throw std::invalid_argument("unknown command " + o.command);
  }
  if (reference && (o.positional.size() != 1 || o.state.empty())) {
    throw std::invalid_argument("reference takes a folder and --state FILE");
  }
  if (!reference && (o.positional.empty() || o.output.empty())) {
    throw std::invalid_argument(o.command + " takes -o OUT and at least one document");
  }
  if (o.command == "html" && o.title.empty()) throw std::invalid_argument("html needs --title");
  return o;
}

void write_file(const std::string& path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::vector<Document> documents(const Options& o) {
  std::vector<Document> docs;
  for (const std::string& path : o.positional) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw DocumentError("cannot read " + path);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    for (size_t at = text.find("@VERSION@"); at != std::string::npos; at = text.find("@VERSION@")) {
      text.replace(at, 9, o.version);
    }
    docs.push_back(parse_markdown(text, path));
  }
  return docs;
}

int reference(const Options& o) {
  std::vector<host::VariableSetting> state;
  std::string error;
  if (!host::read_state_file(o.state, state, error)) throw std::runtime_error(error);
  const fs::path folder = o.positional[0];
  const fs::path pictures = folder / "reference";
  fs::create_directories(pictures);
  // Pictures of gauges that are no longer there would only mislead.
  for (const auto& entry : fs::directory_iterator(pictures)) {
    if (entry.path().extension() == ".png") fs::remove(entry.path());
  }
  std::unique_ptr<host::ModuleBinding> binding = host::bind_module("", &error);
  if (!binding) throw std::runtime_error(error);
  host::Host h(std::move(binding));
  const std::vector<host::GaugeFacts> facts = host::gauge_facts(h);
  host::FontLibrary fonts;
  host::Renderer renderer(h.bitmaps(), fonts);
  draw_reference_pictures(h, renderer, facts, state, pictures.string());
  write_file((folder / "reference.md").string(), reference_markdown(facts, "reference"));
  return 0;
}

int run(int argc, char** argv) {
  const Options o = parse(argc, argv);
  if (o.command == "reference") return reference(o);
  if (o.command == "html") {
    write_file(o.output, render_html(documents(o), o.title));
    return 0;
  }
  std::string text = render_text(documents(o));
  std::string crlf;
  for (char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  write_file(o.output, crlf);
  return 0;
}

}  // namespace
}  // namespace tavrel::gaugedoc

int main(int argc, char** argv) {
  try {
    return tavrel::gaugedoc::run(argc, argv);
  } catch (const std::invalid_argument& e) {
    std::fprintf(stderr, "gaugedoc: %s\n%s", e.what(), tavrel::gaugedoc::kUsage);
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gaugedoc: error: %s\n", e.what());
    return 1;
  }
}
