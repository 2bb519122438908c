// The parameter-string examples of docs/parameters.md, run as a panel author would
// run them: every "$ gaugeview ..." line of a marked block is run through
// the shell and must print exactly the lines that follow it. And the tables
// of docs/catalogue.md, as gaugeview prints them.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* kMarker = "<!-- examples: tests/tools/readme_examples_test.cpp";

struct Example {
  int line = 0;
  std::string command;  // after "$ "
  std::string expected;
};

// The examples of a marked block of a file of the project.
std::vector<Example> examples_of(const std::string& file) {
  std::ifstream readme(std::string(TAVREL_SOURCE_DIR) + "/" + file);
  std::vector<Example> examples;
  std::string text;
  int number = 0;
  bool marked = false, inside = false;
  while (std::getline(readme, text)) {
    ++number;
    if (!inside) {
      if (text.rfind(kMarker, 0) == 0) marked = true;
      if (marked && text.rfind("```", 0) == 0) inside = true;
      continue;
    }
    if (text.rfind("```", 0) == 0) {
      inside = marked = false;
    } else if (text.rfind("$ ", 0) == 0) {
      examples.push_back({number, text.substr(2), ""});
    } else if (!examples.empty() && !text.empty()) {
      examples.back().expected += text + "\n";
    }
  }
  return examples;
}

std::string run(const std::string& command) {
  // One file a process: ctest runs the tests of this file side by side.
  const std::string out =
      ::testing::TempDir() + "readme_example_" + std::to_string(getpid()) + ".txt";
  // From the project's folder, as the paths of the examples are written.
  std::string line = command;
  if (line.rfind("gaugeview ", 0) == 0) line = std::string(TAVREL_GAUGEVIEW) + line.substr(9);
  line = "cd '" + std::string(TAVREL_SOURCE_DIR) + "' && " + line;
  int status = std::system(("(" + line + ") >" + out + " 2>/dev/null </dev/null").c_str());
  std::stringstream text;
  text << std::ifstream(out).rdbuf();
  std::remove(out.c_str());
  if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return "exit status " + std::to_string(status) + "\n" + text.str();
  }
  return text.str();
}

void expect_each_prints_what_it_shows(const std::vector<Example>& examples,
                                      const std::string& file) {
  for (const Example& example : examples) {
    ASSERT_EQ(example.command.rfind("gaugeview ", 0), 0u) << file << ":" << example.line;
    EXPECT_EQ(run(example.command), example.expected)
        << file << ":" << example.line << ": " << example.command;
  }
}

TEST(ReadmeExamples, EveryParameterStringExamplePrintsWhatTheReadmeShows) {
  std::vector<Example> examples = examples_of("docs/parameters.md");
  // The reference shows the click of every key, the comment rule and the
  // fallback; losing the block or its marker must not pass silently.
  ASSERT_GE(examples.size(), 24u);
  expect_each_prints_what_it_shows(examples, "docs/parameters.md");
}

// docs/gaugeview.md's examples: the version, the list, a three-window panel
// and a sequence of clicks on it, the check of a clean panel.
TEST(DocsExamples, EveryGaugeviewExamplePrintsWhatTheDocsShow) {
  std::vector<Example> examples = examples_of("docs/gaugeview.md");
  ASSERT_GE(examples.size(), 6u);
  expect_each_prints_what_it_shows(examples, "docs/gaugeview.md");
}

// docs/catalogue.md holds, after its marker line, exactly what `gaugeview
// catalogue` prints: the reference panel authors read is the catalogue the
// gauges and the host use.
TEST(Docs, CatalogueIsWhatGaugeviewPrints) {
  std::ifstream file(std::string(TAVREL_SOURCE_DIR) + "/docs/catalogue.md");
  std::string text, line;
  bool marked = false;
  while (std::getline(file, line)) {
    if (marked) text += line + "\n";
    if (line.rfind("<!-- catalogue:", 0) == 0) marked = true;
  }
  ASSERT_TRUE(marked) << "docs/catalogue.md has lost its marker line";
  EXPECT_EQ(run("gaugeview catalogue"), text)
      << "docs/catalogue.md is out of date: gaugeview catalogue writes its tables";
}

}  // namespace
