// The platform parts of the desktop program: its command line, programs started without a
// shell, the close query, the dictionary indicator and help.
#include <QtTest>
#include <filesystem>
#include <string>
#include <vector>

#include "app/close_query.h"
#include "app/command_line.h"
#include "app/dictionary_indicator.h"
#include "app/help.h"
#include "app/instance_handover.h"
#include "app/messages.h"
#include "common/platform/command_words.h"
#include "rubywindow/view/messages.h"
#include "tests/app/app_fixtures.h"
#include "tests/support/test_files.h"

namespace fs = std::filesystem;
using testing_support::RecordingMessenger;
using testing_support::ScratchDir;
using Words = std::vector<std::string>;

Q_DECLARE_METATYPE(std::optional<Words>)

namespace {

class RecordingStarter final : public common::ProgramStarter {
 public:
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override {
    started.push_back(program);
    started.insert(started.end(), arguments.begin(), arguments.end());
    return true;
  }
  Words started;
};

class NoPicker final : public rubywindow::BrowserPicker {
 public:
  std::optional<std::string> PickBrowser() override { return std::nullopt; }
};

// What a command line comes to, in one comparable line.
QString OutcomeOf(const app::ParsedCommandLine& parsed) {
  if (!parsed.options) return parsed.error.empty() ? "refused without a reason" : "refused";
  auto shown = [](const std::optional<fs::path>& path) {
    return path ? QString::fromStdString(path->string()) : QString("-");
  };
  return "home=" + shown(parsed.options->home) + " file=" + shown(parsed.options->file);
}

}  // namespace

class ShellPartsTest : public QObject {
  Q_OBJECT

 private slots:
  void CommandLineTakesHomeAndFileOrRefuses_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("home and file")
        << QStringList{"--home", "/opt/m", "story.txt"} << "home=/opt/m file=story.txt";
    QTest::newRow("file after --")
        << QStringList{"--home=/h", "--", "-odd name.txt"} << "home=/h file=-odd name.txt";
    QTest::newRow("unknown option") << QStringList{"--colour"} << "refused";
    QTest::newRow("home without folder") << QStringList{"--home"} << "refused";
    QTest::newRow("two files") << QStringList{"a.txt", "b.txt"} << "refused";
  }

  void CommandLineTakesHomeAndFileOrRefuses() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, outcome);
    std::vector<std::string> words;
    for (const QString& argument : arguments) words.push_back(argument.toStdString());
    QCOMPARE(OutcomeOf(app::ParseCommandLine(words)), outcome);
  }

  void CommandWordsSplitAsAShellWould_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<std::optional<Words>>("words");
    QTest::newRow("options") << "firefox  --new-window"
                             << std::optional(Words{"firefox", "--new-window"});
    QTest::newRow("single quotes")
        << "'/opt/My Browser/run' -x" << std::optional(Words{"/opt/My Browser/run", "-x"});
    QTest::newRow("double quotes and escapes")
        << "\"a\\\"b $x\" c\\ d" << std::optional(Words{"a\"b $x", "c d"});
    QTest::newRow("empty word") << "run ''" << std::optional(Words{"run", ""});
    QTest::newRow("nothing expanded")
        << "run $HOME *.txt ~" << std::optional(Words{"run", "$HOME", "*.txt", "~"});
    QTest::newRow("open quote") << "'run" << std::optional<Words>();
    QTest::newRow("trailing backslash") << "run\\" << std::optional<Words>();
  }

  void CommandWordsSplitAsAShellWould() {
    QFETCH(QString, command);
    QFETCH(std::optional<Words>, words);
    QCOMPARE(common::SplitCommandWords(command.toStdString()), words);
  }

  // The configured command is split into words, the page never is; a program file whose path
  // has blanks is one word.
  void StartedFileStaysOneArgument() {
    RecordingStarter recorder;
    common::WordSplittingStarter starter(recorder);
    const std::string page = "/tmp/a b;rm -rf ~ $(x).html";
    QVERIFY(starter.Start("browser --private", {page}));
    QCOMPARE(recorder.started, (Words{"browser", "--private", page}));
    ScratchDir dir;
    const fs::path program = dir / "My Browser";
    testing_support::WriteFile(program, "#!/bin/sh\n");
    recorder.started.clear();
    QVERIFY(starter.Start(program.string(), {page}));
    QCOMPARE(recorder.started, (Words{program.string(), page}));
    recorder.started.clear();
    QVERIFY(!starter.Start("'unbalanced", {page}));
    QVERIFY(!starter.Start("  ", {page}));
    QVERIFY(recorder.started.empty());
  }

  // Only edited windows are asked, in order; Yes saves, and a save that did not happen stops the
  // close before the next window. Cancel is tried on the main text window with its ruby window.
  void CloseQuerySavesOnYesAndStopsWhenASaveFails() {
    RecordingMessenger messenger;
    messenger.Script({common::Answer::kNo, common::Answer::kYes, common::Answer::kYes});
    QStringList tried;
    auto saver = [&tried](QString name, bool saves) {
      return [&tried, name, saves] {
        tried << name;
        return saves;
      };
    };
    QVERIFY(
        app::RunCloseQuery({{rubywindow::view::messages::kNnnCloseQuery, true, saver("nnn", true)},
                            {rubywindow::view::messages::kCloseQuery, false, saver("ruby", true)},
                            {app::messages::kCloseQueryMain, true, saver("main", true)}},
                           messenger));
    QCOMPARE(tried, QStringList{"main"});
    QCOMPARE(messenger.records.size(), 2u);
    QCOMPARE(messenger.records[0].title, "終了時のご確認");
    QCOMPARE(messenger.records[0].text,
             "ＮＮＮ画面のテキストは\n編集されましたが保存されていません。\n保存しますか？");
    QVERIFY(messenger.records[0].buttons == common::Buttons::kYesNoCancel);
    QVERIFY(messenger.records[1].text.starts_with("オリジナル画面のテキストは"));

    QVERIFY(
        !app::RunCloseQuery({{rubywindow::view::messages::kCloseQuery, true, saver("ruby", false)},
                             {app::messages::kCloseQueryMain, true, saver("main", true)}},
                            messenger));
    QCOMPARE(tried, (QStringList{"main", "ruby"}));
    QCOMPARE(messenger.records.size(), 3u);
  }

  void DictionaryIndicatorNamesTheDictionariesInUse_data() {
    QTest::addColumn<int>("pattern");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("label");
    QTest::newRow("main only") << 0 << 2 << "[本体辞書]";
    QTest::newRow("standard user") << 1 << -1 << "[標準pre]";
    QTest::newRow("odd negative selection") << 1 << -5 << "[標準pre]";
    QTest::newRow("registered user") << 1 << 2 << "[人名]";
    QTest::newRow("user then main") << 2 << 2 << "[人名]＋[本体辞書]";
    QTest::newRow("standard then main") << 2 << -1 << "[標準pre]＋[本体辞書]";
    // The passes take the standard user dictionary for a selection on an empty entry.
    QTest::newRow("selection on an empty entry") << 1 << 5 << "[標準pre]";
    QTest::newRow("selection past the entries") << 2 << 12 << "[標準pre]＋[本体辞書]";
  }

  void DictionaryIndicatorNamesTheDictionariesInUse() {
    QFETCH(int, pattern);
    QFETCH(int, selected);
    QFETCH(QString, label);
    common::Settings settings;
    settings.dic_pattern = pattern;
    settings.dic_num = selected;
    settings.dic_names[0] = testing_support::Sjis("地名");
    settings.dic_names[1] = testing_support::Sjis("作品");
    settings.dic_names[2] = testing_support::Sjis("人名");
    QCOMPARE(app::DictionaryIndicatorText(settings), label);
  }

  // The guide in the program folder comes first, then the one shipped beside the program.
  void HelpOpensTheFirstGuideFound_data() {
    QTest::addColumn<bool>("in_home");
    QTest::addColumn<bool>("shipped");
    QTest::addColumn<QString>("opened");  // "home", "shipped", or empty for none
    QTest::newRow("in the program folder") << true << true << "home";
    QTest::newRow("shipped only") << false << true << "shipped";
    QTest::newRow("nowhere") << false << false << "";
  }

  void HelpOpensTheFirstGuideFound() {
    QFETCH(bool, in_home);
    QFETCH(bool, shipped);
    QFETCH(QString, opened);
    ScratchDir scratch;
    const common::ProgramDir program(scratch / "my home; $(x)");
    const fs::path beside = scratch / "bin";
    for (auto [wanted, dir] : {std::pair{in_home, program.Dir()}, {shipped, beside}}) {
      if (!wanted) continue;
      fs::create_directories(dir / "help");
      testing_support::WriteFile(dir / "help" / "index.html", "<html></html>");
    }
    RecordingMessenger messenger;
    RecordingStarter starter;
    NoPicker picker;
    std::string browser = "firefox";
    app::OpenHelp(program, browser, starter, picker, messenger, beside);
    if (opened.isEmpty()) {
      QVERIFY(app_testing::Showed(messenger, "お知らせ", "help/index.html が見あたりません。"));
      QVERIFY(starter.started.empty());
      return;
    }
    const fs::path page = (opened == "home" ? program.Dir() : beside) / "help" / "index.html";
    QCOMPARE(starter.started, (Words{"firefox", page.string()}));
    QVERIFY(messenger.records.empty());
  }

  // The file of a second start arrives byte for byte, blanks, a line feed and bytes that are
  // not UTF-8 included; no file arrives as none.
  void SecondStartHandsOverItsFile_data() {
    QTest::addColumn<QByteArray>("name");  // empty: no file
    QTest::newRow("no file") << QByteArray();
    QTest::newRow("plain") << QByteArray("物語.txt");
    QTest::newRow("blanks and a line feed") << QByteArray("a b\nc%.txt");
    QTest::newRow("not UTF-8") << QByteArray("\x82\xa0.txt");
  }

  void SecondStartHandsOverItsFile() {
    QFETCH(QByteArray, name);
    ScratchDir dir;
    const fs::path socket = app::HandoverSocketOf(dir.Path() / "mirukaze.lock");
    QCOMPARE(socket, dir.Path() / "mirukaze.socket");
    QVERIFY(!app::HandOver(socket, std::nullopt));  // nobody listens yet

    app::HandoverServer server(socket);
    QVERIFY(server.IsListening());
    std::vector<std::optional<fs::path>> received;
    connect(&server, &app::HandoverServer::handedOver, this,
            [&received](const std::optional<fs::path>& file) { received.push_back(file); });
    std::optional<fs::path> file;
    if (!name.isEmpty()) file = dir.Path() / name.toStdString();
    QVERIFY(app::HandOver(socket, file));
    QTRY_COMPARE(received.size(), std::size_t{1});
    QCOMPARE(received[0], file);
  }
};

QTEST_MAIN(ShellPartsTest)
#include "shell_parts_test.moc"
