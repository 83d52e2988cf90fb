#include "dictionary/dictionary_builder.h"

#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "common/file_system.h"
#include "dictionary/dictionary_compiler.h"
#include "dictionary/messages.h"
#include "dictionary/ruby_dictionary.h"
#include "tests/dictionary/dictionary_fixtures.h"
#include "tests/support/file_size_cap.h"

namespace dictionary {
namespace {

// A scratch folder with the program's dic/ folder, a work folder and a source "names.pre".
struct BuildSetup {
  ScratchDir dir;
  BuildSetup() {
    fs::create_directories(dir / "prog/dic");
    fs::create_directories(dir / "work");
  }
  void Source(std::string_view utf8) { WriteFile(dir / "names.pre", Sjis(utf8)); }
  BuildRequest Request(std::string_view base = "names") const {
    return {dir / "names.pre", dir / base, common::ProgramDir(dir / "prog"),
            common::WorkDir(dir / "work")};
  }
  fs::path Dic() const { return dir / "names.dic"; }
};

TEST(DictionaryBuilder, OutputPathFollowsTheBaseName) {
  common::ProgramDir program("/prog");
  EXPECT_EQ(DictionaryOutputPath("/a/Qv_Body", program), "/prog/dic/Qv_Body.dic");
  EXPECT_EQ(DictionaryOutputPath("/a/my_qv_users_extra", program), "/prog/dic/Qv_Users.dic");
  EXPECT_EQ(DictionaryOutputPath("/a/qv_users_and_qv_body", program), "/prog/dic/Qv_Body.dic");
  EXPECT_EQ(DictionaryOutputPath("/a/names", program), "/a/names.dic");
  EXPECT_EQ(DictionaryOutputPath("/qv_body_old/qv_users/names", program),
            "/qv_body_old/qv_users/names.dic");
  EXPECT_EQ(ReportDirOf("/a/names"), "/a");
}

TEST(DictionaryBuilder, GoldenSourceBuildsGoldenDictionary) {
  BuildSetup setup;
  fs::copy_file(fixtures::Golden("source.pre"), setup.dir / "names.pre");
  RecordingMessenger messenger;
  ASSERT_EQ(BuildDictionary(setup.Request(), messenger), BuildStatus::kOk);

  EXPECT_TRUE(BytesEqual(ReadFile(fixtures::Golden("expected.dic")), ReadFile(setup.Dic())));
  EXPECT_TRUE(BytesEqual(ReadFile(fixtures::Golden("expected_adr_info.txt")),
                         ReadFile(setup.dir / "adr_info.txt")));
  // The two broken words (lines 11 and 15), the question, the dictionary's name.
  ASSERT_EQ(messenger.records.size(), 4u);
  EXPECT_EQ(messenger.records[2].text,
            " 4 個の不正データがあります。\nこのまま辞書を作成しますか。");
  EXPECT_EQ(messenger.records[2].title, "注意！");
  EXPECT_EQ(messenger.records[2].buttons, common::Buttons::kOkCancel);
  EXPECT_EQ(messenger.records[3].text, " 辞書名＝＝" + setup.Dic().string());
  EXPECT_EQ(messenger.records[3].title, "お知らせ");
  for (int length = 1; length <= 10; ++length) {
    EXPECT_FALSE(fs::exists(setup.dir / "work" / common::LengthFileName(length)));
  }
}

TEST(DictionaryBuilder, CancelAfterRejectedEntriesWritesNoDictionary) {
  BuildSetup setup;
  setup.Source("漢,かん\n漢字,かんじ\n");
  RecordingMessenger messenger;
  messenger.Script({Answer::kCancel});
  EXPECT_EQ(BuildDictionary(setup.Request(), messenger), BuildStatus::kValidationFailed);
  EXPECT_FALSE(fs::exists(setup.Dic()));
}

TEST(DictionaryBuilder, MainDictionaryGoesToTheProgramFolder) {
  BuildSetup setup;
  setup.Source("漢,かん\n");
  RecordingMessenger messenger;
  ASSERT_EQ(BuildDictionary(setup.Request("Qv_Body"), messenger), BuildStatus::kOk);
  EXPECT_TRUE(fs::exists(setup.dir / "prog/dic/Qv_Body.dic"));
  EXPECT_TRUE(fs::exists(setup.dir / "error_ck.out"));  // beside the source, as always
}

TEST(DictionaryBuilder, FirstBackupIsKeptOverThreeBuilds) {
  BuildSetup setup;
  RecordingMessenger messenger;
  setup.Source("漢,かん\n");
  ASSERT_EQ(BuildDictionary(setup.Request(), messenger), BuildStatus::kOk);
  std::string first = ReadFile(setup.Dic());
  setup.Source("漢,から\n");
  ASSERT_EQ(BuildDictionary(setup.Request(), messenger), BuildStatus::kOk);
  std::string second = ReadFile(setup.Dic());
  EXPECT_EQ(ReadFile(setup.dir / "names.~dic"), first);
  setup.Source("字,じ\n");
  ASSERT_EQ(BuildDictionary(setup.Request(), messenger), BuildStatus::kOk);
  EXPECT_EQ(ReadFile(setup.dir / "names.~dic"), first);
  EXPECT_NE(ReadFile(setup.Dic()), second);
  EXPECT_EQ(messenger.records.back().text,
            "<" + setup.Dic().string() + ">は既に存在しています。\n\n上書きしていいですか？");
}

// A run that has the dictionary open while it is built anew goes on reading the old one whole
// (the new one takes the old one's place by rename); the next run opens the new one.
TEST(DictionaryBuilder, OpenDictionaryIsNeverMixedWithItsRebuild) {
  BuildSetup setup;
  RecordingMessenger messenger;
  setup.Source("漢,かん\n漢字,かん*じ\n");
  ASSERT_EQ(BuildDictionary(setup.Request(), messenger), BuildStatus::kOk);
  RubyDictionary running;
  ASSERT_TRUE(running.Open(setup.Dic(), messenger));
  ASSERT_TRUE(running.LoadLength(1, messenger));
  EXPECT_EQ(running.ReadingOf(running.Find(Sjis("漢"))), EncodeReading(Sjis("かん")));

  setup.Source("漢,から\n漢字,から*じ\n");
  ASSERT_EQ(BuildDictionary(setup.Request(), messenger), BuildStatus::kOk);
  ASSERT_TRUE(running.LoadLength(2, messenger));
  EXPECT_EQ(running.ReadingOf(running.Find(Sjis("漢字"))), EncodeReading(Sjis("かん*じ")));

  RubyDictionary next;
  ASSERT_TRUE(next.Open(setup.Dic(), messenger));
  ASSERT_TRUE(next.LoadLength(2, messenger));
  EXPECT_EQ(next.ReadingOf(next.Find(Sjis("漢字"))), EncodeReading(Sjis("から*じ")));
}

TEST(DictionaryBuilder, DeclinedOverwriteLeavesTheOldDictionary) {
  BuildSetup setup;
  WriteFile(setup.Dic(), "old");
  setup.Source("漢,かん\n");
  RecordingMessenger messenger;
  messenger.Script({Answer::kCancel});
  EXPECT_EQ(BuildDictionary(setup.Request(), messenger), BuildStatus::kOverwriteDeclined);
  EXPECT_EQ(ReadFile(setup.Dic()), "old");
  EXPECT_FALSE(fs::exists(setup.dir / "names.~dic"));
}

TEST(DictionaryBuilder, ReadOnlyTargetIsKeptOnCancelAndReplacedOnOk) {
  BuildSetup setup;
  WriteFile(setup.Dic(), "old");
  fs::permissions(setup.Dic(), fs::perms::owner_write, fs::perm_options::remove);
  setup.Source("漢,かん\n");
  RecordingMessenger messenger;
  messenger.Script({Answer::kCancel});
  EXPECT_EQ(BuildDictionary(setup.Request(), messenger), BuildStatus::kReadOnlyKept);
  EXPECT_EQ(messenger.records.back().title, "注意！");
  EXPECT_EQ(
      messenger.records.back().text,
      "<" + setup.Dic().string() +
          ">は読み出し専用ファイルとして\n既に存在します。\n\n属性を解除して書き込みますか？");
  EXPECT_EQ(ReadFile(setup.Dic()), "old");

  ASSERT_EQ(BuildDictionary(setup.Request(), messenger), BuildStatus::kOk);
  EXPECT_EQ(ReadFile(setup.dir / "names.~dic"), "old");
  EXPECT_FALSE(common::IsReadOnly(setup.dir / "names.~dic"));
}

TEST(DictionaryBuilder, UncreatableDictionaryFailsWithMessage) {
  BuildSetup setup;
  fs::remove(setup.dir / "prog/dic");
  WriteFile(setup.dir / "prog/dic", "");  // a file where the folder should be
  setup.Source("漢,かん\n");
  RecordingMessenger messenger;
  EXPECT_EQ(BuildDictionary(setup.Request("Qv_Body"), messenger), BuildStatus::kCannotCreate);
  EXPECT_EQ(messenger.records.back().text,
            "辞書<" + (setup.dir / "prog/dic/Qv_Body.dic").string() + ">を作れませんでした。");
  EXPECT_TRUE(fs::exists(setup.dir / "work/d01.$"));
}

TEST(DictionaryBuilder, FullDiskKeepsTheOldDictionaryInPlace) {
  BuildSetup setup;
  WriteFile(setup.Dic(), "old");
  setup.Source("漢,かん\n");
  RecordingMessenger messenger;
  BuildStatus status;
  {
    testing_support::FileSizeCap cap(64 * 1024);  // a dictionary takes about 100 KB
    status = BuildDictionary(setup.Request(), messenger);
  }
  EXPECT_EQ(status, BuildStatus::kCannotCreate);
  EXPECT_EQ(messenger.records.back().text,
            "辞書<" + setup.Dic().string() +
                ">に書き込めませんでした。\n元の辞書はそのまま残っています。");
  EXPECT_EQ(ReadFile(setup.Dic()), "old");
  EXPECT_FALSE(fs::exists(setup.dir / "names.~dic"));
  int files = 0;
  for (const auto& entry : fs::directory_iterator(setup.dir.Path()))
    files += entry.is_regular_file();
  EXPECT_EQ(files, 3);  // names.pre, names.dic and error_ck.out: nothing half-written
}

TEST(DictionaryBuilder, WorkFileGoneAfterValidationFails) {
  BuildSetup setup;
  WriteFile(setup.Dic(), "old");
  setup.Source("漢,かん\n");
  fixtures::ActingMessenger messenger;
  messenger.on_ask = [&] { fs::remove(setup.dir / "work/d03.$"); };
  EXPECT_EQ(BuildDictionary(setup.Request(), messenger), BuildStatus::kWorkFileMissing);
  EXPECT_EQ(messenger.records.back().text,
            "作業ファイル<" + (setup.dir / "work/d03.$").string() + ">を読み込めませんでした。");
  EXPECT_EQ(ReadFile(setup.Dic()), "old");
}

TEST(DictionaryBuilder, CrowdedBucketIsRefusedNamingTheLength) {
  BuildSetup setup;
  WriteFile(setup.dir / "names.pre", fixtures::CrowdedBucketSource());
  RecordingMessenger messenger;
  EXPECT_EQ(BuildDictionary(setup.Request(), messenger), BuildStatus::kValidationFailed);
  EXPECT_EQ(messenger.records.back().title, "注意！");
  EXPECT_TRUE(messenger.records.back().text.starts_with(
      "6 字の語で、同じ検索区画に入る語が 255 語を超えている。"));
  EXPECT_FALSE(fs::exists(setup.Dic()));
}

// AddressSanitizer reserves far more address space than it uses, and its own report of the
// exhausted space then deadlocks, so this test runs only in the ordinary build.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// Runs in a fresh process, whose heap holds no memory freed by earlier tests.
TEST(DictionaryBuilderDeathTest, ExhaustedMemoryIsReported) {
  if (kAddressSanitizer) GTEST_SKIP() << "the address space cannot be capped under AddressSanitizer";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        // A thread's own malloc arena keeps address space reserved that the cap below would
        // count as used, and the main thread turns to it once the cap is reached: every
        // thread allocates from the one heap, as in the command line.
        mallopt(M_ARENA_MAX, 1);
        BuildSetup setup;
        std::string source;
        for (int i = 0; i < 60000; ++i) source += "漢字,かん*じ\n";  // megabytes of entries
        setup.Source(source);
        WriteFile(setup.Dic(), "old");
        fixtures::ActingMessenger messenger;
        messenger.on_ask = [] {  // the overwrite question comes just before the compilation
          std::ifstream statm("/proc/self/statm");
          std::size_t pages = 0;
          statm >> pages;
          rlimit tight{};
          getrlimit(RLIMIT_AS, &tight);
          tight.rlim_cur = pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)) + (1 << 20);
          setrlimit(RLIMIT_AS, &tight);
        };
        BuildStatus status = BuildDictionary(setup.Request(), messenger);
        bool reported = status == BuildStatus::kNoMemory &&
                        messenger.records.back().text == messages::kLackOfMemory &&
                        ReadFile(setup.Dic()) == "old";
        fs::remove_all(setup.dir.Path());
        std::_Exit(reported ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(DictionaryBuilder, UnwritableHeaderDumpDoesNotFailTheBuild) {
  BuildSetup setup;
  fs::create_directory(setup.dir / "adr_info.txt");
  setup.Source("漢,かん\n");
  RecordingMessenger messenger;
  EXPECT_EQ(BuildDictionary(setup.Request(), messenger), BuildStatus::kOk);
  EXPECT_TRUE(fs::exists(setup.Dic()));
}

}  // namespace
}  // namespace dictionary
