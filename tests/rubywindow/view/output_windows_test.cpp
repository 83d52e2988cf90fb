// The ruby window's outputs driven as a user drives them: the dialog, its preview, the file
// written (byte-equal to what the command-line tool writes for the same choices) and the YMI or
// NNN window that shows it, with that window's own words.
#include <zip.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>

#include "common/encoding/text_encoding.h"
#include "common/platform/program_dir.h"
#include "common/settings/settings.h"
#include "common/view/search_memory.h"
#include "common/view/text_pane.h"
#include "rubywindow/browser_launcher.h"
#include "rubywindow/nnn_writer.h"
#include "rubywindow/view/output_window.h"
#include "rubywindow/view/ruby_window.h"
#include "rubywindow/view/ruby_window_session.h"
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
  zip_t* archive =
      source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr;
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

const std::string kTable = Sjis(
    "no,{平和/へいわ},{漢/かん}{字/じ}テスト\r\n"
    "1,{人/ひと|にん},{ヴァイオリン/ヴァイオリン}\r\n");

// A ruby file's text (UTF-8, CR LF) as a file in an encoding and with line ends of its own.
std::string InForm(std::string_view utf8_crlf, bool utf8, bool lf) {
  std::string text = lf ? common::CrLfToLf(utf8_crlf) : std::string(utf8_crlf);
  return utf8 ? text : Sjis(text);
}

// What the command-line tool writes as `written` for `args` (the command, then its options) over
// a copy of `ruby` in a folder of its own.
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

// The command-line tool's output for a command of the ruby window: the choices made in its dialog
// (none for a page or an export), what the dialog's preview then shows, and the tool's arguments
// for the same choices.
struct ToolOutput {
  const char* action;
  std::function<void(QDialog*)> answer;
  const char* preview;
  std::string written;  // beside the ruby file list.lrb
  std::vector<std::string> args;
  std::string body{};  // of a zipped document, the part that holds the text
  int first_ruby = 0;  // the setting RUBIRANGE/FIRSTRUBY
};

const std::map<QString, ToolOutput>& ToolOutputs() {
  static const std::map<QString, ToolOutput> outputs = {
      {"page", {"browserRubyDisplay", {}, "", "listRb.html", {"html"}}},
      {"YMI",
       {"makeYmi",
        [](QDialog* dialog) {
          dialog->findChild<QSpinBox*>("firstField")->setValue(2);
          ClickRadio(dialog, "指定ﾌｨｰﾙﾄﾞ以降");
          dialog->findChild<QComboBox*>("templateBox")->setEditText(U("[@@@@1](@@@@2)^^t"));
          dialog->findChild<QCheckBox*>("toHiragana")->setChecked(true);
        },
        "[平和](へいわ)\t",
        "list.ymi",
        {"ymi", "--range-mode", "2", "--first", "2", "--template", Sjis("[@@@@1](@@@@2)^^t"),
         "--to-hiragana"}}},
      {"NNN",
       {"makeNnn",
        [](QDialog* dialog) {
          dialog->findChild<QComboBox*>("templateBox")
              ->setEditText(U("<ruby>****1<rt>****4</rt></ruby>(****3)"));
        },
        "<ruby>花<rt>はな</rt></ruby>(1)",  // the preview's own sample
        "list.nnn",
        {"nnn", "--template", Sjis("<ruby>****1<rt>****4</rt></ruby>(****3)")}}},
      {"HTML5", {"exportHtml5", {}, "", "list.html", {"export", "--format", "html5"}}},
      {"HTML5 vertical",
       {"exportHtml5Vertical", {}, "", "list.html", {"export", "--format", "html5", "--vertical"}}},
      {"ODT", {"exportOdt", {}, "", "list.odt", {"export", "--format", "odt"}, "content.xml"}},
      {"DOCX",
       {"exportDocx", {}, "", "list.docx", {"export", "--format", "docx"}, "word/document.xml"}},
      {"HTML5, first occurrence",
       {"exportHtml5",
        {},
        "",
        "list.html",
        {"export", "--format", "html5", "--first-occurrence", "document"},
        "",
        1}},
  };
  return outputs;
}

// A YMI or an NNN window on the fixture's services.
std::unique_ptr<OutputWindow> MakeOutputWindow(Fixture& f, bool ymi) {
  if (ymi) return std::make_unique<YmiWindow>(f.Context());
  return std::make_unique<NnnWindow>(f.Context());
}

}  // namespace

class OutputWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  // F7 over a .lrb: the file written opens in the YMI window, which reads it aloud as it stands;
  // one YMI window at a time.
  void ymiCommandShowsItsFileInOneWindow() {
    Fixture f;
    f.Open("list.lrb", kTable);
    AcceptNextDialog(ToolOutputs().at("YMI").answer);
    f.Trigger("makeYmi");
    fs::path ymi = f.dir / "list.ymi";
    QVERIFY(f.messenger.records.empty());
    YmiWindow* shown = f.session.ymi_window;
    QVERIFY(shown);
    QCOMPARE(shown->windowTitle(),
             U("みるかぜ【ＹＭＩファイル画面】 --- ") + QString::fromStdString(ymi.string()));
    QVERIFY(shown->Pane()->Text().startsWith(U("no,[平和](へいわ)\t,")));
    shown->findChild<QAction*>("readAloudAction")->trigger();
    QCOMPARE(f.engine.Spoken().size(), std::size_t{1});
    QVERIFY(QString::fromStdString(f.engine.Spoken()[0]).startsWith(U("say no,[平和](へいわ)")));
    f.Trigger("makeYmi");
    QVERIFY(testing_support::ShowedOnly(f.messenger, "ご注意!!",
                                        "YMI画面を閉じてから実行して下さい。"));
  }

  // Every file the ruby window writes beside a ruby file (page, YMI, NNN, the exports of the 変換
  // menu) is the command-line tool's for the same choices, byte for byte, from a ruby file in
  // Shift_JIS or UTF-8 with CR LF or LF line ends. Of a zipped document the part that holds the
  // text is compared, since the zip records when it was made. A YMI or NNN file opens in its
  // window, and the NNN template chosen is kept.
  void outputFilesAreTheTools_data() {
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<bool>("lf");
    for (const auto& [output, unused] : ToolOutputs()) {
      const bool every_form = output == "page" || output == "YMI" || output == "NNN";
      for (int form = 0; form < (every_form ? 4 : 1); ++form) {
        const bool utf8 = form >= 2;
        const bool lf = form % 2 == 1;
        QTest::addRow("%s, %s, %s", qPrintable(output), utf8 ? "UTF-8" : "Shift_JIS",
                      lf ? "LF" : "CR LF")
            << output << utf8 << lf;
      }
    }
  }
  void outputFilesAreTheTools() {
    QFETCH(QString, output);
    QFETCH(bool, utf8);
    QFETCH(bool, lf);
    const ToolOutput& tool = ToolOutputs().at(output);
    Fixture f;
    f.settings.first_ruby = tool.first_ruby;
    fs::path ruby = f.Open("list.lrb", InForm("no,{平和/へいわ},{漢/かん}{字/じ}テスト\r\n"
                                              "1,{人/ひと|にん},{花/はな}{花/はな}\r\n",
                                              utf8, lf));
    QString preview;
    if (tool.answer) {
      AcceptNextDialog([&](QDialog* dialog) {
        tool.answer(dialog);
        preview = dialog->findChild<QLabel*>("preview")->text();
      });
    }
    f.Trigger(tool.action);
    QCOMPARE(preview, U(tool.preview));
    std::string written = ReadFile(f.dir / tool.written);
    std::string expected = CliFile(ruby, tool.written, tool.args);
    if (!tool.body.empty()) {
      written = ZipPart(written, tool.body);
      expected = ZipPart(expected, tool.body);
    }
    QVERIFY(written.find(utf8 || tool.args[0] == "export" ? "平和" : Sjis("平和")) !=
            std::string::npos);
    QCOMPARE(written, expected);
    if (tool.args[0] == "export") {
      QVERIFY(testing_support::ShowedOnly(f.messenger, "ご報告",
                                          (f.dir / tool.written).string() + " を書き出しました。"));
    }
    if (output == "NNN") {
      QVERIFY(f.session.nnn_window);
      QCOMPARE(f.session.nnn_window->DocumentPath(), f.dir / tool.written);
      QCOMPARE(f.settings.nnn_template, tool.args.back());
    }
    if (output != "YMI") return;
    // The YMI window's HTML view: the page of the YMI file under the name of its page source.
    QVERIFY(f.session.ymi_window);
    f.session.ymi_window->findChild<QAction*>("htmlView")->trigger();
    testing_support::ScratchDir source;
    fs::copy_file(f.dir / "list.ymi", source / "listYMI.ymi");
    QCOMPARE(ReadFile(f.dir / "listYMIRb.html"),
             CliFile(source / "listYMI.ymi", "listYMIRb.html", {"html"}));
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
    std::unique_ptr<OutputWindow> window = MakeOutputWindow(f, ymi);
    QCOMPARE(window->Edit().Action(static_cast<common::view::EditAction>(action))->text(), caption);
  }

  // Open (and the YMI window's close) ask first about edited text, each window in its own words
  // under the program's title; Cancel keeps the text and the window, Yes at the close writes the
  // file in its form.
  void questionBeforeOpenAndClose_data() {
    QTest::addColumn<bool>("ymi");
    QTest::addColumn<bool>("close");
    QTest::addColumn<QString>("question");
    const QString ymi = U("テキストは\n編集されましたが保存されていません。\n保存しますか？");
    const QString nnn = U("編集されたテキストが保存されていません。\n保存しますか？");
    QTest::newRow("YMI open") << true << false << ymi;
    QTest::newRow("NNN open") << false << false << nnn;
    QTest::newRow("YMI close") << true << true << ymi;
  }
  void questionBeforeOpenAndClose() {
    QFETCH(bool, ymi);
    QFETCH(bool, close);
    QFETCH(QString, question);
    Fixture f;
    fs::path file = f.dir / (ymi ? "a.ymi" : "a.nnn");
    WriteFile(file, "x\r\n");
    std::unique_ptr<OutputWindow> window = MakeOutputWindow(f, ymi);
    window->show();
    window->ShowOutputFile(file);
    window->Pane()->insertPlainText(U("typed"));
    f.messenger.Script({common::Answer::kCancel});
    if (close) {
      QVERIFY(!window->close());
    } else {
      window->findChild<QAction*>("openFile")->trigger();
    }
    QCOMPARE(f.messenger.records.size(), std::size_t{1});
    QCOMPARE(f.messenger.records[0].title, std::string("TesmaroVR v1.12"));
    QCOMPARE(QString::fromStdString(f.messenger.records[0].text), question);
    QCOMPARE(window->Pane()->Text(), U("typedx\n"));
    QVERIFY(window->isVisible());
    if (!close) return;
    f.messenger.Script({common::Answer::kYes});
    QVERIFY(window->close());
    QCOMPARE(ReadFile(file), std::string("typedx\r\n"));
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
    if (window != "ruby") output = MakeOutputWindow(f, window == "YMI");
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
};

QTEST_MAIN(OutputWindowsTest)
#include "output_windows_test.moc"
