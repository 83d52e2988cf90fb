// The ruby window's YMI and NNN commands driven as a user drives them: the dialog, its preview,
// the file written (byte-equal to what the command-line tool writes for the same choices) and
// the window that shows it; the template list editor's limits.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <zip.h>

#include "common/platform/program_dir.h"
#include "common/settings/settings.h"
#include "common/encoding/text_encoding.h"
#include "common/view/search_memory.h"
#include "common/view/text_pane.h"
#include "rubywindow/browser_launcher.h"
#include "rubywindow/nnn_writer.h"
#include "rubywindow/view/output_window.h"
#include "rubywindow/view/ruby_window.h"
#include "rubywindow/view/ruby_window_session.h"
#include "rubywindow/view/template_list_dialog.h"
#include "rubywindow/view/ymi_settings_dialog.h"
#include "rubywindow/ymi_writer.h"
#include "tests/cli/cli_runner.h"
#include "tests/rubywindow/view/ruby_window_fixture.h"

using namespace rubywindow::view;
using testing_support::ReadFile;
using testing_support::Sjis;
using testing_support::WriteFile;
namespace fs = std::filesystem;

namespace {

using namespace ruby_window_testing;

// The part `name` of the zip file `bytes`, as a word processor reads it; empty when it is not
// there.
std::string ZipPart(const std::string& bytes, const std::string& name) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error)
                          : nullptr;
  zip_error_fini(&error);
  if (archive == nullptr) {
    if (source) zip_source_free(source);
    return {};
  }
  std::string part;
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat(archive, name.c_str(), 0, &stat) == 0) {
    if (zip_file_t* file = zip_fopen(archive, name.c_str(), 0)) {
      part.resize(stat.size);
      zip_int64_t read = zip_fread(file, part.data(), part.size());
      part.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
      zip_fclose(file);
    }
  }
  zip_close(archive);
  return part;
}

// What the command-line tool writes for `args` over a copy of `ruby` in a folder of its own.
std::string CliOutput(std::string_view command, const fs::path& ruby, std::string_view extension,
                      std::vector<std::string> args) {
  cli::ProgramFolder home;
  fs::path copy = home / ruby.filename().string();
  fs::copy_file(ruby, copy);
  args.insert(args.begin(), {std::string(command), copy.string()});
  cli::CliRun run = home.Run(args);
  if (run.exit_code != 0) return "exit " + std::to_string(run.exit_code) + ": " + run.err;
  return ReadFile(copy.replace_extension(std::string(extension)));
}

const std::string kTable = Sjis(
    "no,{平和/へいわ},{漢/かん}{字/じ}テスト\r\n"
    "1,{人/ひと|にん},{ヴァイオリン/ヴァイオリン}\r\n");

// A ruby file's text (UTF-8, CR LF) as a file in an encoding and with line ends of its own.
std::string InForm(std::string_view utf8_crlf, bool utf8, bool lf) {
  std::string text = lf ? common::CrLfToLf(utf8_crlf) : std::string(utf8_crlf);
  return utf8 ? text : Sjis(text);
}

// What the command-line tool writes as `written` for `args` over a copy of `ruby` in a folder of
// its own.
std::string CliFile(const fs::path& ruby, const std::string& written,
                    std::vector<std::string> args) {
  cli::ProgramFolder home;
  fs::path copy = home / ruby.filename().string();
  fs::copy_file(ruby, copy);
  args.insert(args.begin() + 1, copy.string());
  cli::CliRun run = home.Run(args);
  if (run.exit_code != 0) return "exit " + std::to_string(run.exit_code) + ": " + run.err;
  return ReadFile(home / written);
}

}  // namespace

class OutputWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  // F7 over a .lrb: the dialog's preview follows the template, and the file written is the
  // command-line tool's for the same choices; it opens in the YMI window.
  void ymiCommandWritesWhatTheToolWritesAndShowsIt() {
    Fixture f;
    fs::path ruby = f.Open("list.lrb", kTable);
    QVERIFY(f.window->findChild<QAction*>("makeYmi")->isEnabled());
    QString preview;
    AcceptNextDialog([&](QDialog* dialog) {
      dialog->findChild<QSpinBox*>("firstField")->setValue(2);
      ClickRadio(dialog, "指定ﾌｨｰﾙﾄﾞ以降");
      dialog->findChild<QComboBox*>("templateBox")->setEditText(U("[@@@@1](@@@@2)^^t"));
      dialog->findChild<QCheckBox*>("toHiragana")->setChecked(true);
      preview = dialog->findChild<QLabel*>("preview")->text();
    });
    f.Trigger("makeYmi");
    QCOMPARE(preview, U("[平和](へいわ)\t"));
    fs::path ymi = f.dir / "list.ymi";
    QCOMPARE(ReadFile(ymi), CliOutput("ymi", ruby, ".ymi",
                                      {"--range-mode", "2", "--first", "2", "--template",
                                       Sjis("[@@@@1](@@@@2)^^t"), "--to-hiragana"}));
    QVERIFY(f.messenger.records.empty());
    YmiWindow* shown = f.session.ymi_window;
    QVERIFY(shown);
    QCOMPARE(shown->DocumentPath(), ymi);
    QCOMPARE(shown->windowTitle(), U("みるかぜ【ＹＭＩファイル画面】 --- ") +
                                       QString::fromStdString(ymi.string()));
    QVERIFY(shown->Pane()->Text().startsWith(U("no,[平和](へいわ)\t,")));
    // Read aloud as every text window is: the text as it stands.
    shown->findChild<QAction*>("readAloudAction")->trigger();
    QCOMPARE(f.engine.Spoken().size(), std::size_t{1});
    QVERIFY(QString::fromStdString(f.engine.Spoken()[0]).startsWith(U("say no,[平和](へいわ)")));
    // One YMI window at a time.
    f.Trigger("makeYmi");
    QVERIFY(testing_support::ShowedOnly(f.messenger, "ご注意!!",
                                        "YMI画面を閉じてから実行して下さい。"));
  }

  // The exports of the 変換 menu write beside the ruby file what the command line's export
  // writes: a page byte for byte; a document whose body (the part that holds the ruby) is the
  // command line's, since the zip around it records when it was made.
  void exportsWriteWhatTheToolWrites() {
    struct Case {
      const char* action;
      std::string extension;
      std::vector<std::string> args;
      std::string body;  // the document's part that holds the text; none for a page
      int first_ruby = 0;  // the setting RUBIRANGE/FIRSTRUBY
    };
    const Case cases[] = {
        {"exportHtml5", ".html", {"--format", "html5"}, ""},
        {"exportHtml5Vertical", ".html", {"--format", "html5", "--vertical"}, ""},
        {"exportOdt", ".odt", {"--format", "odt"}, "content.xml"},
        {"exportDocx", ".docx", {"--format", "docx"}, "word/document.xml"},
        {"exportHtml5", ".html", {"--format", "html5", "--first-occurrence", "document"}, "", 1},
    };
    for (const Case& c : cases) {
      Fixture f;
      f.settings.first_ruby = c.first_ruby;
      fs::path ruby = f.Open("story.srb", Sjis("{花/はな}が咲く\r\n{花/はな}\r\n"));
      f.Trigger(c.action);
      fs::path written = f.dir / ("story" + c.extension);
      std::string expected = CliOutput("export", ruby, c.extension, c.args);
      std::string shown = c.body.empty() ? ReadFile(written) : ZipPart(ReadFile(written), c.body);
      if (!c.body.empty()) {
        QCOMPARE(shown, ZipPart(expected, c.body));
      } else {
        QCOMPARE(shown, expected);
      }
      QVERIFY2(shown.find("花") != std::string::npos && shown.find("はな") != std::string::npos,
               c.action);
      QVERIFY(testing_support::ShowedOnly(f.messenger, "ご報告",
                                          written.string() + " を書き出しました。"));
    }
  }

  // F8 with a template of the user's own, the NNN window showing the result.
  void nnnCommandWritesWhatTheToolWritesAndShowsIt() {
    Fixture f;
    fs::path ruby = f.Open("story.srb", Sjis("{花/はな}が咲く\r\n{漢字/かんじ}\r\n"));
    QString preview;
    AcceptNextDialog([&](QDialog* dialog) {
      dialog->findChild<QComboBox*>("templateBox")
          ->setEditText(U("<ruby>****1<rt>****4</rt></ruby>(****3)"));
      preview = dialog->findChild<QLabel*>("preview")->text();
    });
    f.Trigger("makeNnn");
    QCOMPARE(preview, U("<ruby>花<rt>はな</rt></ruby>(1)"));
    QCOMPARE(ReadFile(f.dir / "story.nnn"),
             CliOutput("nnn", ruby, ".nnn",
                       {"--template", Sjis("<ruby>****1<rt>****4</rt></ruby>(****3)")}));
    QVERIFY(f.session.nnn_window);
    QCOMPARE(f.session.nnn_window->Pane()->Text(),
             U("<ruby>花<rt>はな</rt></ruby>(1)が咲く\n<ruby>漢字<rt>かんじ</rt></ruby>(2)\n"));
    QCOMPARE(f.settings.nnn_template, Sjis("<ruby>****1<rt>****4</rt></ruby>(****3)"));
  }

  // The page (F5), YMI (F7) and NNN (F8) files of the ruby window are the command-line tool's,
  // byte for byte, for a ruby file in Shift_JIS or UTF-8, with CR LF or LF line ends.
  void outputFilesAreTheToolsInEveryForm_data() {
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<bool>("lf");
    QTest::newRow("Shift_JIS, CR LF") << false << false;
    QTest::newRow("Shift_JIS, LF") << false << true;
    QTest::newRow("UTF-8, CR LF") << true << false;
    QTest::newRow("UTF-8, LF") << true << true;
  }

  void outputFilesAreTheToolsInEveryForm() {
    QFETCH(bool, utf8);
    QFETCH(bool, lf);
    Fixture f;
    fs::path ruby = f.Open("list.lrb", InForm("no,{平和/へいわ},{漢/かん}{字/じ}テスト\r\n"
                                              "1,{人/ひと|にん},{花/はな}\r\n",
                                              utf8, lf));
    f.Trigger("browserRubyDisplay");
    QCOMPARE(ReadFile(f.dir / "listRb.html"), CliFile(ruby, "listRb.html", {"html"}));

    AcceptNextDialog([](QDialog* dialog) {
      dialog->findChild<QSpinBox*>("firstField")->setValue(2);
      ClickRadio(dialog, "指定ﾌｨｰﾙﾄﾞ以降");
      dialog->findChild<QComboBox*>("templateBox")->setEditText(U("[@@@@1](@@@@2)^^t"));
    });
    f.Trigger("makeYmi");
    QCOMPARE(ReadFile(f.dir / "list.ymi"),
             CliFile(ruby, "list.ymi",
                     {"ymi", "--range-mode", "2", "--first", "2", "--template",
                      Sjis("[@@@@1](@@@@2)^^t")}));
    // The YMI window's HTML view: the page of the YMI file under the name of its page source.
    QVERIFY(f.session.ymi_window);
    f.session.ymi_window->findChild<QAction*>("htmlView")->trigger();
    testing_support::ScratchDir source;
    fs::copy_file(f.dir / "list.ymi", source / "listYMI.ymi");
    QCOMPARE(ReadFile(f.dir / "listYMIRb.html"),
             CliFile(source / "listYMI.ymi", "listYMIRb.html", {"html"}));

    AcceptNextDialog([](QDialog* dialog) {
      dialog->findChild<QComboBox*>("templateBox")->setEditText(U("<****1|****4>"));
    });
    f.Trigger("makeNnn");
    QCOMPARE(ReadFile(f.dir / "list.nnn"),
             CliFile(ruby, "list.nnn", {"nnn", "--template", Sjis("<****1|****4>")}));
  }

  // A faulty notation stops both commands before their dialogs; nothing is written.
  void faultyNotationWritesNothing() {
    Fixture f;
    f.Open("bad.lrb", Sjis("a,{平和/へいわ\r\n"));
    f.Trigger("makeYmi");
    f.Trigger("makeNnn");
    QCOMPARE(f.messenger.records.size(), std::size_t{2});
    QVERIFY(!fs::exists(f.dir / "bad.ymi"));
    QVERIFY(!fs::exists(f.dir / "bad.nnn"));
  }

  // A refused choice keeps the dialog open with its message; the options stay unaccepted.
  void ymiDialogRefusesFieldsOutOfOrder() {
    Fixture f;
    rubywindow::TemplateList stored = f.settings.ymi_templates;
    rubywindow::YmiOptions options;
    YmiSettingsDialog dialog(options, stored, f.messenger);
    dialog.findChild<QSpinBox*>("firstField")->setValue(3);
    dialog.findChild<QSpinBox*>("lastField")->setValue(2);
    ClickRadio(&dialog, "ﾌｨｰﾙﾄﾞ範囲指定");
    dialog.accept();
    QCOMPARE(dialog.result(), int{QDialog::Rejected});
    QVERIFY(testing_support::ShowedOnly(f.messenger, "ご確認！",
                                        "左のフィールド≦右のフィールド にして下さい。"));
  }

  // The separator edit keeps what the line-and-field dialog's edit keeps.
  void ymiDialogSeparatorEntry_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("code");
    QTest::newRow("tab") << "\\t" << QString("\\t") << "0x09";
    QTest::newRow("backslash before another letter") << "\\x" << QString("\\") << "0x5C";
    QTest::newRow("a second character stays") << ",;" << QString(",;") << "0x2C";
  }

  void ymiDialogSeparatorEntry() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, code);
    Fixture f;
    rubywindow::TemplateList stored = f.settings.ymi_templates;
    rubywindow::YmiOptions options;
    YmiSettingsDialog dialog(options, stored, f.messenger);
    auto* separator = dialog.findChild<QLineEdit*>("separator");
    separator->clear();
    QTest::keyClicks(separator, typed);
    QCOMPARE(separator->text(), shown);
    QCOMPARE(dialog.findChild<QLabel*>("separatorCode")->text(), code);
  }

  // Cancel at the marker question keeps the NNN dialog open; OK runs.
  void nnnMarkerQuestionCancelKeepsTheDialog() {
    Fixture f;
    NnnChoices choices{.options = rubywindow::NnnOptionsOf(f.settings), .warn_markers = true};
    NnnFormatDialog dialog(f.settings, choices, f.messenger, f.choosers);
    dialog.TemplateBox()->setEditText(U("[****1]"));
    f.messenger.Script({common::Answer::kCancel, common::Answer::kOk});
    dialog.accept();
    QCOMPARE(dialog.result(), int{QDialog::Rejected});
    QCOMPARE(f.messenger.records.back().text,
             std::string("ルビかな部<****4>がありません。\nこのまま実行していいですか。"));
    dialog.accept();
    QCOMPARE(dialog.result(), int{QDialog::Accepted});
  }

  // The editor takes twenty lines at most and says so in red on the twenty-first; a list cut
  // down to three lines leaves the other seventeen entries empty.
  void listEditorLimits() {
    testing_support::RecordingMessenger messenger;
    rubywindow::TemplateList list;
    list.fill(Sjis("〒****1****4〒"));
    TemplateListDialog dialog(list, messenger);
    QPlainTextEdit* editor = dialog.Editor();
    QCOMPARE(editor->blockCount(), 20);
    QTextCursor cursor = editor->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(U("\n21行目"));
    editor->setTextCursor(cursor);
    QVERIFY(dialog.PositionLabel()->text().startsWith(U("［ 21 行： 5字目")));
    QVERIFY(dialog.PositionLabel()->text().endsWith(U(" >>この行は無効です。")));
    QVERIFY(dialog.PositionLabel()->styleSheet().contains(U("#ff0000")));

    editor->setPlainText(QString(1500, u'x'));
    QCOMPARE(editor->toPlainText().size(), 1400);

    editor->setPlainText(U("a\nb\nc"));
    dialog.accept();
    QCOMPARE(dialog.List()[2], std::string("c"));
    for (std::size_t i = 3; i < dialog.List().size(); ++i) QVERIFY(dialog.List()[i].empty());
  }

  // The list edited from the YMI dialog is the stored list at once, and the box shows its first
  // entry.
  void ymiListEditingStoresTheList() {
    Fixture f;
    rubywindow::TemplateList stored = f.settings.ymi_templates;
    rubywindow::YmiOptions options;
    YmiSettingsDialog dialog(options, stored, f.messenger);
    QTimer::singleShot(0, [] {
      auto* editor = qobject_cast<TemplateListDialog*>(QApplication::activeModalWidget());
      QVERIFY(editor);
      editor->Editor()->setPlainText(U("@@@@2\n@@@@1"));
      editor->accept();
    });
    dialog.EditList();
    QCOMPARE(stored[0], std::string("@@@@2"));
    QVERIFY(stored[2].empty());
    QCOMPARE(dialog.TemplateBox()->currentText(), U("@@@@2"));
    QCOMPARE(dialog.Preview()->text(), U("へいわ"));
  }

  // The YMI and NNN windows name their edit commands their own way: the repeat searches under
  // each other's access keys, the YMI window's comma and tab swaps with a longer arrow.
  void editCaptionsOfTheOutputWindows_data() {
    QTest::addColumn<bool>("ymi");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("caption");
    using common::view::EditAction;
    auto row = [](const char* name, bool ymi, EditAction action, const char* caption) {
      QTest::newRow(name) << ymi << static_cast<int>(action) << U(caption);
    };
    row("YMI up", true, EditAction::kFindUp, "上方検索↑(&W)");
    row("YMI down", true, EditAction::kFindDown, "下方検索↓(&Q)");
    row("YMI comma", true, EditAction::kCommaToTab, "コンマ --> タブ");
    row("YMI tab", true, EditAction::kTabToComma, "タブ --> コンマ");
    row("NNN up", false, EditAction::kFindUp, "上方検索↑(&W)");
    row("NNN down", false, EditAction::kFindDown, "下方検索↓(&Q)");
    row("NNN comma", false, EditAction::kCommaToTab, "コンマ -> タブ");
  }
  void editCaptionsOfTheOutputWindows() {
    QFETCH(bool, ymi);
    QFETCH(int, action);
    QFETCH(QString, caption);
    Fixture f;
    std::unique_ptr<OutputWindow> window;
    if (ymi) {
      window = std::make_unique<YmiWindow>(f.Context());
    } else {
      window = std::make_unique<NnnWindow>(f.Context());
    }
    QCOMPARE(window->Edit().Action(static_cast<common::view::EditAction>(action))->text(),
             caption);
  }

  // Open asks first about edited text, each window in its own words under the program's title;
  // Cancel keeps the text and opens nothing.
  void questionBeforeOpen_data() {
    QTest::addColumn<bool>("ymi");
    QTest::addColumn<QString>("question");
    QTest::newRow("YMI") << true
                         << U("テキストは\n編集されましたが保存されていません。\n保存しますか？");
    QTest::newRow("NNN") << false << U("編集されたテキストが保存されていません。\n保存しますか？");
  }
  void questionBeforeOpen() {
    QFETCH(bool, ymi);
    QFETCH(QString, question);
    Fixture f;
    std::unique_ptr<OutputWindow> window;
    if (ymi) {
      window = std::make_unique<YmiWindow>(f.Context());
    } else {
      window = std::make_unique<NnnWindow>(f.Context());
    }
    window->Pane()->insertPlainText(U("typed"));
    f.messenger.Script({common::Answer::kCancel});
    window->findChild<QAction*>("openFile")->trigger();
    QCOMPARE(f.messenger.records.size(), std::size_t{1});
    QCOMPARE(f.messenger.records[0].title, std::string("TesmaroVR v1.12"));
    QCOMPARE(QString::fromStdString(f.messenger.records[0].text), question);
    QCOMPARE(window->Pane()->Text(), U("typed"));
  }

  // The help buttons of the dialogs that the ruby, YMI and NNN windows open show the guide as F1
  // in the main text window does.
  void helpButtonsOpenTheGuide_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("action");
    for (const char* window : {"ruby", "YMI", "NNN"}) {
      for (const char* action : {"printMargins", "registerApplications"}) {
        QTest::addRow("%s %s", window, action) << window << action;
      }
    }
    QTest::newRow("YMI settings") << "ruby"
                                  << "makeYmi";
    QTest::newRow("NNN settings") << "ruby"
                                  << "makeNnn";
  }
  void helpButtonsOpenTheGuide() {
    QFETCH(QString, window);
    QFETCH(QString, action);
    Fixture f;
    f.Open("list.lrb", kTable);
    std::unique_ptr<OutputWindow> output;
    if (window == "YMI") output = std::make_unique<YmiWindow>(f.Context());
    if (window == "NNN") output = std::make_unique<NnnWindow>(f.Context());
    QWidget* shown = output ? static_cast<QWidget*>(output.get()) : f.window.get();
    bool clicked = false;
    QTimer::singleShot(0, [&clicked] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      auto* help = dialog->findChild<QPushButton*>("helpButton");
      if (help != nullptr && help->isVisible()) {
        help->click();
        clicked = true;
      }
      dialog->reject();
    });
    shown->findChild<QAction*>(action.toLatin1().constData())->trigger();
    QVERIFY(clicked);
    QCOMPARE(f.guide_opened, 1);
  }

  // A file that is not there is reported; the window still opens, empty, under its name.
  void missingOutputFileIsReported() {
    Fixture f;
    NnnWindow window(f.Context());
    window.ShowOutputFile(f.dir / "gone.nnn");
    QVERIFY(testing_support::ShowedOnly(
        f.messenger, "ご確認!!", (f.dir / "gone.nnn").string() + " がありません。\n残念です！"));
    QVERIFY(window.Pane()->Text().isEmpty());
  }

  // Closing with unsaved text and answering Cancel keeps the window and its text.
  void closeCancelKeepsTheOutputWindow() {
    Fixture f;
    WriteFile(f.dir / "a.ymi", "x\r\n");
    YmiWindow window(f.Context());
    window.show();
    window.ShowOutputFile(f.dir / "a.ymi");
    window.Pane()->insertPlainText(U("typed"));
    f.messenger.Script({common::Answer::kCancel});
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    QCOMPARE(f.messenger.records.back().title, std::string("TesmaroVR v1.12"));
    f.messenger.Script({common::Answer::kYes});
    QVERIFY(window.close());
    QCOMPARE(ReadFile(f.dir / "a.ymi"), std::string("typedx\r\n"));
  }
};

QTEST_MAIN(OutputWindowsTest)
#include "output_windows_test.moc"
