// The main text window driven through its actions: files, search, ruby commands and the hand-over
// to the ruby window, the close query and the settings kept from one start to the next.
#include "app/main_text_window.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/edit_capacity_dialog.h"
#include "common/program_dir.h"
#include "common/settings.h"
#include "common/text_source.h"
#include "common/view/edit_commands.h"
#include "common/view/line_jump_dialog.h"
#include "common/view/replace_dialog.h"
#include "common/view/search_memory.h"
#include "common/view/text_pane.h"
#include "dictionary/build_command.h"
#include "rubywindow/browser_launcher.h"
#include "rubywindow/view/ruby_window.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/scripted_choosers.h"
#include "tests/support/test_files.h"

namespace fs = std::filesystem;
using common::Answer;
using common::view::EditAction;
using testing_support::ReadFile;
using testing_support::RecordingMessenger;
using testing_support::ScratchDir;
using testing_support::Sjis;
using testing_support::WriteFile;

namespace {

QString QtPath(const fs::path& path) { return QString::fromStdString(path.string()); }

class NoStarter final : public rubywindow::ProgramStarter {
 public:
  bool Start(const std::string&, const std::vector<std::string>&) override { return false; }
};

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

// Answers the next modal dialog of type D once the event loop runs.
template <typename D>
void AnswerModal(std::function<void(D&)> answer) {
  QTimer::singleShot(0, [answer] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    QVERIFY(dialog != nullptr);
    answer(*dialog);
  });
}

}  // namespace

class MainTextWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void OpenReadsShiftJisAndUtf8();
  void NewAsksBeforeDroppingEditedText();
  void YesWhoseSaveIsCancelledKeepsTheText();
  void SaveAsThenSaveWriteShiftJisWithCrLf();
  void ReadOnlyFileIsWrittenOnlyWhenAllowed();
  void SearchReplaceAndLineJumpThroughTheActions();
  void F5WritesTheRubyFileAndOpensTheRubyWindow();
  void GuardsRefuseWithGoodbye();
  void NoKeyServesTwoCommandsOfOneWindow();
  void RubyWindowSharesTheRememberedStrings();
  void CloseQueryAsksRubyWindowThenMainAndCancelKeepsRunning();
  void CloseQueryAsksOnceWhenOnlyTheMainTextIsEdited();
  void SettingsAreWrittenAtExitAndReadAtTheNextStart();
  void SetCurrentFileCutsOnlyTheFileNameExtension_data();
  void SetCurrentFileCutsOnlyTheFileNameExtension();
  void EditCapacityAndShrink();

 private:
  std::unique_ptr<app::MainTextWindow> MakeWindow(common::Settings& settings,
                                                  const common::ProgramDir& program);
  QAction* Action(const char* name) const;
  common::view::TextPane& Pane() const { return *window_->Pane(); }
  void Type(const QString& text) { Pane().insertPlainText(text); }

  ScratchDir home_;  // the program folder, with the main dictionary
  std::optional<common::ProgramDir> program_;
  std::optional<ScratchDir> docs_;
  std::optional<ScratchDir> work_;
  common::Settings settings_;
  RecordingMessenger messenger_;
  testing_support::ScriptedChoosers choosers_;
  common::view::SearchMemory search_;
  NoStarter starter_;
  std::unique_ptr<app::MainTextWindow> window_;
};

// The main dictionary of the all-ruby golden files, built once.
void MainTextWindowTest::initTestCase() {
  program_.emplace(home_.Path());
  fs::create_directories(program_->DicDir());
  ScratchDir work;
  RecordingMessenger quiet;
  quiet.default_answer = Answer::kNo;  // no build report
  std::string source = ReadFile(testing_support::TestData("cli/all_ruby/Qv_Body.pre"));
  common::StringTextSource text(source);
  QVERIFY(dictionary::RunDictionaryBuild(text, program_->DicDir() / "Qv_Body", *program_,
                                         common::WorkDir(work.Path()), quiet)
              .status == dictionary::BuildStatus::kOk);
}

void MainTextWindowTest::init() {
  fs::remove(program_->SettingsFile());
  docs_.emplace();
  work_.emplace();
  settings_ = common::LoadSettings(program_->Dir());
  messenger_ = RecordingMessenger();
  choosers_ = testing_support::ScriptedChoosers();
  search_ = common::view::SearchMemory();
  window_ = MakeWindow(settings_, *program_);
}

void MainTextWindowTest::cleanup() { window_.reset(); }

std::unique_ptr<app::MainTextWindow> MainTextWindowTest::MakeWindow(
    common::Settings& settings, const common::ProgramDir& program) {
  auto window = std::make_unique<app::MainTextWindow>(app::MainWindowContext{
      &settings, &program, &messenger_, &choosers_, &search_, &starter_, work_->Path()});
  window->show();
  return window;
}

QAction* MainTextWindowTest::Action(const char* name) const {
  auto* action = window_->findChild<QAction*>(name);
  if (action == nullptr) qFatal("no action %s", name);
  return action;
}

void MainTextWindowTest::OpenReadsShiftJisAndUtf8() {
  fs::path sjis = *docs_ / "sjis.txt";
  fs::path utf8 = *docs_ / "utf8.txt";
  WriteFile(sjis, Sjis("漢字の本\r\n二行目\r\n"));
  WriteFile(utf8, "ひらがな\r\n");
  choosers_.open_answers = {QtPath(sjis), QtPath(utf8)};

  Action("openAction")->trigger();
  QCOMPARE(window_->Text(), QString("漢字の本\n二行目\n"));
  QCOMPARE(window_->CurrentFileName(), sjis);
  QCOMPARE(window_->windowTitle(), "『みるかぜ (VR)』v112.【オリジナル画面】 --- " + QtPath(sjis));
  QCOMPARE(window_->StatusText(1), QtPath(sjis) + "を開きました。");
  QCOMPARE(settings_.user_path, docs_->Path());
  QVERIFY(!Pane().IsModified());

  Action("openAction")->trigger();
  QCOMPARE(choosers_.asked[1].dir, QtPath(docs_->Path()));  // starts where the last file was
  QCOMPARE(window_->Text(), QString("ひらがな\n"));
  Pane().moveCursor(QTextCursor::End);
  Type("漢字");
  Action("saveAction")->trigger();
  QCOMPARE(ReadFile(utf8), std::string("ひらがな\r\n漢字"));  // saved back as UTF-8
}

void MainTextWindowTest::NewAsksBeforeDroppingEditedText() {
  fs::path before = window_->CurrentFileName();
  Type("書きかけ");
  messenger_.Script({Answer::kCancel});
  Action("newAction")->trigger();
  QVERIFY(testing_support::ShowedOnly(
      messenger_, "ご確認", "テキストは\n編集されましたが保存されていません。\n保存しますか？"));
  QVERIFY(messenger_.records[0].buttons == common::Buttons::kYesNoCancel);
  QCOMPARE(window_->Text(), QString("書きかけ"));
  QCOMPARE(window_->CurrentFileName(), before);

  messenger_.Script({Answer::kNo});
  settings_.user_path = docs_->Path();
  Action("newAction")->trigger();
  QVERIFY(window_->Text().isEmpty());
  QVERIFY(!Pane().IsModified());
  QCOMPARE(window_->CurrentFileName(), docs_->Path() / "新規作成.txt");
}

// Yes means "keep my text": when the save does not happen, the text stays.
void MainTextWindowTest::YesWhoseSaveIsCancelledKeepsTheText() {
  Type("書きかけ");
  messenger_.Script({Answer::kYes});
  Action("newAction")->trigger();  // Save As is offered and cancelled
  QCOMPARE(choosers_.asked.size(), 1u);
  QCOMPARE(window_->Text(), QString("書きかけ"));
  QVERIFY(Pane().IsModified());
}

void MainTextWindowTest::SaveAsThenSaveWriteShiftJisWithCrLf() {
  fs::path out = *docs_ / "out.txt";
  choosers_.save_answers = {QtPath(out)};
  Type("漢字\n二");
  Action("saveAction")->trigger();  // a new text has no name yet: Save As
  QCOMPARE(ReadFile(out), Sjis("漢字\r\n二"));
  QCOMPARE(window_->CurrentFileName(), out);
  QCOMPARE(window_->StatusText(1), QtPath(out) + "を保存しました。");
  QVERIFY(!Pane().IsModified());

  Type("三");
  Action("saveAction")->trigger();
  QCOMPARE(ReadFile(out), Sjis("漢字\r\n二三"));
  QCOMPARE(choosers_.asked.size(), 1u);

  Action("saveAction")->trigger();
  QVERIFY(testing_support::ShowedOnly(messenger_, "お知らせ", "未編集なので保存しません。"));
}

void MainTextWindowTest::ReadOnlyFileIsWrittenOnlyWhenAllowed() {
  fs::path file = *docs_ / "locked.txt";
  WriteFile(file, "old");
  QVERIFY(window_->OpenFile(file));
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
  Type("new ");

  messenger_.Script({Answer::kCancel});
  Action("saveAction")->trigger();
  QVERIFY(testing_support::ShowedOnly(
      messenger_, "ご確認！",
      "<" + file.string() + ">は読み出し専用ファイルです。\n属性を解除して書き込みますか？"));
  QCOMPARE(ReadFile(file), std::string("old"));
  QVERIFY(Pane().IsModified());

  messenger_.Script({Answer::kOk});
  Action("saveAction")->trigger();
  QCOMPARE(ReadFile(file), std::string("new old"));
}

void MainTextWindowTest::SearchReplaceAndLineJumpThroughTheActions() {
  common::view::EditCommands& edit = window_->Edit();
  Pane().setPlainText("漢字と漢文");
  Pane().SelectBytes(0, 2);
  edit.Action(EditAction::kTakeSearch)->trigger();
  edit.Action(EditAction::kFindDown)->trigger();  // steps over the selected 漢 to the next one
  QCOMPARE(Pane().SelectionStartByte(), 6u);

  Pane().setPlainText("ab\ncd\nef");
  edit.Action(EditAction::kReplace)->trigger();
  common::view::ReplaceDialog* replace = edit.ReplaceDialogIfShown();
  QVERIFY(replace != nullptr);
  replace->SetFindText("c");
  replace->SetReplacementText("x^^ny");
  replace->ReplaceAllClicked();
  QCOMPARE(window_->Text(), QString("ab\nx\nyd\nef"));
  replace->close();

  AnswerModal<common::view::LineJumpDialog>([](common::view::LineJumpDialog& dialog) {
    dialog.SetLine(4);
    dialog.SetKind(common::view::kLogicalLines);
    dialog.accept();
  });
  edit.Action(EditAction::kJumpToLine)->trigger();
  QCOMPARE(Pane().CaretByte(), 8u);
  QVERIFY(window_->StatusText(0).startsWith("4行：(半角)1桁"));
}

void MainTextWindowTest::F5WritesTheRubyFileAndOpensTheRubyWindow() {
  fs::path text = *docs_ / "text.txt";
  fs::copy_file(testing_support::TestData("cli/all_ruby/text.txt"), text);
  QVERIFY(window_->OpenFile(text));
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  QTest::keyClick(&Pane(), Qt::Key_F5);

  QVERIFY(window_->RubyWindowOpen());
  QVERIFY(
      testing_support::BytesEqual(ReadFile(testing_support::TestData("cli/all_ruby/expected.srb")),
                                  ReadFile(*docs_ / "text.srb")));
  QCOMPARE(window_->RubyWindowIfOpen()->DocumentPath(), *docs_ / "text.srb");
  QVERIFY(messenger_.records.empty());
  QVERIFY(fs::is_empty(work_->Path()));  // a finished pass leaves only its ruby file
}

void MainTextWindowTest::GuardsRefuseWithGoodbye() {
  Action("allRubyAction")->trigger();
  QVERIFY(testing_support::ShowedOnly(messenger_, "再見。", "るび振りする内容がありません！"));
  QVERIFY(!window_->RubyWindowOpen());

  Action("emptyRubyWindowAction")->trigger();
  QVERIFY(window_->RubyWindowOpen());
  messenger_.records.clear();
  Type("漢字");
  Action("allRubyAction")->trigger();
  QVERIFY(testing_support::ShowedOnly(
      messenger_, "再見。",
      "るび振りWindowがすでに開いています。\nるび振りWindowを閉じてから実行してください！"));

  window_->RubyWindowIfOpen()->close();
  QVERIFY(!window_->RubyWindowOpen());  // the flag drops when the window closes
}

void MainTextWindowTest::NoKeyServesTwoCommandsOfOneWindow() {
  QCOMPARE(SharedKeys(*window_), QStringList());
  Action("emptyRubyWindowAction")->trigger();
  QCOMPARE(SharedKeys(*window_->RubyWindowIfOpen()), QStringList());
}

// Ctrl+S in the ruby window takes the search string that Ctrl+W then finds in the main text.
void MainTextWindowTest::RubyWindowSharesTheRememberedStrings() {
  Type("漢y漢");
  Pane().MoveCaretToStart();
  Action("emptyRubyWindowAction")->trigger();
  rubywindow::view::RubyWindow* ruby = window_->RubyWindowIfOpen();
  auto* ruby_pane = ruby->findChild<common::view::TextPane*>();
  ruby_pane->insertPlainText("{漢/かん}");
  ruby_pane->SelectBytes(1, 2);
  QVERIFY(QTest::qWaitForWindowActive(ruby));
  QTest::keyClick(ruby_pane, Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(search_.search, QString("漢"));

  QApplication::setActiveWindow(window_.get());  // the offscreen platform does not raise windows
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  QTest::keyClick(&Pane(), Qt::Key_W, Qt::ControlModifier);
  QVERIFY(messenger_.records.empty());
  QCOMPARE(Pane().SelectionStartByte(), std::size_t{3});  // the 漢 at the caret is stepped over
  QVERIFY(ruby->isVisible());  // Ctrl+W went to the main window's search, not to a close
}

void MainTextWindowTest::CloseQueryAsksRubyWindowThenMainAndCancelKeepsRunning() {
  Action("emptyRubyWindowAction")->trigger();
  rubywindow::view::RubyWindow* ruby = window_->RubyWindowIfOpen();
  ruby->findChild<common::view::TextPane*>()->insertPlainText("{漢/かん}");
  Type("漢");

  messenger_.Script({Answer::kNo, Answer::kCancel});
  Action("exitAction")->trigger();
  QCOMPARE(messenger_.records.size(), 2u);
  QCOMPARE(messenger_.records[0].title, "終了時のご確認");
  QVERIFY(messenger_.records[0].text.starts_with("ＲＢ画面のテキストは"));
  QVERIFY(messenger_.records[1].text.starts_with("オリジナル画面のテキストは"));
  QVERIFY(window_->isVisible());
  QVERIFY(window_->RubyWindowOpen());
  QVERIFY(!fs::exists(program_->SettingsFile()));

  messenger_.Script({Answer::kNo, Answer::kNo});
  QVERIFY(window_->close());
  QVERIFY(!window_->RubyWindowOpen());
  QVERIFY(fs::exists(program_->SettingsFile()));
}

void MainTextWindowTest::CloseQueryAsksOnceWhenOnlyTheMainTextIsEdited() {
  Action("emptyRubyWindowAction")->trigger();
  Type("漢");
  messenger_.Script({Answer::kCancel});
  QVERIFY(!window_->close());
  QCOMPARE(messenger_.records.size(), 1u);
  QVERIFY(messenger_.records[0].text.starts_with("オリジナル画面の"));
}

// A stored height of 200 opens the window 400 high at top 100; what the run changes is in the
// file after the exit and in the next start.
void MainTextWindowTest::SettingsAreWrittenAtExitAndReadAtTheNextStart() {
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

void MainTextWindowTest::SetCurrentFileCutsOnlyTheFileNameExtension_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<QString>("base_name");
  QTest::newRow("extension") << "/a.b/c.txt"
                             << "/a.b/c";
  QTest::newRow("dot only in a folder") << "/a.b/c"
                                        << "/a.b/c";
  QTest::newRow("two dots") << "/t/story.v2.txt"
                            << "/t/story.v2";
  QTest::newRow("empty") << ""
                         << "";
}

void MainTextWindowTest::SetCurrentFileCutsOnlyTheFileNameExtension() {
  QFETCH(QString, path);
  QFETCH(QString, base_name);
  window_->SetCurrentFile(path.toStdString());
  QCOMPARE(window_->CurrentBaseName(), fs::path(base_name.toStdString()));
  QCOMPARE(window_->windowTitle(), "『みるかぜ (VR)』v112.【オリジナル画面】 --- " + path);
}

void MainTextWindowTest::EditCapacityAndShrink() {
  AnswerModal<app::EditCapacityDialog>([](app::EditCapacityDialog& dialog) {
    dialog.SetKiloBytes(10);
    dialog.accept();
  });
  Action("capacityAction")->trigger();
  QCOMPARE(settings_.edit_area_extra, 10000);
  AnswerModal<app::EditCapacityDialog>([](app::EditCapacityDialog& dialog) {
    dialog.SetKiloBytes(500);
    dialog.reject();
  });
  Action("capacityAction")->trigger();
  QCOMPARE(settings_.edit_area_extra, 10000);

  Action("shrinkAction")->trigger();
  QVERIFY(testing_support::ShowedOnly(messenger_, "Schrink!!",
                                      "Top= 100, Left= 100, GdefH= 400, GdefW= 640 \n"));
  QCOMPARE(window_->size(), QSize(640, 400));
  QCOMPARE(window_->pos(), QPoint(100, 100));
}

QTEST_MAIN(MainTextWindowTest)
#include "main_text_window_test.moc"
