#include "common/platform/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "common/platform/file_system.h"
#include "tests/support/test_helpers.h"

namespace common {
namespace {

namespace fs = std::filesystem;
using namespace testing_support::helpers;

fs::perms ModeOf(const fs::path& path) { return fs::status(path).permissions(); }

TEST(ReplaceFile, ALinkIsFollowedAndStaysALink) {
  ScratchDir dir;
  fs::create_directory(dir / "texts");
  WriteFile(dir / "texts" / "story.srb", "old");
  fs::create_symlink("texts/story.srb", dir / "link.srb");
  ASSERT_EQ(ReplaceFile(dir / "link.srb", "new"), ReplaceStatus::kOk);
  EXPECT_TRUE(fs::is_symlink(dir / "link.srb"));
  EXPECT_EQ(ReadFile(dir / "texts" / "story.srb"), "new");
  EXPECT_EQ(FilesIn(dir.Path()), 2);
  EXPECT_EQ(FilesIn(dir / "texts"), 1);
}

TEST(ReplaceFile, TheTargetKeepsItsPermissionsAndANewFileGetsTheUsualOnes) {
  ScratchDir dir;
  WriteFile(dir / "kept.txt", "old");
  fs::permissions(dir / "kept.txt", fs::perms::owner_read | fs::perms::owner_write |
                                        fs::perms::group_read | fs::perms::others_read);
  ASSERT_EQ(ReplaceFile(dir / "kept.txt", "new"), ReplaceStatus::kOk);
  EXPECT_EQ(ModeOf(dir / "kept.txt"), fs::perms::owner_read | fs::perms::owner_write |
                                          fs::perms::group_read | fs::perms::others_read);

  mode_t mask = ::umask(022);
  ASSERT_EQ(ReplaceFile(dir / "new.txt", "new"), ReplaceStatus::kOk);
  ::umask(mask);
  EXPECT_EQ(ModeOf(dir / "new.txt"), static_cast<fs::perms>(0644));
}

TEST(ReplaceFile, AReadOnlyTargetIsRefusedAndKept) {
  ScratchDir dir;
  WriteFile(dir / "kept.txt", "old");
  fs::permissions(dir / "kept.txt", fs::perms::owner_read);
  EXPECT_EQ(ReplaceFile(dir / "kept.txt", "new"), ReplaceStatus::kReadOnly);
  EXPECT_EQ(ReadFile(dir / "kept.txt"), "old");
  EXPECT_EQ(FilesIn(dir.Path()), 1);
}

TEST(ReplaceFile, APipeIsWrittenAndNeverReplaced) {
  ScratchDir dir;
  fs::path pipe = dir / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(ReplaceFile(pipe, "through"), ReplaceStatus::kOk);
  char buffer[16] = {};
  ssize_t n = ::read(reader, buffer, sizeof buffer);
  ::close(reader);
  EXPECT_EQ(std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0), "through");
  EXPECT_TRUE(fs::is_fifo(pipe));
  EXPECT_EQ(FilesIn(dir.Path()), 1);
}

TEST(ReplaceFile, AFolderInTheWayIsNotAFile) {
  ScratchDir dir;
  fs::create_directory(dir / "story.srb");
  EXPECT_EQ(ReplaceFile(dir / "story.srb", "new"), ReplaceStatus::kWriteFailed);
  EXPECT_TRUE(fs::is_directory(dir / "story.srb"));
  EXPECT_EQ(FilesIn(dir.Path()), 1);
}

// The temporary name does not grow with the target's, so a target whose name is as long as a
// name may be is still replaced.
TEST(ReplaceFile, ALongestNameStillFits) {
  ScratchDir dir;
  fs::path target = dir / (std::string(251, 'a') + ".txt");
  WriteFile(target, "old");
  ASSERT_EQ(ReplaceFile(target, "new"), ReplaceStatus::kOk);
  EXPECT_EQ(ReadFile(target), "new");
  EXPECT_EQ(FilesIn(dir.Path()), 1);
}

TEST(FileReplacement, AnUncommittedFileLeavesNothingBehind) {
  ScratchDir dir;
  WriteFile(dir / "story.srb", "old");
  {
    FileReplacement replacement(dir / "story.srb");
    ASSERT_EQ(replacement.Begin(), ReplaceStatus::kOk);
    WriteFile(replacement.WritePath(), "half");
    EXPECT_EQ(FilesIn(dir.Path()), 2);
  }
  EXPECT_EQ(ReadFile(dir / "story.srb"), "old");
  EXPECT_EQ(FilesIn(dir.Path()), 1);
}

TEST(MoveFile, KeepsTheTargetsPermissionsAndFollowsALink) {
  ScratchDir dir;
  WriteFile(dir / "work.tmp", "ruby");
  WriteFile(dir / "story.srb", "old");
  fs::permissions(dir / "story.srb", static_cast<fs::perms>(0640));
  fs::create_symlink("story.srb", dir / "link.srb");
  ASSERT_TRUE(MoveFile(dir / "work.tmp", dir / "link.srb"));
  EXPECT_TRUE(fs::is_symlink(dir / "link.srb"));
  EXPECT_EQ(ReadFile(dir / "story.srb"), "ruby");
  EXPECT_EQ(ModeOf(dir / "story.srb"), static_cast<fs::perms>(0640));
  EXPECT_FALSE(fs::exists(dir / "work.tmp"));
}

// Only a free name is taken by the one rename; whatever stands there (a file, a link that leads
// nowhere, a folder) is left as it is, for a replacement to deal with.
TEST(MoveToFreeName, TakesOnlyAFreeNameWithTheUsualPermissions) {
  ScratchDir dir;
  WriteFile(dir / "work.tmp", "ruby");
  fs::permissions(dir / "work.tmp", static_cast<fs::perms>(0600));
  mode_t mask = ::umask(022);
  ASSERT_TRUE(MoveToFreeName(dir / "work.tmp", dir / "story.srb"));
  ::umask(mask);
  EXPECT_EQ(ReadFile(dir / "story.srb"), "ruby");
  EXPECT_EQ(ModeOf(dir / "story.srb"), static_cast<fs::perms>(0644));
  EXPECT_FALSE(fs::exists(dir / "work.tmp"));

  WriteFile(dir / "work.tmp", "new");
  fs::create_symlink("nowhere.srb", dir / "link.srb");
  fs::create_directory(dir / "folder.srb");
  for (const char* taken : {"story.srb", "link.srb", "folder.srb"}) {
    EXPECT_FALSE(MoveToFreeName(dir / "work.tmp", dir / taken)) << taken;
    EXPECT_EQ(ReadFile(dir / "work.tmp"), "new") << taken;
  }
  EXPECT_EQ(ReadFile(dir / "story.srb"), "ruby");
  EXPECT_TRUE(fs::is_symlink(dir / "link.srb"));
}

}  // namespace
}  // namespace common
