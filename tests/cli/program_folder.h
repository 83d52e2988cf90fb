// A scratch program folder for the tests of cli/: dic/, a settings file, dictionaries built
// through the tool itself.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tests/cli/cli_runner.h"
#include "tests/support/test_files.h"

namespace cli {

class ProgramFolder {
 public:
  ProgramFolder() { std::filesystem::create_directories(DicDir()); }

  std::filesystem::path Path() const { return dir_.Path(); }
  std::filesystem::path DicDir() const { return dir_ / "dic"; }
  std::filesystem::path operator/(std::string_view name) const { return dir_ / name; }
  std::string Home() const { return dir_.Path().string(); }

  // Runs the tool with --home set to this folder.
  CliRun Run(std::vector<std::string> args) const {
    args.insert(args.begin(), {"--home", Home()});
    return RunCli(std::move(args));
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
