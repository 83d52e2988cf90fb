// The desktop's F5 as a teacher uses it, on a text in Shift_JIS or UTF-8 with CR LF or LF line
// ends: the ruby file is the command-line tool's, a correction made in the ruby window survives
// every later F5 in the ruby file or its backup (also one whose text reads differently), and F5
// with nothing changed makes no backup.
#include <QTest>

#include "common/encoding/text_encoding.h"
#include "tests/app/main_window_fixture.h"
#include "tests/cli/cli_runner.h"

namespace {

constexpr std::string_view kText = "今日、漢字の本を読みに行く。\n人々の一ヶ月。\n";

// `utf8` (LF) in a document's encoding and line ends.
std::string InForm(std::string_view utf8, bool sjis, bool lf) {
  std::string text = lf ? std::string(utf8) : common::LfToCrLf(utf8);
  return sjis ? Sjis(text) : text;
}

}  // namespace

class RubyFileKeepingTest : public MainWindowFixture {
  Q_OBJECT

  // F5 in the main text window; the ruby window it opens.
  rubywindow::view::RubyWindow* F5() {
    Action("allRubyAction")->trigger();
    return window_->RubyWindowIfOpen();
  }

  static QString FilePanel(rubywindow::view::RubyWindow* ruby) {
    return ruby->findChild<QLabel*>("filePanel")->text();
  }

  // The ruby file `mirukaze-cli ruby` writes for a copy of `text`.
  std::string CliRubyFile(const fs::path& text) {
    cli::ProgramFolder home;
    fs::copy_file(program_.MainDictionary(), home.DicDir() / "Qv_Body.dic");
    fs::path copy = home / "story.txt";
    fs::copy_file(text, copy);
    cli::CliRun run = home.Run({"ruby", copy.string()});
    if (run.exit_code != 0) return run.err;
    return ReadFile(home / "story.srb");
  }

 private slots:
  void initTestCase() { SetUpProgram(); }
  void init() {
    SetUp();
    // The corrections saved here are kept, not offered to the dictionary.
    settings_.learn_on_save = 0;
  }
  void cleanup() { TearDown(); }

  void correctionSurvivesEveryF5_data() {
    QTest::addColumn<bool>("sjis");
    QTest::addColumn<bool>("lf");
    QTest::newRow("Shift_JIS, CR LF") << true << false;
    QTest::newRow("Shift_JIS, LF") << true << true;
    QTest::newRow("UTF-8, CR LF") << false << false;
    QTest::newRow("UTF-8, LF") << false << true;
  }

  void correctionSurvivesEveryF5() {
    QFETCH(bool, sjis);
    QFETCH(bool, lf);
    fs::path text = *docs_ / "story.txt";
    fs::path ruby_file = *docs_ / "story.srb";
    fs::path backup = *docs_ / "story.~srb";
    WriteFile(text, InForm(kText, sjis, lf));
    QVERIFY(window_->OpenFile(text));

    // F5, F5: the ruby file of the command line, and no backup of a file that says the same.
    for (int run = 0; run < 2; ++run) {
      rubywindow::view::RubyWindow* ruby = F5();
      QVERIFY(ruby);
      QCOMPARE(FilePanel(ruby), QtPath(ruby_file) + "を書き出しました。");
      ruby->CloseWithoutQuery();
    }
    QVERIFY(testing_support::BytesEqual(CliRubyFile(text), ReadFile(ruby_file)));
    QVERIFY(!fs::exists(backup));
    QVERIFY(messenger_.records.empty());

    // The reading of 今日 corrected in the ruby window, saved, the window closed.
    rubywindow::view::RubyWindow* ruby = F5();
    common::view::TextPane* pane = ruby->findChild<common::view::TextPane*>();
    QTextCursor found = pane->document()->find(QString::fromUtf8("きょう"));
    QVERIFY(!found.isNull());
    found.insertText(QString::fromUtf8("こんにち"));
    ruby->findChild<QAction*>("saveFile")->trigger();
    messenger_.records.clear();  // the save's own notice
    const std::string corrected = ReadFile(ruby_file);
    QVERIFY(corrected.find(sjis ? Sjis("こんにち") : "こんにち") != std::string::npos);
    ruby->CloseWithoutQuery();

    // F5: the correction becomes the backup, and the ruby window says so.
    ruby = F5();
    QCOMPARE(FilePanel(ruby), QtPath(ruby_file) + "を書き出しました（前の版は story.~srb）。");
    ruby->CloseWithoutQuery();
    QCOMPARE(ReadFile(backup), corrected);
    // F5 again: nothing new to keep; the backup still holds the correction.
    ruby = F5();
    QCOMPARE(FilePanel(ruby), QtPath(ruby_file) + "を書き出しました。");
    QCOMPARE(ReadFile(backup), corrected);
    QVERIFY(testing_support::BytesEqual(CliRubyFile(text), ReadFile(ruby_file)));
    QVERIFY(messenger_.records.empty());
    ruby->CloseWithoutQuery();

    // The text grows a line, F5: the ruby file nobody edited is replaced, not kept, so the
    // backup still holds the correction.
    QTextCursor end(Pane().document());
    end.movePosition(QTextCursor::End);
    end.insertText(QString::fromUtf8("本を読む。\n"));
    ruby = F5();
    QVERIFY(ruby);
    QCOMPARE(FilePanel(ruby), QtPath(ruby_file) + "を書き出しました。");
    QCOMPARE(ReadFile(backup), corrected);
    QVERIFY(ReadFile(ruby_file).find(sjis ? Sjis("{本/ほん}を読む") : "{本/ほん}を読む") !=
            std::string::npos);
  }
};

QTEST_MAIN(RubyFileKeepingTest)
#include "ruby_file_keeping_test.moc"
