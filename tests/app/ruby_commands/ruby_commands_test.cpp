// The ruby commands from their slots to the ruby window: dictionaries built from the sample
// sources in a scratch program folder, a fake main text window, scripted dialog answers.
#include "app/ruby_commands/ruby_commands.h"

#include <QtTest>
#include <filesystem>
#include <optional>
#include <vector>

#include "app/ruby_commands/brace_escape_command.h"
#include "common/encoding/cp932.h"
#include "common/settings/settings.h"
#include "common/encoding/text_conversion.h"
#include "tests/app/app_fixtures.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using app_testing::Showed;
using testing_support::ReadFile;
using testing_support::RecordingMessenger;
using testing_support::ScratchDir;
using testing_support::Sjis;

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
  int FileLineOfByte(std::size_t) const override { return file_line; }
  void OpenRubyWindow(const fs::path& ruby_file, bool field_flag) override {
    opened.push_back({ruby_file, field_flag});
  }
  common::TextEncoding DocumentEncoding() const override { return encoding; }
  void ShowStatus(const QString& text) override { status = text; }

  QString text;
  QString selected;
  fs::path current_file;
  bool window_open = false;
  std::optional<std::size_t> caret;
  int file_line = 1;
  std::vector<Opened> opened;
  common::TextEncoding encoding = common::TextEncoding::kShiftJis;
  QString status;
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

enum class Command { kAll, kGrade, kLevel, kLineField, kEmptyWindow };

const QString kStory = QStringLiteral("今日は一月の日曜日です。\n");

}  // namespace

Q_DECLARE_METATYPE(Command)

class RubyCommandsTest : public QObject {
  Q_OBJECT

  ScratchDir home_;
  const common::ProgramDir program_{home_.Path()};
  int kanji_count_ = 0;

  std::optional<ScratchDir> docs_;
  std::optional<ScratchDir> work_;
  common::Settings settings_;
  RecordingMessenger messenger_;
  FakeHost host_;
  ScriptedDialogs* dialogs_ = nullptr;
  std::unique_ptr<app::RubyCommands> commands_;

  void Run(Command command) {
    switch (command) {
      case Command::kAll:
        return commands_->AllRubiClick();
      case Command::kGrade:
        return commands_->HaitouRubiClick();
      case Command::kLevel:
        return commands_->KankenSpeedButtonClick();
      case Command::kLineField:
        return commands_->GyouSpeedButtonClick();
      case Command::kEmptyWindow:
        return commands_->RbWButtonClick();
    }
  }

  // No working file is left and no ruby file is written.
  bool NothingWritten() const { return fs::is_empty(work_->Path()) && fs::is_empty(docs_->Path()); }

 private slots:
  void initTestCase() {
    std::optional<int> kanji_count = app_testing::MakeProgramFolder(
        home_.Path(), app_testing::SampleDir() / "Qv_Body.pre", true);
    QVERIFY(kanji_count.has_value());
    kanji_count_ = *kanji_count;
  }

  void init() {
    docs_.emplace();
    work_.emplace();
    settings_ = common::Settings();
    settings_.h_kanjisuu = kanji_count_;
    messenger_ = RecordingMessenger();
    host_ = FakeHost();
    host_.current_file = docs_->Path() / "story.txt";
    host_.text = kStory;
    app::RubyCommandServices services{{.settings = &settings_,
                                       .program = &program_,
                                       .messenger = &messenger_,
                                       .work_dir = work_->Path()}};
    commands_ = std::make_unique<app::RubyCommands>(host_, services, nullptr);
    auto dialogs = std::make_unique<ScriptedDialogs>();
    dialogs_ = dialogs.get();
    commands_->SetDialogs(std::move(dialogs));
  }

  void cleanup() { commands_.reset(); }

  // The field flag goes to the ruby window only after a pass that worked on fields.
  void EachCommandOpensItsRubyFile_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("mode");  // of the line-and-field dialog
    QTest::addColumn<QString>("extension");
    QTest::addColumn<bool>("field_flag");
    QTest::addColumn<QString>("ruby");
    QTest::newRow("all") << Command::kAll << kStory << 0 << ".srb" << false << "{今日/きょう}は";
    QTest::newRow("grade") << Command::kGrade << kStory << 0 << ".hrb" << false << "{今日/きょう}";
    // The user dictionary comes first, whatever DIC_PATTERN says: 一月 is ひと*つき there.
    QTest::newRow("level") << Command::kLevel << kStory << 0 << ".krb" << false << "{一/ひと}";
    const QString fields = QStringLiteral("今日,今日\n");
    QTest::newRow("lines only") << Command::kLineField << fields << 0 << ".lrb" << false
                                << "{今日/きょう}";
    QTest::newRow("fields only") << Command::kLineField << fields << 1 << ".lrb" << true
                                 << "{今日/きょう}";
    QTest::newRow("lines and fields")
        << Command::kLineField << fields << 2 << ".lrb" << true << "{今日/きょう}";
  }

  void EachCommandOpensItsRubyFile() {
    QFETCH(Command, command);
    QFETCH(QString, text);
    QFETCH(int, mode);
    QFETCH(QString, extension);
    QFETCH(bool, field_flag);
    QFETCH(QString, ruby);
    host_.text = text;
    dialogs_->grade = engine::GradeRubyOptions{.range_kind = 4};
    dialogs_->level = engine::LevelRubyOptions{.range_kind = 2, .first_box = 11};
    dialogs_->line_field = engine::LineFieldOptions{
        .mode = mode, .mark = Sjis("今"), .separator = ",", .first_field = 2};
    Run(command);
    const fs::path expected = docs_->Path() / ("story" + extension.toStdString());
    QCOMPARE(dialogs_->asked, command == Command::kAll ? 0 : 1);
    QVERIFY(messenger_.records.empty());
    QCOMPARE(host_.opened.size(), std::size_t{1});
    QCOMPARE(host_.opened[0].file, expected);
    QCOMPARE(host_.opened[0].field_flag, field_flag);
    QVERIFY(ReadFile(expected).find(Sjis(ruby.toStdString())) != std::string::npos);
  }

  // Where the mark chooses the lines and none begins with it, the user learns why nothing
  // happens; a mark that stands later in a line does not choose it.
  void LineRubyWithoutAMarkedLineSaysSo_data() {
    QTest::addColumn<int>("mode");
    QTest::newRow("lines only") << 0;
    QTest::newRow("lines and fields") << 2;
  }

  void LineRubyWithoutAMarkedLineSaysSo() {
    QFETCH(int, mode);
    host_.text = QStringLiteral("今日は♀\n明日\n");
    dialogs_->line_field = engine::LineFieldOptions{
        .mode = mode, .mark = Sjis("♀"), .separator = ",", .first_field = 1};
    commands_->GyouSpeedButtonClick();
    QVERIFY(Showed(messenger_, "お知らせ",
                   "行頭マーク < ♀ > で始まる行がありません。\nるびは振りませんでした。"));
    QVERIFY(host_.opened.empty());
    QVERIFY(NothingWritten());
  }

  // The ruby file is in the encoding of the text, which the status line names: the sample text
  // opened as UTF-8 gives the ruby of the Shift_JIS sample, in UTF-8, before the ruby window
  // reads it.
  void RubyFileTakesTheEncodingOfTheText() {
    std::string sample = ReadFile(app_testing::SampleDir() / "sample.txt");
    host_.text = QString::fromStdString(*common::Cp932ToUtf8(sample)).replace("\r\n", "\n");
    const fs::path ruby_file = docs_->Path() / "story.srb";
    commands_->AllRubiClick();
    std::string sjis_ruby = ReadFile(ruby_file);
    QVERIFY(host_.status.contains("Shift_JIS"));
    struct Row {
      common::TextEncoding encoding;
      std::string mark;
    };
    for (const Row& row : {Row{common::TextEncoding::kUtf8, ""},
                           Row{common::TextEncoding::kUtf8WithBom, "\xEF\xBB\xBF"}}) {
      fs::remove(ruby_file);
      host_.encoding = row.encoding;
      commands_->AllRubiClick();
      QVERIFY(messenger_.records.empty());
      QCOMPARE(host_.opened.back().file, ruby_file);
      std::string_view name = common::EncodingName(row.encoding);
      QVERIFY(host_.status.contains(QString::fromUtf8(name.data(), qsizetype(name.size()))));
      std::string written = ReadFile(ruby_file);
      QVERIFY(written.starts_with(row.mark));
      std::optional<std::string> back = common::Utf8ToCp932(written.substr(row.mark.size()));
      QVERIFY(back.has_value());
      QVERIFY(testing_support::BytesEqual(sjis_ruby, *back));
    }
  }

  void EmptyRubyWindowOpensOnANewText() {
    host_.text.clear();  // no pass runs, so no text is needed
    commands_->RbWButtonClick();
    QCOMPARE(host_.opened.size(), std::size_t{1});
    QCOMPARE(host_.opened[0].file, fs::path());
    QVERIFY(!host_.opened[0].field_flag);
  }

  void RefusalsComeBeforeAnyDialogOrFile_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<bool>("window_open");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("dic_pattern");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    auto row = [](const char* name, Command command, bool window_open, QString text,
                  int dic_pattern, QString title, QString message) {
      QTest::newRow(name) << command << window_open << text << dic_pattern << title << message;
    };
    const QString open =
        "るび振りWindowがすでに開いています。\nるび振りWindowを閉じてから実行してください！";
    const QString empty = "るび振りする内容がありません！";
    row("all, window open", Command::kAll, true, "今日", 0, "再見。", open);
    row("all, empty text", Command::kAll, false, "", 0, "再見。", empty);
    row("grade, window open", Command::kGrade, true, "今日", 0, "再見。", open);
    row("grade, empty text", Command::kGrade, false, "", 0, "再見。", empty);
    row("level, window open", Command::kLevel, true, "今日", 0, "再見。", open);
    row("level, empty text", Command::kLevel, false, "", 0, "再見。", empty);
    row("line, window open", Command::kLineField, true, "今日", 0, "再見。", open);
    row("line, empty text", Command::kLineField, false, "", 0, "再見。", empty);
    // The empty ruby window has "は" where the guard of the passes has "が".
    row("empty window, window open", Command::kEmptyWindow, true, "", 0, "ご確認！。",
        "るび振りWindowはすでに開いています。\nるび振りWindowを閉じてから実行してください！");
    row("unknown dictionary use", Command::kAll, false, "今日", 7, "ご注意!!",
        "辞書の使用パターン DIC_PATTERN=7 は使えません。\n辞書選択で設定し直してください。");
    // Named as the command line names it: the text, the line and column, the character.
    row("unencodable character, with its line and column", Command::kGrade, false,
        "今日は\n晴れ😀です。\n", 0, "ご注意!!",
        "<%1>の 2 行 3 字目の文字<😀>は Shift_JIS にありません。\n何も書きませんでした。");
  }

  void RefusalsComeBeforeAnyDialogOrFile() {
    QFETCH(Command, command);
    QFETCH(bool, window_open);
    QFETCH(QString, text);
    QFETCH(int, dic_pattern);
    QFETCH(QString, title);
    QFETCH(QString, message);
    host_.window_open = window_open;
    host_.text = text;
    settings_.dic_pattern = dic_pattern;
    Run(command);
    if (message.contains("%1")) message = message.arg(QString::fromStdString(host_.current_file));
    QVERIFY(Showed(messenger_, title.toStdString(), message.toStdString()));
    QCOMPARE(dialogs_->asked, 0);
    QVERIFY(host_.opened.empty());
    QVERIFY(NothingWritten());
  }

  void DialogCancelWritesNothing_data() {
    QTest::addColumn<Command>("command");
    QTest::newRow("grade") << Command::kGrade;
    QTest::newRow("level") << Command::kLevel;
    QTest::newRow("line and field") << Command::kLineField;
  }

  void DialogCancelWritesNothing() {
    QFETCH(Command, command);
    Run(command);
    QCOMPARE(dialogs_->asked, 1);
    QVERIFY(messenger_.records.empty());
    QVERIFY(host_.opened.empty());
    QVERIFY(NothingWritten());
  }

  void NotationFaultMovesTheCaretBeforeTheDialog() {
    host_.text = QStringLiteral("一行目\n{漢字かんじ}\n");
    host_.file_line = 5;  // the host counts the lines
    commands_->HaitouRubiClick();
    QCOMPARE(dialogs_->asked, 0);
    QVERIFY(Showed(messenger_, "警告", "5 行目::<{ / }> の内部は、/ の後にるびがなが必要。"));
    // The caret stands on the '}' where a '/' was due.
    QCOMPARE(host_.caret, std::optional<std::size_t>(7 + 1 + 4 + 6));
    QVERIFY(NothingWritten());
  }

  void AbortReportNamesTheStep() {
    ScratchDir empty_home;
    common::ProgramDir no_dictionaries(empty_home.Path());
    app::RubyCommandServices services{{.settings = &settings_,
                                       .program = &no_dictionaries,
                                       .messenger = &messenger_,
                                       .work_dir = work_->Path()}};
    app::RubyCommands commands(host_, services, nullptr);
    commands.AllRubiClick();
    QVERIFY(!messenger_.records.empty());
    QCOMPARE(messenger_.records.back().title, std::string("ご注意!!"));
    QCOMPARE(messenger_.records.back().text,
             std::string("辞書によるるび振りの途中で問題が発生しました。\nるび振りは中止します。"));
    QVERIFY(host_.opened.empty());
    QVERIFY(!fs::exists(docs_->Path() / "story.srb"));
  }

  // Only the selection's first line becomes the mark, before the dialog opens.
  void SelectionBecomesTheMark() {
    host_.selected = QStringLiteral("♀") + QChar(0x2029) + QStringLiteral("次の行");
    commands_->GyouSpeedButtonClick();
    QCOMPARE(dialogs_->mark_seen, Sjis("♀"));
    QCOMPARE(settings_.line_head_mark, Sjis("♀"));
  }

  void NonRubyDeleteOptionsReachThePass() {
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

  void BraceEscapeRoundTripsOrRefusesUnencodableText() {
    QCOMPARE(app::EscapeBracesOf(QStringLiteral("{注}本\n"), "story.txt", messenger_),
             std::optional<QString>(QStringLiteral("∈注∋本\n")));
    QCOMPARE(app::EscapeBracesOf(QStringLiteral("{注}\n\n😀{注}"), "story.txt", messenger_),
             std::optional<QString>());
    QCOMPARE(messenger_.records.size(), std::size_t{1});
    QVERIFY(messenger_.records[0].text.starts_with("<story.txt>の 3 行 1 字目の文字<😀>"));
  }
};

QTEST_MAIN(RubyCommandsTest)
#include "ruby_commands_test.moc"
