// The main text window driven through its actions: files, ruby commands and the hand-over to
// the ruby window, guards, shared search strings and read-aloud.
#include "tests/app/main_window_fixture.h"

class MainTextWindowTest : public MainWindowFixture {
  Q_OBJECT

 private slots:
  void initTestCase() { SetUpProgram(); }
  void init() { SetUp(); }
  void cleanup() { TearDown(); }

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

  // The guard against a second ruby window sees the real one: F5 is refused while it is open, no
  // second window is made, and the flag drops when the window closes.
  void OneRubyWindowAtATime() {
    Action("emptyRubyWindowAction")->trigger();
    QVERIFY(window_->RubyWindowOpen());
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

  // One speech settings window for the program, whichever window asks for it, and it outlives
  // the ruby window that opened it.
  void SpeechSettingsWindowIsOneForEveryWindow() {
    Action("emptyRubyWindowAction")->trigger();
    QPointer<rubywindow::view::RubyWindow> ruby = window_->RubyWindowIfOpen();
    ruby->findChild<QAction*>("speechSettingsAction")->trigger();
    QPointer<QWidget> settings_window = controls_->SettingsWindow();
    QVERIFY(settings_window != nullptr);
    QVERIFY(settings_window->isVisible());
    settings_window->hide();
    ruby->close();
    delete ruby.data();
    Action("speechSettingsAction")->trigger();
    QCOMPARE(controls_->SettingsWindow(), settings_window.data());
    QVERIFY(settings_window->isVisible());
  }
};

QTEST_MAIN(MainTextWindowTest)
#include "main_text_window_test.moc"
