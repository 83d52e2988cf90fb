// The platform parts of the desktop program: its command line, the single-copy lock, programs
// started without a shell, the close query, the dictionary indicator and help.
#include <QtTest>
#include <filesystem>
#include <string>
#include <vector>

#include "app/close_query.h"
#include "app/command_line.h"
#include "app/command_words.h"
#include "app/dictionary_indicator.h"
#include "app/help.h"
#include "app/messages.h"
#include "app/single_instance.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/test_files.h"

namespace fs = std::filesystem;
using testing_support::RecordingMessenger;
using testing_support::ScratchDir;
using Words = std::vector<std::string>;

Q_DECLARE_METATYPE(std::optional<Words>)

namespace {

class RecordingStarter final : public rubywindow::ProgramStarter {
 public:
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override {
    started.push_back(program);
    started.insert(started.end(), arguments.begin(), arguments.end());
    return starts;
  }
  Words started;
  bool starts = true;
};

class NoPicker final : public rubywindow::BrowserPicker {
 public:
  std::optional<std::string> PickBrowser() override { return std::nullopt; }
};

}  // namespace

class ShellPartsTest : public QObject {
  Q_OBJECT

 private slots:
  void CommandLineTakesHomeAndFile();
  void CommandLineRefusesWhatItDoesNotKnow_data();
  void CommandLineRefusesWhatItDoesNotKnow();
  void CommandWordsSplitAsAShellWould_data();
  void CommandWordsSplitAsAShellWould();
  void StartedFileStaysOneArgument();
  void ExistingProgramPathWithBlanksIsOneWord();
  void SecondLockOnTheSameFileIsRefused();
  void CloseQueryAsksOnlyModifiedWindowsInOrder();
  void CloseQueryCancelStopsAtOnce();
  void CloseQueryStopsWhenASaveDidNotHappen();
  void DictionaryIndicatorNamesTheDictionariesInUse_data();
  void DictionaryIndicatorNamesTheDictionariesInUse();
  void MissingHelpPageIsReported();
  void HelpPageGoesToTheBrowserAsOneArgument();
  void HomeWithoutHelpUsesTheShippedGuide();
};

void ShellPartsTest::CommandLineTakesHomeAndFile() {
  app::ParsedCommandLine parsed = app::ParseCommandLine({"--home", "/opt/m", "story.txt"});
  QVERIFY(parsed.options.has_value());
  QCOMPARE(parsed.options->home, std::optional<fs::path>("/opt/m"));
  QCOMPARE(parsed.options->file, std::optional<fs::path>("story.txt"));
  parsed = app::ParseCommandLine({"--home=/h", "--", "-odd name.txt"});
  QVERIFY(parsed.options.has_value());
  QCOMPARE(parsed.options->home, std::optional<fs::path>("/h"));
  QCOMPARE(parsed.options->file, std::optional<fs::path>("-odd name.txt"));
}

void ShellPartsTest::CommandLineRefusesWhatItDoesNotKnow_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::newRow("unknown option") << QStringList{"--colour"};
  QTest::newRow("home without folder") << QStringList{"--home"};
  QTest::newRow("two files") << QStringList{"a.txt", "b.txt"};
}

void ShellPartsTest::CommandLineRefusesWhatItDoesNotKnow() {
  QFETCH(QStringList, arguments);
  std::vector<std::string> words;
  for (const QString& argument : arguments) words.push_back(argument.toStdString());
  app::ParsedCommandLine parsed = app::ParseCommandLine(words);
  QVERIFY(!parsed.options.has_value());
  QVERIFY(!parsed.error.empty());
}

void ShellPartsTest::CommandWordsSplitAsAShellWould_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<std::optional<Words>>("words");
  QTest::newRow("options") << "firefox  --new-window"
                           << std::optional(Words{"firefox", "--new-window"});
  QTest::newRow("single quotes") << "'/opt/My Browser/run' -x"
                                 << std::optional(Words{"/opt/My Browser/run", "-x"});
  QTest::newRow("double quotes and escapes")
      << R"("a\"b $x" c\ d)" << std::optional(Words{"a\"b $x", "c d"});
  QTest::newRow("empty word") << "run ''" << std::optional(Words{"run", ""});
  QTest::newRow("nothing expanded")
      << "run $HOME *.txt ~" << std::optional(Words{"run", "$HOME", "*.txt", "~"});
  QTest::newRow("open quote") << "'run" << std::optional<Words>();
  QTest::newRow("trailing backslash") << "run\\" << std::optional<Words>();
}

void ShellPartsTest::CommandWordsSplitAsAShellWould() {
  QFETCH(QString, command);
  QFETCH(std::optional<Words>, words);
  QCOMPARE(app::SplitCommandWords(command.toStdString()), words);
}

void ShellPartsTest::StartedFileStaysOneArgument() {
  RecordingStarter recorder;
  app::WordSplittingStarter starter(recorder);
  const std::string page = "/tmp/a b;rm -rf ~ $(x).html";
  QVERIFY(starter.Start("browser --private", {page}));
  QCOMPARE(recorder.started, (Words{"browser", "--private", page}));

  recorder.started.clear();
  QVERIFY(!starter.Start("'unbalanced", {page}));
  QVERIFY(!starter.Start("  ", {page}));
  QVERIFY(recorder.started.empty());
}

void ShellPartsTest::ExistingProgramPathWithBlanksIsOneWord() {
  ScratchDir dir;
  fs::path program = dir / "My Browser";
  testing_support::WriteFile(program, "#!/bin/sh\n");
  RecordingStarter recorder;
  app::WordSplittingStarter starter(recorder);
  QVERIFY(starter.Start(program.string(), {"/tmp/page.html"}));
  QCOMPARE(recorder.started, (Words{program.string(), "/tmp/page.html"}));
}

void ShellPartsTest::SecondLockOnTheSameFileIsRefused() {
  ScratchDir dir;
  auto first = std::make_unique<app::SingleInstanceLock>(dir / "TesmaroVR11.lock");
  QCOMPARE(first->Acquire(), app::LockOutcome::kAcquired);
  app::SingleInstanceLock second(dir / "TesmaroVR11.lock");
  QCOMPARE(second.Acquire(), app::LockOutcome::kHeldElsewhere);
  first.reset();  // the first copy ends
  app::SingleInstanceLock third(dir / "TesmaroVR11.lock");
  QCOMPARE(third.Acquire(), app::LockOutcome::kAcquired);
}

void ShellPartsTest::CloseQueryAsksOnlyModifiedWindowsInOrder() {
  RecordingMessenger messenger;
  messenger.Script({common::Answer::kNo, common::Answer::kYes});
  std::vector<std::string> saved;
  auto saver = [&saved](std::string name) {
    return [&saved, name] {
      saved.push_back(name);
      return true;
    };
  };
  QVERIFY(app::RunCloseQuery({{app::messages::kCloseQueryNnn, true, saver("nnn")},
                              {app::messages::kCloseQueryRuby, false, saver("ruby")},
                              {app::messages::kCloseQueryMain, true, saver("main")}},
                             messenger));
  QCOMPARE(messenger.records.size(), 2u);
  QCOMPARE(messenger.records[0].title, "終了時のご確認");
  QCOMPARE(messenger.records[0].text,
           "ＮＮＮ画面のテキストは\n編集されましたが保存されていません。\n保存しますか？");
  QVERIFY(messenger.records[0].buttons == common::Buttons::kYesNoCancel);
  QVERIFY(messenger.records[1].text.starts_with("オリジナル画面のテキストは"));
  QCOMPARE(saved, std::vector<std::string>{"main"});
}

void ShellPartsTest::CloseQueryCancelStopsAtOnce() {
  RecordingMessenger messenger;
  messenger.Script({common::Answer::kCancel});
  bool main_saved = false;
  QVERIFY(!app::RunCloseQuery(
      {{app::messages::kCloseQueryNnn, true, [] { return true; }},
       {app::messages::kCloseQueryMain, true, [&main_saved] { return main_saved = true; }}},
      messenger));
  QCOMPARE(messenger.records.size(), 1u);  // the main text window is not asked about
  QVERIFY(!main_saved);
}

void ShellPartsTest::CloseQueryStopsWhenASaveDidNotHappen() {
  RecordingMessenger messenger;
  messenger.Script({common::Answer::kYes});
  QVERIFY(!app::RunCloseQuery({{app::messages::kCloseQueryRuby, true, [] { return false; }},
                               {app::messages::kCloseQueryMain, true, [] { return true; }}},
                              messenger));
  QCOMPARE(messenger.records.size(), 1u);
}

void ShellPartsTest::DictionaryIndicatorNamesTheDictionariesInUse_data() {
  QTest::addColumn<int>("pattern");
  QTest::addColumn<int>("selected");
  QTest::addColumn<QString>("label");
  QTest::newRow("main only") << 0 << 2 << "[本体辞書]";
  QTest::newRow("standard user") << 1 << -1 << "[標準pre]";
  QTest::newRow("odd negative selection") << 1 << -5 << "[標準pre]";
  QTest::newRow("registered user") << 1 << 2 << "[人名]";
  QTest::newRow("user then main") << 2 << 2 << "[人名]＋[本体辞書]";
  QTest::newRow("standard then main") << 2 << -1 << "[標準pre]＋[本体辞書]";
}

void ShellPartsTest::DictionaryIndicatorNamesTheDictionariesInUse() {
  QFETCH(int, pattern);
  QFETCH(int, selected);
  QFETCH(QString, label);
  common::Settings settings;
  settings.dic_pattern = pattern;
  settings.dic_num = selected;
  settings.dic_names[2] = testing_support::Sjis("人名");
  QCOMPARE(app::DictionaryIndicatorText(settings), label);
}

void ShellPartsTest::MissingHelpPageIsReported() {
  ScratchDir home;
  common::ProgramDir program(home.Path());
  RecordingMessenger messenger;
  RecordingStarter starter;
  NoPicker picker;
  std::string browser = "firefox";
  app::OpenHelp(program, browser, starter, picker, messenger);
  QVERIFY(testing_support::ShowedOnly(messenger, "お知らせ", "help/index.html が見あたりません。"));
  QVERIFY(starter.started.empty());
}

void ShellPartsTest::HelpPageGoesToTheBrowserAsOneArgument() {
  ScratchDir scratch;
  const common::ProgramDir program(scratch / "my home; $(x)");
  fs::path page = app::HelpPage(program);
  fs::create_directories(page.parent_path());
  testing_support::WriteFile(page, "<html></html>");
  RecordingMessenger messenger;
  RecordingStarter recorder;
  app::WordSplittingStarter starter(recorder);
  NoPicker picker;
  std::string browser = "firefox --new-window";
  app::OpenHelp(program, browser, starter, picker, messenger);
  QCOMPARE(recorder.started, (Words{"firefox", "--new-window", page.string()}));
  QVERIFY(messenger.records.empty());
}

void ShellPartsTest::HomeWithoutHelpUsesTheShippedGuide() {
  ScratchDir scratch;
  const common::ProgramDir program(scratch / "home");
  const fs::path shipped = scratch / "bin";
  fs::create_directories(shipped / "help");
  testing_support::WriteFile(shipped / "help" / "index.html", "<html></html>");
  RecordingMessenger messenger;
  RecordingStarter starter;
  NoPicker picker;
  std::string browser = "firefox";
  app::OpenHelp(program, browser, starter, picker, messenger, shipped);
  QCOMPARE(starter.started, (Words{"firefox", (shipped / "help" / "index.html").string()}));
  QVERIFY(messenger.records.empty());
}

QTEST_MAIN(ShellPartsTest)
#include "shell_parts_test.moc"
