// A file that cannot be read to its end: the tool fails with a message and writes nothing,
// rather than work on the part it could read.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/cli/cli_runner.h"
#include "tests/cli/failing_disk.h"

namespace cli {
namespace {

constexpr std::size_t kReadableBytes = 100000;  // past the first piece a command reads

// `line` repeated until the file reaches well past the readable part, then `last`.
void WriteLongFile(const std::filesystem::path& file, std::string_view line,
                   std::string_view last) {
  std::string text;
  while (text.size() < 2 * kReadableBytes) text += Sjis(line);
  WriteFile(file, text + Sjis(last));
}

TEST(CliReadError, CommandFailsAndWritesNothing) {
  ProgramFolder home;
  ASSERT_EQ(home.BuildDictionary("Qv_Body", Sjis("漢字,かん*じ\r\n")).exit_code, 0);
  std::string srb = (home / "c.srb").string();
  WriteLongFile(srb, "{漢/かん}{字/じ}\r\n", "{漢字かんじ}\r\n");  // the fault is out of reach
  WriteLongFile(home / "a.txt", "漢字の本。\r\n", "");
  WriteLongFile(home / "b.pre", "漢字,かん*じ\r\n", "");
  std::string cannot_read = "【ご注意!!】 ファイル<" + srb + ">を読み込めませんでした。\n";
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"check", srb}, cannot_read},
      {{"check", srb, "--from", "150000"}, cannot_read},  // the start point is out of reach
      {{"ruby", (home / "a.txt").string()}, "を読み込めませんでした。\nるび振りは中止します。"},
      {{"--no", "build-dic", (home / "b.pre").string()}, "最後まで読み込めませんでした。"},
  };
  FailingDisk disk(kReadableBytes);
  for (const auto& [args, complaint] : cases) {
    CliRun run = home.Run(args);
    EXPECT_EQ(run.exit_code, 1) << args.back();
    EXPECT_TRUE(Contains(run.err, complaint)) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(std::filesystem::exists(home / "a.srb"));
  EXPECT_FALSE(std::filesystem::exists(home / "b.dic"));
}

}  // namespace
}  // namespace cli
