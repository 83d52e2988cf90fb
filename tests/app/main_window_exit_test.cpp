// The close query over the main window and its child windows, and the settings kept from one
// start to the next: written as soon as they are chosen, read at the next start.
#include "tests/app/main_window_fixture.h"

class MainWindowExitTest : public MainWindowFixture {
  Q_OBJECT

 private slots:
  void initTestCase() { SetUpProgram(); }
  void init() { SetUp(); }
  void cleanup() { TearDown(); }

  // Exit asks about the edited windows only, the NNN, YMI, ruby and main windows in that order,
  // each question over its own window. Cancel at any of them keeps every window and its text and
  // leaves the settings file as it was; No to each closes them all and keeps their places.
  void CloseQueryAsksTheEditedWindowsInOrder_data() {
    QTest::addColumn<bool>("children_edited");
    QTest::addColumn<int>("cancel_at");  // -1: No to every question
    QTest::newRow("main only, cancel") << false << 0;
    QTest::newRow("main only, no") << false << -1;
    for (int at = 0; at < 4; ++at) QTest::addRow("all four, cancel at %d", at) << true << at;
    QTest::newRow("all four, no to each") << true << -1;
  }

  void CloseQueryAsksTheEditedWindowsInOrder() {
    QFETCH(bool, children_edited);
    QFETCH(int, cancel_at);
    QList<common::view::TextWindow*> children = OpenEveryWindow();
    QCOMPARE(children.size(), 3);
    for (common::view::TextWindow* child : children) {
      child->Pane()->insertPlainText("typed");
      child->Pane()->SetModified(children_edited);
    }
    Type("漢");
    const std::vector<std::pair<std::string, const char*>> all = {
        {"ＮＮＮ画面の", "NnnWindow"},
        {"ＹＭＩ画面の", "YmiWindow"},
        {"ＲＢ画面の", "RubyWindow"},
        {"オリジナル画面の", "MainTextWindow"}};
    std::vector<std::pair<std::string, const char*>> expected(
        children_edited ? all.begin() : all.end() - 1, all.end());
    if (cancel_at >= 0) expected.resize(static_cast<std::size_t>(cancel_at) + 1);
    std::vector<Answer> answers(expected.size(), Answer::kNo);
    if (cancel_at >= 0) answers.back() = Answer::kCancel;
    for (Answer answer : answers) messenger_.Script({answer});
    messenger_.records.clear();
    QStringList in_front;
    messenger_.on_ask = [&in_front] {
      in_front << QApplication::activeWindow()->metaObject()->className();
    };
    QApplication::setActiveWindow(window_.get());
    const std::optional<std::string> file_before =
        fs::exists(program_.SettingsFile()) ? std::optional(ReadFile(program_.SettingsFile()))
                                            : std::nullopt;
    settings_.ymi_top = 0;

    QCOMPARE(window_->close(), cancel_at < 0);
    QCOMPARE(messenger_.records.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      QCOMPARE(messenger_.records[i].title, "終了時のご確認");
      QVERIFY2(messenger_.records[i].text.starts_with(expected[i].first), expected[i].second);
      QVERIFY2(in_front[static_cast<qsizetype>(i)].endsWith(expected[i].second),
               expected[i].second);
    }
    if (cancel_at >= 0) {
      QVERIFY(window_->isVisible());
      for (common::view::TextWindow* child : children) QVERIFY(child->isVisible());
      QCOMPARE(Pane().Text(), "漢");
      QCOMPARE(fs::exists(program_.SettingsFile()), file_before.has_value());
      if (file_before) QCOMPARE(ReadFile(program_.SettingsFile()), *file_before);
    } else {
      QVERIFY(!window_->RubyWindowOpen());
      QVERIFY(settings_.ymi_top != 0);  // the YMI window's place is kept for the next start
      QCOMPARE(common::LoadSettings(program_.Dir()).ymi_top, settings_.ymi_top);
    }
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
        {"font",
         [&] {
           choosers_.font_answers = {QFont("Noto Sans Mono CJK JP", 17)};
           Action("chooseFont")->trigger();
         },
         [](const common::Settings& s) { return s.main_font_size == 17; }},
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
  void StandardSizeLastsTheRunAndShrinkTakesIt() {
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
};

QTEST_MAIN(MainWindowExitTest)
#include "main_window_exit_test.moc"
