#include "common/platform/file_system.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <iterator>
#include <memory>

#include "common/settings/ini_file.h"
#include "common/encoding/text_encoding.h"
#include "common/encoding/text_file.h"
#include "common/encoding/text_source.h"

#include "tests/support/file_size_cap.h"
#include "tests/support/test_helpers.h"

namespace common {
namespace {

namespace fs = std::filesystem;
using namespace testing_support::helpers;

TEST(ReplaceFileContents, ReplacesTheTargetAndLeavesNoTemporary) {
  ScratchDir dir;
  WriteFile(dir / "s.ini", "old");
  ASSERT_TRUE(ReplaceFileContents(dir / "s.ini", "new"));
  EXPECT_EQ(ReadFile(dir / "s.ini"), "new");
  EXPECT_EQ(FilesIn(dir.Path()), 1);
}

TEST(ReplaceFileContents, FailedWriteLeavesTheTargetAsItWas) {
  ScratchDir dir;
  EXPECT_FALSE(ReplaceFileContents(dir / "no" / "s.ini", "new"));
  EXPECT_FALSE(fs::exists(dir / "no"));

  WriteFile(dir / "s.ini", "old");
  bool replaced = true;
  {
    testing_support::FileSizeCap cap(100);
    replaced = ReplaceFileContents(dir / "s.ini", std::string(1000, 'x'));
  }
  EXPECT_FALSE(replaced);
  EXPECT_EQ(ReadFile(dir / "s.ini"), "old");
  EXPECT_EQ(FilesIn(dir.Path()), 1);
}

TEST(WriteFileSynced, TellsACreateFailureFromAWriteFailure) {
  ScratchDir dir;
  EXPECT_EQ(WriteFileSynced(dir / "no" / "f", "x"), WriteOutcome::kCannotCreate);
  WriteOutcome outcome;
  {
    testing_support::FileSizeCap cap(100);
    outcome = WriteFileSynced(dir / "f", std::string(1000, 'x'));
  }
  EXPECT_EQ(outcome, WriteOutcome::kWriteFailed);
  EXPECT_EQ(WriteFileSynced(dir / "f", "x"), WriteOutcome::kWritten);
  EXPECT_EQ(ReadFile(dir / "f"), "x");
}

// A pipe with no writer would hold a plain open for ever, and /dev/zero never ends: every reader
// refuses both, and a folder, at once. The alarm turns a reader that blocks into a failure.
TEST(OpenRegularFile, EveryReaderRefusesWhatIsNotARegularFile) {
  ScratchDir dir;
  fs::path fifo = dir / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directory(dir / "folder");
  const std::pair<const char*, std::function<bool(const fs::path&)>> readers[] = {
      {"ReadBinaryFile", [](const fs::path& p) { return ReadBinaryFile(p).ok; }},
      {"ReadTextFile", [](const fs::path& p) { return ReadTextFile(p).ok; }},
      {"TextReader", [](const fs::path& p) { return TextReader().Open(p); }},
      {"FileTextSource", [](const fs::path& p) { return FileTextSource::Open(p) != nullptr; }},
      {"DetectFileEncoding", [](const fs::path& p) { return DetectFileEncoding(p).has_value(); }},
      {"IniFile", [](const fs::path& p) { return IniFile::Load(p).has_value(); }},
  };
  ::alarm(20);
  for (const fs::path& special : {fifo, fs::path("/dev/zero"), dir / "folder"}) {
    EXPECT_TRUE(IsSpecialFile(special)) << special;
    for (const auto& [name, read] : readers) EXPECT_FALSE(read(special)) << name << " " << special;
  }
  ::alarm(0);
  WriteFile(dir / "plain", "text");
  EXPECT_FALSE(IsSpecialFile(dir / "plain"));
  EXPECT_FALSE(IsSpecialFile(dir / "missing"));
  for (const auto& [name, read] : readers) EXPECT_TRUE(read(dir / "plain")) << name;
  // The descriptor handed out reads as any other: the non-blocking open leaves no trace.
  int fd = OpenRegularFile(dir / "plain");
  ASSERT_GE(fd, 0);
  char buffer[8];
  EXPECT_EQ(::read(fd, buffer, sizeof buffer), 4);
  ::close(fd);
}

}  // namespace
}  // namespace common
