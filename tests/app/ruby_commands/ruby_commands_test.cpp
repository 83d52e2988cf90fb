// The ruby commands from their slots to the ruby window: dictionaries built from the sample
// sources in a scratch program folder, a fake main text window, scripted dialog answers.
#include <QtTest>

#include <filesystem>
#include <optional>
#include <vector>

#include "app/ruby_commands/brace_escape_command.h"
#include "app/ruby_commands/ruby_commands.h"
#include "common/settings.h"
#include "common/text_source.h"
#include "dictionary/build_command.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::RecordingMessenger;
using testing_support::ScratchDir;
using testing_support::Sjis;

fs::path SampleDir() {
  return fs::path(MIRUKAZE_TEST_DATA_DIR).parent_path().parent_path() / "data" / "sample";
}

class FakeHost final : public app::RubyCommandHost {
 public:
  struct Opened {
    fs::path file;
    bool field_flag;
  };

  QString Text() const override { return text; }
  QString SelectedText() const override { return selected; }
  QString LineBeforeCaret() const override { return QString(); }
  fs::path CurrentFile() const override { return current_file; }
  bool RubyWindowOpen() const override { return window_open; }
  void MoveCaretToByte(std::size_t byte_offset) override { caret = byte_offset; }
  int DisplayLineOfByte(std::size_t) const override { return display_line; }
  void OpenRubyWindow(const fs::path& ruby_file, bool field_flag) override {
    opened.push_back({ruby_file, field_flag});
  }

  QString text;
  QString selected;
  fs::path current_file;
  bool window_open = false;
  std::optional<std::size_t> caret;
  int display_line = 1;
  std::vector<Opened> opened;
};

// Answers every dialog as scripted; nullopt is "中止".
class ScriptedDialogs final : public app::RubyCommandDialogs {
 public:
  std::optional<engine::GradeRubyOptions> AskGradeRuby(common::Settings&) override {
    ++asked;
    return grade;
  }
  std::optional<engine::LevelRubyOptions> AskLevelRuby(common::Settings&) override {
    ++asked;
    return level;
  }
  std::optional<engine::LineFieldOptions> AskLineFieldRuby(common::Settings& settings,
                                                           app::RubySessionChoices&,
                                                           const QString&) override {
    ++asked;
    mark_seen = settings.line_head_mark;
    return line_field;
  }
  std::optional<common::NonRubyAreas> AskNonRubyAreas(common::Settings&) override {
    ++asked;
    return areas;
  }

  int asked = 0;
  std::optional<engine::GradeRubyOptions> grade;
  std::optional<engine::LevelRubyOptions> level;
  std::optional<engine::LineFieldOptions> line_field;
  std::optional<common::NonRubyAreas> areas;
  std::string mark_seen;
};

enum class Command { kAll, kGrade, kLevel, kLineField };

bool Showed(const RecordingMessenger& messenger, std::string_view title, std::string_view text) {
  ::testing::AssertionResult shown = testing_support::ShowedOnly(messenger, title, text);
  if (!shown) qWarning("%s", shown.message());
  return static_cast<bool>(shown);
}

}  // namespace

Q_DECLARE_METATYPE(Command)

class RubyCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void AllRubyHandsTheSrbFileToTheRubyWindow();
  void EachCommandWritesItsRubyFile_data();
  void EachCommandWritesItsRubyFile();
  void GuardsRefuseBeforeAnything_data();
  void GuardsRefuseBeforeAnything();
  void EmptyRubyWindowOpensTheNewNameUnlessOneIsOpen();
  void UnencodableCharacterIsRefusedWithItsLine();
  void DialogCancelWritesNothing_data();
  void DialogCancelWritesNothing();
  void NotationFaultMovesTheCaretBeforeTheDialog();
  void AbortReportNamesTheStep();
  void FieldFlagOnlyAfterAFieldMode_data();
  void FieldFlagOnlyAfterAFieldMode();
  void SelectionBecomesTheMark();
  void NonRubyDeleteOptionsReachThePass();
  void UnknownDictionaryUseIsRefused();
  void BraceEscapeRoundTripsOrRefusesUnencodableText();

 private:
  void Run(Command command);
  bool WorkDirEmpty() const;

  ScratchDir home_;
  std::optional<common::ProgramDir> program_;
  int kanji_count_ = 0;

  std::optional<ScratchDir> docs_;
  std::optional<ScratchDir> work_;
  common::Settings settings_;
  RecordingMessenger messenger_;
  FakeHost host_;
  ScriptedDialogs* dialogs_ = nullptr;
  std::unique_ptr<app::RubyCommands> commands_;
};

// The main and user dictionaries and both tables, built once from the sample sources.
void RubyCommandsTest::initTestCase() {
  fs::copy(SampleDir() / "dic", home_ / "dic", fs::copy_options::recursive);
  program_.emplace(home_.Path());
  ScratchDir work;
  RecordingMessenger quiet;
  quiet.default_answer = common::Answer::kNo;  // no build report
  struct Source {
    const char* base_name;
    std::string text;
  };
  for (const Source& source : {Source{"Qv_Body", ReadFile(SampleDir() / "Qv_Body.pre")},
                               Source{"Qv_Users", Sjis("一月,ひと*つき\n")}}) {
    common::StringTextSource text(source.text);
    QCOMPARE(dictionary::RunDictionaryBuild(text, home_ / source.base_name, *program_,
                                            common::WorkDir(work.Path()), quiet)
                 .status,
             dictionary::BuildStatus::kOk);
  }
  dictionary::GradeBuildResult grade =
      dictionary::RunGradeBuild(*program_, common::WorkDir(work.Path()), quiet);
  QVERIFY(grade.status == dictionary::GradeBuildStatus::kOk);
  kanji_count_ = grade.kanji_count;
  QVERIFY(dictionary::RunLevelBuild(*program_, common::WorkDir(work.Path()), quiet) ==
          dictionary::LevelBuildStatus::kOk);
}

void RubyCommandsTest::init() {
  docs_.emplace();
  work_.emplace();
  settings_ = common::Settings();
  settings_.h_kanjisuu = kanji_count_;
  messenger_ = RecordingMessenger();
  host_ = FakeHost();
  host_.current_file = docs_->Path() / "story.txt";
  host_.text = QStringLiteral("今日は一月の日曜日です。\n");
  app::RubyCommandServices services{.settings = &settings_,
                                    .program = &*program_,
                                    .messenger = &messenger_,
                                    .work_dir = work_->Path()};
  commands_ = std::make_unique<app::RubyCommands>(host_, services, nullptr);
  auto dialogs = std::make_unique<ScriptedDialogs>();
  dialogs_ = dialogs.get();
  commands_->SetDialogs(std::move(dialogs));
}

void RubyCommandsTest::cleanup() { commands_.reset(); }

void RubyCommandsTest::Run(Command command) {
  switch (command) {
    case Command::kAll:
      return commands_->AllRubiClick();
    case Command::kGrade:
      return commands_->HaitouRubiClick();
    case Command::kLevel:
      return commands_->KankenSpeedButtonClick();
    case Command::kLineField:
      return commands_->GyouSpeedButtonClick();
  }
}

bool RubyCommandsTest::WorkDirEmpty() const { return fs::is_empty(work_->Path()); }

void RubyCommandsTest::AllRubyHandsTheSrbFileToTheRubyWindow() {
  commands_->AllRubiClick();
  QCOMPARE(host_.opened.size(), std::size_t{1});
  QCOMPARE(host_.opened[0].file, docs_->Path() / "story.srb");
  QVERIFY(!host_.opened[0].field_flag);
  QVERIFY(messenger_.records.empty());
  QVERIFY(ReadFile(docs_->Path() / "story.srb").starts_with(Sjis("{今日/きょう}は")));
  QCOMPARE(messenger_.progress.front(), std::string());
  QCOMPARE(messenger_.progress.at(1), std::string("C"));
  // A finished pass leaves only its ruby file.
  QVERIFY(WorkDirEmpty());
}

void RubyCommandsTest::EachCommandWritesItsRubyFile_data() {
  QTest::addColumn<Command>("command");
  QTest::addColumn<QString>("extension");
  QTest::newRow("grade") << Command::kGrade << ".hrb";
  QTest::newRow("level") << Command::kLevel << ".krb";
  QTest::newRow("line and field") << Command::kLineField << ".lrb";
}

void RubyCommandsTest::EachCommandWritesItsRubyFile() {
  QFETCH(Command, command);
  QFETCH(QString, extension);
  dialogs_->grade = engine::GradeRubyOptions{.range_kind = 4};
  dialogs_->level = engine::LevelRubyOptions{.range_kind = 2, .first_box = 11};
  dialogs_->line_field = engine::LineFieldOptions{.mode = 0, .mark = Sjis("今")};
  Run(command);
  fs::path expected = docs_->Path() / ("story" + extension.toStdString());
  QCOMPARE(dialogs_->asked, 1);
  QCOMPARE(host_.opened.size(), std::size_t{1});
  QCOMPARE(host_.opened[0].file, expected);
  QVERIFY(ReadFile(expected).find(Sjis("{今日/きょう}")) != std::string::npos);
  if (command == Command::kLevel) {
    // The user dictionary comes first, whatever DIC_PATTERN says: 一月 is ひと*つき there.
    QVERIFY(ReadFile(expected).find(Sjis("{一/ひと}")) != std::string::npos);
  }
}

void RubyCommandsTest::GuardsRefuseBeforeAnything_data() {
  QTest::addColumn<Command>("command");
  QTest::addColumn<bool>("window_open");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("message");
  const QString open =
      "るび振りWindowがすでに開いています。\nるび振りWindowを閉じてから実行してください！";
  const QString empty = "るび振りする内容がありません！";
  for (auto [name, command] : {std::pair{"all", Command::kAll},
                               {"grade", Command::kGrade},
                               {"level", Command::kLevel},
                               {"line", Command::kLineField}}) {
    QTest::addRow("%s, window open", name) << command << true << "今日" << open;
    QTest::addRow("%s, empty text", name) << command << false << "" << empty;
  }
}

void RubyCommandsTest::GuardsRefuseBeforeAnything() {
  QFETCH(Command, command);
  QFETCH(bool, window_open);
  QFETCH(QString, text);
  QFETCH(QString, message);
  host_.window_open = window_open;
  host_.text = text;
  Run(command);
  QVERIFY(Showed(messenger_, "再見。", message.toStdString()));
  QCOMPARE(dialogs_->asked, 0);
  QVERIFY(host_.opened.empty());
  QVERIFY(WorkDirEmpty());
}

void RubyCommandsTest::EmptyRubyWindowOpensTheNewNameUnlessOneIsOpen() {
  host_.text.clear();  // no pass runs, so no text is needed
  commands_->RbWButtonClick();
  QCOMPARE(host_.opened.size(), std::size_t{1});
  QCOMPARE(host_.opened[0].file, fs::path(u8"新規ﾌｧｲﾙ.srb"));
  QVERIFY(!host_.opened[0].field_flag);
  host_.window_open = true;
  commands_->RbWButtonClick();
  QVERIFY(
      Showed(messenger_, "ご確認！。",
             "るび振りWindowはすでに開いています。\nるび振りWindowを閉じてから実行してください！"));
  QCOMPARE(host_.opened.size(), std::size_t{1});
}

void RubyCommandsTest::UnencodableCharacterIsRefusedWithItsLine() {
  host_.text = QStringLiteral("今日は\n晴れ😀です。\n");
  commands_->HaitouRubiClick();
  QCOMPARE(messenger_.records.size(), std::size_t{1});
  const std::string& text = messenger_.records[0].text;
  QVERIFY(text.starts_with("2 行目の文字「😀」"));
  QVERIFY(text.find("1F600") != std::string::npos);
  QCOMPARE(dialogs_->asked, 0);
  QVERIFY(WorkDirEmpty());
  QVERIFY(!fs::exists(docs_->Path() / "story.hrb"));
}

void RubyCommandsTest::DialogCancelWritesNothing_data() {
  QTest::addColumn<Command>("command");
  QTest::newRow("grade") << Command::kGrade;
  QTest::newRow("level") << Command::kLevel;
  QTest::newRow("line and field") << Command::kLineField;
}

void RubyCommandsTest::DialogCancelWritesNothing() {
  QFETCH(Command, command);
  Run(command);
  QCOMPARE(dialogs_->asked, 1);
  QVERIFY(messenger_.records.empty());
  QVERIFY(host_.opened.empty());
  QVERIFY(WorkDirEmpty());
  QVERIFY(fs::is_empty(docs_->Path()));
}

void RubyCommandsTest::NotationFaultMovesTheCaretBeforeTheDialog() {
  host_.text = QStringLiteral("一行目\n{漢字かんじ}\n");
  host_.display_line = 5;  // the line as wrapped on screen is what is reported
  commands_->HaitouRubiClick();
  QCOMPARE(dialogs_->asked, 0);
  QVERIFY(Showed(messenger_, "警告", "5 行目::<{ / }> の内部は、/ の後にるびがなが必要。"));
  // The caret stands on the '}' where a '/' was due.
  QCOMPARE(host_.caret, std::optional<std::size_t>(7 + 1 + 4 + 6));
  QVERIFY(WorkDirEmpty());
}

void RubyCommandsTest::AbortReportNamesTheStep() {
  ScratchDir empty_home;
  common::ProgramDir no_dictionaries(empty_home.Path());
  app::RubyCommandServices services{.settings = &settings_,
                                    .program = &no_dictionaries,
                                    .messenger = &messenger_,
                                    .work_dir = work_->Path()};
  app::RubyCommands commands(host_, services, nullptr);
  commands.AllRubiClick();
  QVERIFY(!messenger_.records.empty());
  QCOMPARE(messenger_.records.back().title, std::string("ご注意!!"));
  QCOMPARE(messenger_.records.back().text,
           std::string("問題が発生しました。<in rb_x(2)>\nるび振りは中止します。"));
  QVERIFY(host_.opened.empty());
  QVERIFY(!fs::exists(docs_->Path() / "story.srb"));
}

void RubyCommandsTest::FieldFlagOnlyAfterAFieldMode_data() {
  QTest::addColumn<int>("mode");
  QTest::addColumn<bool>("field_flag");
  QTest::newRow("lines only") << 0 << false;
  QTest::newRow("fields only") << 1 << true;
  QTest::newRow("lines and fields") << 2 << true;
}

void RubyCommandsTest::FieldFlagOnlyAfterAFieldMode() {
  QFETCH(int, mode);
  QFETCH(bool, field_flag);
  host_.text = QStringLiteral("今日,今日\n");
  dialogs_->line_field = engine::LineFieldOptions{
      .mode = mode, .mark = Sjis("今"), .separator = ",", .first_field = 2};
  commands_->GyouSpeedButtonClick();
  QCOMPARE(host_.opened.size(), std::size_t{1});
  QCOMPARE(host_.opened[0].field_flag, field_flag);
  QVERIFY(ReadFile(docs_->Path() / "story.lrb").find(Sjis("{今日/きょう}")) != std::string::npos);
}

void RubyCommandsTest::SelectionBecomesTheMark() {
  host_.selected = QStringLiteral("♀") + QChar(0x2029) + QStringLiteral("次の行");
  commands_->GyouSpeedButtonClick();
  QCOMPARE(dialogs_->mark_seen, Sjis("♀"));
  QCOMPARE(settings_.line_head_mark, Sjis("♀"));
}

void RubyCommandsTest::NonRubyDeleteOptionsReachThePass() {
  settings_.no_rb_bgn_str = "[[";
  settings_.no_rb_end_str = "]]";
  dialogs_->areas = common::NonRubyAreas{
      .enabled = true, .start = "[[", .end = "]]", .delete_start = true, .delete_end = true};
  commands_->PassRubiAreaClick();
  host_.text = QStringLiteral("今日[[今日]]今日\n");
  commands_->AllRubiClick();
  QVERIFY(testing_support::BytesEqual(Sjis("{今日/きょう}今日{今日/きょう}\r\n"),
                                      ReadFile(docs_->Path() / "story.srb")));
}

void RubyCommandsTest::UnknownDictionaryUseIsRefused() {
  settings_.dic_pattern = 7;
  commands_->AllRubiClick();
  QCOMPARE(messenger_.records.size(), std::size_t{1});
  QVERIFY(messenger_.records[0].text.starts_with("辞書の使用パターン DIC_PATTERN=7"));
  QVERIFY(host_.opened.empty());
  QVERIFY(WorkDirEmpty());
}

void RubyCommandsTest::BraceEscapeRoundTripsOrRefusesUnencodableText() {
  QCOMPARE(app::EscapeBracesOf(QStringLiteral("{注}本\n"), messenger_),
           std::optional<QString>(QStringLiteral("∈注∋本\n")));
  QCOMPARE(app::EscapeBracesOf(QStringLiteral("{注}\n\n😀{注}"), messenger_),
           std::optional<QString>());
  QCOMPARE(messenger_.records.size(), std::size_t{1});
  QVERIFY(messenger_.records[0].text.starts_with("3 行目の文字「😀」"));
}

QTEST_MAIN(RubyCommandsTest)
#include "ruby_commands_test.moc"
