// Runs the command-line tool in-process with captured output, in a scratch program folder,
// as the tests of cli/ need it.
#pragma once

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/run.h"
#include "tests/support/test_files.h"

namespace cli {

namespace fs = std::filesystem;
using testing_support::BytesEqual;
using testing_support::ReadFile;
using testing_support::ScratchDir;
using testing_support::Sjis;
using testing_support::TestData;
using testing_support::WriteFile;

// A golden file of tests/data/cli/<folder>/.
inline std::string Golden(std::string_view folder, std::string_view name) {
  return ReadFile(TestData("cli/" + std::string(folder) + "/" + std::string(name)));
}

struct CliRun {
  int exit_code = -1;
  std::string out;
  std::string err;
};

inline bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// `args` without the program name. Nobody sits at the terminal, so a question gets the
// cautious answer unless --yes is given.
// Standard input reads `bytes` while this lives.
class StandardInput {
 public:
  explicit StandardInput(std::string bytes) : buffer_(std::move(bytes)) {
    previous_ = std::cin.rdbuf(&buffer_);
    std::cin.clear();
  }
  ~StandardInput() {
    std::cin.rdbuf(previous_);
    std::cin.clear();
  }
  StandardInput(const StandardInput&) = delete;
  StandardInput& operator=(const StandardInput&) = delete;

 private:
  std::stringbuf buffer_;
  std::streambuf* previous_ = nullptr;
};

// The tests of the command line pin the main dictionary's own readings (--reading
// dictionary), whatever analyser the machine has; a test of the context reading says so.
inline CliRun RunCli(std::vector<std::string> args) {
  bool reading_chosen = false;
  for (const std::string& arg : args) reading_chosen = reading_chosen || arg == "--reading";
  auto ruby = std::find(args.begin(), args.end(), "ruby");
  if (ruby != args.end() && !reading_chosen) args.insert(ruby + 1, "--reading=dictionary");
  args.insert(args.begin(), "mirukaze-cli");
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::ostringstream out;
  std::ostringstream err;
  CliRun run;
  run.exit_code = Run(static_cast<int>(args.size()), argv.data(), out, err,
                      [](std::string_view) -> std::optional<bool> { return std::nullopt; });
  run.out = out.str();
  run.err = err.str();
  return run;
}

// A scratch program folder with an empty dic/ and no settings file.
class ProgramFolder {
 public:
  ProgramFolder() { std::filesystem::create_directories(DicDir()); }

  std::filesystem::path DicDir() const { return dir_ / "dic"; }
  std::filesystem::path operator/(std::string_view name) const { return dir_ / name; }
  std::string Home() const { return dir_.Path().string(); }

  // Runs the tool with --home set to this folder.
  CliRun Run(std::vector<std::string> args) const {
    args.insert(args.begin(), {"--home", Home()});
    return RunCli(std::move(args));
  }
  // The same with `input` on standard input.
  CliRun RunWithInput(std::string input, std::vector<std::string> args) const {
    StandardInput standard_input(std::move(input));
    return Run(std::move(args));
  }

  // Builds `source_bytes` as dic/<name>.pre (answering No to the report question); the
  // dictionary lands where the source's name sends it.
  CliRun BuildDictionary(std::string_view name, std::string_view source_bytes) const {
    std::filesystem::path source = DicDir() / (std::string(name) + ".pre");
    testing_support::WriteFile(source, source_bytes);
    return Run({"--no", "build-dic", source.string()});
  }

  void WriteSettings(std::string_view ini_bytes) const {
    testing_support::WriteFile(dir_ / "qelvoVR11.ini", ini_bytes);
  }

 private:
  testing_support::ScratchDir dir_;
};

}  // namespace cli
