#include "common/file_system.h"

#include <gtest/gtest.h>

#include <iterator>

#include "tests/support/file_size_cap.h"
#include "tests/support/test_files.h"

namespace common {
namespace {

namespace fs = std::filesystem;
using testing_support::FilesIn;
using testing_support::ReadFile;
using testing_support::ScratchDir;
using testing_support::WriteFile;

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

}  // namespace
}  // namespace common
