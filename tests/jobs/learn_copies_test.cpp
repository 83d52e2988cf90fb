// Learning into a user dictionary that the program folder links to from a folder the user may
// not write, as an installed program's is: the user gets copies of their own that keep every
// entry, the system's files stay as they were, and this is told once.
#include "jobs/learn_copies.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "common/encoding/text_source.h"
#include "common/message_format.h"
#include "common/platform/program_dir.h"
#include "common/platform/working_files.h"
#include "dictionary/build_command.h"
#include "jobs/learn_job.h"
#include "jobs/messages.h"
#include "tests/support/test_helpers.h"

namespace jobs {
namespace {

namespace fs = std::filesystem;
using namespace testing_support::helpers;

constexpr fs::perms kReadOnlyFolder = fs::perms::owner_read | fs::perms::owner_exec;

class LearnIntoSystemDictionary : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(system_ / "dic");
    fs::create_directories(home_ / "dic");
    const std::string words = Sjis("# system\r\n人,ひと\r\n");
    WriteFile(system_ / "dic" / "Qv_Users.pre", words);
    RecordingMessenger quiet;
    quiet.default_answer = common::Answer::kNo;
    common::StringTextSource text(words);
    ASSERT_EQ(dictionary::RunDictionaryBuild(text, system_ / "dic" / "Qv_Users",
                                             common::ProgramDir(system_.Path()),
                                             common::WorkDir(work_.Path()), quiet)
                  .status,
              dictionary::BuildStatus::kOk);
    for (const char* name : {"Qv_Users.pre", "Qv_Users.dic"}) {
      fs::permissions(system_ / "dic" / name, fs::perms::owner_read, fs::perm_options::replace);
      fs::create_symlink(system_ / "dic" / name, home_ / "dic" / name);
    }
    fs::permissions(system_ / "dic", kReadOnlyFolder, fs::perm_options::replace);
    system_source_ = ReadFile(system_ / "dic" / "Qv_Users.pre");
    system_dictionary_ = ReadFile(system_ / "dic" / "Qv_Users.dic");
  }
  void TearDown() override { fs::permissions(system_ / "dic", fs::perms::owner_all); }

  LearnStatus Learn(const char* word, const char* reading, RecordingMessenger& messenger) {
    LearnPlan plan;
    plan.added.push_back({Sjis(word), Sjis(reading)});
    messenger.Script({common::Answer::kOk, common::Answer::kNo});  // overwrite, no report
    return ApplyLearning(plan, home_ / "dic" / "Qv_Users.dic", common::ProgramDir(home_.Path()),
                         common::WorkDir(work_.Path()), messenger);
  }

  int Notices(const RecordingMessenger& messenger) const {
    const fs::path dictionary = home_ / "dic" / "Qv_Users.dic";
    const std::string notice = common::FormatMessage(
        messages::kOwnDictionaryMade, {dictionary.string(), (home_ / "dic").string()});
    int count = 0;
    for (const auto& record : messenger.records) count += record.text == notice;
    return count;
  }

  ScratchDir system_;
  ScratchDir home_;
  ScratchDir work_;
  std::string system_source_;
  std::string system_dictionary_;
};

TEST_F(LearnIntoSystemDictionary, TheUserGetsOwnCopiesThatKeepEveryEntry) {
  RecordingMessenger messenger;
  ASSERT_EQ(Learn("山", "やま", messenger), LearnStatus::kOk)
      << (messenger.records.empty() ? "" : messenger.records.back().text);
  EXPECT_EQ(Notices(messenger), 1);
  for (const char* name : {"Qv_Users.pre", "Qv_Users.dic"}) {
    EXPECT_FALSE(fs::is_symlink(home_ / "dic" / name)) << name;
  }
  EXPECT_EQ(ReadFile(home_ / "dic" / "Qv_Users.pre"), system_source_ + Sjis("山,やま\r\n"));
  EXPECT_EQ(ReadFile(home_ / "dic" / "Qv_Users.~pre"), system_source_);
  EXPECT_EQ(ReadFile(system_ / "dic" / "Qv_Users.pre"), system_source_);
  EXPECT_EQ(ReadFile(system_ / "dic" / "Qv_Users.dic"), system_dictionary_);
  EXPECT_NE(ReadFile(home_ / "dic" / "Qv_Users.dic"), system_dictionary_);

  RecordingMessenger again;
  ASSERT_EQ(Learn("川", "かわ", again), LearnStatus::kOk);
  EXPECT_EQ(Notices(again), 0);
  EXPECT_EQ(ReadFile(home_ / "dic" / "Qv_Users.pre"),
            system_source_ + Sjis("山,やま\r\n川,かわ\r\n"));
}

// The user's folder takes no copy: the links stay, and learn says why it stopped.
TEST_F(LearnIntoSystemDictionary, AFolderWithoutRoomKeepsTheLinks) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  fs::permissions(home_ / "dic", kReadOnlyFolder, fs::perm_options::replace);
  RecordingMessenger messenger;
  EXPECT_EQ(Learn("山", "やま", messenger), LearnStatus::kSourceNotWritten);
  fs::permissions(home_ / "dic", fs::perms::owner_all);
  EXPECT_TRUE(fs::is_symlink(home_ / "dic" / "Qv_Users.pre"));
  EXPECT_EQ(Notices(messenger), 0);
}

}  // namespace
}  // namespace jobs
