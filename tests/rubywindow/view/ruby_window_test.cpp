// The ruby window driven through its actions: opening, saving, closing, the notation check and
// the browser displays.
#include "rubywindow/view/ruby_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "common/encoding/text_source.h"
#include "common/message_format.h"
#include "common/notation/notation_checker.h"
#include "common/platform/program_dir.h"
#include "common/settings/settings.h"
#include "common/view/search_memory.h"
#include "common/view/sjis_codec.h"
#include "common/view/text_pane.h"
#include "rubywindow/browser_launcher.h"
#include "rubywindow/view/ruby_format_dialog.h"
#include "rubywindow/view/ruby_window_session.h"
#include "speech/qt/speech_controls.h"
#include "speech/read_aloud.h"
#include "tests/rubywindow/view/ruby_window_fixture.h"
#include "tests/speech/recording_engine.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/scripted_choosers.h"
#include "tests/support/test_files.h"

using namespace rubywindow::view;
using testing_support::ReadFile;
using testing_support::Sjis;
using testing_support::TestData;
using testing_support::WriteFile;
namespace fs = std::filesystem;

namespace {

using namespace ruby_window_testing;

constexpr std::string_view kUnsaved =
    "テキストは\n編集されましたが保存されていません。\n保存しますか？";

// What the core's check says of a file's bytes: its message, and where the caret belongs (the
// editor's character index of the byte before the fault offset; CRs are not in the editor).
struct CoreVerdict {
  std::string message;
  int caret = 0;
};

CoreVerdict CoreVerdictOf(const std::string& sjis, const std::string& path,
                          const common::Settings& settings) {
  common::StringTextSource source(sjis);
  common::NotationCheck check =
      common::CheckNotation(source, 0, false, common::NonRubyAreasOf(settings));
  testing_support::RecordingMessenger told;
  if (check.ok()) {
    return {common::CheckPassedText(path, 1, 1, check.lines, check.groups), 0};
  }
  common::ReportFault(check.code, common::LogicalLineOfFault(source, check.fault_offset), told);
  std::size_t before = check.fault_offset > 0 ? check.fault_offset - 1 : 0;
  QString editor = common::view::DecodeSjis(sjis.substr(0, before));
  editor.remove(u'\r');
  return {told.records.at(0).text, static_cast<int>(editor.size())};
}

}  // namespace

class RubyWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void openShowsTheRubyFile() {
    Fixture f;
    fs::path path = f.dir / "story.srb";
    WriteFile(path, Sjis("{漢字/かんじ}です\r\n"));
    f.window->OpenRubyFile(path, false);
    QCOMPARE(f.Pane()->Text(), U("{漢字/かんじ}です\n"));
    QCOMPARE(f.window->windowTitle(), U("みるかぜ (VR)【るび振り画面】 --- story.srb"));
    QVERIFY(!f.window->IsModified());
    QVERIFY(f.messenger.records.empty());
    QCOMPARE(f.window->findChild<QLabel*>("filePanel")->text(),
             QString::fromStdString(path.string()) + U("を開きました。"));
  }

  // A file that is not there is reported and kept as the name to save under; a new file's name
  // opens without a word.
  void missingFileIsReportedUnlessItIsANewOne_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("reported");
    QTest::newRow("missing") << "gone.srb" << true;
    QTest::newRow("new file") << U("新規ﾌｧｲﾙ.srb") << false;
  }
  void missingFileIsReportedUnlessItIsANewOne() {
    QFETCH(QString, name);
    QFETCH(bool, reported);
    Fixture f;
    fs::path path = f.dir / name.toStdString();
    f.window->OpenRubyFile(path, false);
    if (reported) {
      QVERIFY(testing_support::ShowedOnly(f.messenger, "ご注意!!",
                                          "ファイル<" + path.string() + ">を開けませんでした。"));
    } else {
      QVERIFY(f.messenger.records.empty());
    }
    QVERIFY(f.Pane()->Text().isEmpty());
    QCOMPARE(f.window->DocumentPath(), path);
  }

  // The file of a line pass over fields, not one over lines only (an .lrb all the same).
  void ymiIsAvailableForLineFieldFilesOnly_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("fields");
    QTest::addColumn<bool>("available");
    QTest::newRow("lrb") << "a.lrb" << true << true;
    QTest::newRow("LRB") << "a.LRB" << true << true;
    QTest::newRow("Lrb") << "b.c.Lrb" << true << true;
    QTest::newRow("lrb of lines") << "a.lrb" << false << false;
    QTest::newRow("srb") << "a.srb" << true << false;
    QTest::newRow("hrb") << "a.hrb" << true << false;
    QTest::newRow("krb") << "a.krb" << true << false;
    QTest::newRow("lrbx") << "a.lrbx" << true << false;
  }
  void ymiIsAvailableForLineFieldFilesOnly() {
    QFETCH(QString, name);
    QFETCH(bool, fields);
    QFETCH(bool, available);
    Fixture f;
    f.window->OpenRubyFile(f.Open(name.toStdString(), "x"), fields);
    QCOMPARE(f.window->YmiAvailable(), available);
    QCOMPARE(f.window->findChild<QAction*>("makeYmi")->isEnabled(), available);
  }

  // F9 reports what the core's check reports of the file as saved: the same verdict, line and
  // counts, with the caret where the fault is, for Shift_JIS and UTF-8 documents alike.
  void checkAgreesWithTheCoreOnTheFile_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("utf8");
    const char* texts[][2] = {
        {"open brace on the last line", "{漢字/かんじ}\r\nあ{漢字"},
        {"open brace starts the last line", "{漢字/かんじ}\r\n{未完"},
        {"brace opened at the very end", "{漢字/かんじ}\r\n漢字{"},
        {"reading left open at the very end", "{漢字/かんじ}\r\n{漢字/かん"},
        {"open brace on the last line, LF", "{漢字/かんじ}\r\nあ{漢字\r\n"},
        {"fault on line 2", "ab\r\n漢字{漢字/かん字}\r\nxx\r\n"},
        {"unbalanced braces on line 2", "a\r\nb}c\r\nd\r\n"},
        {"clean, 11 lines",
         "{字/じ}\r\n{字/じ}\r\n{字/じ}\r\n{字/じ}\r\n{字/じ}\r\n{字/じ}\r\n"
         "{字/じ}\r\n{字/じ}\r\n{字/じ}\r\n{字/じ}\r\n{字/じ}"},
        {"clean, 11 lines, LF",
         "{字/じ}\r\n{字/じ}\r\n{字/じ}\r\n{字/じ}\r\n{字/じ}\r\n"
         "{字/じ}\r\n{字/じ}\r\n{字/じ}\r\n{字/じ}\r\n{字/じ}\r\n{字/じ}\r\n"},
        {"long line before the fault",
         "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわ"
         "をん"
         "あいうえおかきくけこさしすせそたちつてとなにぬねの\r\n{漢/}\r\n"},
    };
    for (const auto& [name, text] : texts) {
      QTest::newRow((std::string(name) + ", Shift_JIS").c_str()) << U(text) << false;
      QTest::newRow((std::string(name) + ", UTF-8").c_str()) << U(text) << true;
    }
  }
  void checkAgreesWithTheCoreOnTheFile() {
    QFETCH(QString, text);
    QFETCH(bool, utf8);
    Fixture f;
    f.window->resize(300, 400);  // long lines wrap
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    std::string sjis = Sjis(text.toStdString());
    fs::path path = f.Open("a.srb", utf8 ? text.toStdString() : sjis);
    CoreVerdict core = CoreVerdictOf(sjis, path.string(), f.settings);
    AcceptNextDialog();
    f.Trigger("notationTest");
    QCOMPARE(f.messenger.records.size(), std::size_t{1});
    QCOMPARE(f.messenger.records[0].text, core.message);
    QCOMPARE(f.Pane()->textCursor().position(), core.caret);
  }

  void reportedSeparatorIsSelected() {
    Fixture f;
    f.Open("a.srb", Sjis("漢字\n{人/ひと|にん}\n"));
    AcceptNextDialog([](QDialog* dialog) {
      dialog->findChild<QCheckBox*>("reportSeparators")->setChecked(true);
    });
    f.Trigger("notationTest");
    QCOMPARE(f.messenger.records.size(), std::size_t{1});
    QCOMPARE(f.messenger.records[0].text,
             std::string("2 行目::複数読みｾﾊﾟﾚｰﾀの '|' を捕捉しました。"));
    QCOMPARE(f.Pane()->SelectedText(), U("|"));
    QVERIFY(f.session.check_start.report_separators);  // remembered for the next check
  }

  void browserDisplayWritesThePageAndStartsTheBrowser() {
    Fixture f;
    f.settings.web_browser = "test-browser";
    fs::path document = f.Open("a.srb", ReadFile(TestData("rubywindow/ruby_page_detailed/a.srb")));
    f.Trigger("browserRubyDisplay");
    fs::path page = f.dir / "aRb.html";
    QVERIFY(testing_support::BytesEqual(
        ReadFile(TestData("rubywindow/ruby_page_detailed/expected.html")), ReadFile(page)));
    QVERIFY(testing_support::ShowedOnly(f.messenger, "ご報告！",
                                        "[ " + page.string() + " ] を表示します。"));
    QCOMPARE(f.starter.started.size(), std::size_t{1});
    QCOMPARE(f.starter.started[0].first, std::string("test-browser"));
    QCOMPARE(f.starter.started[0].second, std::vector<std::string>{page.string()});
  }

  // A display that cannot be made writes no page and starts no browser: a folder that is not
  // there, a character Shift_JIS lacks (named, not dropped), a faulty notation in an HTML file.
  void displayThatCannotBeMadeStartsNothing_data() {
    QTest::addColumn<QString>("name");  // of the ruby file, beside the page
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("in_file");  // else typed into an empty window
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");  // %1: the ruby file; empty: any
    QTest::newRow("no folder") << "no-such-folder/a.srb" << U("{漢字/かんじ}") << false
                               << "browserRubyDisplay" << U("ご注意!!") << QString();
    QTest::newRow("not in Shift_JIS")
        << "a.srb" << U("{漢字/かんじ}\n😀") << false << "browserRubyDisplay" << U("ご注意!!")
        << U("<%1>の 2 行 1 字目の文字<😀>は Shift_JIS にありません。\n何も書きませんでした。");
    QTest::newRow("html fault") << "a.htm" << U("<HTML><BODY>\n{漢字/漢}\n") << true
                                << "htmlRubyDisplay" << U("警告")
                                << U("2 行目::◆<{ }> の内部にるびがながない。");
  }
  void displayThatCannotBeMadeStartsNothing() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(bool, in_file);
    QFETCH(QString, action);
    QFETCH(QString, title);
    QFETCH(QString, message);
    Fixture f;
    f.settings.web_browser = "test-browser";
    fs::path path = f.dir / name.toStdString();
    if (in_file) WriteFile(path, Sjis(text.toStdString()));
    f.window->OpenRubyFile(path, false);
    if (!in_file) f.Pane()->setPlainText(text);
    f.messenger.records.clear();
    f.Trigger(action.toLatin1().constData());
    QCOMPARE(f.messenger.records.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(f.messenger.records[0].title), title);
    if (!message.isEmpty()) {
      QCOMPARE(QString::fromStdString(f.messenger.records[0].text),
               message.arg(QString::fromStdString(path.string())));
    }
    QVERIFY(f.starter.started.empty());
    for (const char* page : {"aRb.html", "aRb.htm"}) {
      QVERIFY(!fs::exists(path.parent_path() / page) && !fs::exists(f.dir / page));
    }
  }

  void errorListModeDisablesTheConversions() {
    Fixture f;
    fs::path report = f.dir / "error_ck.out";
    WriteFile(report, Sjis("{漢字/漢}\n"));
    f.window->ShowBuildReport(report);
    QCOMPARE(f.window->windowTitle(), U("辞書作成エラーメセージ表示--- err_ck.out"));
    f.messenger.records.clear();
    for (const char* action : {"browserRubyDisplay", "htmlRubyDisplay", "notationTest"}) {
      f.Trigger(action);
    }
    QVERIFY(f.messenger.records.empty());
    QVERIFY(f.starter.started.empty());
    QVERIFY(!fs::exists(f.dir / "error_ckRb.html"));
  }

  void closeWithModifiedTextAsksAndCancelKeepsTheWindow() {
    Fixture f;
    f.Open("a.srb", "x");
    f.window->show();
    QSignalSpy closed(f.window.get(), &RubyWindow::Closed);
    f.Pane()->insertPlainText(U("y"));
    f.messenger.Script({common::Answer::kCancel, common::Answer::kNo});
    QVERIFY(!f.window->close());
    QVERIFY(testing_support::ShowedOnly(f.messenger, "ご確認！", kUnsaved));
    QVERIFY(f.window->isVisible());
    QCOMPARE(closed.count(), 0);
    QVERIFY(f.window->close());
    QCOMPARE(closed.count(), 1);
  }

  // The text is never thrown away after a save that failed.
  void failedSaveAtCloseKeepsTheWindow() {
    Fixture f;
    f.window->OpenRubyFile(f.dir / "no-such-folder" / "a.srb", false);
    f.window->show();
    f.Pane()->insertPlainText(U("y"));
    f.messenger.records.clear();
    f.messenger.Script({common::Answer::kYes});
    QVERIFY(!f.window->close());
    QVERIFY(f.window->isVisible());
    QVERIFY(f.window->IsModified());
  }

  // A save gives the file back in the encoding and line ends it was read in.
  void saveWritesTheFileInItsForm_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("saved");
    const std::string sjis = Sjis("{漢字/かんじ}");
    const std::string sjis_added = Sjis("です");
    const QByteArray utf8("{\xE6\xBC\xA2/\xE3\x81\x8B\xE3\x82\x93}");
    const QByteArray utf8_added("\xE3\x81\xA7\xE3\x81\x99");
    QTest::newRow("shift_jis, cr lf") << QByteArray::fromStdString(sjis + "\r\n")
                                      << QByteArray::fromStdString(sjis + "\r\n" + sjis_added);
    QTest::newRow("shift_jis, lf") << QByteArray::fromStdString(sjis + "\n")
                                   << QByteArray::fromStdString(sjis + "\n" + sjis_added);
    QTest::newRow("utf-8, cr lf") << utf8 + "\r\n" << utf8 + "\r\n" + utf8_added;
    QTest::newRow("utf-8, lf") << utf8 + "\n" << utf8 + "\n" + utf8_added;
  }
  void saveWritesTheFileInItsForm() {
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, saved);
    Fixture f;
    fs::path path = f.Open("a.srb", file.toStdString());
    QVERIFY(!f.window->Save());
    QVERIFY(
        testing_support::ShowedOnly(f.messenger, "ご確認", "未編集なので保存の必要はありません。"));
    f.Pane()->moveCursor(QTextCursor::End);
    f.Pane()->insertPlainText(U("です"));
    f.messenger.records.clear();
    QVERIFY(f.window->Save());
    QVERIFY(testing_support::ShowedOnly(f.messenger, "保存ファイル名", path.string()));
    QVERIFY(testing_support::BytesEqual(saved.toStdString(), ReadFile(path)));
    QVERIFY(!f.window->IsModified());
  }

  void placeIsCorrectedAndWrittenBackOnClose() {
    Fixture f;
    f.settings.ruby_height = 300;
    f.window = std::make_unique<RubyWindow>(f.Context());
    QCOMPARE(f.window->height(), 400);
    QCOMPARE(f.window->pos().y(), 150);
    f.window->resize(700, 450);
    f.window->CloseWithoutQuery();
    QCOMPARE(f.settings.ruby_height, 450);
    QCOMPARE(f.settings.ruby_width, 700);
  }

  // A half-width voiced mark belongs after half-width kana only: after a full-width letter it
  // shows as a stray mark ("プリンタﾞ").
  void captionsNeverMixAHalfWidthMarkIntoFullWidthText() {
    Fixture f;
    for (const QAction* action : f.window->findChildren<QAction*>()) {
      const QString text = action->text();
      for (qsizetype at = text.indexOf(QChar(0xFF9E)); at >= 0;
           at = text.indexOf(QChar(0xFF9E), at + 1)) {
        bool after_half_width =
            at > 0 && text[at - 1].unicode() >= 0xFF61 && text[at - 1].unicode() <= 0xFF9F;
        QVERIFY2(after_half_width, qPrintable(text));
      }
    }
  }

  // A toolbar button without a picture would show the whole menu caption.
  void toolBarButtonsShowPicturesOrShortNames() {
    Fixture f;
    for (const char* action : {"newFile", "openFile", "saveFile", "closeWindow"}) {
      QVERIFY2(!f.window->findChild<QAction*>(action)->icon().isNull(), action);
    }
    auto* tool_bar = f.window->findChild<QToolBar*>("toolBar");
    QStringList names;
    for (QAction* action : tool_bar->actions()) {
      if (action->icon().isNull() && !action->isSeparator()) names << action->iconText();
    }
    QVERIFY(names.contains(U("別名")));
    QVERIFY(names.contains(U("切取")));
    QVERIFY(names.contains(U("行へ")));
    QCOMPARE(names.count(U("読")), 1);  // read aloud, and the two 止 that pause and stop it
    QCOMPARE(names.count(U("止")), 2);
  }

  // Neither braces nor slashes reach the voice: the bases are read as the page shows them, or
  // with reading by ruby switched on, the readings alone.
  void readAloudSpeaksTheTextWithoutItsNotation_data() {
    QTest::addColumn<int>("by_ruby");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("bases") << 0 << U("漢字を読む。\n1/2");
    QTest::newRow("readings") << 1 << U("かんじをよむ。\n1/2");
  }
  void readAloudSpeaksTheTextWithoutItsNotation() {
    QFETCH(int, by_ruby);
    QFETCH(QString, spoken);
    Fixture f;
    f.settings.read_ruby_readings = by_ruby;
    f.Open("a.srb", Sjis("{漢字/かんじ}を{読/よ}む。\r\n1/2"));
    f.Trigger("readAloudAction");
    QCOMPARE(f.engine.Spoken(), (testing_support::Calls{"say " + spoken.toStdString()}));
    QVERIFY(f.messenger.records.empty());
    QVERIFY(!f.window->IsModified());
  }

  // A Read while paused resumes without looking at the text again; a new text Shift_JIS cannot
  // hold is named, not read in part.
  void speechButtonsPauseResumeAndStop() {
    Fixture f;
    f.Open("a.srb", Sjis("{漢/かん}"));
    f.Trigger("readAloudAction");
    f.Trigger("pauseSpeechAction");
    f.Pane()->setPlainText(U("{漢/かん}😀"));
    f.Trigger("readAloudAction");
    f.Trigger("stopSpeechAction");
    f.speech.SpeechEnded();
    f.Trigger("readAloudAction");
    QCOMPARE(f.engine.Spoken(), (testing_support::Calls{"say 漢", "pause", "resume", "stop"}));
    QCOMPARE(f.messenger.records.size(), std::size_t{1});
    QVERIFY(f.messenger.records.back().text.find("1 行 7 字目の文字<😀>") != std::string::npos);
  }

  // Font and colours are kept at once, alignment and line height when the dialog closes, the
  // check boxes only by "決 定".
  void formatDialogStoresCheckBoxesOnlyWhenDecided() {
    Fixture f;
    f.choosers.colour_answers.push_back(QColor(0, 0, 255));
    RubyFormatDialog dialog(f.settings, f.session, f.choosers);
    dialog.findChild<QPushButton*>("rubyColourButton")->click();
    QCOMPARE(f.settings.html_ruby_color, 0xFF0000);
    dialog.findChild<QSpinBox*>("lineHeight")->setValue(120);
    dialog.findChild<QCheckBox*>("lineBreakMarks")->setChecked(false);
    dialog.findChild<QCheckBox*>("detailed")->setChecked(false);
    dialog.reject();
    QCOMPARE(f.settings.html_line_spacing, 120);
    QCOMPARE(f.settings.mark_line_breaks, 1);
    QVERIFY(f.session.detailed_display);
    dialog.findChild<QPushButton*>("decideButton")->click();
    QCOMPARE(f.settings.mark_line_breaks, 0);
    QVERIFY(!f.session.detailed_display);
  }
};

QTEST_MAIN(RubyWindowTest)
#include "ruby_window_test.moc"
