// The main text window driven through its actions: files, ruby commands and the hand-over to
// the ruby window, shared search strings, the close query and the settings kept from one start
// to the next.
#include "app/main_text_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextCursor>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/edit_capacity_dialog.h"
#include "common/platform/program_dir.h"
#include "common/settings/settings.h"
#include "engine/commands/dictionary_use.h"
#include "common/view/display_dialogs.h"
#include "common/view/search_memory.h"
#include "common/view/status_line.h"
#include "common/view/text_pane.h"
#include "rubywindow/browser_launcher.h"
#include "rubywindow/view/ruby_window.h"
#include "speech/qt/speech_controls.h"
#include "speech/qt/speech_settings_window.h"
#include "speech/read_aloud.h"
#include "tests/app/app_fixtures.h"
#include "tests/speech/recording_engine.h"
#include "tests/support/scripted_choosers.h"
#include "tests/support/test_files.h"

namespace fs = std::filesystem;
using app_testing::NoStarter;
using app_testing::QtPath;
using app_testing::Showed;
using common::Answer;
using testing_support::ReadFile;
using testing_support::RecordingMessenger;
using testing_support::ScratchDir;
using testing_support::Sjis;
using testing_support::WriteFile;

namespace {

// The shortcuts of a window's own actions and of its menus' actions that are held by more than
// one action: Qt runs neither of them.
QStringList SharedKeys(QMainWindow& window) {
  QList<QAction*> actions = window.actions();
  for (QMenu* menu : window.menuBar()->findChildren<QMenu*>()) actions += menu->actions();
  QMap<QString, QSet<QAction*>> holders;
  for (QAction* action : actions) {
    for (const QKeySequence& key : action->shortcuts()) holders[key.toString()].insert(action);
  }
  QStringList shared;
  for (auto it = holders.cbegin(); it != holders.cend(); ++it) {
    if (it.value().size() > 1) shared << it.key();
  }
  return shared;
}

// The access keys ("&R") that two entries of one menu share, as "menu: key".
QStringList SharedAccessKeys(QMainWindow& window) {
  QStringList shared;
  for (QMenu* menu : window.menuBar()->findChildren<QMenu*>()) {
    QMap<QChar, int> holders;
    for (QAction* action : menu->actions()) {
      const QString text = action->text();
      qsizetype at = text.indexOf('&');
      if (at >= 0 && at + 1 < text.size() && text[at + 1] != '&') {
        ++holders[text[at + 1].toUpper()];
      }
    }
    for (auto it = holders.cbegin(); it != holders.cend(); ++it) {
      if (it.value() > 1) shared << menu->title() + ": " + it.key();
    }
  }
  return shared;
}

}  // namespace

class MainTextWindowTest : public QObject {
  Q_OBJECT

  ScratchDir home_;  // the program folder, with the main dictionary of the all-ruby golden files
  const common::ProgramDir program_{home_.Path()};
  std::optional<ScratchDir> docs_;
  std::optional<ScratchDir> work_;
  common::Settings settings_;
  RecordingMessenger messenger_;
  testing_support::ScriptedChoosers choosers_;
  common::view::SearchMemory search_;
  NoStarter starter_;
  testing_support::RecordingEngine engine_;
  std::optional<speech::ReadAloud> speech_;
  std::optional<speech::qt::SpeechControls> controls_;
  std::unique_ptr<app::MainTextWindow> window_;

  common::view::TextPane& Pane() const { return *window_->Pane(); }
  void Type(const QString& text) { Pane().insertPlainText(text); }

  std::unique_ptr<app::MainTextWindow> MakeWindow(common::Settings& settings,
                                                  const common::ProgramDir& program) {
    auto window = std::make_unique<app::MainTextWindow>(
        common::view::WindowServices{.settings = &settings,
                                     .program = &program,
                                     .messenger = &messenger_,
                                     .choosers = &choosers_,
                                     .search = &search_,
                                     .starter = &starter_,
                                     .speech = &*controls_,
                                     .work_dir = work_->Path()});
    window->show();
    return window;
  }

  // The ruby window on a small ruby text, and the YMI and NNN windows made from it: the main
  // text window's child windows.
  QList<common::view::TextWindow*> OpenEveryWindow() {
    Action("emptyRubyWindowAction")->trigger();
    rubywindow::view::RubyWindow* ruby = window_->RubyWindowIfOpen();
    ruby->findChild<common::view::TextPane*>()->insertPlainText("a,{漢/かん}\n");
    for (auto make : {&rubywindow::view::RubyWindow::MakeYmi,
                      &rubywindow::view::RubyWindow::MakeNnn}) {
      QTimer::singleShot(0, [] { QApplication::activeModalWidget()->findChild<QPushButton*>("runButton")->click(); });
      (ruby->*make)();
    }
    return window_->findChildren<common::view::TextWindow*>(Qt::FindDirectChildrenOnly);
  }

  QAction* Action(const char* name) const {
    auto* action = window_->findChild<QAction*>(name);
    if (action == nullptr) qFatal("no action %s", name);
    return action;
  }

 private slots:
  void initTestCase() {
    QVERIFY(app_testing::MakeProgramFolder(
        home_.Path(), testing_support::TestData("cli/all_ruby/Qv_Body.pre"), false));
  }

  void init() {
    fs::remove(program_.SettingsFile());
    docs_.emplace();
    work_.emplace();
    settings_ = common::LoadSettings(program_.Dir());
    // F5 is compared with the dictionary's own files, whatever analyser the machine has.
    settings_.yomi_mode = static_cast<int>(engine::ReadingMode::kDictionary);
    messenger_ = RecordingMessenger();
    choosers_ = testing_support::ScriptedChoosers();
    search_ = common::view::SearchMemory();
    engine_ = testing_support::RecordingEngine();
    speech_.emplace(engine_, settings_, messenger_);
    controls_.emplace(settings_, *speech_);
    window_ = MakeWindow(settings_, program_);
  }

  void cleanup() { window_.reset(); }

  void OpenAndSaveKeepEachFilesEncoding() {
    fs::path sjis = *docs_ / "sjis.txt";
    fs::path utf8 = *docs_ / "utf8.txt";
    WriteFile(sjis, Sjis("漢字の本\r\n二行目\r\n"));
    WriteFile(utf8, "ひらがな\r\n");
    choosers_.open_answers = {QtPath(sjis), QtPath(utf8)};

    Action("openFile")->trigger();
    QCOMPARE(window_->Text(), QString("漢字の本\n二行目\n"));
    QCOMPARE(window_->CurrentFileName(), sjis);
    QCOMPARE(window_->StatusText(1), QtPath(sjis) + "を開きました。");
    QVERIFY(!Pane().IsModified());

    Action("openFile")->trigger();
    QCOMPARE(choosers_.asked[1].dir, QtPath(docs_->Path()));  // starts where the last file was
    Pane().moveCursor(QTextCursor::End);
    Type("漢字");
    QVERIFY(window_->StatusText(0).startsWith("2行：(半角)5桁"));  // follows the caret
    Action("saveFile")->trigger();
    QCOMPARE(ReadFile(utf8), std::string("ひらがな\r\n漢字"));  // saved back as UTF-8
  }

  void NewAsksBeforeDroppingEditedText_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("dropped");
    QTest::newRow("cancel") << static_cast<int>(Answer::kCancel) << false;
    // Yes means "keep my text": when the save does not happen, the text stays.
    QTest::newRow("yes whose save is cancelled") << static_cast<int>(Answer::kYes) << false;
    QTest::newRow("no") << static_cast<int>(Answer::kNo) << true;
  }

  void NewAsksBeforeDroppingEditedText() {
    QFETCH(int, answer);
    QFETCH(bool, dropped);
    const fs::path before = window_->CurrentFileName();
    settings_.user_path = docs_->Path();
    Type("書きかけ");
    messenger_.Script({static_cast<Answer>(answer)});
    Action("newFile")->trigger();  // Yes offers Save As, which the chooser cancels
    QVERIFY(Showed(messenger_, "ご確認",
                   "テキストは\n編集されましたが保存されていません。\n保存しますか？"));
    QVERIFY(messenger_.records[0].buttons == common::Buttons::kYesNoCancel);
    QCOMPARE(window_->Text(), dropped ? QString() : QString("書きかけ"));
    QCOMPARE(Pane().IsModified(), !dropped);
    QCOMPARE(window_->CurrentFileName(), dropped ? docs_->Path() / "新規作成.txt" : before);
  }

  void SaveAsThenSaveWriteShiftJisWithCrLf() {
    fs::path out = *docs_ / "out.txt";
    choosers_.save_answers = {QtPath(out)};
    Type("漢字\n二");
    Action("saveFile")->trigger();  // a new text has no name yet: Save As
    QCOMPARE(ReadFile(out), Sjis("漢字\r\n二"));
    QCOMPARE(window_->CurrentFileName(), out);
    QCOMPARE(window_->StatusText(1), QtPath(out) + "を保存しました。");
    QVERIFY(!Pane().IsModified());

    Type("三");
    Action("saveFile")->trigger();
    QCOMPARE(ReadFile(out), Sjis("漢字\r\n二三"));
    QCOMPARE(choosers_.asked.size(), 1u);

    Action("saveFile")->trigger();
    QVERIFY(Showed(messenger_, "お知らせ", "未編集なので保存しません。"));
  }

  void ReadOnlyFileIsWrittenOnlyWhenAllowed() {
    fs::path file = *docs_ / "locked.txt";
    WriteFile(file, "old");
    QVERIFY(window_->OpenFile(file));
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    Type("new ");

    messenger_.Script({Answer::kCancel});
    Action("saveFile")->trigger();
    QVERIFY(Showed(
        messenger_, "ご確認！",
        "<" + file.string() + ">は読み出し専用ファイルです。\n属性を解除して書き込みますか？"));
    QCOMPARE(ReadFile(file), std::string("old"));
    QVERIFY(Pane().IsModified());

    messenger_.Script({Answer::kOk});
    Action("saveFile")->trigger();
    QCOMPARE(ReadFile(file), std::string("new old"));
  }

  void F5WritesTheRubyFileAndOpensTheRubyWindow() {
    fs::path text = *docs_ / "text.txt";
    fs::copy_file(testing_support::TestData("cli/all_ruby/text.txt"), text);
    QVERIFY(window_->OpenFile(text));
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QTest::keyClick(&Pane(), Qt::Key_F5);

    QVERIFY(window_->RubyWindowOpen());
    QVERIFY(testing_support::BytesEqual(
        ReadFile(testing_support::TestData("cli/all_ruby/expected.srb")),
        ReadFile(*docs_ / "text.srb")));
    QCOMPARE(window_->RubyWindowIfOpen()->DocumentPath(), *docs_ / "text.srb");
    QVERIFY(messenger_.records.empty());
    QVERIFY(fs::is_empty(work_->Path()));  // a finished pass leaves only its ruby file
    // The status line says how the words were read.
    QVERIFY2(window_->StatusText(1).endsWith("（読み: 辞書のみ）"),
             qPrintable(window_->StatusText(1)));
  }

  // A ruby file corrected by hand is not lost to the next run: it is the backup, the ruby
  // window says so, and the pass leaves no progress marks behind.
  void RerunKeepsTheCorrectedRubyFileAsBackup() {
    fs::path text = *docs_ / "text.txt";
    fs::copy_file(testing_support::TestData("cli/all_ruby/text.txt"), text);
    QVERIFY(window_->OpenFile(text));
    Action("allRubyAction")->trigger();
    QVERIFY(window_->RubyWindowOpen());
    QCOMPARE(window_->RubyWindowIfOpen()->findChild<QLabel*>("filePanel")->text(),
             QtPath(*docs_ / "text.srb") + "を書き出しました。");
    QCOMPARE(window_->StatusText(2), QString());
    window_->RubyWindowIfOpen()->CloseWithoutQuery();
    QVERIFY(!window_->RubyWindowOpen());

    WriteFile(*docs_ / "text.srb", "corrected");
    Action("allRubyAction")->trigger();
    QCOMPARE(ReadFile(*docs_ / "text.~srb"), std::string("corrected"));
    QCOMPARE(ReadFile(*docs_ / "text.srb"),
             ReadFile(testing_support::TestData("cli/all_ruby/expected.srb")));
    QCOMPARE(window_->RubyWindowIfOpen()->findChild<QLabel*>("filePanel")->text(),
             QtPath(*docs_ / "text.srb") + "を書き出しました（前の版は text.~srb）。");
    QVERIFY(messenger_.records.empty());
  }

  // While the ruby window colours the groups it opened with, the progress line says so and that
  // Esc stops it; the line is cleared once the colouring ends.
  void ProgressNamesTheEmphasisUntilItEnds_data() {
    QTest::addColumn<int>("emphasis");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << 0 << QString();
    QTest::newRow("emphasised") << 1 << QStringLiteral("SM[強調中･･･Esc中止]");
  }
  void ProgressNamesTheEmphasisUntilItEnds() {
    QFETCH(int, emphasis);
    QFETCH(QString, shown);
    settings_.highlight_readings = emphasis;
    messenger_.on_progress = [this](std::string_view text) {
      window_->ShowProgress(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    };
    fs::path text = *docs_ / "text.txt";
    fs::copy_file(testing_support::TestData("cli/all_ruby/text.txt"), text);
    QVERIFY(window_->OpenFile(text));
    Action("allRubyAction")->trigger();
    QVERIFY(window_->RubyWindowOpen());
    QCOMPARE(window_->StatusText(2), shown);
    QTRY_VERIFY(!window_->RubyWindowIfOpen()->EmphasisColouring());
    QCOMPARE(window_->StatusText(2), QString());
  }

  // Every dialog is at least as wide as its title beside the frame's icon and buttons, so that a
  // window manager never cuts the title short.
  void DialogTitlesFitTheirDialogs_data() {
    QTest::addColumn<bool>("in_ruby_window");
    QTest::addColumn<QString>("action");
    for (const char* action :
         {"capacityAction", "standardSizeSettings", "emphasisSettingsAction", "versionAction",
          "gradeRubyAction", "levelRubyAction", "lineRubyAction", "nonRubyAreaAction",
          "dictionarySelectAction", "dictionaryBuildAction", "registerApplications", "printMargins",
          "chooseTabWidth"}) {
      QTest::newRow(action) << false << action;
    }
    for (const char* action : {"rubyFormatSettings", "notationTest", "makeNnn"}) {
      QTest::addRow("ruby %s", action) << true << action;
    }
  }
  void DialogTitlesFitTheirDialogs() {
    QFETCH(bool, in_ruby_window);
    QFETCH(QString, action);
    Type(QStringLiteral("日本語の文章です。"));
    QWidget* window = window_.get();
    if (in_ruby_window) {
      Action("emptyRubyWindowAction")->trigger();
      window = window_->RubyWindowIfOpen();
      window->findChild<common::view::TextPane*>()->insertPlainText("{漢/かん}\n");
    }
    QString title;
    int width = 0;
    QTimer::singleShot(0, [&title, &width] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (dialog == nullptr) return;
      title = dialog->windowTitle();
      width = dialog->width();
      dialog->close();
    });
    window->findChild<QAction*>(action)->trigger();
    QVERIFY(!title.isEmpty());
    QFont bold = QApplication::font();
    bold.setBold(true);
    constexpr int kFrameRoom = 110;  // the frame's icon and its three buttons
    int needed = QFontMetrics(bold).horizontalAdvance(title) + kFrameRoom;
    QVERIFY2(width >= needed,
             qPrintable(QStringLiteral("%1: %2 < %3").arg(title).arg(width).arg(needed)));
  }

  // A fault is reported on the file's line, however many rows the wrapped text above it takes.
  void NotationFaultNamesTheFilesLineInANarrowWindow() {
    window_->resize(300, 300);
    Type(QString(200, u'あ') + "\n{漢字かんじ}\n");
    QVERIFY(Pane().DisplayLineOfByte(401) > 2);  // the first line wraps
    Action("allRubyAction")->trigger();
    QVERIFY(Showed(messenger_, "警告", "2 行目::<{ / }> の内部は、/ の後にるびがなが必要。"));
    QCOMPARE(Pane().LogicalLineOfCaret(), 2);
    QVERIFY(!window_->RubyWindowOpen());
  }

  // The file of a second start is opened as Open opens one: unsaved text is asked about first,
  // and Cancel keeps it.
  void SecondStartOpensItsFileAfterTheUnsavedTextQuestion() {
    fs::path story = *docs_ / "story.txt";
    WriteFile(story, Sjis("物語\r\n"));
    window_->showMinimized();
    Type("書きかけ");
    messenger_.Script({Answer::kCancel});
    window_->ShowForSecondStart(story);
    QVERIFY(!window_->isMinimized());
    QCOMPARE(messenger_.records.size(), std::size_t{1});
    QCOMPARE(Pane().Text(), "書きかけ");

    messenger_.Script({Answer::kNo});
    window_->ShowForSecondStart(story);
    QCOMPARE(Pane().Text(), "物語\n");
    QCOMPARE(window_->CurrentFileName(), story);
    window_->ShowForSecondStart(std::nullopt);  // only to the front
    QCOMPARE(messenger_.records.size(), std::size_t{2});
  }

  void GuardsRefuseWithGoodbye() {
    Action("allRubyAction")->trigger();
    QVERIFY(Showed(messenger_, "再見。", "るび振りする内容がありません！"));
    QVERIFY(!window_->RubyWindowOpen());

    Action("emptyRubyWindowAction")->trigger();
    QVERIFY(window_->RubyWindowOpen());
    messenger_.records.clear();
    Type("漢字");
    Action("allRubyAction")->trigger();
    QVERIFY(Showed(
        messenger_, "再見。",
        "るび振りWindowがすでに開いています。\nるび振りWindowを閉じてから実行してください！"));

    rubywindow::view::RubyWindow* first = window_->RubyWindowIfOpen();
    window_->OpenRubyWindow(*docs_ / "other.srb", false);  // never a second ruby window
    QCOMPARE(window_->RubyWindowIfOpen(), first);
    QCOMPARE(window_->findChildren<rubywindow::view::RubyWindow*>().size(), qsizetype{1});

    window_->RubyWindowIfOpen()->close();
    QVERIFY(!window_->RubyWindowOpen());  // the flag drops when the window closes
  }

  // The rows every window takes from the frame: which window has which, under what caption, and
  // its keys under the program's and the desktop's scheme (empty: none).
  void StandardRowsOfEveryWindow() {
    struct Row {
      const char* window;
      const char* action;
      const char* caption;  // nullptr: the window has no such row
      const char* program_keys;
      const char* desktop_keys;
    };
    const Row rows[] = {
        {"MainTextWindow", "newFile", "新規作成(&N)", "", ""},
        {"MainTextWindow", "openFile", "開く(&O)...", "Ctrl+O", "Ctrl+O"},
        {"MainTextWindow", "saveFile", "上書き保存(&S)", "Ctrl+S", "Ctrl+S"},
        {"MainTextWindow", "saveAs", "名前をつけて保存(&A)...", "", ""},
        {"MainTextWindow", "closeWindow", nullptr, "", ""},  // Ctrl+W is the duplicate check
        {"MainTextWindow", "showToolBar", "ツールバー表示(&B)", "", ""},
        {"MainTextWindow", "wordWrap", "端で折り返す(&L)", "", ""},
        {"MainTextWindow", "standardSize", nullptr, "", ""},  // its own, with a message
        {"RubyWindow", "newFile", "新規作成(&N)", "", ""},
        {"RubyWindow", "openFile", "開く(&O)...", "Ctrl+O", "Ctrl+O"},
        {"RubyWindow", "closeWindow", "閉じる(&C)", "", "Ctrl+W"},
        {"RubyWindow", "showToolBar", "ﾂｰﾙﾊﾞｰ表示(&B)", "", ""},
        {"RubyWindow", "standardSize", "画面規定値(&G)", "Shift+Return", "Shift+Return"},
        {"RubyWindow", "chooseReading", "読みを選ぶ(&E)", "F4", "F4"},
        {"RubyWindow", "learnReadings", "この読みを辞書に登録(&L)", "", ""},
        {"RubyWindow", "exportOdt", "ODT書き出し（LibreOffice用）(&O)", "", ""},
        {"RubyWindow", "exportDocx", "DOCX書き出し（Word用）(&D)", "", ""},
        {"RubyWindow", "exportHtml5", "HTML5書き出し(&H)", "", ""},
        {"RubyWindow", "exportHtml5Vertical", "HTML5書き出し（縦書き）(&T)", "", ""},
        {"YmiWindow", "newFile", nullptr, "", ""},
        {"YmiWindow", "saveFile", "上書き保存(&S)", "Ctrl+S", "Ctrl+S"},
        {"YmiWindow", "closeWindow", "閉じる(&C)", "", "Ctrl+W"},
        {"YmiWindow", "standardSize", "画面規定値(&G)", "Shift+Return", "Shift+Return"},
        {"NnnWindow", "newFile", nullptr, "", ""},
        {"NnnWindow", "saveAs", "名前をつけて保存(&A)...", "", ""},
        {"NnnWindow", "wordWrap", "端で折り返す(&L)", "", ""},
    };
    QList<common::view::TextWindow*> windows = OpenEveryWindow();
    windows.push_back(window_.get());
    for (bool desktop_keys : {false, true}) {
      Action("desktopKeys")->setChecked(desktop_keys);
      for (const Row& row : rows) {
        auto window = std::ranges::find_if(windows, [&row](common::view::TextWindow* window) {
          return QString(window->metaObject()->className()).endsWith(row.window);
        });
        QVERIFY2(window != windows.end(), row.window);
        const QString where = QString("%1 %2").arg(row.window, row.action);
        auto* action = (*window)->findChild<QAction*>(row.action, Qt::FindDirectChildrenOnly);
        QVERIFY2((action != nullptr) == (row.caption != nullptr), qPrintable(where));
        if (action == nullptr) continue;
        QCOMPARE(action->text(), QString(row.caption));
        QCOMPARE(action->shortcut().toString(),
                 QString(desktop_keys ? row.desktop_keys : row.program_keys));
      }
    }
  }

  void NoKeyServesTwoCommandsOfOneWindow_data() {
    QTest::addColumn<bool>("desktop_keys");
    QTest::newRow("the program's keys") << false;
    QTest::newRow("the desktop's keys") << true;
  }

  // Every text window: the main, ruby, YMI and NNN windows.
  void NoKeyServesTwoCommandsOfOneWindow() {
    QFETCH(bool, desktop_keys);
    QList<common::view::TextWindow*> windows = OpenEveryWindow();
    windows.push_back(window_.get());
    QCOMPARE(windows.size(), 4);
    Action("desktopKeys")->setChecked(desktop_keys);
    QCOMPARE(settings_.desktop_keys, desktop_keys);
    for (common::view::TextWindow* window : windows) {
      QVERIFY2(SharedKeys(*window).isEmpty(),
               qPrintable(window->windowTitle() + ": " + SharedKeys(*window).join(", ")));
      // Nor does one menu hold two entries under one access key.
      QVERIFY2(SharedAccessKeys(*window).isEmpty(),
               qPrintable(window->windowTitle() + ": " + SharedAccessKeys(*window).join(", ")));
    }
  }

  // A message longer than its panel, in every panel of every window at the usual width, is
  // shortened in the middle to fit, leaves the bar's other panels in sight, and is whole in the
  // panel's tooltip.
  void LongStatusMessagesFitTheirPanelsAndAreWholeInTheTooltip() {
    QList<common::view::TextWindow*> windows = OpenEveryWindow();
    windows.push_back(window_.get());
    const QString message = QStringLiteral(
        "/home/teacher/教材/二〇二六年度/三年生/国語/物語文/第一単元/story.srb を書き出しました。");
    for (common::view::TextWindow* window : windows) {
      window->resize(650, 400);
      window->show();
      QVERIFY(QTest::qWaitForWindowExposed(window));
      const auto panels = window->statusBar()->findChildren<common::view::StatusLine*>();
      QVERIFY2(panels.size() >= 2, window->metaObject()->className());
      for (common::view::StatusLine* panel : panels) {
        panel->setText(message);
        QApplication::processEvents();  // the bar lays out its panels again
        const QString where = QStringLiteral("%1 %2: ").arg(window->metaObject()->className(),
                                                             panel->objectName());
        const QString shown = panel->ShownText();
        QVERIFY2(shown.contains(u'…'), qPrintable(where + shown));
        QVERIFY2(panel->fontMetrics().horizontalAdvance(shown) <= panel->contentsRect().width(),
                 qPrintable(where + shown));
        QVERIFY2(panel->geometry().right() < window->statusBar()->width(), qPrintable(where));
        QHelpEvent hover(QEvent::ToolTip, QPoint(1, 1), panel->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(panel, &hover);
        QCOMPARE(panel->toolTip(), message);
        panel->clear();
      }
    }
  }

  void CtrlSSavesAndCtrlCCopiesInEveryWindow_data() { NoKeyServesTwoCommandsOfOneWindow_data(); }

  // Under either set of keys, in every window: Ctrl+C copies the selection and leaves the window
  // open, Ctrl+S writes the file.
  void CtrlSSavesAndCtrlCCopiesInEveryWindow() {
    QFETCH(bool, desktop_keys);
    QList<common::view::TextWindow*> windows = OpenEveryWindow();
    windows.push_back(window_.get());
    Action("desktopKeys")->setChecked(desktop_keys);
    int number = 0;
    for (common::view::TextWindow* window : windows) {
      const QString name = window->metaObject()->className();
      fs::path file = *docs_ / ("window" + std::to_string(++number) + ".txt");
      WriteFile(file, "old\r\n");
      QVERIFY(window->OpenDocumentFile(file));
      window->Pane()->moveCursor(QTextCursor::End);
      window->Pane()->insertPlainText("new");
      window->Pane()->selectAll();
      window->show();
      QApplication::setActiveWindow(window);
      QVERIFY(QTest::qWaitForWindowActive(window));
      QGuiApplication::clipboard()->clear();
      QTest::keyClick(window->Pane(), Qt::Key_C, Qt::ControlModifier);
      QVERIFY2(window->isVisible(), qPrintable(name));
      QCOMPARE(QGuiApplication::clipboard()->text(), "old\nnew");
      QTest::keyClick(window->Pane(), Qt::Key_S, Qt::ControlModifier);
      QVERIFY2(!window->IsModified(), qPrintable(name));
      QCOMPARE(ReadFile(file), std::string("old\r\nnew"));
    }
  }

  // Chosen in one window, the desktop's keys hold in the other too and at the next start; in
  // the text Ctrl+C copies and Ctrl+Z undoes, and a command that lost its key keeps its entry.
  void DesktopKeysReachBothWindowsAndTheNextStart() {
    Action("emptyRubyWindowAction")->trigger();
    rubywindow::view::RubyWindow* ruby = window_->RubyWindowIfOpen();
    ruby->findChild<QAction*>("desktopKeys")->trigger();
    QVERIFY(settings_.desktop_keys);
    QVERIFY(Action("desktopKeys")->isChecked());
    QCOMPARE(ruby->findChild<QAction*>("closeWindow")->shortcut().toString(), "Ctrl+W");
    ruby->CloseWithoutQuery();

    QApplication::setActiveWindow(window_.get());
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    Type("一行");
    QTest::keyClick(&Pane(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&Pane(), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(window_->isVisible());
    QCOMPARE(QGuiApplication::clipboard()->text(), "一行");
    QTest::keyClick(&Pane(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Pane().Text(), QString());
    QAction* go_to_end = window_->Edit().Action(common::view::EditAction::kGoToEnd);
    QVERIFY(go_to_end->shortcuts().isEmpty());
    QList<QMenu*> menus = window_->menuBar()->findChildren<QMenu*>();
    QVERIFY(std::ranges::any_of(
        menus, [go_to_end](QMenu* menu) { return menu->actions().contains(go_to_end); }));

    window_ = MakeWindow(settings_, program_);
    QVERIFY(Action("desktopKeys")->isChecked());
    QCOMPARE(Action("exitAction")->shortcuts(), QList<QKeySequence>{QKeySequence("Ctrl+Q")});
  }

  // The search string taken in the ruby window is the one the toolbar's search-down button then
  // finds in the main text.
  void RubyWindowSharesTheRememberedStrings() {
    Type("漢y漢");
    Pane().MoveCaretToStart();
    Action("emptyRubyWindowAction")->trigger();
    rubywindow::view::RubyWindow* ruby = window_->RubyWindowIfOpen();
    auto* ruby_pane = ruby->findChild<common::view::TextPane*>();
    ruby_pane->insertPlainText("{漢/かん}");
    ruby_pane->SelectBytes(1, 2);
    QVERIFY(QTest::qWaitForWindowActive(ruby));
    ruby->Edit().Action(common::view::EditAction::kTakeSearch)->trigger();
    QCOMPARE(search_.search, QString("漢"));

    window_->Edit().Action(common::view::EditAction::kFindDown)->trigger();
    QVERIFY(messenger_.records.empty());
    QCOMPARE(Pane().SelectionStartByte(), std::size_t{3});  // the 漢 at the caret is stepped over
    QVERIFY(ruby->isVisible());
  }

  void CloseQueryAsksRubyWindowThenMainAndCancelKeepsRunning() {
    Action("emptyRubyWindowAction")->trigger();
    window_->RubyWindowIfOpen()->findChild<common::view::TextPane*>()->insertPlainText("{漢/かん}");
    Type("漢");

    messenger_.Script({Answer::kNo, Answer::kCancel});
    Action("exitAction")->trigger();
    QCOMPARE(messenger_.records.size(), 2u);
    QCOMPARE(messenger_.records[0].title, "終了時のご確認");
    QVERIFY(messenger_.records[0].text.starts_with("ＲＢ画面のテキストは"));
    QVERIFY(messenger_.records[1].text.starts_with("オリジナル画面のテキストは"));
    QVERIFY(window_->isVisible());
    QVERIFY(window_->RubyWindowOpen());
    QVERIFY(!fs::exists(program_.SettingsFile()));

    messenger_.Script({Answer::kNo, Answer::kNo});
    QVERIFY(window_->close());
    QVERIFY(!window_->RubyWindowOpen());
    QVERIFY(fs::exists(program_.SettingsFile()));
  }

  // At exit, the question about the ruby window's text stands over the ruby window.
  void CloseQueryBringsEachWindowForwardForItsQuestion() {
    Action("emptyRubyWindowAction")->trigger();
    rubywindow::view::RubyWindow* ruby = window_->RubyWindowIfOpen();
    ruby->findChild<common::view::TextPane*>()->insertPlainText("{漢/かん}");
    Type("漢");
    QApplication::setActiveWindow(window_.get());
    QStringList active;
    messenger_.on_ask = [&active] { active << QApplication::activeWindow()->windowTitle(); };
    messenger_.Script({Answer::kNo, Answer::kCancel});
    QVERIFY(!window_->close());
    QCOMPARE(active, QStringList({ruby->windowTitle(), window_->windowTitle()}));
  }

  // With all four windows edited, exit asks about the NNN, YMI, ruby and main windows in that
  // order; Cancel at any of them keeps every window and its text.
  void CloseQueryAsksFourWindowsInOrderAndCancelKeepsThemAll() {
    QList<common::view::TextWindow*> outputs = OpenEveryWindow();
    QCOMPARE(outputs.size(), 3);
    for (common::view::TextWindow* output : outputs) output->Pane()->insertPlainText("typed");
    Type("漢");
    messenger_.records.clear();
    const std::vector<std::string> order = {"ＮＮＮ画面の", "ＹＭＩ画面の", "ＲＢ画面の",
                                            "オリジナル画面の"};
    for (std::size_t cancel_at = 0; cancel_at < order.size(); ++cancel_at) {
      std::vector<Answer> answers(cancel_at, Answer::kNo);
      answers.push_back(Answer::kCancel);
      for (Answer answer : answers) messenger_.Script({answer});
      QVERIFY(!window_->close());
      QCOMPARE(messenger_.records.size(), cancel_at + 1);
      for (std::size_t i = 0; i <= cancel_at; ++i) {
        QVERIFY(messenger_.records[i].text.starts_with(order[i]));
      }
      QCOMPARE(window_->findChildren<common::view::TextWindow*>(Qt::FindDirectChildrenOnly).size(),
               3);
      messenger_.records.clear();
    }
    settings_.ymi_top = 0;
    messenger_.Script({Answer::kNo, Answer::kNo, Answer::kNo, Answer::kNo});
    QVERIFY(window_->close());
    QVERIFY(settings_.ymi_top != 0);  // the YMI window's place is kept for the next start
  }

  void CloseQueryAsksOnceWhenOnlyTheMainTextIsEdited() {
    Action("emptyRubyWindowAction")->trigger();
    Type("漢");
    messenger_.Script({Answer::kCancel});
    QVERIFY(!window_->close());
    QCOMPARE(messenger_.records.size(), 1u);
    QVERIFY(messenger_.records[0].text.starts_with("オリジナル画面の"));
  }

  // A stored height of 200 opens the window 400 high at top 100; what the run changes is in the
  // file after the exit and in the next start.
  void SettingsAreWrittenAtExitAndReadAtTheNextStart() {
    window_.reset();
    ScratchDir own;
    common::ProgramDir program(own.Path());
    WriteFile(program.SettingsFile(), "[POSITION]\r\nMAINHEIGHT=200\r\nMAINTOP=30\r\n");
    common::Settings first = common::LoadSettings(program.Dir());
    window_ = MakeWindow(first, program);
    QCOMPARE(window_->height(), 400);
    QCOMPARE(window_->y(), 100);
    auto* indicator = window_->findChild<QLabel*>("dictionaryIndicator");
    QCOMPARE(indicator->text(), QString("[本体辞書]"));
    QTest::mouseClick(indicator, Qt::LeftButton);
    QCOMPARE(indicator->text(), QString("[標準pre]"));
    window_->resize(700, 450);
    QVERIFY(window_->close());
    window_.reset();

    common::Settings second = common::LoadSettings(program.Dir());
    QCOMPARE(second.main_height, 450);
    QCOMPARE(second.main_width, 700);
    QCOMPARE(second.dic_pattern, 1);
    window_ = MakeWindow(second, program);
    QCOMPARE(window_->findChild<QLabel*>("dictionaryIndicator")->text(), QString("[標準pre]"));
  }

  void SetCurrentFileCutsOnlyTheFileNameExtension_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("base_name");
    QTest::newRow("extension") << "/a.b/c.txt" << QString("/a.b/c");
    QTest::newRow("dot only in a folder") << "/a.b/c" << QString("/a.b/c");
    QTest::newRow("two dots") << "/t/story.v2.txt" << QString("/t/story.v2");
    QTest::newRow("empty") << QString() << QString();
  }

  void SetCurrentFileCutsOnlyTheFileNameExtension() {
    QFETCH(QString, path);
    QFETCH(QString, base_name);
    window_->SetCurrentFile(path.toStdString());
    QCOMPARE(window_->CurrentBaseName(), fs::path(base_name.toStdString()));
    QCOMPARE(window_->windowTitle(), "『みるかぜ (VR)』v112.【オリジナル画面】 --- " + path);
  }

  // The selection when there is one, else the whole text; the toolbar's two 止 pause and stop.
  void ReadAloudTakesTheSelectionOrTheWholeText() {
    Type("日本\n語");
    Action("readAloudAction")->trigger();
    Pane().selectAll();
    QTextCursor cursor = Pane().textCursor();
    cursor.setPosition(0);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    Pane().setTextCursor(cursor);
    Action("readAloudAction")->trigger();
    Action("pauseSpeechAction")->trigger();
    Action("readAloudAction")->trigger();
    Action("stopSpeechAction")->trigger();
    QCOMPARE(engine_.Spoken(), (testing_support::Calls{"say 日本\n語", "pause", "resume", "stop"}));
    speech_->SpeechEnded();
    Action("readAloudAction")->trigger();
    QCOMPARE(engine_.Spoken().back(), std::string("say 日本"));
  }

  // Given ruby by the dictionaries of F5, the text reaches the engine as kana: every kanji is
  // read the way the dictionary reads it, and no ruby file is written.
  void RubyReadingsGiveTheEngineKanaOnly() {
    settings_.read_ruby_readings = 1;
    Type("今日、日本の漢字の本に行く。");
    Action("readAloudAction")->trigger();
    QCOMPARE(engine_.Spoken(),
             (testing_support::Calls{"say きょう、にほんのかんじのほんにいく。\n"}));
    QVERIFY(messenger_.records.empty());
    QVERIFY(fs::is_empty(work_->Path()));
    QCOMPARE(window_->StatusText(2), QString());
  }

  // One settings window for the program, whichever window asks for it, and it outlives the
  // ruby window that opened it.
  void SpeechSettingsWindowIsOneForEveryWindowAndKeptOnTop() {
    Action("emptyRubyWindowAction")->trigger();
    QPointer<rubywindow::view::RubyWindow> ruby = window_->RubyWindowIfOpen();
    ruby->findChild<QAction*>("speechSettingsAction")->trigger();
    QPointer<QWidget> settings_window = controls_->SettingsWindow();
    QVERIFY(settings_window != nullptr);
    QVERIFY(settings_window->isVisible());
    QVERIFY(settings_window->windowFlags() & Qt::WindowStaysOnTopHint);
    settings_window->hide();
    ruby->close();
    delete ruby.data();
    Action("speechSettingsAction")->trigger();
    QCOMPARE(controls_->SettingsWindow(), settings_window.data());
    QVERIFY(settings_window->isVisible());
  }

  // A setting chosen in a dialog, a settings window, a menu or the indicator is in the settings
  // file as soon as the command is over, so that a killed run keeps it: nothing waits for the
  // exit. One row per way a setting is chosen.
  void ChosenSettingsReachTheFileAtOnce() {
    fs::path editor = *docs_ / "my editor";
    WriteFile(editor, "");
    struct Row {
      const char* name;
      std::function<void()> choose;
      std::function<bool(const common::Settings&)> kept;
    };
    const std::vector<Row> rows = {
        {"edit capacity dialog",
         [&] {
           app_testing::AnswerModal<app::EditCapacityDialog>([](app::EditCapacityDialog& d) {
             d.SetKiloBytes(30);
             d.accept();
           });
           Action("capacityAction")->trigger();
         },
         [](const common::Settings& s) { return s.edit_area_extra == 30000; }},
        {"standard size dialog",
         [&] {
           app_testing::AnswerModal<common::view::StandardSizeDialog>(
               [](common::view::StandardSizeDialog& d) {
                 d.findChild<QSpinBox*>("standardHeight")->setValue(450);
                 d.findChild<QSpinBox*>("standardWidth")->setValue(805);
                 d.accept();
               });
           Action("standardSizeSettings")->trigger();
         },
         [](const common::Settings& s) {
           return s.standard_height == 450 && s.standard_width == 805;
         }},
        {"font",
         [&] {
           choosers_.font_answers = {QFont("Noto Sans Mono CJK JP", 17)};
           Action("chooseFont")->trigger();
         },
         [](const common::Settings& s) { return s.main_font_size == 17; }},
        {"text colour",
         [&] {
           choosers_.colour_answers = {QColor(0x12, 0x34, 0x56)};
           Action("chooseTextColour")->trigger();
         },
         [](const common::Settings& s) { return s.main_font_color == 0x563412; }},
        {"desktop keys", [&] { Action("desktopKeys")->trigger(); },
         [](const common::Settings& s) { return s.desktop_keys; }},
        {"dictionary indicator",
         [&] {
           QTest::mouseClick(window_->findChild<QLabel*>("dictionaryIndicator"), Qt::LeftButton);
         },
         [](const common::Settings& s) { return s.dic_pattern == 1; }},
        {"registered application",
         [&] {
           choosers_.open_answers = {QtPath(editor)};
           app_testing::AnswerModal<QDialog>([](QDialog& d) {
             d.findChild<QLineEdit*>("nameEdit")->setText("編集");
             d.findChild<QPushButton*>("registerButton")->click();
             d.findChild<QPushButton*>("closeButton")->click();
           });
           Action("registerApplications")->trigger();
         },
         [&](const common::Settings& s) { return s.app_paths[0] == editor.string(); }},
        {"browser chosen in the ruby window",
         [&] {
           Action("emptyRubyWindowAction")->trigger();
           choosers_.open_answers = {QtPath(editor)};
           window_->RubyWindowIfOpen()->findChild<QAction*>("chooseBrowser")->trigger();
         },
         [&](const common::Settings& s) { return s.web_browser == editor.string(); }},
        {"speech settings window",
         [&] {
           Action("speechSettingsAction")->trigger();
           QTest::mouseClick(
               controls_->SettingsWindow()->findChild<QCheckBox*>("rubyReadingsCheck"),
               Qt::LeftButton);
         },
         [](const common::Settings& s) { return s.read_ruby_readings == 1; }},
    };
    for (const Row& row : rows) {
      row.choose();
      QCoreApplication::processEvents();  // the command is over
      QVERIFY2(row.kept(settings_), row.name);
      QVERIFY2(row.kept(common::LoadSettings(program_.Dir())), row.name);
    }
    for (const auto& record : messenger_.records) QVERIFY(!record.text.starts_with("設定ファイル"));
  }

  // A settings file that cannot be replaced is told once, not at every later choice; the exit
  // tries again, and keeps the last choice once the file can be written.
  void AnUnwritableSettingsFileIsToldOnce() {
    WriteFile(program_.SettingsFile(), "[POSITION]\r\nMAINTOP=30\r\n");
    fs::permissions(program_.SettingsFile(), fs::perms::owner_read, fs::perm_options::replace);
    for (int kilobytes : {10, 20}) {
      app_testing::AnswerModal<app::EditCapacityDialog>([kilobytes](app::EditCapacityDialog& d) {
        d.SetKiloBytes(kilobytes);
        d.accept();
      });
      Action("capacityAction")->trigger();
      QCoreApplication::processEvents();
    }
    QVERIFY(Showed(messenger_, "お知らせ",
                   "設定ファイル<" + program_.SettingsFile().string() +
                       ">を書き込めませんでした。\n"
                       "変えた設定は、書き込めるようになるまで保存されません。"));
    fs::permissions(program_.SettingsFile(), fs::perms::owner_read | fs::perms::owner_write,
                    fs::perm_options::replace);
    QVERIFY(window_->close());
    QCOMPARE(common::LoadSettings(program_.Dir()).edit_area_extra, 20000);
  }

  // A standard height of 300 is used until the program ends, and is 400 at the next start.
  void EditCapacityStandardSizeAndShrink() {
    app_testing::AnswerModal<app::EditCapacityDialog>([](app::EditCapacityDialog& dialog) {
      dialog.SetKiloBytes(10);
      dialog.accept();
    });
    Action("capacityAction")->trigger();
    QCOMPARE(settings_.edit_area_extra, 10000);
    app_testing::AnswerModal<common::view::StandardSizeDialog>(
        [](common::view::StandardSizeDialog& dialog) {
          dialog.findChild<QSpinBox*>("standardHeight")->setValue(300);
          dialog.findChild<QSpinBox*>("standardWidth")->setValue(805);
          dialog.accept();
        });
    Action("standardSizeSettings")->trigger();

    Action("shrinkAction")->trigger();
    QVERIFY(Showed(messenger_, "縮小",
                   "ウィンドウを上から 100・左から 100 の位置に移し、標準の大きさ（高さ 300・幅 "
                   "805）にしました。"));
    QCOMPARE(window_->size(), QSize(805, 300));
    QCOMPARE(window_->pos(), QPoint(100, 100));
    QVERIFY(common::SaveSettings(program_.Dir(), settings_));
    QCOMPARE(common::LoadSettings(program_.Dir()).standard_height, 400);
  }

  // Every text window prints with Ctrl+P and sets its looks from its own menus.
  void EveryWindowPrintsAndSetsItsLooks() {
    QList<common::view::TextWindow*> windows = OpenEveryWindow();
    windows.push_back(window_.get());
    QCOMPARE(windows.size(), 4);
    for (common::view::TextWindow* window : windows) {
      QList<QAction*> in_menus;
      for (QMenu* menu : window->menuBar()->findChildren<QMenu*>()) in_menus += menu->actions();
      for (const char* name : {"printText", "printerSetup", "printMargins", "chooseFont",
                               "chooseTextColour", "chooseBackground", "chooseTabWidth"}) {
        auto* action = window->findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
        QVERIFY2(action != nullptr && in_menus.contains(action),
                 qPrintable(window->windowTitle() + ": " + name));
      }
      QCOMPARE(window->findChild<QAction*>("printText")->shortcut(), QKeySequence("Ctrl+P"));
    }
  }
};

QTEST_MAIN(MainTextWindowTest)
#include "main_text_window_test.moc"
