#include "common/settings/applications.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "tests/support/recording_messenger.h"
#include "tests/support/test_files.h"

namespace common {
namespace {

using testing_support::RecordingMessenger;
using testing_support::ShowedOnly;

Settings WithApplications(std::initializer_list<const char*> names) {
  Settings settings = LoadSettings("/nonexistent");
  int slot = 0;
  for (const char* name : names) {
    settings.app_names[slot] = name;
    settings.app_paths[slot] = std::string("/opt/") + name;
    ++slot;
  }
  return settings;
}

std::vector<std::string> NamesOf(const Settings& settings) {
  return {settings.app_names.begin(), settings.app_names.end()};
}

class RecordingStarter final : public ProgramStarter {
 public:
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override {
    this->program = program;
    this->arguments = arguments;
    return starts;
  }
  bool starts = true;
  std::string program;
  std::vector<std::string> arguments;
};

TEST(Applications, MenuShowsTheSlotsBeforeTheFirstEmptyName) {
  Settings settings = WithApplications({"ed", "view", "", "late"});
  EXPECT_EQ(RegisteredApplications(settings), 2);
  auto entries = ApplicationEntries(settings);
  EXPECT_TRUE(entries[0].shown);
  EXPECT_EQ(entries[1].caption, "◆ view");
  for (int slot = 2; slot < kApplicationSlots; ++slot) {
    EXPECT_FALSE(entries[slot].shown) << slot;
    EXPECT_EQ(entries[slot].caption, "・・・・・");
  }
}

// The settings file keeps CP932, as it always has; menus and programs get UTF-8.
TEST(Applications, JapaneseNamesAreKeptInCp932AndShownInUtf8) {
  Settings settings = WithApplications({});
  ASSERT_TRUE(AddApplication(settings, "編集", "/opt/エディタ/run"));
  EXPECT_EQ(settings.app_names[0], testing_support::Sjis("編集"));
  EXPECT_EQ(ApplicationEntries(settings)[0].caption, "◆ 編集");
  EXPECT_EQ(ApplicationProgram(settings, 0), "/opt/エディタ/run");
  RecordingMessenger messenger;
  EXPECT_EQ(CheckNewApplication(settings, "編集", messenger), RegisterStatus::kSameName);
}

TEST(Applications, NewNameIsCheckedExactlyAndAgainstAFullList) {
  struct Case {
    const char* name;
    int registered;
    RegisterStatus status;
    const char* said;
  } cases[] = {
      {"", 1, RegisterStatus::kNoName, nullptr},
      {"Ed", 1, RegisterStatus::kOk, nullptr},  // letter case makes another name
      {"a0", 1, RegisterStatus::kSameName, "登録済みのものと同名です。\n別の名称にして下さい。"},
      {"new", kApplicationSlots, RegisterStatus::kFull,
       "登録できるアプリケーションは 10 個までです。\n取り消してから登録して下さい。"},
  };
  for (const Case& c : cases) {
    Settings settings = WithApplications({});
    for (int slot = 0; slot < c.registered; ++slot) {
      ASSERT_TRUE(AddApplication(settings, "a" + std::to_string(slot), "/bin/true"));
    }
    RecordingMessenger messenger;
    EXPECT_EQ(CheckNewApplication(settings, c.name, messenger), c.status) << c.name;
    if (c.said) {
      EXPECT_TRUE(ShowedOnly(messenger, "ご注意", c.said)) << c.name;
    } else {
      EXPECT_TRUE(messenger.records.empty()) << c.name;
    }
  }
  Settings full = WithApplications({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
  EXPECT_FALSE(AddApplication(full, "10", "/bin/true"));
}

// Ticked entries 1 and 2 of four: the walk must not skip the second after the first moved up.
TEST(Applications, RemovingTickedEntriesKeepsTheOthersInOrder) {
  Settings settings = WithApplications({"a", "b", "c", "d"});
  RecordingMessenger messenger;
  EXPECT_EQ(RemoveTickedApplications(settings, {false, true, true, false}, messenger), 2);
  std::vector<std::string> expected(kApplicationSlots);
  expected[0] = "a";
  expected[1] = "d";
  EXPECT_EQ(NamesOf(settings), expected);
  EXPECT_EQ(settings.app_paths[1], "/opt/d");
  EXPECT_EQ(settings.app_paths[2], "");
  ASSERT_EQ(messenger.records.size(), 1u);
  EXPECT_TRUE(messenger.records[0].asked);
}

TEST(Applications, RemovalNeedsConfirmationAndSaysWhenNothingWasTicked) {
  Settings settings = WithApplications({"a", "b"});
  const Settings before = settings;
  RecordingMessenger messenger;
  messenger.Script({Answer::kCancel, Answer::kCancel, Answer::kOk});
  EXPECT_EQ(RemoveTickedApplications(settings, {true, true}, messenger), 0);
  EXPECT_FALSE(RemoveAllApplications(settings, messenger));
  EXPECT_EQ(NamesOf(settings), NamesOf(before));
  EXPECT_EQ(RemoveTickedApplications(settings, {false, false}, messenger), 0);
  EXPECT_EQ(messenger.records.back().text, "チェック項目がありませんでした。");
  EXPECT_TRUE(RemoveAllApplications(settings, messenger));
  EXPECT_EQ(RegisteredApplications(settings), 0);
  EXPECT_EQ(settings.app_paths[1], "");
}

TEST(Applications, ProgramCheckSaysWhetherTheFileExists) {
  testing_support::ScratchDir dir;
  testing_support::WriteFile(dir / "tool", "");
  struct Case {
    std::string path;
    const char* title;
    const char* text;
  } cases[] = {
      {"", "お願い", "<パス＆ファイル名>を表示させて下さい。"},
      {(dir / "tool").string(), "ご報告", "<パス＆ファイル名>は確かに存在します。"},
      {(dir / "gone").string(), "ご報告", "<パス＆ファイル名>が存在しません。"},
  };
  for (const Case& c : cases) {
    RecordingMessenger messenger;
    TellProgramCheck(c.path, messenger);
    EXPECT_TRUE(ShowedOnly(messenger, c.title, c.text)) << c.path;
  }
}

TEST(Applications, LaunchWritesFirstAndStopsWhenTheTextIsNotWritten) {
  Settings settings = WithApplications({"ed"});
  const Message refused{"ご確認!!", "実行できませんでした。\n\n正しく登録し直して下さい。"};
  struct Case {
    int slot;
    bool writes;
    bool starts;
    ApplicationLaunch result;
    bool started;
    const char* said;
  } cases[] = {
      {0, true, true, ApplicationLaunch::kOk, true, nullptr},
      {1, true, true, ApplicationLaunch::kNotRegistered, false, nullptr},
      {0, false, true, ApplicationLaunch::kNotWritten, false,
       "/d/a.txt に書き込めなかったので、アプリケーションは起動しませんでした。"},
      {0, true, false, ApplicationLaunch::kNotStarted, true,
       "実行できませんでした。\n\n正しく登録し直して下さい。"},
  };
  for (const Case& c : cases) {
    RecordingStarter starter;
    starter.starts = c.starts;
    RecordingMessenger messenger;
    int writes = 0;
    LaunchTarget target{"/d/a.txt",
                        [&] {
                          ++writes;
                          return c.writes;
                        },
                        refused};
    EXPECT_EQ(LaunchApplication(settings, c.slot, target, starter, messenger), c.result);
    EXPECT_EQ(writes, c.slot == 0 ? 1 : 0);
    EXPECT_EQ(!starter.program.empty(), c.started);
    if (c.said) {
      EXPECT_TRUE(ShowedOnly(messenger, "", c.said));
    } else {
      EXPECT_TRUE(messenger.records.empty());
    }
  }
}

// A real program: it reads the file it is given, so it must see the text just written, under a
// name with blanks and shell characters, as its one argument.
TEST(Applications, ProgramGetsTheWrittenFileAsOneArgument) {
  testing_support::ScratchDir dir;
  const std::filesystem::path record = dir / "record";
  const std::filesystem::path program = dir / "my tool";
  testing_support::WriteFile(program, "#!/bin/sh\n{ echo \"$#\"; echo \"$1\"; cat \"$1\"; } > '" +
                                          record.string() + ".part'\nmv '" + record.string() +
                                          ".part' '" + record.string() + "'\n");
  ::chmod(program.c_str(), 0755);
  Settings settings = WithApplications({});
  ASSERT_TRUE(AddApplication(settings, "tool", program.string()));
  const std::filesystem::path file = dir / "a b;$(rm -rf x) 'q'.txt";
  LaunchTarget target{file,
                      [&] {
                        testing_support::WriteFile(file, "fresh text\n");
                        return true;
                      },
                      {}};
  ProcessStarter starter;
  RecordingMessenger messenger;
  EXPECT_EQ(LaunchApplication(settings, 0, target, starter, messenger), ApplicationLaunch::kOk);
  for (int wait = 0; wait < 100 && !std::filesystem::exists(record); ++wait) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(testing_support::ReadFile(record), "1\n" + file.string() + "\nfresh text\n");
  EXPECT_TRUE(messenger.records.empty());
}

}  // namespace
}  // namespace common
