// The dictionary commands driven through the main text window's actions and keys and their real
// dialogs: a source loaded and built (on its worker thread) with its report, the grade and level
// builds, restore, sort and duplicate check, and the registry dialog up to the next all-ruby.
#include "app/dictionary_commands/dictionary_commands.h"

#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>

#include "app/dictionary_commands/build_kind_dialog.h"
#include "app/dictionary_commands/dictionary_registry_dialog.h"
#include "tests/app/main_window_fixture.h"

using app::BuildKind;

namespace {

template <typename W>
W* Child(QObject& parent, const char* name) {
  auto* child = parent.findChild<W*>(name);
  if (child == nullptr) qFatal("no child %s", name);
  return child;
}

}  // namespace

class DictionaryCommandsTest : public MainWindowFixture {
  Q_OBJECT

  int grade_kanji_ = 0;

  app::DictionaryCommands& Tools() const { return window_->DictionaryTools(); }
  QString Indicator() const { return Child<QLabel>(*window_, "dictionaryIndicator")->text(); }

  // Runs the build command with `kind` chosen and waits until its worker has finished.
  bool Build(BuildKind kind) {
    QSignalSpy finished(&Tools(), &app::DictionaryCommands::BuildFinished);
    app_testing::AnswerModal<app::BuildKindDialog>([kind](app::BuildKindDialog& dialog) {
      dialog.Choose(kind);
      Child<QPushButton>(dialog, "run_button")->click();
    });
    Action("dictionaryBuildAction")->trigger();
    return finished.wait(20000);
  }

  // Opens the registry dialog with a click on ▼使用辞書▼ and lets `use` work it.
  void WithRegistryDialog(std::function<void(app::DictionaryRegistryDialog&)> use) {
    app_testing::AnswerModal<app::DictionaryRegistryDialog>(std::move(use));
    QTest::mouseClick(Child<QLabel>(*window_, "dictionaryChoice"), Qt::LeftButton);
  }

  // A user dictionary built in the dic folder from `source` (UTF-8 lines).
  fs::path UserDictionary(const char* name, const char* source) {
    const std::string bytes = Sjis(source);
    common::StringTextSource text(bytes);
    RecordingMessenger quiet;
    quiet.default_answer = Answer::kNo;
    auto built = dictionary::RunDictionaryBuild(text, program_.DicDir() / name, program_,
                                                common::WorkDir(work_->Path()), quiet);
    if (built.status != dictionary::BuildStatus::kOk) qFatal("no user dictionary");
    return program_.DicDir() / (std::string(name) + ".dic");
  }

 private slots:
  // Every test changes the dictionaries: each is given a program folder of its own.
  void init() {
    std::optional<int> kanji = RemakeProgramWithEveryDictionary();
    QVERIFY(kanji);
    grade_kanji_ = *kanji;
    ResetServices();
    settings_.user_path = docs_->Path();
    window_ = MakeWindow(settings_, program_);
  }

  void cleanup() { TearDown(); }

  // The rejected line is asked about, the dictionary is written beside the source, the status
  // line follows the steps, and Yes to the last question shows the report in the ruby window.
  void LoadedSourceIsBuiltAndItsReportShown() {
    fs::path source = *docs_ / "names.pre";
    WriteFile(source, Sjis("# pupils\r\n翔太,しょう*た\r\n漢,ab\r\n"));
    choosers_.open_answers = {QtPath(source)};
    Action("dictionarySourceAction")->trigger();
    QCOMPARE(choosers_.asked.at(0).title, QString("辞書を作成するpreﾌｧｲﾙを指定"));
    QCOMPARE(choosers_.asked[0].dir, QtPath(program_.DicDir()));
    QVERIFY(choosers_.asked[0].filter.startsWith("辞書元ファイル (*.pre *.PRE);;"));
    QCOMPARE(window_->CurrentFileName(), source);
    QCOMPARE(window_->StatusText(1), QtPath(source) + "を開きました。");

    messenger_.Script({Answer::kOk, Answer::kYes});
    QVERIFY(Build(BuildKind::kRubyDictionary));
    QCOMPARE(messenger_.records.size(), std::size_t{3});
    QCOMPARE(messenger_.records[0].text,
             std::string(" 1 個の不正データがあります。\nこのまま辞書を作成しますか。"));
    QCOMPARE(messenger_.records[1].text, " 辞書名＝＝" + (*docs_ / "names.dic").string());
    QCOMPARE(messenger_.records[2].title, std::string("ご確認！"));
    QVERIFY(fs::exists(*docs_ / "names.dic"));
    QVERIFY(std::ranges::find(messenger_.progress, "作成中") != messenger_.progress.end());
    QCOMPARE(window_->StatusText(2), QString());
    QVERIFY(fs::is_empty(work_->Path()));

    rubywindow::view::RubyWindow* report = window_->RubyWindowIfOpen();
    QVERIFY(report != nullptr);
    QVERIFY(report->ErrorListMode());
    QCOMPARE(report->windowTitle(), QString("辞書作成エラーメセージ表示--- err_ck.out"));
    QVERIFY(report->Pane()->Text().contains("3行目"));
  }

  void ReportIsAskedForBeforeItExists() {
    Action("buildReportAction")->trigger();
    fs::path report = program_.Dir() / "error_ck.out";  // beside the new document
    QVERIFY(
        Showed(messenger_, "ご注意！", "ファイル<" + report.string() + ">を開けませんでした。"));
    QVERIFY(!window_->RubyWindowOpen());
  }

  void RefusedSourcesBuildNothing_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QString() << "作成する内容がありません。";
    // A character Shift_JIS cannot hold would otherwise be dropped from the dictionary unseen.
    QTest::newRow("not Shift_JIS")
        << "翔太,しょう*た\n𠮷田,よし*だ\n"
        << "<%1>の 2 行 1 字目の文字<𠮷>は Shift_JIS にありません。\n何も書きませんでした。";
  }

  void RefusedSourcesBuildNothing() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    window_->SetCurrentFile(*docs_ / "names.pre");
    Pane().insertPlainText(text);
    QVERIFY(Build(BuildKind::kRubyDictionary));
    QCOMPARE(messenger_.records.size(), std::size_t{1});
    if (message.contains("%1")) message = message.arg(QtPath(*docs_ / "names.pre"));
    QCOMPARE(QString::fromStdString(messenger_.records[0].text), message);
    QVERIFY(!fs::exists(*docs_ / "names.dic"));
  }

  // While the build waits for an answer the window goes on working, but neither a second build
  // nor the end of the program cuts into it; Cancel then leaves no dictionary.
  void RunningBuildRefusesASecondBuildAndTheClose() {
    window_->SetCurrentFile(*docs_ / "names.pre");
    Pane().insertPlainText("翔太,しょう*た\n漢,ab\n");
    bool second_refused = false;
    bool close_refused = false;
    messenger_.on_ask = [&] {
      if (!Tools().Building() || second_refused) return;
      Action("dictionaryBuildAction")->trigger();
      second_refused = messenger_.records.back().text ==
                       "辞書を作成中です。\n作成が終わってから実行してください。";
      close_refused = !window_->close() && window_->isVisible();
    };
    messenger_.Script({Answer::kCancel});
    QVERIFY(Build(BuildKind::kRubyDictionary));
    QVERIFY(second_refused);
    QVERIFY(close_refused);
    QCOMPARE(messenger_.records.back().text,
             std::string("辞書 names.dic の作成・更新に\n失敗しました。"));
    QVERIFY(!fs::exists(*docs_ / "names.dic"));
  }

  void AuxiliaryBuildsTellTheirOutcome_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("done");
    QTest::newRow("level") << static_cast<int>(BuildKind::kLevelDictionary)
                           << "kanken_Q.dic を作成・更新しました。";
    QTest::newRow("grade") << static_cast<int>(BuildKind::kGradeDictionary)
                           << "HaitouNen.dic を作成・更新しました。";
  }

  // The grade build also keeps H_KANJISUU, in the settings file at once: the dictionary is read
  // with that count, also after a crash.
  void AuxiliaryBuildsTellTheirOutcome() {
    QFETCH(int, kind);
    QFETCH(QString, done);
    settings_.h_kanjisuu = 1;
    messenger_.default_answer = Answer::kOk;  // the old dictionary may be replaced
    QVERIFY(Build(static_cast<BuildKind>(kind)));
    QCOMPARE(QString::fromStdString(messenger_.records.back().text), done);
    QCOMPARE(messenger_.records.back().title, std::string("お知らせ"));
    bool grade = static_cast<BuildKind>(kind) == BuildKind::kGradeDictionary;
    if (grade) QCOMPARE(common::LoadSettings(program_.Dir()).h_kanjisuu, grade_kanji_);
    QVERIFY(window_->close());
    QCOMPARE(common::LoadSettings(program_.Dir()).h_kanjisuu, grade ? grade_kanji_ : 1);
  }

  void RestoreNeedsAnEmptyWindowAndOpensTheSource() {
    Pane().insertPlainText("x");
    Action("restoreSourceAction")->trigger();
    QVERIFY(Showed(messenger_, "ご注意!!", "新規作成画面にしてから、実行して下さい。"));
    QVERIFY(choosers_.asked.empty());

    Pane().clear();
    Pane().SetModified(false);
    messenger_.records.clear();
    fs::path dictionary = program_.StandardUserDictionary();
    choosers_.open_answers = {QtPath(dictionary)};
    Action("restoreSourceAction")->trigger();
    QCOMPARE(choosers_.asked.at(0).dir, QtPath(docs_->Path()));
    QCOMPARE(choosers_.asked[0].filter, QString("辞書ファイル (*.dic *.DIC)"));
    fs::path restored = program_.DicDir() / "Qv_Users.pre";
    QVERIFY(
        Showed(messenger_, "お知らせ", "< " + restored.string() + " >ファイルを作成しました。"));
    QCOMPARE(window_->CurrentFileName(), restored);
    QCOMPARE(window_->Text(), QString("一月,ひと*つき\n"));
    QVERIFY(!Pane().IsModified());
  }

  // Sorting leaves each distinct line once, in order; Ctrl+W then finds the two entries of one
  // word and puts the caret on the comma ending the second one's word.
  void SortThenCtrlWFindsTheDuplicate() {
    Pane().insertPlainText("漢字,かん*じ\n\n漢字,かん*じ\n漢字,から*じ\n");
    Action("sortSourceAction")->trigger();
    QCOMPARE(window_->Text(), QString("漢字,から*じ\n漢字,かん*じ\n"));
    QCOMPARE(window_->StatusText(1), QString("行単位で昇順にソートしました。"));
    QApplication::setActiveWindow(window_.get());
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QTest::keyClick(&Pane(), Qt::Key_W, Qt::ControlModifier);
    QVERIFY(
        Showed(messenger_, "発見!!", "18 ﾊﾞｲﾄ目 :: 1 行 及び 2 行 :: 2 字 \n\n重複文字＝[ 漢字 ]"));
    QCOMPARE(Pane().CaretByte(), std::size_t{17});
    QVERIFY(window_->StatusText(0).startsWith("2行：(半角)5桁"));

    Pane().clear();
    Pane().insertPlainText("漢字,かん*じ\n本,ほん\n漢字\n");
    messenger_.records.clear();
    Action("duplicateCheckAction")->trigger();
    QVERIFY(Showed(messenger_, "重複チェック完了",
                   "第１ﾌｨ-ﾙﾄﾞの重複行は\n(もう)ありません。\n\nお疲れ様！"));
  }

  // Register, select and remove in the dialog; the indicator follows each change, and the
  // registry holds what the dialog showed once it has closed with F5.
  void RegistryDialogRegistersSelectsAndRemoves() {
    fs::path pupils = UserDictionary("pupils", "翔太,しょう*た\n");
    choosers_.open_answers = {QtPath(pupils)};
    QStringList indicators;
    WithRegistryDialog([&](app::DictionaryRegistryDialog& dialog) {
      auto* list = Child<QListWidget>(dialog, "dictionary_list");
      auto* label = Child<QLabel>(dialog, "pre_label");
      Child<QLineEdit>(dialog, "name_field")->setText("児童名");
      Child<QPushButton>(dialog, "register_button")->click();
      QCOMPARE(list->count(), 1);
      QCOMPARE(Child<QLineEdit>(dialog, "path_field")->text(), QtPath(pupils));
      QCOMPARE(label->text(), QString("[標準ﾌﾟﾚ]"));  // registering does not select

      list->setCurrentRow(0);
      Child<QPushButton>(dialog, "user_button")->click();
      QCOMPARE(label->text(), QString("[児童名]"));
      indicators << Indicator();
      Child<QRadioButton>(dialog, "pre_main_radio")->click();
      indicators << Indicator();

      Child<QRadioButton>(dialog, "delete_radio")->click();
      list->item(0)->setCheckState(Qt::Checked);
      messenger_.Script({Answer::kOk});
      Child<QPushButton>(dialog, "remove_checked_button")->click();
      QCOMPARE(list->count(), 0);
      QCOMPARE(label->text(), QString("[標準ﾌﾟﾚ]"));
      indicators << Indicator();
      QTest::keyClick(&dialog, Qt::Key_F5);
    });
    QCOMPARE(indicators,
             QStringList({"[本体辞書]", "[児童名]＋[本体辞書]", "[標準ﾌﾟﾚ]＋[本体辞書]"}));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(settings_.dic_pattern, 2);
    QCOMPARE(common::LoadSettings(program_.Dir()).dic_pattern, 2);  // in the file at once
    QCOMPARE(settings_.dic_num, -1);
    QVERIFY(settings_.dic_names[0].empty());
  }

  // Only a dictionary in dic/ can be kept in the settings file, which stores file names alone.
  void RegistryRefusesADictionaryOutsideTheDicFolder() {
    fs::path outside = *docs_ / "pupils.dic";
    fs::copy_file(UserDictionary("pupils", "翔太,しょう*た\n"), outside);
    choosers_.open_answers = {QtPath(outside)};
    WithRegistryDialog([&](app::DictionaryRegistryDialog& dialog) {
      Child<QLineEdit>(dialog, "name_field")->setText("児童名");
      Child<QPushButton>(dialog, "register_button")->click();
      QCOMPARE(Child<QListWidget>(dialog, "dictionary_list")->count(), 0);
      dialog.reject();
    });
    QCOMPARE(choosers_.asked.at(0).dir, QtPath(program_.DicDir()));
    QVERIFY(Showed(messenger_, "ご注意!!",
                   "辞書ファイル<" + outside.string() + ">は dic フォルダ<" +
                       program_.DicDir().string() +
                       ">にありません。\n登録できるのは dic フォルダの辞書だけです。"));
    QVERIFY(settings_.dic_names[0].empty());
  }

  // A new user's way: a source typed and saved in dic/, built, registered and selected from
  // Shift+F8, and its reading wins in the next F5 over the main dictionary's.
  void OwnSourceWinsInTheNextAllRuby() {
    Pane().insertPlainText("翔太,しょう*た\n漢字,おとこ*な\n");
    choosers_.save_answers = {QtPath(program_.DicDir() / "pupils.pre")};
    QVERIFY(window_->SaveAs());
    messenger_.default_answer = Answer::kNo;  // no report
    QVERIFY(Build(BuildKind::kRubyDictionary));
    QVERIFY(fs::exists(program_.DicDir() / "pupils.dic"));

    choosers_.open_answers = {QtPath(program_.DicDir() / "pupils.dic")};
    QApplication::setActiveWindow(window_.get());  // the offscreen platform does not raise it
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    app_testing::AnswerModal<app::DictionaryRegistryDialog>([](app::DictionaryRegistryDialog& d) {
      Child<QLineEdit>(d, "name_field")->setText("児童");
      Child<QPushButton>(d, "register_button")->click();
      Child<QListWidget>(d, "dictionary_list")->setCurrentRow(0);
      Child<QPushButton>(d, "user_button")->click();
      Child<QRadioButton>(d, "pre_main_radio")->click();
      Child<QPushButton>(d, "close_button")->click();
    });
    QTest::keyClick(&Pane(), Qt::Key_F8, Qt::ShiftModifier);
    QCOMPARE(Indicator(), QString("[児童]＋[本体辞書]"));

    window_->NewDocument();
    Pane().insertPlainText("翔太と漢字の本。");
    choosers_.save_answers = {QtPath(*docs_ / "class.txt")};
    QVERIFY(window_->SaveAs());
    window_->findChild<QAction*>("allRubyAction")->trigger();
    QVERIFY(ReadFile(*docs_ / "class.srb")
                .starts_with(Sjis("{翔/しょう}{太/た}と{漢/おとこ}{字/な}の{本/ほん}。")));
  }
};

QTEST_MAIN(DictionaryCommandsTest)
#include "dictionary_commands_test.moc"
